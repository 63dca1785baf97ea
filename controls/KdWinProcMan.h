#pragma once
// The hook chain of one real control: takes over the control's WindowProc and
// gives it back when the control is destroyed. One manager per control, found
// or made through ForControl; clients never free managers.
#include "controls/KdWPM.h"
#include "framework/Controls.h"

#include <memory>

class TKdWinProcMan : public TKdWPM {
    CLASS_INFO(TKdWinProcMan, TKdWPM)

public:
    // The manager of `control`, made on first use; null for no control. Frees
    // the managers that have shut down since the last call.
    static TKdWinProcMan* ForControl(TControl* control);
    // The live manager of `control`, or null; makes none.
    static TKdWinProcMan* Existing(const TControl* control);

    ~TKdWinProcMan() override;

    // The watched control: also after the chain has shut down, until the
    // control is freed.
    TControl* Control() const { return static_cast<TControl*>(TKdWPM::Control()); }
    // The control's WindowProc as found when the manager was made.
    const TWndMethod& OldWndProc() const { return oldWndProc_; }

protected:
    void CallPrevious(TMessage& msg) override;
    bool IsDestroying() override;
    void RestoreWndProc() override;

private:
    class TWatch;

    explicit TKdWinProcMan(TControl* control);
    // The control is being freed without a destroy message having ended the chain.
    void ControlFreed();

    TWndMethod oldWndProc_;
    // Asks the control for free notification, so that a control freed without
    // ever having had a window leaves no manager pointing at it.
    std::unique_ptr<TWatch> watch_;
};

// The control a hook serves, from the manager it is called with; null when the
// chain is not a control's or the control has been freed.
TControl* KdHookedControl(const TKdWPM* manager);
