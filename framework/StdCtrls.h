#pragma once
// Standard controls: push buttons, check boxes, radio buttons (the system's
// BUTTON class), group boxes and labels.
#include "framework/Controls.h"

// A control of the system's BUTTON class.
class TButtonControl : public TWinControl {
    CLASS_INFO(TButtonControl, TWinControl)

public:
    explicit TButtonControl(TComponent* owner);

protected:
    void CreateParams(TCreateParams& params) override;
};

class TButton : public TButtonControl {
    CLASS_INFO(TButton, TButtonControl)

public:
    explicit TButton(TComponent* owner);

protected:
    void CreateParams(TCreateParams& params) override;
    void WndProc(TMessage& msg) override;
};

enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };

class TCustomCheckBox : public TButtonControl {
    CLASS_INFO(TCustomCheckBox, TButtonControl)

public:
    explicit TCustomCheckBox(TComponent* owner);

    bool Checked() const { return state_ == cbChecked; }
    void SetChecked(bool checked) { SetState(checked ? cbChecked : cbUnchecked); }
    // A change raises OnClick (also from code, but not while loading).
    TCheckBoxState State() const { return state_; }
    void SetState(TCheckBoxState state);

protected:
    void CreateParams(TCreateParams& params) override;
    void InitializeWindow() override;
    void WndProc(TMessage& msg) override;
    // The user's click: the next state.
    virtual void Toggle();

private:
    TCheckBoxState state_ = cbUnchecked;
};

class TCheckBox : public TCustomCheckBox {
    CLASS_INFO(TCheckBox, TCustomCheckBox)

public:
    using TCustomCheckBox::TCustomCheckBox;
};

// Radio buttons with one parent form a group: checking one unchecks the others.
class TRadioButton : public TButtonControl {
    CLASS_INFO(TRadioButton, TButtonControl)

public:
    explicit TRadioButton(TComponent* owner);

    bool Checked() const { return checked_; }
    // Becoming checked raises OnClick (also from code, but not while loading).
    void SetChecked(bool checked);

protected:
    void CreateParams(TCreateParams& params) override;
    void InitializeWindow() override;
    void WndProc(TMessage& msg) override;

private:
    bool checked_ = false;
};

// A frame with a caption around a group of controls; paints itself and erases
// its background, so it also works inside windows that clip their children.
class TCustomGroupBox : public TCustomControl {
    CLASS_INFO(TCustomGroupBox, TCustomControl)

public:
    explicit TCustomGroupBox(TComponent* owner);

protected:
    void Paint() override;
    void TextChanged() override { Invalidate(); }
};

class TGroupBox : public TCustomGroupBox {
    CLASS_INFO(TGroupBox, TCustomGroupBox)

public:
    using TCustomGroupBox::TCustomGroupBox;
};

class TCustomLabel : public TGraphicControl {
    CLASS_INFO(TCustomLabel, TGraphicControl)

public:
    explicit TCustomLabel(TComponent* owner);

    // Transparent: the parent shows between the letters; opaque fills in Color.
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool on);
    void SetWordWrap(bool on);

protected:
    void Paint() override;
    void AdjustSize() override;
    void TextChanged() override;

private:
    UINT TextFlags() const;

    bool transparent_ = false;
    bool wordWrap_ = false;
};

class TLabel : public TCustomLabel {
    CLASS_INFO(TLabel, TCustomLabel)

public:
    using TCustomLabel::TCustomLabel;
};
