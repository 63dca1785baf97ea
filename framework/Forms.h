#pragma once
// Forms: top-level windows with a border, caption, close handling, the focus of
// their controls, modal showing and the tool tip of their controls' hints.
#include <windows.h>

#include <memory>
#include <string>

#include "framework/Controls.h"
#include "framework/DesignLayout.h"

class THintWindow;

enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow };

enum TBorderIcon : unsigned { biSystemMenu = 1u << 0, biMinimize = 1u << 1, biMaximize = 1u << 2 };
using TBorderIcons = unsigned;

enum TPosition { poDesigned, poScreenCenter };

enum TCloseAction { caNone, caHide, caFree, caMinimize };
using TCloseEvent = TMethod<void(TObject* sender, TCloseAction& action)>;
using TCloseQueryEvent = TMethod<void(TObject* sender, bool& canClose)>;

using TModalResult = int;
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = IDOK;
constexpr TModalResult mrCancel = IDCANCEL;
constexpr TModalResult mrYes = IDYES;
constexpr TModalResult mrNo = IDNO;

class TScrollingWinControl : public TWinControl {
    CLASS_INFO(TScrollingWinControl, TWinControl)

public:
    using TWinControl::TWinControl;
};

class TCustomForm : public TScrollingWinControl {
    CLASS_INFO(TCustomForm, TScrollingWinControl)

public:
    explicit TCustomForm(TComponent* owner);
    ~TCustomForm() override;

    TFormBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TFormBorderStyle style);
    void SetBorderIcons(TBorderIcons icons);
    TPosition Position() const { return position_; }
    void SetPosition(TPosition position) { position_ = position; }
    // The window's icon; empty means the application's.
    TIcon* Icon() const { return icon_.get(); }
    // The name under which the form's window class is registered (at most 63
    // characters); empty means the form's class name.
    const std::wstring& WindowClassName() const { return windowClassName_; }
    void SetWindowClassName(std::wstring_view name);

    // The control that has the focus, or gets it when the form is activated.
    void SetActiveControl(TWinControl* control);
    // Moves the focus to the next (or previous) control in tab order.
    void SelectNext(TWinControl* current, bool forward);

    // Shows the form and brings it to the front.
    void ShowForm();
    // Asks OnCloseQuery, then OnClose, and hides, frees or (the main form) ends the program.
    void Close();
    // Frees the form once the messages in progress are done.
    void Release();
    // Shows the form modally; returns its ModalResult once it is set or the form closes.
    TModalResult ShowModal();
    TModalResult ModalResult() const { return modalResult_; }
    void SetModalResult(TModalResult r) { modalResult_ = r; }
    bool Modal() const { return modal_; }

    RECT ClientRect() const override;
    bool Showing() const override;

    // The form's tool tip window (made on first use).
    THintWindow& HintWindow();

    // The DPI the form is laid out for: the system's when it is made, then its monitor's.
    int CurrentDpi() const override { return dpi_; }
    // The layout its description wrote, at 96 DPI (kept by the description's builder).
    const TDesignLayout& DesignLayout() const { return designLayout_; }
    void SetDesignLayout(TDesignLayout layout) { designLayout_ = std::move(layout); }
    // Lays the form out again for a new DPI: size constraints cleared, the design
    // layout applied, then OnDpiChanged for what the form derives from it (and its
    // constraints at the new DPI). The window
    // keeps its place; WM_DPICHANGED moves it to the rectangle the system suggests.
    void ChangeDpi(int dpi);

    TNotifyEvent OnCreate;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TCloseEvent OnClose;
    TCloseQueryEvent OnCloseQuery;
    TNotifyEvent OnDestroy;
    // After a change of DPI has laid out the described controls.
    TNotifyEvent OnDpiChanged;

    // Raises OnCreate; the window description's builder calls it once the form is built.
    virtual void DoCreate();

protected:
    void CreateParams(TCreateParams& params) override;
    void InitializeWindow() override;
    void WndProc(TMessage& msg) override;
    void VisibleChanged() override;
    void FocusChanged(TWinControl* focused) override;
    void Notification(TComponent* component, TOperation operation) override;
    virtual void DoShow();
    virtual void DoHide();
    virtual void DoClose(TCloseAction& action);
    virtual bool CloseQuery();
    virtual void DoDpiChanged();

private:
    void FrameStyle(DWORD& style, DWORD& exStyle) const;
    void IconChanged(TObject*);
    void FocusFirst();
    void DpiChangedMessage(TMessage& msg);

    TFormBorderStyle borderStyle_ = bsSizeable;
    TBorderIcons borderIcons_ = biSystemMenu | biMinimize | biMaximize;
    TPosition position_ = poDesigned;
    std::wstring windowClassName_;
    std::unique_ptr<TIcon> icon_;
    TWinControl* activeControl_ = nullptr;
    TModalResult modalResult_ = mrNone;
    bool modal_ = false;
    bool shownOnce_ = false;
    bool minimized_ = false;
    std::unique_ptr<THintWindow> hint_;
    int dpi_ = kDesignDpi;
    // The program's icon at the large and small sizes of a DPI other than 96.
    std::unique_ptr<TIcon> dpiIcons_[2];
    TDesignLayout designLayout_;
};

class TForm : public TCustomForm {
    CLASS_INFO(TForm, TCustomForm)

public:
    using TCustomForm::TCustomForm;
};

// The form that holds a control (its top-level parent), or null.
TCustomForm* GetParentForm(const TControl* control);
