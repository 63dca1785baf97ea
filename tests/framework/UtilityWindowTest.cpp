// The hidden utility window that hands its messages to a method, and the timer
// component built on it.
#include "framework/UtilityWindow.h"

#include <gtest/gtest.h>

#include <memory>

#include "framework/Timer.h"
#include "tests/framework/ControlsTestSupport.h"

using namespace testing_support;

namespace {

struct TListener : TObject {
    std::unique_ptr<TUtilityWindow> Window;
    std::vector<UINT> Heard;
    bool FreeAndThrow = false;
    void Proc(TMessage& m)
    {
        if (m.Msg < WM_APP) {
            Window->DefaultHandler(m);
            return;
        }
        Heard.push_back(m.Msg);
        m.Result = 42;
        if (FreeAndThrow) {
            Window.reset();
            throw Exception(L"listener failed");
        }
    }
};

struct TErrorCatcher : TObject {
    int Errors = 0;
    void Caught(TObject*, std::exception_ptr) { ++Errors; }
};

TEST(UtilityWindow, HandsMessagesAndBroadcastsToTheMethodAndSurvivesItsFailure)
{
    TListener listener;
    listener.Window = std::make_unique<TUtilityWindow>(&listener, TWndMethod(&listener, &TListener::Proc));
    HWND h = listener.Window->Handle();
    EXPECT_FALSE(IsWindowVisible(h));
    EXPECT_FALSE(ListedOnTaskbar(h));
    EXPECT_EQ(SendMessageW(h, WM_APP, 0, 0), 42);
    // Broadcasts (such as "TaskbarCreated") reach hidden top-level windows.
    const UINT broadcast = RegisterWindowMessageW(L"KestrinUtilityWindowTest");
    SendMessageTimeoutW(HWND_BROADCAST, broadcast, 0, 0, SMTO_ABORTIFHUNG, 2000, nullptr);
    EXPECT_EQ(listener.Heard, (std::vector<UINT>{WM_APP, broadcast}));

    // A method that frees the window and then fails: the error is shown, nothing crashes.
    TErrorCatcher catcher;
    Application->OnException = TExceptionEvent(&catcher, &TErrorCatcher::Caught);
    listener.FreeAndThrow = true;
    SendMessageW(h, WM_APP, 0, 0);
    Application->OnException = nullptr;
    EXPECT_EQ(catcher.Errors, 1);
    EXPECT_FALSE(IsWindow(h));
}

struct TTickCounter : TObject {
    TTimer* Timer = nullptr;
    int Ticks = 0;
    bool FreeOnTick = false;
    void Tick(TObject*)
    {
        ++Ticks;
        if (FreeOnTick) {
            delete Timer;
            Timer = nullptr;
        }
    }
};

TEST(Timer, TicksWhileEnabledStopsWhenDisabledAndMayBeFreedByItsHandler)
{
    TTickCounter counter;
    counter.Timer = new TTimer(nullptr);
    counter.Timer->OnTimer = TNotifyEvent(&counter, &TTickCounter::Tick);
    counter.Timer->SetInterval(15);
    EXPECT_TRUE(PumpUntil([&] { return counter.Ticks >= 2; }));
    counter.Timer->SetEnabled(false);
    const int ticks = counter.Ticks;
    PumpUntil([] { return false; }, 60);
    EXPECT_EQ(counter.Ticks, ticks) << "no tick once disabled, not even one already queued";

    counter.FreeOnTick = true;
    counter.Timer->SetEnabled(true);
    EXPECT_TRUE(PumpUntil([&] { return counter.Timer == nullptr; }));
}

}  // namespace
