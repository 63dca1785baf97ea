#pragma once
// Edit boxes and memos (the system's EDIT class). A memo's Lines are the lines of
// its text, read from and written to the window.
#include <memory>
#include <vector>

#include "framework/Controls.h"
#include "framework/Strings.h"

class TCustomEdit : public TWinControl {
    CLASS_INFO(TCustomEdit, TWinControl)

public:
    explicit TCustomEdit(TComponent* owner);

    void SetReadOnly(bool on);

    // Raised whenever the text changes, by the user or by code.
    TNotifyEvent OnChange;

protected:
    void CreateParams(TCreateParams& params) override;
    void InitializeWindow() override;
    void WndProc(TMessage& msg) override;
    virtual void Change();

private:
    bool readOnly_ = false;
};

class TEdit : public TCustomEdit {
    CLASS_INFO(TEdit, TCustomEdit)

public:
    using TCustomEdit::TCustomEdit;
};

enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

class TCustomMemo : public TCustomEdit {
    CLASS_INFO(TCustomMemo, TCustomEdit)

public:
    explicit TCustomMemo(TComponent* owner);
    ~TCustomMemo() override;

    TStrings* Lines() const;
    void SetScrollBars(TScrollStyle s);
    void SetWordWrap(bool on);
    // Whether Tab types a tab instead of moving the focus.
    bool WantTabs() const { return wantTabs_; }

protected:
    void CreateParams(TCreateParams& params) override;

private:
    class TMemoStrings;
    std::unique_ptr<TMemoStrings> lines_;
    TScrollStyle scrollBars_ = ssNone;
    bool wordWrap_ = true;
    bool wantTabs_ = false;
};

class TMemo : public TCustomMemo {
    CLASS_INFO(TMemo, TCustomMemo)

public:
    using TCustomMemo::TCustomMemo;
};
