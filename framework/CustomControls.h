#pragma once
// Controls that paint themselves on a canvas: TCustomControl (a window of its
// own class) and TGraphicControl (no window: painted and fed mouse messages by
// its parent, in z-order).
#include <memory>

#include "framework/WinControl.h"

// A windowed control that paints itself on a canvas (own window class).
class TCustomControl : public TWinControl {
    CLASS_INFO(TCustomControl, TWinControl)

public:
    explicit TCustomControl(TComponent* owner);
    ~TCustomControl() override;

    // Draws on the window while Paint runs.
    TCanvas* Canvas() const { return canvas_.get(); }

protected:
    virtual void Paint() {}
    void PaintHandler(TMessage& msg) override;
    void WndProc(TMessage& msg) override;

private:
    std::unique_ptr<TCanvas> canvas_;
};

// A control without a window, painted by its parent.
class TGraphicControl : public TControl {
    CLASS_INFO(TGraphicControl, TControl)

public:
    explicit TGraphicControl(TComponent* owner);
    ~TGraphicControl() override;

    // Draws on the parent's device context while Paint runs.
    TCanvas* Canvas() const { return canvas_.get(); }

protected:
    virtual void Paint() {}
    void WndProc(TMessage& msg) override;

private:
    std::unique_ptr<TCanvas> canvas_;
};
