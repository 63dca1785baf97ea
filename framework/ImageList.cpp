#include "framework/ImageList.h"

#include <string>

#include "framework/Exceptions.h"
#include "framework/OSError.h"

namespace {

// Destination = source ? pattern : destination, for a two-colour source whose
// set bits were mapped to white.
constexpr DWORD kRopPatternWhereSource = 0x00E20746;

}  // namespace

TImageList::TImageList(TComponent* owner) : TComponent(owner) {}

TImageList::~TImageList()
{
    Destroying();
}

void TImageList::SetSize(int width, int height)
{
    if (width < 1 || height < 1)
        throw EComponentError(L"Invalid image size");
    if (width == width_ && height == height_)
        return;
    width_ = width;
    height_ = height;
    Recreate();
}

void TImageList::SetMasked(bool masked)
{
    if (masked == masked_)
        return;
    masked_ = masked;
    Recreate();
}

void TImageList::Recreate()
{
    const bool hadImages = Count() > 0;
    handle_.Reset();
    if (hadImages)
        Changed();
}

HIMAGELIST TImageList::Handle()
{
    if (!handle_) {
        HIMAGELIST list = ImageList_Create(width_, height_, ILC_COLOR24 | (masked_ ? ILC_MASK : 0), 4, 4);
        if (!list)
            RaiseLastOSError();
        handle_.Reset(list);
    }
    return handle_.Get();
}

int TImageList::Count() const
{
    return handle_ ? ImageList_GetImageCount(handle_.Get()) : 0;
}

void TImageList::CheckIndex(int index) const
{
    if (index < 0 || index >= Count())
        throw EComponentError(L"Image index out of bounds (" + std::to_wstring(index) + L")");
}

int TImageList::Add(TBitmap& image, TBitmap* mask)
{
    if (image.Empty())
        throw EComponentError(L"Invalid image");
    HIMAGELIST list = Handle();
    const int index = ImageList_Add(list, image.Handle(), masked_ && mask ? mask->Handle() : nullptr);
    if (index < 0)
        throw EComponentError(L"Failed to add image");
    Changed();
    return index;
}

int TImageList::AddMasked(TBitmap& image, TColor maskColor)
{
    if (image.Empty())
        throw EComponentError(L"Invalid image");
    HIMAGELIST list = Handle();
    int index;
    if (masked_) {
        // The system blackens the masked pixels of the bitmap it is given: give it a copy.
        TBitmap copy;
        copy.Assign(image);
        index = ImageList_AddMasked(list, copy.Handle(), ColorToRGB(maskColor));
    } else {
        index = ImageList_Add(list, image.Handle(), nullptr);
    }
    if (index < 0)
        throw EComponentError(L"Failed to add image");
    Changed();
    return index;
}

void TImageList::Replace(int index, TBitmap& image, TBitmap* mask)
{
    CheckIndex(index);
    if (image.Empty())
        throw EComponentError(L"Invalid image");
    if (!ImageList_Replace(handle_.Get(), index, image.Handle(), masked_ && mask ? mask->Handle() : nullptr))
        throw EComponentError(L"Failed to replace image");
    Changed();
}

void TImageList::Delete(int index)
{
    CheckIndex(index);
    if (!ImageList_Remove(handle_.Get(), index))
        throw EComponentError(L"Failed to remove image");
    Changed();
}

void TImageList::Clear()
{
    if (Count() == 0)
        return;
    if (!ImageList_Remove(handle_.Get(), -1))
        throw EComponentError(L"Failed to remove image");
    Changed();
}

void TImageList::Draw(TCanvas& canvas, int x, int y, int index, bool enabled)
{
    CheckIndex(index);
    HDC dc = canvas.Handle();
    const UINT style = masked_ ? ILD_TRANSPARENT : ILD_NORMAL;
    if (enabled) {
        if (!ImageList_DrawEx(handle_.Get(), index, dc, x, y, 0, 0, CLR_NONE, CLR_DEFAULT, style))
            throw EComponentError(L"Failed to draw image");
        return;
    }
    // Disabled: every pixel that is not white (or transparent) becomes a mark,
    // drawn in the highlight colour one pixel down and right, then in the shadow.
    TOwnedBitmap monoBitmap(CreateBitmap(width_, height_, 1, 1, nullptr));
    if (!monoBitmap)
        RaiseLastOSError();
    TOwnedMemoryDC mono(CreateCompatibleDC(nullptr));
    if (!mono)
        RaiseLastOSError();
    TSelectGuard selectMono(mono.Get(), monoBitmap.Get());
    Win32Check(PatBlt(mono.Get(), 0, 0, width_, height_, WHITENESS));
    if (!ImageList_DrawEx(handle_.Get(), index, mono.Get(), 0, 0, 0, 0, CLR_NONE, CLR_DEFAULT, style))
        throw EComponentError(L"Failed to draw image");

    const COLORREF oldText = SetTextColor(dc, RGB(255, 255, 255));
    const COLORREF oldBk = SetBkColor(dc, RGB(0, 0, 0));
    BOOL ok = TRUE;
    {
        TOwnedBrush highlight(CreateSolidBrush(ColorToRGB(clBtnHighlight)));
        TOwnedBrush shadow(CreateSolidBrush(ColorToRGB(clBtnShadow)));
        if (highlight && shadow) {
            {
                TSelectGuard brush(dc, highlight.Get());
                ok = BitBlt(dc, x + 1, y + 1, width_, height_, mono.Get(), 0, 0, kRopPatternWhereSource);
            }
            if (ok) {
                TSelectGuard brush(dc, shadow.Get());
                ok = BitBlt(dc, x, y, width_, height_, mono.Get(), 0, 0, kRopPatternWhereSource);
            }
        } else {
            ok = FALSE;
        }
    }
    SetTextColor(dc, oldText);
    SetBkColor(dc, oldBk);
    Win32Check(ok);
}

void TImageList::GetBitmap(int index, TBitmap& bitmap)
{
    CheckIndex(index);
    bitmap.SetSize(width_, height_);
    if (!ImageList_DrawEx(handle_.Get(), index, bitmap.Canvas()->Handle(), 0, 0, 0, 0, CLR_NONE, CLR_DEFAULT,
                          ILD_NORMAL))
        throw EComponentError(L"Failed to draw image");
}

void TImageList::GetIcon(int index, TIcon& icon)
{
    CheckIndex(index);
    HICON made = ImageList_GetIcon(handle_.Get(), index, masked_ ? ILD_TRANSPARENT : ILD_NORMAL);
    if (!made)
        RaiseLastOSError();
    icon.SetHandle(made);
}

void TImageList::Changed()
{
    if (OnChange)
        OnChange(this);
}
