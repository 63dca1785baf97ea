// The start show command decides whether Kestrin opens its window or starts in the tray.
#include "app/StartMode.h"

#include <gtest/gtest.h>

TEST(StartMode, HiddenAndMinimisedStartsGoToTheTrayHidden)
{
    for (int cmd : {kSwHide, kSwShowMinimized, kSwMinimize, kSwShowMinNoActive, kSwForceMinimize}) {
        EXPECT_EQ(StartModeFor(cmd), smTray) << cmd;
        EXPECT_EQ(StartShowCommandFor(cmd), kSwHide) << cmd;
    }
}

TEST(StartMode, MaximisedAndPlainShowsOpenNormally)
{
    for (int cmd : {kSwShowMaximized, kSwShow, kSwShowNA, kSwRestore, kSwShowDefault}) {
        EXPECT_EQ(StartModeFor(cmd), smNormal) << cmd;
        EXPECT_EQ(StartShowCommandFor(cmd), kSwShowNormal) << cmd;
    }
}

TEST(StartMode, OtherValuesPassUnchanged)
{
    for (int cmd : {int(kSwShowNormal), int(kSwShowNoActivate), 12, 255, -1}) {
        EXPECT_EQ(StartModeFor(cmd), smAsGiven) << cmd;
        EXPECT_EQ(StartShowCommandFor(cmd), cmd) << cmd;
    }
}
