#pragma once
// Edit boxes and memos (the system's EDIT class). A memo's Lines are the lines of
// its text, read from and written to the window.
#include <memory>
#include <vector>

#include "framework/Controls.h"
#include "framework/Strings.h"

class TCustomEdit : public TWinControl {
    KD_CLASS(TCustomEdit, TWinControl)

public:
    explicit TCustomEdit(TComponent* owner);

    // The most characters the user may type (0: the system's limit).
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int n);
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool on);
    void SelectAll();
    int SelStart() const;
    int SelLength() const;
    void SetSelection(int start, int length);

    // Raised whenever the text changes, by the user or by code.
    TNotifyEvent OnChange;

protected:
    void CreateParams(TCreateParams& params) override;
    void InitializeWindow() override;
    void WndProc(TMessage& msg) override;
    virtual void Change();

private:
    int maxLength_ = 0;
    bool readOnly_ = false;
};

class TEdit : public TCustomEdit {
    KD_CLASS(TEdit, TCustomEdit)

public:
    using TCustomEdit::TCustomEdit;
};

enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

class TCustomMemo : public TCustomEdit {
    KD_CLASS(TCustomMemo, TCustomEdit)

public:
    explicit TCustomMemo(TComponent* owner);
    ~TCustomMemo() override;

    TStrings* Lines() const;
    TScrollStyle ScrollBars() const { return scrollBars_; }
    void SetScrollBars(TScrollStyle s);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool on);
    // Whether Tab types a tab instead of moving the focus.
    bool WantTabs() const { return wantTabs_; }
    void SetWantTabs(bool on) { wantTabs_ = on; }

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
    KD_CLASS(TMemo, TCustomMemo)

public:
    using TCustomMemo::TCustomMemo;
};
