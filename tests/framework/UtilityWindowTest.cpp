// The hidden utility window that hands its messages to a method, and the timer
// component built on it.
#include "framework/UtilityWindow.h"

#include <gtest/gtest.h>

#include <memory>

#include "framework/Handles.h"
#include "framework/Timer.h"
#include "tests/framework/ControlsTestSupport.h"

using namespace testing_support;

namespace {

constexpr UINT kPing = WM_APP + 7;

struct TListener : TObject {
    std::unique_ptr<TUtilityWindow> Window;
    std::vector<TMessage> Heard;
    bool Throw = false;
    bool FreeSelf = false;
    void Proc(TMessage& m)
    {
        if (m.Msg == kPing || m.Msg == RegisterWindowMessageW(L"KestrinUtilityWindowTest")) {
            Heard.push_back(m);
            if (FreeSelf)
                Window.reset();
            if (Throw)
                throw Exception(L"listener failed");
            m.Result = 42;
            return;
        }
        Window->DefaultHandler(m);
    }
};

struct TErrorCatcher : TObject {
    std::vector<TObject*> Senders;
    void Caught(TObject* sender, std::exception_ptr) { Senders.push_back(sender); }
};

TEST(UtilityWindow, HandsItsMessagesAndBroadcastsToTheMethod)
{
    const long user = handles::Live(handles::Kind::User);
    TListener listener;
    listener.Window = std::make_unique<TUtilityWindow>(&listener, TWndMethod(&listener, &TListener::Proc));
    HWND h = listener.Window->Handle();
    ASSERT_TRUE(IsWindow(h));
    EXPECT_FALSE(IsWindowVisible(h));
    EXPECT_EQ(GetParent(h), nullptr);
    EXPECT_FALSE(ListedOnTaskbar(h)) << "never a taskbar button, even if shown";

    EXPECT_EQ(SendMessageW(h, kPing, 3, 4), 42);
    ASSERT_EQ(listener.Heard.size(), 1u);
    EXPECT_EQ(listener.Heard[0].WParam, 3u);
    EXPECT_EQ(listener.Heard[0].LParam, 4);
    // Unhandled messages get the system's default answer.
    EXPECT_EQ(SendMessageW(h, WM_GETTEXTLENGTH, 0, 0), 0);

    // Broadcasts reach hidden top-level windows.
    const UINT broadcast = RegisterWindowMessageW(L"KestrinUtilityWindowTest");
    SendMessageTimeoutW(HWND_BROADCAST, broadcast, 5, 0, SMTO_ABORTIFHUNG, 2000, nullptr);
    ASSERT_EQ(listener.Heard.size(), 2u);
    EXPECT_EQ(listener.Heard[1].WParam, 5u);

    listener.Window.reset();
    EXPECT_FALSE(IsWindow(h));
    EXPECT_EQ(handles::Live(handles::Kind::User), user);
}

TEST(UtilityWindow, AnErrorGoesToTheErrorDisplayAndTheMethodMayFreeTheWindow)
{
    TErrorCatcher catcher;
    Application->OnException = TExceptionEvent(&catcher, &TErrorCatcher::Caught);
    TListener listener;
    listener.Window = std::make_unique<TUtilityWindow>(&listener, TWndMethod(&listener, &TListener::Proc));
    listener.Throw = true;
    SendMessageW(listener.Window->Handle(), kPing, 0, 0);
    EXPECT_EQ(catcher.Senders, std::vector<TObject*>{&listener});

    // Freed inside its own message, and failing afterwards: nothing of it is touched.
    HWND h = listener.Window->Handle();
    listener.FreeSelf = true;
    SendMessageW(h, kPing, 0, 0);
    EXPECT_FALSE(IsWindow(h));
    EXPECT_EQ(catcher.Senders.size(), 2u);
    EXPECT_EQ(catcher.Senders[1], nullptr);
    Application->OnException = nullptr;
}

struct TTickCounter : TObject {
    TTimer* Timer = nullptr;
    int Ticks = 0;
    bool FreeOnTick = false;
    void Tick(TObject* sender)
    {
        EXPECT_EQ(sender, Timer);
        ++Ticks;
        if (FreeOnTick) {
            delete Timer;
            Timer = nullptr;
        }
    }
};

TEST(Timer, TicksWhileEnabledWithAnInterval)
{
    TComponent owner(nullptr);
    TTickCounter counter;
    counter.Timer = new TTimer(&owner);
    TTimer& timer = *counter.Timer;
    EXPECT_TRUE(timer.Enabled());
    EXPECT_EQ(timer.Interval(), 1000u);
    EXPECT_TRUE(timer.Running());
    timer.OnTimer = TNotifyEvent(&counter, &TTickCounter::Tick);
    timer.SetInterval(15);
    EXPECT_TRUE(PumpUntil([&] { return counter.Ticks >= 2; }));

    timer.SetEnabled(false);
    EXPECT_FALSE(timer.Running());
    const int ticks = counter.Ticks;
    PumpUntil([] { return false; }, 100);
    EXPECT_EQ(counter.Ticks, ticks) << "no tick once disabled, not even one already queued";

    timer.SetInterval(0);
    timer.SetEnabled(true);
    EXPECT_FALSE(timer.Running()) << "an interval of 0 never ticks";
}

TEST(Timer, AHandlerMayFreeItsTimer)
{
    TTickCounter counter;
    counter.Timer = new TTimer(nullptr);
    counter.Timer->OnTimer = TNotifyEvent(&counter, &TTickCounter::Tick);
    counter.Timer->SetInterval(10);
    counter.FreeOnTick = true;
    EXPECT_TRUE(PumpUntil([&] { return counter.Timer == nullptr; }));
    PumpUntil([] { return false; }, 50);
    EXPECT_EQ(counter.Ticks, 1);
}

}  // namespace
