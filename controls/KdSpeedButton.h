#pragma once
// The hot-tracking speed button: the class library's speed button that tracks
// for itself whether the mouse is over it (OnMouseEnter, OnMouseLeave), can be
// made to look hot for good (Highlighted, HighlightedXP), has three bright looks
// beside the standard one, and lets its form take over painting (OnPaint) or
// message handling (OnWndProc).
#include "controls/KdWinController.h"
#include "framework/SpeedButton.h"

enum TKdSpeedButtonStyle { KdsbStandard, KdsbBright, KdsbBrightFrame1, KdsbBrightFrame2 };

class TKdSpeedButton;

// A method without parameters (the button's own painting, for OnPaint).
using TKdProcedure = TMethod<void()>;
// sender, the button's own painting, the state and the hot flag it paints with
// (both may be changed for this paint), and whether the mouse is really over it.
using TKdSpeedButtonPaintEvent = TMethod<void(TKdSpeedButton* sender, TKdProcedure defaultPaint,
                                              TButtonState& state, bool& mouseInControl,
                                              bool mouseReallyInControl)>;

class TKdSpeedButton : public TSpeedButton {
    CLASS_INFO(TKdSpeedButton, TSpeedButton)

public:
    explicit TKdSpeedButton(TComponent* owner);

    // Look hot while the visual-styles theme is off (Highlighted) or on (HighlightedXP).
    bool Highlighted() const { return highlighted_; }
    void SetHighlighted(bool on);
    bool HighlightedXP() const { return highlightedXP_; }
    void SetHighlightedXP(bool on);
    // Setting it always repaints.
    TKdSpeedButtonStyle Style() const { return style_; }
    void SetStyle(TKdSpeedButtonStyle style);
    // Whether the mouse is over the button, as the button itself tracks it.
    bool MouseReallyInControl() const { return mouseReallyInControl_; }

    // Ignored while the button paints (the paint switches Flat and Transparent).
    void Invalidate() override;
    void Repaint() override;

    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;
    TKdSpeedButtonPaintEvent OnPaint;
    // Sees every message first; what it leaves unhandled the button handles.
    TKdWndProcEvent OnWndProc;

protected:
    void WndProc(TMessage& msg) override;
    void Paint() override;

private:
    // The button's message handling without OnWndProc.
    void BaseWndProc(TMessage& msg);
    void MouseEntered();
    void MouseLeft();
    // The button's own painting: the base look, or a bright look around it.
    void DefaultPaint();
    void PaintBright();

    bool highlighted_ = false;
    bool highlightedXP_ = false;
    bool mouseReallyInControl_ = false;
    TKdSpeedButtonStyle style_ = KdsbStandard;
    bool painting_ = false;
};
