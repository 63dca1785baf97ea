#pragma once
// Combo boxes (the system's COMBOBOX class). OnChange is raised only by the user
// (typing, or picking an item); setting Text, ItemIndex or Items from code never
// raises it. Keys typed into the edit part reach OnKeyDown/OnKeyPress/OnKeyUp.
#include <memory>
#include <vector>

#include "framework/Controls.h"
#include "framework/Strings.h"

enum TComboBoxStyle { csDropDown, csSimple, csDropDownList };

class TCustomListControl : public TWinControl {
    CLASS_INFO(TCustomListControl, TWinControl)

public:
    using TWinControl::TWinControl;
};

class TCustomCombo : public TCustomListControl {
    CLASS_INFO(TCustomCombo, TCustomListControl)

public:
    explicit TCustomCombo(TComponent* owner);
    ~TCustomCombo() override;

    TStrings* Items() const;
    // The selected item, -1 for none.
    int ItemIndex() const;
    void SetItemIndex(int index);
    // Lines the drop-down list shows without scrolling.
    bool DroppedDown() const;
    void SetDroppedDown(bool on);

    bool Focused() const override;

    TNotifyEvent OnChange;
    TNotifyEvent OnDropDown;
    TNotifyEvent OnCloseUp;

protected:
    friend class TComboStrings;

    void InitializeWindow() override;
    void SaveWindowState() override;
    void SetTextInternal(std::wstring_view text) override;
    void BoundsChanged(const RECT& oldBounds) override;
    void WndProc(TMessage& msg) override;
    LRESULT InnerWindowProc(HWND inner, UINT msg, WPARAM wParam, LPARAM lParam) override;
    virtual void Change();
    int DropHeight() const;

    // Counts changes made from code, during which the window's notices are not the user's.
    int codeChanges_ = 0;
    struct TCodeChange {
        explicit TCodeChange(TCustomCombo& c) : combo(c) { ++combo.codeChanges_; }
        ~TCodeChange() { --combo.codeChanges_; }
        TCustomCombo& combo;
    };

private:
    std::unique_ptr<TStrings> items_;
    std::vector<std::wstring> stored_;  // the items, also while there is no window
    int itemIndex_ = -1;
    int dropDownCount_ = 8;
    int editKeys_ = 0;  // key messages of the edit part being handled
    // Enter typed into the edit part is offered to the box's WindowProc first;
    // set while it is, and whether it came through to the box's own handling.
    bool offeringEnter_ = false;
    bool enterReachedBox_ = false;
};

class TCustomComboBox : public TCustomCombo {
    CLASS_INFO(TCustomComboBox, TCustomCombo)

public:
    explicit TCustomComboBox(TComponent* owner);

    TComboBoxStyle Style() const { return style_; }
    void SetStyle(TComboBoxStyle style);

protected:
    void CreateParams(TCreateParams& params) override;

private:
    TComboBoxStyle style_ = csDropDown;
};

class TComboBox : public TCustomComboBox {
    CLASS_INFO(TComboBox, TCustomComboBox)

public:
    using TCustomComboBox::TCustomComboBox;
};
