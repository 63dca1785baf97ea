#pragma once
// The edit frame painter: a frame of two rings in one of four looks drawn from four
// colours over the border of an edit-like control, each ring one pixel per 96-DPI
// pixel at the DPI it is painted for, meant for the classic look
// (idle while the visual-styles theme is on unless told otherwise). Also the
// colour routines it shares with the hot-tracking speed button: blends with
// system colours resolved, and gradient lines.
#include <windows.h>

#include <array>

#include "framework/Component.h"
#include "framework/DpiScale.h"
#include "framework/Graphics.h"
#include "framework/Persistent.h"

enum TKdEditPaintStyle { KdepsFlat, KdepsRelief, KdepsCurves, KdepsBright };

// The blend of a and b, weight 0..256 for a (256 gives a); a system colour is
// taken as the system's current RGB value.
TColor KdBlend(TColor a, TColor b, unsigned weight);
// The blend of a and b in the ratio p : q.
TColor KdRatioBlend(TColor a, TColor b, unsigned p, unsigned q);
// One vertical line per column of r, from a in the first column to b in the
// last; the pen colour is put back afterwards.
void KdHorzGradient(TCanvas& canvas, const RECT& r, TColor a, TColor b);
// One horizontal line per row of r, from a in the first row to b in the last.
void KdVertGradient(TCanvas& canvas, const RECT& r, TColor a, TColor b);

class TKdEditPainter : public TPersistent {
    CLASS_INFO(TKdEditPainter, TPersistent)

public:
    // Flat look with its colours, enabled, idle while the theme is on.
    TKdEditPainter();

    // Setting another look loads its four default colours.
    TKdEditPaintStyle PaintStyle() const { return paintStyle_; }
    void SetPaintStyle(TKdEditPaintStyle style);
    // Colour index 0..3 stands for Color1..Color4.
    TColor Color(int index) const;
    void SetColor(int index, TColor color);
    TColor Color1() const { return colors_[0]; }
    TColor Color2() const { return colors_[1]; }
    TColor Color3() const { return colors_[2]; }
    TColor Color4() const { return colors_[3]; }
    void SetColor1(TColor c) { SetColor(0, c); }
    void SetColor2(TColor c) { SetColor(1, c); }
    // Setting a look or a colour switches a disabled painter on.
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool on);
    // Draws also while the visual-styles theme is on.
    bool EnabledOnXP() const { return enabledOnXP_; }
    void SetEnabledOnXP(bool on);

    // Whether Paint draws now.
    bool IsActive() const;
    // Draws the frame into r (right and bottom exclusive) when active, each ring
    // LineWidthForDpi(dpi) pixels wide.
    void Paint(TCanvas& canvas, const RECT& r, int dpi = kDesignDpi) const;

    // Raised when a setting that changes the drawing changes.
    TNotifyEvent OnChange;

    // The default colours of a look (Color1..Color4).
    static std::array<TColor, 4> DefaultColors(TKdEditPaintStyle style);

protected:
    // Copies every setting and OnChange into another painter, raising nothing.
    void AssignTo(TPersistent* dest) const override;

private:
    void Changed();
    // Each with rings `width` pixels wide.
    void PaintRings(TCanvas& canvas, const RECT& r, int width) const;
    void PaintCurves(TCanvas& canvas, const RECT& r, int width) const;
    void PaintBright(TCanvas& canvas, const RECT& r, int width) const;

    TKdEditPaintStyle paintStyle_ = KdepsFlat;
    std::array<TColor, 4> colors_{};
    bool enabled_ = true;
    bool enabledOnXP_ = false;
};
