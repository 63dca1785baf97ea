// The tray icon's animations on a real timer: the pictures in order, the icon
// from before the start, stopping on a new icon, and the failures.
#include <gtest/gtest.h>

#include "framework/Timer.h"
#include "tests/framework/ControlsTestSupport.h"
#include "tests/widgets/TrayIconTestSupport.h"

using namespace testing_support;
using namespace tray_testing;

namespace {

const COLORREF kRed = ColorToRGB(clRed);
const COLORREF kLime = ColorToRGB(clLime);
const COLORREF kBlue = ColorToRGB(clBlue);
const COLORREF kYellow = ColorToRGB(clYellow);
const COLORREF kWhite = ColorToRGB(clWhite);

class TrayAnimation : public ::testing::Test {
protected:
    void SetUp() override
    {
        icon = new TELTrayIcon(&owner);
        frames = ColorList(&owner, {clRed, clLime, clBlue});
        TIcon yellow;
        ColorList(&owner, {clYellow})->GetIcon(0, yellow);
        icon->SetIcon(&yellow);
        icon->SetActive(true);
        item = icon->Animations()->Add();
        item->SetImageList(frames);
        item->SetInterval(20);
        shell.Calls().clear();
    }
    void TearDown() override { icon->SetActive(false); }
    bool RunToTheEnd() { return PumpUntil([&] { return !item->Active(); }); }

    TComponent owner{nullptr};
    TELTrayIcon* icon = nullptr;
    TImageList* frames = nullptr;
    TELTrayIconAnimationsItem* item = nullptr;
    TShellRecorder shell;
};

TEST_F(TrayAnimation, ShowsEachPictureOneIntervalApartThenRestoresTheOldIcon)
{
    item->SetActive(true);
    // The first picture at once, each later one on the next tick of a timer
    // running at the item's interval.
    EXPECT_EQ(shell.ModifiedColors(), std::vector<COLORREF>{kRed});
    ASSERT_NE(icon->Animations()->Timer(), nullptr);
    EXPECT_EQ(icon->Animations()->Timer()->Interval(), 20u);
    EXPECT_TRUE(icon->Animations()->Timer()->Running());
    EXPECT_EQ(IconColor(icon->Icon()->Handle()), kRed);

    ASSERT_TRUE(RunToTheEnd());
    EXPECT_EQ(shell.ModifiedColors(), (std::vector<COLORREF>{kRed, kLime, kBlue, kYellow}));
    EXPECT_EQ(IconColor(icon->Icon()->Handle()), kYellow);
    EXPECT_EQ(icon->Animations()->Timer(), nullptr);
    EXPECT_EQ(icon->Animations()->ActiveItem(), nullptr);
}

TEST_F(TrayAnimation, WithoutRestoringTheLastPictureStays)
{
    item->SetRestoreOldIcon(false);
    item->SetActive(true);
    ASSERT_TRUE(RunToTheEnd());
    EXPECT_EQ(shell.ModifiedColors(), (std::vector<COLORREF>{kRed, kLime, kBlue}));
    EXPECT_EQ(IconColor(icon->Icon()->Handle()), kBlue);
}

TEST_F(TrayAnimation, ACircularAnimationStartsOverUntilStopped)
{
    item->SetCircular(true);
    item->SetActive(true);
    ASSERT_TRUE(PumpUntil([&] { return shell.ModifiedColors().size() >= 5; }));
    const std::vector<COLORREF> seen = shell.ModifiedColors();
    EXPECT_EQ(std::vector<COLORREF>(seen.begin(), seen.begin() + 5),
              (std::vector<COLORREF>{kRed, kLime, kBlue, kRed, kLime}));
    item->SetActive(false);
    EXPECT_EQ(IconColor(icon->Icon()->Handle()), kYellow);
}

TEST_F(TrayAnimation, AnIconAssignedMeanwhileStopsTheAnimationAndStays)
{
    item->SetInterval(10000);
    item->SetActive(true);
    TIcon white;
    ColorList(&owner, {clWhite})->GetIcon(0, white);
    icon->SetIcon(&white);
    EXPECT_FALSE(item->Active());
    EXPECT_TRUE(item->RestoreOldIcon()) << "put back after stopping";
    EXPECT_EQ(icon->Animations()->Timer(), nullptr);
    EXPECT_EQ(IconColor(icon->Icon()->Handle()), kWhite);
    EXPECT_EQ(shell.ModifiedColors(), (std::vector<COLORREF>{kRed, kWhite}));
}

TEST_F(TrayAnimation, AnInactiveIconWaitsAndStartsWhenActivated)
{
    icon->SetActive(false);
    item->SetActive(true);
    EXPECT_TRUE(item->Active());
    EXPECT_EQ(icon->Animations()->Timer(), nullptr);
    icon->SetActive(true);
    ASSERT_GE(shell.Calls().size(), 2u);
    EXPECT_EQ(shell.Calls().back().Command, static_cast<DWORD>(NIM_ADD));
    EXPECT_EQ(shell.Calls().back().Color, kRed) << "added showing the first picture";
    // Deactivating the icon ends the animation with the old icon back.
    icon->SetActive(false);
    EXPECT_FALSE(item->Active());
    EXPECT_EQ(IconColor(icon->Icon()->Handle()), kYellow);
}

TEST_F(TrayAnimation, NoPicturesNoStart)
{
    auto* empty = icon->Animations()->Add();
    try {
        empty->SetActive(true);
        ADD_FAILURE() << "started without an image list";
    } catch (const EELTrayIcon& e) {
        EXPECT_EQ(e.Message(), L"Can not start animation without images");
    }
    empty->SetImageList(ColorList(&owner, {}));
    item->SetActive(true);
    EXPECT_THROW(empty->SetActive(true), EELTrayIcon);
    EXPECT_TRUE(item->Active()) << "the running animation goes on";
    EXPECT_EQ(IconColor(icon->Icon()->Handle()), kRed);
}

TEST_F(TrayAnimation, AFreedImageListStopsItsAnimationAndIsForgotten)
{
    auto* other = icon->Animations()->Add();
    other->SetImageList(frames);
    // Another item leaving the list keeps the tray icon told of its free.
    other->SetImageList(nullptr);
    item->SetActive(true);
    delete frames;
    EXPECT_FALSE(item->Active());
    EXPECT_EQ(item->ImageList(), nullptr);
    EXPECT_EQ(IconColor(icon->Icon()->Handle()), kYellow);
    PumpUntil([] { return false; }, 60);
}

TEST_F(TrayAnimation, ItemsAreNamedByIdentifierCopiedAndFreedSafely)
{
    TELTrayIconAnimations* animations = icon->Animations();
    EXPECT_EQ(animations->GetOwner(), icon);
    auto* second = animations->Add();
    EXPECT_EQ(item->DisplayName(), L"Animation0");
    delete item;
    EXPECT_EQ(animations->Add()->DisplayName(), L"Animation2");
    EXPECT_EQ(second->Index(), 0);

    // A running item freed stops first.
    second->SetImageList(frames);
    second->SetActive(true);
    delete second;
    EXPECT_EQ(animations->ActiveItem(), nullptr);
    EXPECT_EQ(animations->Timer(), nullptr);

    TELTrayIcon source(nullptr);
    auto* model = source.Animations()->Add();
    model->SetImageList(frames);
    model->SetInterval(250);
    model->SetCircular(true);
    model->SetRestoreOldIcon(false);
    icon->SetAnimations(source.Animations());
    ASSERT_EQ(animations->Count(), 1);
    item = animations->Items(0);
    EXPECT_EQ(item->ImageList(), frames);
    EXPECT_EQ(item->Interval(), 250);
    EXPECT_TRUE(item->Circular());
    EXPECT_FALSE(item->RestoreOldIcon());
    EXPECT_FALSE(item->Active());
}

}  // namespace
