#include "framework/StdCtrls.h"

#include "framework/Handles.h"
#include "framework/OSError.h"

TButtonControl::TButtonControl(TComponent* owner) : TWinControl(owner)
{
    // The BUTTON class tracks its own presses and clicks.
    SetControlStyle(csSetCaption | csDoubleClicks);
    SetTabStop(true);
}

void TButtonControl::CreateParams(TCreateParams& p)
{
    TWinControl::CreateParams(p);
    p.SetWinClassName(L"BUTTON");
    p.SystemClass = true;
}

TButton::TButton(TComponent* owner) : TButtonControl(owner) { SetBounds(0, 0, 75, 25); }

void TButton::CreateParams(TCreateParams& p)
{
    TButtonControl::CreateParams(p);
    p.Style |= BS_PUSHBUTTON;
}

void TButton::WndProc(TMessage& m)
{
    if (m.Msg == CN_COMMAND && HIWORD(m.WParam) == BN_CLICKED) {
        Click();
        return;
    }
    TButtonControl::WndProc(m);
}

TCustomCheckBox::TCustomCheckBox(TComponent* owner) : TButtonControl(owner) { SetBounds(0, 0, 97, 17); }

void TCustomCheckBox::CreateParams(TCreateParams& p)
{
    TButtonControl::CreateParams(p);
    // Not the automatic kind: the object keeps the state and the window follows it.
    p.Style |= BS_3STATE;
}

void TCustomCheckBox::InitializeWindow()
{
    SendMessageW(Handle(), BM_SETCHECK, static_cast<WPARAM>(state_), 0);
}

void TCustomCheckBox::SetState(TCheckBoxState state)
{
    if (state == state_)
        return;
    state_ = state;
    if (HandleAllocated())
        SendMessageW(Handle(), BM_SETCHECK, static_cast<WPARAM>(state_), 0);
    if (!InState(csLoading))
        Click();
}

void TCustomCheckBox::Toggle()
{
    switch (state_) {
    case cbUnchecked:
        SetState(cbChecked);
        break;
    case cbChecked:
        SetState(cbUnchecked);
        break;
    case cbGrayed:
        SetState(cbChecked);
        break;
    }
}

void TCustomCheckBox::WndProc(TMessage& m)
{
    if (m.Msg == CN_COMMAND && HIWORD(m.WParam) == BN_CLICKED) {
        Toggle();
        return;
    }
    TButtonControl::WndProc(m);
}

TRadioButton::TRadioButton(TComponent* owner) : TButtonControl(owner)
{
    SetBounds(0, 0, 113, 17);
    SetTabStop(false);
}

void TRadioButton::CreateParams(TCreateParams& p)
{
    TButtonControl::CreateParams(p);
    p.Style |= BS_RADIOBUTTON;
}

void TRadioButton::InitializeWindow()
{
    SendMessageW(Handle(), BM_SETCHECK, checked_ ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TRadioButton::SetChecked(bool checked)
{
    if (checked == checked_)
        return;
    checked_ = checked;
    SetTabStop(checked);
    if (HandleAllocated())
        SendMessageW(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    if (!checked)
        return;
    if (TWinControl* parent = Parent())
        for (int i = 0; i < parent->ControlCount(); ++i)
            if (auto* other = dynamic_cast<TRadioButton*>(parent->Controls(i)); other && other != this)
                other->SetChecked(false);
    if (!InState(csLoading))
        Click();
}

void TRadioButton::WndProc(TMessage& m)
{
    if (m.Msg == CN_COMMAND && HIWORD(m.WParam) == BN_CLICKED) {
        SetChecked(true);
        return;
    }
    TButtonControl::WndProc(m);
}

TCustomGroupBox::TCustomGroupBox(TComponent* owner) : TCustomControl(owner)
{
    SetControlStyle(csAcceptsControls | csCaptureMouse | csClickEvents | csSetCaption | csDoubleClicks);
    SetBounds(0, 0, 185, 105);
}

void TCustomGroupBox::Paint()
{
    TCanvas& c = *Canvas();
    HDC dc = c.Handle();
    const std::wstring caption = Text();
    const int textHeight = c.TextHeight(L"0");
    RECT frame{0, textHeight / 2 - 1, Width(), Height()};
    DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
    if (caption.empty())
        return;
    RECT text{8, 0, 8, textHeight};
    c.Brush()->SetColor(Color());
    HFONT font = c.Font()->Handle();
    TSelectGuard select(dc, font);
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text, DT_CALCRECT | DT_SINGLELINE);
    text.left -= 1;
    text.right += 1;
    FillRect(dc, &text, Canvas()->Brush()->Handle());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorToRGB(Enabled() ? Font()->Color() : clGrayText));
    text.left += 1;
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text, DT_SINGLELINE);
}

TCustomLabel::TCustomLabel(TComponent* owner) : TGraphicControl(owner)
{
    SetControlStyle(ControlStyle() | csOpaque);
    SetBounds(0, 0, 65, 17);
    SetAutoSize(true);
}

void TCustomLabel::SetTransparent(bool on)
{
    if (on == transparent_)
        return;
    transparent_ = on;
    SetControlStyle(on ? ControlStyle() & ~csOpaque : ControlStyle() | csOpaque);
    Invalidate();
}

void TCustomLabel::SetWordWrap(bool on)
{
    if (on == wordWrap_)
        return;
    wordWrap_ = on;
    AdjustSize();
    Invalidate();
}

UINT TCustomLabel::TextFlags() const
{
    return DT_EXPANDTABS | (wordWrap_ ? DT_WORDBREAK : DT_SINGLELINE);
}

void TCustomLabel::TextChanged()
{
    AdjustSize();
    Invalidate();
}

void TCustomLabel::AdjustSize()
{
    if (!AutoSize() || InState(csLoading))
        return;
    std::wstring text = Text();
    HDC screen = GetDC(nullptr);
    if (!screen)
        RaiseLastOSError();
    RECT r{0, 0, wordWrap_ ? Width() : 0, 0};
    {
        TSelectGuard select(screen, Font()->Handle());
        if (text.empty())
            text = L" ";
        DrawTextW(screen, text.c_str(), static_cast<int>(text.size()), &r, TextFlags() | DT_CALCRECT);
    }
    ReleaseDC(nullptr, screen);
    int w = r.right - r.left, h = r.bottom - r.top;
    SetBounds(Left(), Top(), w, h);
}

void TCustomLabel::Paint()
{
    TCanvas& c = *Canvas();
    HDC dc = c.Handle();
    RECT r = ClientRect();
    if (!transparent_) {
        c.Brush()->SetColor(Color());
        c.Brush()->SetStyle(bsSolid);
        c.FillRect(r);
    }
    std::wstring text = Text();
    TSelectGuard select(dc, Font()->Handle());
    SetBkMode(dc, TRANSPARENT);
    if (Enabled()) {
        SetTextColor(dc, ColorToRGB(Font()->Color()));
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, TextFlags());
    } else {
        // Engraved: a light copy one pixel down-right under a shadow copy.
        RECT shifted = r;
        OffsetRect(&shifted, 1, 1);
        SetTextColor(dc, ColorToRGB(clBtnHighlight));
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &shifted, TextFlags());
        SetTextColor(dc, ColorToRGB(clBtnShadow));
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, TextFlags());
    }
}
