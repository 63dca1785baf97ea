#pragma once
// Panels with bevels, and images: a bitmap that the program draws on.
#include <memory>

#include "framework/Controls.h"

enum TPanelBevel { bvNone, bvLowered, bvRaised, bvSpace };

class TCustomPanel : public TCustomControl {
    CLASS_INFO(TCustomPanel, TCustomControl)

public:
    explicit TCustomPanel(TComponent* owner);

    void SetBevelOuter(TPanelBevel b);
    void SetBevelInner(TPanelBevel b);

protected:
    void Paint() override;
    void TextChanged() override { Invalidate(); }

private:
    TPanelBevel bevelOuter_ = bvRaised;
    TPanelBevel bevelInner_ = bvNone;
    int bevelWidth_ = 1;
};

class TPanel : public TCustomPanel {
    CLASS_INFO(TPanel, TCustomPanel)

public:
    using TCustomPanel::TCustomPanel;
};

// Draws `width` frame lines inside r (top-left in one colour, bottom-right in the
// other) and shrinks r by them.
void Frame3D(HDC dc, RECT& r, TColor topLeft, TColor bottomRight, int width);

class TImage : public TGraphicControl {
    CLASS_INFO(TImage, TGraphicControl)

public:
    explicit TImage(TComponent* owner);
    ~TImage() override;

    // The picture shown at the top-left corner.
    TBitmap* Picture() const { return picture_.get(); }
    // The picture's canvas; an empty picture first takes the image's size. Asking
    // for it schedules a repaint, so what is drawn on it appears.
    TCanvas* Canvas();

protected:
    void Paint() override;

private:
    void PictureChanged(TObject*);

    std::unique_ptr<TBitmap> picture_;
};
