#pragma once
// The timer component: raises OnTimer every Interval milliseconds while it is
// enabled, through the thread's message loop.
#include <memory>

#include "framework/Component.h"

class TUtilityWindow;
struct TMessage;

class TTimer : public TComponent {
    CLASS_INFO(TTimer, TComponent)

public:
    explicit TTimer(TComponent* owner);
    ~TTimer() override;

    // Enabled with an Interval above 0, the timer runs. Both start it anew.
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    // Milliseconds between ticks; 1000 at first.
    unsigned Interval() const { return interval_; }
    void SetInterval(unsigned interval);
    // Whether the system's timer is set now.
    bool Running() const { return running_; }

    // A handler may free the timer.
    TNotifyEvent OnTimer;

private:
    void UpdateTimer();
    void WndProc(TMessage& msg);

    bool enabled_ = true;
    unsigned interval_ = 1000;
    bool running_ = false;
    std::unique_ptr<TUtilityWindow> window_;
};
