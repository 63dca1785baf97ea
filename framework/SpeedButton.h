#pragma once
// Speed buttons: windowless push or toggle buttons drawn on their parent, with
// an optional glyph left of the caption. Buttons with one GroupIndex (not 0)
// under one parent are down one at a time.
#include <memory>

#include "framework/Controls.h"

enum TButtonState { bsUp, bsDisabled, bsDown, bsExclusive };

class TSpeedButton : public TGraphicControl {
    CLASS_INFO(TSpeedButton, TGraphicControl)

public:
    explicit TSpeedButton(TComponent* owner);
    ~TSpeedButton() override;

    // Stays down (only with a GroupIndex); setting it raises no click.
    bool Down() const { return down_; }
    void SetDown(bool down);
    unsigned GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(unsigned index);
    // Whether every button of the group may be up at once (a down button then
    // comes up on a click).
    bool AllowAllUp() const { return allowAllUp_; }
    void SetAllowAllUp(bool on);
    // Flat: no frame until the mouse is over the button.
    bool Flat() const { return flat_; }
    void SetFlat(bool on);
    // Transparent (flat buttons only): the parent shows through the face, also
    // while the button is down.
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool on);
    // The picture left of the caption; the colour of its bottom-left pixel is
    // left out. A disabled button shows it greyed.
    TBitmap* Glyph() const { return glyph_.get(); }

    void Click() override;

protected:
    void Paint() override;
    void WndProc(TMessage& msg) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void TextChanged() override { Invalidate(); }

    // The look the next paint uses, and whether the mouse is over the button.
    TButtonState FState = bsUp;
    bool FMouseInControl = false;

private:
    void UpdateExclusive();
    void GlyphChanged(TObject*);
    // Draws the glyph and the caption centred in the button, moved by one pixel
    // while pressed.
    void PaintContent(bool pressed);
    void PaintGlyph(int x, int y);

    bool down_ = false;
    unsigned groupIndex_ = 0;
    bool allowAllUp_ = false;
    bool flat_ = false;
    bool transparent_ = true;
    bool dragging_ = false;
    int spacing_ = 4;
    std::unique_ptr<TBitmap> glyph_;
};
