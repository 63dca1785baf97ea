#include "framework/SpeedButton.h"

#include <utility>

#include "framework/DpiScale.h"
#include "framework/Handles.h"

namespace {

// A one-pixel edge (BDR_...) drawn `width` times, each inside the last: the edge
// `width` pixels thick. r comes back inside it.
void DrawThickEdge(HDC dc, RECT& r, UINT edge, UINT flags, int width)
{
    for (int i = 0; i < width; ++i)
        DrawEdge(dc, &r, edge, flags | BF_RECT | BF_ADJUST);
}

}  // namespace

TSpeedButton::TSpeedButton(TComponent* owner) : TGraphicControl(owner), glyph_(std::make_unique<TBitmap>())
{
    glyph_->SetTransparent(true);
    glyph_->OnChange = TNotifyEvent(this, &TSpeedButton::GlyphChanged);
    // Clicks are decided by the button itself on the release.
    SetControlStyle(csCaptureMouse | csDoubleClicks);
    SetBounds(0, 0, 23, 22);
}

void TSpeedButton::SetDown(bool down)
{
    if (groupIndex_ == 0)
        down = false;
    if (down == down_)
        return;
    if (down_ && !allowAllUp_)
        return;
    down_ = down;
    if (down) {
        FState = bsExclusive;
        UpdateExclusive();
    } else {
        FState = bsUp;
    }
    Invalidate();
}

void TSpeedButton::SetGroupIndex(unsigned index)
{
    if (index == groupIndex_)
        return;
    groupIndex_ = index;
    UpdateExclusive();
}

void TSpeedButton::SetAllowAllUp(bool on)
{
    if (on == allowAllUp_)
        return;
    allowAllUp_ = on;
    UpdateExclusive();
}

TSpeedButton::~TSpeedButton() { Destroying(); }

void TSpeedButton::GlyphChanged(TObject*) { Invalidate(); }

void TSpeedButton::SetFlat(bool on)
{
    if (on == flat_)
        return;
    flat_ = on;
    Invalidate();
}

void TSpeedButton::SetTransparent(bool on)
{
    if (on == transparent_)
        return;
    transparent_ = on;
    Invalidate();
}

void TSpeedButton::UpdateExclusive()
{
    // The other buttons of the group go up and share AllowAllUp.
    TWinControl* parent = Parent();
    if (groupIndex_ == 0 || !parent)
        return;
    for (int i = 0; i < parent->ControlCount(); ++i) {
        auto* other = dynamic_cast<TSpeedButton*>(parent->Controls(i));
        if (!other || other == this || other->groupIndex_ != groupIndex_)
            continue;
        if (down_ && other->down_) {
            other->down_ = false;
            other->FState = bsUp;
            other->Invalidate();
        }
        other->allowAllUp_ = allowAllUp_;
    }
}

void TSpeedButton::Click() { TGraphicControl::Click(); }

void TSpeedButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    TGraphicControl::MouseDown(button, shift, x, y);
    if (button != mbLeft || !Enabled())
        return;
    if (!down_) {
        FState = bsDown;
        Invalidate();
    }
    dragging_ = true;
}

void TSpeedButton::MouseMove(TShiftState shift, int x, int y)
{
    TGraphicControl::MouseMove(shift, x, y);
    if (!dragging_)
        return;
    RECT r = ClientRect();
    POINT p{x, y};
    TButtonState state = down_ ? bsExclusive : bsUp;
    if (PtInRect(&r, p))
        state = down_ ? bsExclusive : bsDown;
    if (state != FState) {
        FState = state;
        Invalidate();
    }
}

void TSpeedButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    TGraphicControl::MouseUp(button, shift, x, y);
    if (!dragging_ || button != mbLeft)
        return;
    dragging_ = false;
    RECT r = ClientRect();
    POINT p{x, y};
    const bool click = PtInRect(&r, p) != FALSE;
    if (groupIndex_ == 0) {
        FState = bsUp;
        FMouseInControl = FMouseInControl && click;
        Invalidate();
    } else if (click) {
        SetDown(!down_);
        if (down_)
            FState = bsExclusive;
        Invalidate();
    } else {
        FState = down_ ? bsExclusive : bsUp;
        Invalidate();
    }
    if (click)
        Click();
}

void TSpeedButton::WndProc(TMessage& m)
{
    switch (m.Msg) {
    case CM_MOUSEENTER:
        if (m.LParam == 0 && !FMouseInControl && Enabled()) {
            FMouseInControl = true;
            if (flat_)
                Invalidate();
        }
        break;
    case CM_MOUSELEAVE:
        if (m.LParam == 0 && FMouseInControl) {
            FMouseInControl = false;
            if (flat_)
                Invalidate();
        }
        break;
    case CM_ENABLEDCHANGED:
        if (!Enabled())
            FMouseInControl = false;
        Invalidate();
        break;
    default:
        break;
    }
    TGraphicControl::WndProc(m);
}

void TSpeedButton::Paint()
{
    if (!Enabled()) {
        FState = bsDisabled;
        dragging_ = false;
    } else if (FState == bsDisabled) {
        FState = (down_ && groupIndex_ != 0) ? bsExclusive : bsUp;
    }
    TCanvas& c = *Canvas();
    HDC dc = c.Handle();
    RECT r = ClientRect();
    const bool pressed = FState == bsDown || FState == bsExclusive;
    // Frames are one pixel per 96-DPI pixel at the button's DPI.
    const int line = LineWidthForDpi(CurrentDpi());
    if (flat_) {
        if (!transparent_) {
            c.Brush()->SetStyle(bsSolid);
            c.Brush()->SetColor(FState == bsExclusive ? clBtnHighlight : Color());
            c.FillRect(r);
        }
        if (pressed)
            DrawThickEdge(dc, r, BDR_SUNKENOUTER, 0, line);
        else if (FMouseInControl && FState != bsDisabled)
            DrawThickEdge(dc, r, BDR_RAISEDINNER, 0, line);
    } else {
        UINT state = DFCS_BUTTONPUSH | DFCS_ADJUSTRECT;
        if (pressed)
            state |= DFCS_PUSHED;
        if (FState == bsExclusive)
            state |= DFCS_CHECKED;
        if (FState == bsDisabled)
            state |= DFCS_INACTIVE;
        DrawFrameControl(dc, &r, DFC_BUTTON, state);
        // The system's two rings are one pixel each; thicker ones go over them.
        if (line > 1) {
            RECT ring = ClientRect();
            const bool sunken = (state & (DFCS_PUSHED | DFCS_CHECKED)) != 0;
            DrawThickEdge(dc, ring, sunken ? BDR_SUNKENOUTER : BDR_RAISEDOUTER, BF_SOFT, line);
            DrawThickEdge(dc, ring, sunken ? BDR_SUNKENINNER : BDR_RAISEDINNER, BF_SOFT, line);
        }
    }
    PaintContent(pressed);
}

void TSpeedButton::PaintContent(bool pressed)
{
    TCanvas& c = *Canvas();
    const std::wstring caption = Text();
    const bool glyph = !glyph_->Empty();
    if (caption.empty() && !glyph)
        return;
    HDC dc = c.Handle();
    TSelectGuard font(dc, Font()->Handle());
    SIZE text{0, 0};
    if (!caption.empty())
        GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &text);
    const int glyphWidth = glyph ? glyph_->Width() : 0;
    const int gap = glyph && !caption.empty() ? spacing_ : 0;
    const int offset = pressed ? 1 : 0;
    int x = (Width() - (glyphWidth + gap + text.cx)) / 2 + offset;
    if (glyph) {
        PaintGlyph(x, (Height() - glyph_->Height()) / 2 + offset);
        x += glyphWidth + gap;
    }
    if (caption.empty())
        return;
    RECT box{x, offset, x + text.cx, Height() + offset};
    SetBkMode(dc, TRANSPARENT);
    const UINT flags = DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP;
    if (FState == bsDisabled) {
        RECT shifted = box;
        OffsetRect(&shifted, 1, 1);
        SetTextColor(dc, ColorToRGB(clBtnHighlight));
        DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &shifted, flags);
        SetTextColor(dc, ColorToRGB(clBtnShadow));
    } else {
        SetTextColor(dc, ColorToRGB(Font()->Color()));
    }
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &box, flags);
}

// A disabled glyph is its shape embossed: the picture's pixels in the highlight
// colour one pixel down and right, then in the shadow colour.
void TSpeedButton::PaintGlyph(int x, int y)
{
    TCanvas& c = *Canvas();
    if (FState != bsDisabled) {
        c.Draw(x, y, *glyph_);
        return;
    }
    const int w = glyph_->Width();
    const int h = glyph_->Height();
    const uint32_t background = glyph_->ScanLine(h - 1)[0];
    for (const auto& [shift, color] : {std::pair{1, clBtnHighlight}, std::pair{0, clBtnShadow}}) {
        // DIB pixels are 0x00RRGGBB; the key is any value other than the colour.
        const COLORREF rgb = ColorToRGB(color);
        const uint32_t ink = (GetRValue(rgb) << 16) | (GetGValue(rgb) << 8) | GetBValue(rgb);
        const uint32_t key = ink == 0 ? 0x00FFFFFF : 0;
        TBitmap tinted;
        tinted.SetSize(w, h);
        tinted.SetTransparent(true);
        tinted.SetTransparentColor(RGB(key >> 16, (key >> 8) & 0xFF, key & 0xFF));
        for (int row = 0; row < h; ++row) {
            const uint32_t* from = glyph_->ScanLine(row);
            uint32_t* to = tinted.ScanLine(row);
            for (int col = 0; col < w; ++col)
                to[col] = from[col] == background ? key : ink;
        }
        c.Draw(x + shift, y + shift, tinted);
    }
}
