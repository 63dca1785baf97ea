#include "framework/ImageList.h"

#include <gtest/gtest.h>

#include "framework/Exceptions.h"

namespace {

void Prepare(TBitmap& bitmap, int w, int h, TColor color)
{
    bitmap.SetSize(w, h);
    TCanvas* canvas = bitmap.Canvas();
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(color);
    canvas->FillRect(RECT{0, 0, w, h});
}

TEST(ImageList, AddsDrawsAndCopiesPictures)
{
    TComponent owner(nullptr);
    auto* list = new TImageList(&owner);  // freed with its owner
    list->SetSize(8, 8);
    EXPECT_FALSE(list->Masked());
    EXPECT_EQ(list->Count(), 0);

    TBitmap red;
    Prepare(red, 8, 8, clRed);
    red.Canvas()->SetPixels(7, 7, clBlue);
    EXPECT_EQ(list->Add(red, nullptr), 0);
    // A strip twice as wide adds two pictures.
    TBitmap strip;
    Prepare(strip, 16, 8, clGreen);
    strip.Canvas()->Brush()->SetColor(clYellow);
    strip.Canvas()->FillRect(RECT{8, 0, 16, 8});
    EXPECT_EQ(list->Add(strip, nullptr), 1);
    EXPECT_EQ(list->Count(), 3);

    TBitmap target;
    Prepare(target, 20, 20, clWhite);
    list->Draw(*target.Canvas(), 2, 3, 0);
    EXPECT_EQ(target.Canvas()->Pixels(2, 3), clRed);
    EXPECT_EQ(target.Canvas()->Pixels(9, 10), clBlue);
    EXPECT_EQ(target.Canvas()->Pixels(10, 11), clWhite);
    EXPECT_EQ(target.Canvas()->Pixels(1, 2), clWhite);

    TBitmap copy;
    list->GetBitmap(2, copy);
    EXPECT_EQ(copy.Width(), 8);
    EXPECT_EQ(copy.Height(), 8);
    EXPECT_EQ(copy.Canvas()->Pixels(4, 4), clYellow);

    EXPECT_THROW(list->Draw(*target.Canvas(), 0, 0, 3), EComponentError);
    EXPECT_THROW(list->GetBitmap(-1, copy), EComponentError);
    list->Delete(1);
    EXPECT_EQ(list->Count(), 2);
    list->GetBitmap(1, copy);
    EXPECT_EQ(copy.Canvas()->Pixels(4, 4), clYellow);

    list->SetSize(16, 16);
    EXPECT_EQ(list->Count(), 0) << "a new size empties the list";
    EXPECT_THROW(list->SetSize(0, 16), EComponentError);
}

TEST(ImageList, MaskedPicturesLeaveTheBackground)
{
    TImageList list(nullptr);
    list.SetSize(6, 6);
    list.SetMasked(true);
    TBitmap image;
    Prepare(image, 6, 6, clFuchsia);
    image.Canvas()->Brush()->SetColor(clNavy);
    image.Canvas()->FillRect(RECT{2, 2, 4, 4});
    ASSERT_EQ(list.AddMasked(image, clFuchsia), 0);
    EXPECT_EQ(image.Canvas()->Pixels(0, 0), clFuchsia) << "the caller's bitmap is left alone";

    // A separate mask: white marks the transparent pixels.
    TBitmap mask;
    Prepare(mask, 6, 6, clWhite);
    mask.Canvas()->Brush()->SetColor(clBlack);
    mask.Canvas()->FillRect(RECT{0, 0, 3, 6});
    Prepare(image, 6, 6, clMaroon);
    ASSERT_EQ(list.Add(image, &mask), 1);

    TBitmap target;
    Prepare(target, 10, 10, clSilver);
    list.Draw(*target.Canvas(), 1, 1, 0);
    EXPECT_EQ(target.Canvas()->Pixels(1, 1), clSilver);
    EXPECT_EQ(target.Canvas()->Pixels(3, 3), clNavy);
    list.Draw(*target.Canvas(), 1, 1, 1);
    EXPECT_EQ(target.Canvas()->Pixels(2, 2), clMaroon);
    EXPECT_EQ(target.Canvas()->Pixels(5, 2), clSilver);
}

TEST(ImageList, HandsOutAPictureAsAnIcon)
{
    TImageList list(nullptr);
    list.SetMasked(true);
    TBitmap image;
    Prepare(image, 16, 16, clGreen);
    image.Canvas()->Brush()->SetColor(clFuchsia);
    image.Canvas()->FillRect(RECT{0, 0, 4, 4});
    list.AddMasked(image, clFuchsia);
    TIcon icon;
    list.GetIcon(0, icon);
    EXPECT_EQ(icon.Width(), 16);

    TBitmap target;
    Prepare(target, 16, 16, clSilver);
    DrawIconEx(target.Canvas()->Handle(), 0, 0, icon.Handle(), 16, 16, 0, nullptr, DI_NORMAL);
    EXPECT_EQ(target.Canvas()->Pixels(8, 8), clGreen);
    EXPECT_EQ(target.Canvas()->Pixels(1, 1), clSilver) << "the masked corner is transparent";
    EXPECT_THROW(list.GetIcon(1, icon), EComponentError);
}

TEST(ImageList, DisabledPicturesAreEmbossed)
{
    TImageList list(nullptr);
    list.SetSize(8, 8);
    TBitmap image;
    Prepare(image, 8, 8, clWhite);
    image.Canvas()->Brush()->SetColor(clRed);
    image.Canvas()->FillRect(RECT{2, 2, 5, 5});
    list.Add(image, nullptr);

    TBitmap target;
    Prepare(target, 12, 12, clBtnFace);
    list.Draw(*target.Canvas(), 0, 0, 0, false);
    TCanvas& c = *target.Canvas();
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    EXPECT_EQ(c.Pixels(3, 3), GetSysColor(COLOR_BTNSHADOW)) << "the mark in the shadow colour";
    EXPECT_EQ(c.Pixels(5, 5), GetSysColor(COLOR_BTNHIGHLIGHT)) << "its highlight one pixel down and right";
    EXPECT_EQ(c.Pixels(0, 0), face) << "white pixels leave the background";
    EXPECT_EQ(c.Pixels(7, 7), face);
}

}  // namespace
