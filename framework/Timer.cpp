#include "framework/Timer.h"

#include "framework/Exceptions.h"
#include "framework/UtilityWindow.h"

namespace {
constexpr UINT_PTR kTimerId = 1;
}

TTimer::TTimer(TComponent* owner) : TComponent(owner)
{
    window_ = std::make_unique<TUtilityWindow>(this, TWndMethod(this, &TTimer::WndProc));
    UpdateTimer();
}

TTimer::~TTimer()
{
    Destroying();
    if (running_)
        KillTimer(window_->Handle(), kTimerId);
}

void TTimer::SetEnabled(bool enabled)
{
    if (enabled == enabled_)
        return;
    enabled_ = enabled;
    UpdateTimer();
}

void TTimer::SetInterval(unsigned interval)
{
    if (interval == interval_)
        return;
    interval_ = interval;
    UpdateTimer();
}

void TTimer::UpdateTimer()
{
    if (running_) {
        KillTimer(window_->Handle(), kTimerId);
        running_ = false;
    }
    if (enabled_ && interval_ > 0) {
        if (!SetTimer(window_->Handle(), kTimerId, interval_, nullptr))
            throw EComponentError(L"Not enough timers available");
        running_ = true;
    }
}

void TTimer::WndProc(TMessage& msg)
{
    if (msg.Msg == WM_TIMER) {
        msg.Result = 0;
        // A tick already queued when the timer stopped is dropped. Nothing of the
        // timer is touched after the handler: it may have freed it.
        if (running_ && OnTimer)
            OnTimer(this);
        return;
    }
    window_->DefaultHandler(msg);
}
