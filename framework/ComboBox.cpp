#include "framework/ComboBox.h"

#include <algorithm>

#include "framework/Exceptions.h"
#include "framework/OSError.h"
#include "framework/ScopeGuards.h"

// The items of a combo box: kept in the object and mirrored into the window.
class TComboStrings : public TStrings {
public:
    explicit TComboStrings(TCustomCombo& combo) : combo_(combo) {}

    int Count() const override { return static_cast<int>(combo_.stored_.size()); }

    std::wstring Get(int index) const override
    {
        if (index < 0 || index >= Count())
            IndexError(index);
        return combo_.stored_[static_cast<size_t>(index)];
    }

    void Insert(int index, const std::wstring& s) override
    {
        if (index < 0 || index > Count())
            IndexError(index);
        if (combo_.HandleAllocated()) {
            TCustomCombo::TCodeChange code(combo_);
            LRESULT r = SendMessageW(combo_.Handle(), CB_INSERTSTRING, static_cast<WPARAM>(index),
                                     reinterpret_cast<LPARAM>(s.c_str()));
            if (r == CB_ERR || r == CB_ERRSPACE)
                throw EComponentError(L"Cannot add an item to the combo box");
        }
        combo_.stored_.insert(combo_.stored_.begin() + index, s);
    }

    void Delete(int index) override
    {
        if (index < 0 || index >= Count())
            IndexError(index);
        if (combo_.HandleAllocated()) {
            TCustomCombo::TCodeChange code(combo_);
            SendMessageW(combo_.Handle(), CB_DELETESTRING, static_cast<WPARAM>(index), 0);
        }
        combo_.stored_.erase(combo_.stored_.begin() + index);
    }

    void Clear() override
    {
        if (combo_.HandleAllocated()) {
            // Emptying the list would empty the text too; the text stays.
            TCustomCombo::TCodeChange code(combo_);
            std::wstring text = combo_.Text();
            SendMessageW(combo_.Handle(), CB_RESETCONTENT, 0, 0);
            if (!SetWindowTextW(combo_.Handle(), text.c_str()))
                RaiseLastOSError();
        }
        combo_.stored_.clear();
        combo_.itemIndex_ = -1;
    }

protected:
    void SetUpdateState(bool updating) override
    {
        if (!combo_.HandleAllocated())
            return;
        SendMessageW(combo_.Handle(), WM_SETREDRAW, updating ? FALSE : TRUE, 0);
        if (!updating)
            InvalidateRect(combo_.Handle(), nullptr, TRUE);
    }

private:
    TCustomCombo& combo_;
};

TCustomCombo::TCustomCombo(TComponent* owner) : TCustomListControl(owner), items_(std::make_unique<TComboStrings>(*this))
{
    SetControlStyle(csSetCaption | csDoubleClicks);
    SetColor(clWindow);
    SetTabStop(true);
    SetBounds(0, 0, 145, 21);
}

TCustomCombo::~TCustomCombo() { Destroying(); }

TStrings* TCustomCombo::Items() const { return items_.get(); }

int TCustomCombo::ItemIndex() const
{
    auto* self = const_cast<TCustomCombo*>(this);
    if (!self->HandleAllocated())
        return itemIndex_;
    LRESULT r = SendMessageW(self->Handle(), CB_GETCURSEL, 0, 0);
    return r == CB_ERR ? -1 : static_cast<int>(r);
}

void TCustomCombo::SetItemIndex(int index)
{
    if (index < -1 || index >= static_cast<int>(stored_.size()))
        index = -1;
    itemIndex_ = index;
    if (HandleAllocated()) {
        TCodeChange code(*this);
        SendMessageW(Handle(), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    } else {
        SetTextInternal(index >= 0 ? stored_[static_cast<size_t>(index)] : std::wstring());
    }
}

bool TCustomCombo::DroppedDown() const
{
    auto* self = const_cast<TCustomCombo*>(this);
    return self->HandleAllocated() && SendMessageW(self->Handle(), CB_GETDROPPEDSTATE, 0, 0) != 0;
}

void TCustomCombo::SetDroppedDown(bool on)
{
    SendMessageW(Handle(), CB_SHOWDROPDOWN, on ? TRUE : FALSE, 0);
}

bool TCustomCombo::Focused() const { return TCustomListControl::Focused(); }

int TCustomCombo::DropHeight() const
{
    auto* self = const_cast<TCustomCombo*>(this);
    int item = 0;
    if (self->HandleAllocated())
        item = static_cast<int>(SendMessageW(self->Handle(), CB_GETITEMHEIGHT, 0, 0));
    if (item <= 0)
        item = std::abs(Font()->Height()) + 3;
    return Height() + item * dropDownCount_ + 2;
}

void TCustomCombo::InitializeWindow()
{
    HWND h = Handle();
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    if (GetComboBoxInfo(h, &info) && info.hwndItem && info.hwndItem != h)
        AttachInnerWindow(info.hwndItem);
    TCodeChange code(*this);
    if (!stored_.empty()) {
        // Room for all items at once, and no redrawing while they go in: the
        // list would recount its scroll bar after every one of them. Only a
        // window already meant to be visible is told, as turning redrawing back
        // on marks a window visible.
        size_t chars = 0;
        for (const std::wstring& s : stored_)
            chars += s.size() + 1;
        SendMessageW(h, CB_INITSTORAGE, stored_.size(), static_cast<LPARAM>(chars * sizeof(wchar_t)));
        const bool quiet = (GetWindowLongPtrW(h, GWL_STYLE) & WS_VISIBLE) != 0;
        if (quiet)
            SendMessageW(h, WM_SETREDRAW, FALSE, 0);
        for (const std::wstring& s : stored_) {
            LRESULT r = SendMessageW(h, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s.c_str()));
            if (r == CB_ERR || r == CB_ERRSPACE) {
                if (quiet)
                    SendMessageW(h, WM_SETREDRAW, TRUE, 0);
                throw EComponentError(L"Cannot add an item to the combo box");
            }
        }
        if (quiet) {
            SendMessageW(h, WM_SETREDRAW, TRUE, 0);
            InvalidateRect(h, nullptr, TRUE);
        }
    }
    if (itemIndex_ >= 0)
        SendMessageW(h, CB_SETCURSEL, static_cast<WPARAM>(itemIndex_), 0);
    if (StoredText() != Text() && !SetWindowTextW(h, StoredText().c_str()))
        RaiseLastOSError();
    if (!SetWindowPos(h, nullptr, 0, 0, Width(), DropHeight(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE))
        RaiseLastOSError();
}

void TCustomCombo::SaveWindowState()
{
    itemIndex_ = ItemIndex();
    TCustomListControl::SaveWindowState();
}

void TCustomCombo::SetTextInternal(std::wstring_view text)
{
    TCodeChange code(*this);
    TCustomListControl::SetTextInternal(text);
}

void TCustomCombo::BoundsChanged(const RECT& old)
{
    if (!HandleAllocated()) {
        TCustomListControl::BoundsChanged(old);
        return;
    }
    // The window's height includes the drop-down list; the control's is the edit part's.
    if (!SetWindowPos(Handle(), nullptr, Left(), Top(), Width(), DropHeight(),
                      SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER))
        RaiseLastOSError();
}

void TCustomCombo::Change()
{
    if (OnChange)
        OnChange(this);
}

void TCustomCombo::WndProc(TMessage& m)
{
    switch (m.Msg) {
    case CN_COMMAND:
        switch (HIWORD(m.WParam)) {
        case CBN_EDITCHANGE:
            if (codeChanges_ == 0)
                Change();
            return;
        case CBN_SELCHANGE:
            if (codeChanges_ == 0) {
                // The edit part shows the pick before the handler reads Text.
                int index = ItemIndex();
                if (index >= 0 && index < static_cast<int>(stored_.size())) {
                    TCodeChange code(*this);
                    SetWindowTextW(Handle(), stored_[static_cast<size_t>(index)].c_str());
                }
                Change();
            }
            return;
        case CBN_DROPDOWN:
            if (OnDropDown)
                OnDropDown(this);
            return;
        case CBN_CLOSEUP:
            if (OnCloseUp)
                OnCloseUp(this);
            return;
        default:
            break;
        }
        break;
    case WM_CHAR:
        // Enter from the edit part that no hook kept goes back to the edit part.
        if (offeringEnter_) {
            enterReachedBox_ = true;
            return;
        }
        [[fallthrough]];
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP:
        // A key the edit part passes on to the box was reported already.
        if (editKeys_ > 0) {
            DefaultHandler(m);
            return;
        }
        break;
    default:
        break;
    }
    TCustomListControl::WndProc(m);
}

LRESULT TCustomCombo::InnerWindowProc(HWND inner, UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP: {
        WORD key = static_cast<WORD>(wp);
        bool swallowed = (msg == WM_KEYDOWN || msg == WM_SYSKEYDOWN) ? DoKeyDown(key, KeyboardShiftState())
                                                                     : DoKeyUp(key, KeyboardShiftState());
        if (swallowed)
            return 0;
        const TCountScope depth(editKeys_);
        return CallInnerDefault(inner, msg, key, lp);
    }
    case WM_CHAR: {
        wchar_t key = static_cast<wchar_t>(wp);
        if (DoKeyPress(key))
            return 0;
        // The edit part keeps Enter to itself; hooks on the box see it too.
        if (key == L'\r' && !offeringEnter_) {
            const TFlagScope offer(offeringEnter_);
            enterReachedBox_ = false;
            Perform(WM_CHAR, wp, lp);
            if (!enterReachedBox_)
                return 0;
        }
        const TCountScope depth(editKeys_);
        return CallInnerDefault(inner, msg, key, lp);
    }
    case WM_SETFOCUS: {
        LRESULT r = CallInnerDefault(inner, msg, wp, lp);
        // The edit's messages pass by the box's WindowProc; hooks on the box
        // hear of the focus this way.
        Perform(CM_INNERFOCUS, 1, reinterpret_cast<LPARAM>(inner));
        ReportFocus();
        if (!IsInside(reinterpret_cast<HWND>(wp)))
            DoEnter();
        return r;
    }
    case WM_KILLFOCUS: {
        LRESULT r = CallInnerDefault(inner, msg, wp, lp);
        Perform(CM_INNERFOCUS, 0, reinterpret_cast<LPARAM>(inner));
        if (!IsInside(reinterpret_cast<HWND>(wp)))
            DoExit();
        return r;
    }
    default:
        return TCustomListControl::InnerWindowProc(inner, msg, wp, lp);
    }
}

TCustomComboBox::TCustomComboBox(TComponent* owner) : TCustomCombo(owner) {}

void TCustomComboBox::SetStyle(TComboBoxStyle style)
{
    if (style == style_)
        return;
    style_ = style;
    RecreateWnd();
}

void TCustomComboBox::CreateParams(TCreateParams& p)
{
    TCustomCombo::CreateParams(p);
    p.SetWinClassName(L"COMBOBOX");
    p.SystemClass = true;
    p.Style |= WS_VSCROLL | CBS_AUTOHSCROLL | CBS_HASSTRINGS;
    switch (style_) {
    case csDropDown:
        p.Style |= CBS_DROPDOWN;
        break;
    case csSimple:
        p.Style |= CBS_SIMPLE;
        break;
    case csDropDownList:
        p.Style |= CBS_DROPDOWNLIST;
        break;
    }
    p.Height = DropHeight();
}
