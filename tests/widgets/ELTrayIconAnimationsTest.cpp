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
    COLORREF Shown() const { return IconColor(icon->Icon()->Handle()); }

    TComponent owner{nullptr};
    TELTrayIcon* icon = nullptr;
    TImageList* frames = nullptr;
    TELTrayIconAnimationsItem* item = nullptr;
    TShellRecorder shell;
};

TEST_F(TrayAnimation, ShowsEachPictureOneIntervalApartThenRestoresTheOldIconOrKeepsTheLast)
{
    item->SetActive(true);
    // The first picture at once, each later one on the next tick of a timer
    // running at the item's interval; one tick after the last it ends.
    EXPECT_EQ(shell.ModifiedColors(), std::vector<COLORREF>{kRed});
    ASSERT_NE(icon->Animations()->Timer(), nullptr);
    EXPECT_EQ(icon->Animations()->Timer()->Interval(), 20u);
    ASSERT_TRUE(PumpUntil([&] { return !item->Active(); }));
    EXPECT_EQ(shell.ModifiedColors(), (std::vector<COLORREF>{kRed, kLime, kBlue, kYellow}));
    EXPECT_EQ(Shown(), kYellow);
    EXPECT_EQ(icon->Animations()->Timer(), nullptr);

    shell.Calls().clear();
    item->SetRestoreOldIcon(false);
    item->SetActive(true);
    ASSERT_TRUE(PumpUntil([&] { return !item->Active(); }));
    EXPECT_EQ(shell.ModifiedColors(), (std::vector<COLORREF>{kRed, kLime, kBlue}));
    EXPECT_EQ(Shown(), kBlue);
}

TEST_F(TrayAnimation, AnIconAssignedMeanwhileStopsTheAnimationAndStays)
{
    item->SetInterval(10000);
    item->SetActive(true);
    TIcon lime;
    ColorList(&owner, {clLime})->GetIcon(0, lime);
    icon->SetIcon(&lime);
    EXPECT_FALSE(item->Active());
    EXPECT_TRUE(item->RestoreOldIcon()) << "put back after stopping";
    EXPECT_EQ(Shown(), kLime);
    EXPECT_EQ(shell.ModifiedColors(), (std::vector<COLORREF>{kRed, kLime}));
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
}

TEST_F(TrayAnimation, AFreedImageListOrItemStopsTheAnimation)
{
    // Another item leaving the list keeps the tray icon told of its free.
    auto* other = icon->Animations()->Add();
    other->SetImageList(frames);
    other->SetImageList(nullptr);
    item->SetActive(true);
    delete frames;
    EXPECT_FALSE(item->Active());
    EXPECT_EQ(item->ImageList(), nullptr);
    EXPECT_EQ(Shown(), kYellow);

    other->SetImageList(ColorList(&owner, {clRed}));
    other->SetActive(true);
    delete other;
    EXPECT_EQ(icon->Animations()->ActiveItem(), nullptr);
    EXPECT_EQ(icon->Animations()->Timer(), nullptr);
    PumpUntil([] { return false; }, 50);
}

}  // namespace
