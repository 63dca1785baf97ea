#pragma once
// A non-visual component that watches one control: while active it gets every
// message of the control through OnWndProc, in the order its priority gives it
// in the control's hook chain, and may handle, change or swallow the message.
#include <cstdint>

#include "controls/KdWPM.h"
#include "framework/Controls.h"

// sender, message, handled (set it to keep the message from the control),
// and the continuation that lets the rest of the chain handle the message now.
using TKdWndProcEvent = TMethod<void(TObject* sender, TMessage& msg, bool& handled, TWndMethod next)>;

class TKdCustomWinController : public TComponent {
    CLASS_INFO(TKdCustomWinController, TComponent)

public:
    explicit TKdCustomWinController(TComponent* owner);
    ~TKdCustomWinController() override;

    // Whether this controller has an entry in its control's chain.
    bool Hooked() const { return hooked_; }

    void Notification(TComponent* component, TOperation operation) override;

    // The hook filed in the control's chain.
    virtual void HookProc(TKdWPM* manager, TMessage& msg, TWndMethod next, int32_t& param);
    // Lets the rest of the chain, and finally the control, handle msg.
    virtual void CallNextWndProc(TMessage& msg);

protected:
    TControl* Control() const { return control_; }
    void SetControl(TControl* control);
    bool Active() const { return active_; }
    void SetActive(bool active);
    int32_t Priority() const { return priority_; }
    void SetPriority(int32_t priority) { DoSetPriority(priority); }

    virtual bool CanHook();
    virtual void Hook();
    virtual void Unhook();
    // The control went away while hooked; its chain is gone with it.
    virtual void ControlGone();
    virtual void DoSetPriority(int32_t priority);

    TKdWndProcEvent OnWndProc;
    // The continuation of the message being handled.
    TWndMethod NextProc;

private:
    TKdHookProc OwnHook() { return TKdHookProc(this, &TKdCustomWinController::HookProc); }

    TControl* control_ = nullptr;  // not owned; held through free notification
    bool active_ = true;
    int32_t priority_ = 200;
    bool hooked_ = false;
};

class TKdWinController : public TKdCustomWinController {
    CLASS_INFO(TKdWinController, TKdCustomWinController)

public:
    using TKdCustomWinController::TKdCustomWinController;

    using TKdCustomWinController::OnWndProc;
    using TKdCustomWinController::Control;
    using TKdCustomWinController::SetControl;
    using TKdCustomWinController::Active;
    using TKdCustomWinController::SetActive;
    using TKdCustomWinController::Priority;
    using TKdCustomWinController::SetPriority;
};
