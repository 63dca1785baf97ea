#include "controls/KdWinController.h"

#include <utility>

#include "controls/KdWinProcMan.h"

TKdCustomWinController::TKdCustomWinController(TComponent* owner) : TComponent(owner) {}

TKdCustomWinController::~TKdCustomWinController()
{
    Destroying();
    Unhook();
}

void TKdCustomWinController::SetControl(TControl* control)
{
    if (control == control_)
        return;
    if (control_)
        control_->RemoveFreeNotification(this);
    Unhook();
    control_ = control;
    if (control_)
        control_->FreeNotification(this);
    Hook();
}

void TKdCustomWinController::SetActive(bool active)
{
    if (active == active_)
        return;
    active_ = active;
    if (active_)
        Hook();
    else
        Unhook();
}

void TKdCustomWinController::DoSetPriority(int32_t priority)
{
    if (priority == priority_)
        return;
    priority_ = priority;
    // Adding again moves the entry that is already there.
    if (hooked_) {
        hooked_ = false;
        Hook();
    }
}

bool TKdCustomWinController::CanHook()
{
    return active_ && control_ && !InState(csDesigning);
}

void TKdCustomWinController::Hook()
{
    if (hooked_ || !CanHook())
        return;
    hooked_ = true;
    TKdWinProcMan::ForControl(control_)->Add(priority_, 0, OwnHook());
}

void TKdCustomWinController::Unhook()
{
    if (!hooked_)
        return;
    hooked_ = false;
    TKdWinProcMan::ForControl(control_)->Remove(OwnHook());
}

void TKdCustomWinController::ControlGone()
{
    if (control_)
        control_->RemoveFreeNotification(this);
    control_ = nullptr;
    hooked_ = false;
}

void TKdCustomWinController::HookProc(TKdWPM* manager, TMessage& msg, TWndMethod next, int32_t&)
{
    // Kept per call: a nested message replaces it only for as long as it lasts.
    const TWndMethod outer = std::exchange(NextProc, next);
    if (OnWndProc) {
        bool handled = false;
        OnWndProc(this, msg, handled, TWndMethod(this, &TKdCustomWinController::CallNextWndProc));
        if (!handled)
            CallNextWndProc(msg);
    } else {
        CallNextWndProc(msg);
    }
    NextProc = outer;
    // The control is being destroyed; its chain ends with this message. Only if
    // the handler has not pointed this controller at another control meanwhile.
    if (manager->DestroyPending() && hooked_) {
        auto* own = dynamic_cast<TKdWinProcMan*>(manager);
        if (!own || own->Control() == control_)
            ControlGone();
    }
}

void TKdCustomWinController::CallNextWndProc(TMessage& msg)
{
    if (NextProc)
        NextProc(msg);
}

void TKdCustomWinController::Notification(TComponent* component, TOperation operation)
{
    TComponent::Notification(component, operation);
    if (operation != opRemove || !component || component != control_)
        return;
    if (!hooked_) {
        control_ = nullptr;
    } else if (control_->InState(csDestroying)) {
        // The control is freed without its chain having ended on a destroy
        // message (it never had a window); the chain's manager drops itself, so
        // there is nothing to remove.
        ControlGone();
    } else {
        // The control only left its owner and lives on, chain and all: the entry
        // must go, or the chain would call this controller after it is freed.
        Unhook();
        control_ = nullptr;
    }
}
