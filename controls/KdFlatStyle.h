#pragma once
// The flat style: a global window controller that draws a flat frame of two
// rings (one pixel per 96-DPI pixel each, at the control's DPI) over the border
// of every edit, combo box, list and similar control of a window, and redraws
// it as the control gains or loses the focus, is enabled or disabled, or is
// hovered by the mouse (then with the hot-track frame).
#include <memory>
#include <string>
#include <vector>

#include "controls/KdGlobalController.h"
#include "controls/KdPainters.h"

// The per-control state the flat style keeps in the control's chain entry.
enum TKdFlatState : int32_t { KdfsEnabled = 1, KdfsHover = 2, KdfsFocus = 4 };

class TKdFlatStyle : public TKdCustomGlobalWinController {
    CLASS_INFO(TKdFlatStyle, TKdCustomGlobalWinController)

public:
    // Inactive until Active is set; the root is the owner when it is a control;
    // the default targets and exceptions; the hot-track frame disabled.
    explicit TKdFlatStyle(TComponent* owner);
    ~TKdFlatStyle() override;

    using TKdCustomGlobalWinController::IncludeControl;
    using TKdCustomGlobalWinController::SetIncludeControl;
    using TKdCustomGlobalWinController::Active;
    using TKdCustomGlobalWinController::SetActive;
    using TKdCustomGlobalWinController::Control;
    using TKdCustomGlobalWinController::SetControl;
    using TKdCustomGlobalWinController::Excepting;
    using TKdCustomGlobalWinController::SetExcepting;
    using TKdCustomGlobalWinController::ExceptInside;
    using TKdCustomGlobalWinController::SetExceptInside;
    using TKdCustomGlobalWinController::OnWndProc;
    using TKdCustomGlobalWinController::Priority;
    using TKdCustomGlobalWinController::SetPriority;
    using TKdCustomGlobalWinController::Targets;
    using TKdCustomGlobalWinController::SetTargets;

    // The frame of a control that is not hot.
    TKdEditPainter* Frame() const { return frame_.get(); }
    // The frame of an enabled control that has the focus or the mouse.
    TKdEditPainter* FrameHotTrack() const { return frameHotTrack_.get(); }

    // The lists a new flat style starts with.
    static const std::vector<std::wstring>& DefaultTargets();
    static const std::vector<std::wstring>& DefaultExceptions();

protected:
    // Windowed targets only, starting with their state now.
    bool ShouldHook(TControl* control, int32_t& state) override;
    void ControlWndProc(TKdWPM* manager, TMessage& msg, int32_t& state, TWndMethod next) override;
    // A control that gains or loses its frame has its border drawn anew.
    void ControlHooked(TControl* control) override;
    void ControlUnhooked(TControl* control) override;

private:
    // Draws the frame that state calls for over the whole window of control.
    void PaintFrame(TWinControl& control, int32_t state) const;
    // Has control's border drawn anew, by the control and then by the style.
    static void RedrawBorder(TControl* control);

    std::unique_ptr<TKdEditPainter> frame_;
    std::unique_ptr<TKdEditPainter> frameHotTrack_;
};
