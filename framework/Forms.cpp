#include "framework/Forms.h"

#include <algorithm>

#include "framework/Application.h"
#include "framework/Dpi.h"
#include "framework/Exceptions.h"
#include "framework/HintWindow.h"
#include "framework/OSError.h"
#include "framework/ScopeGuards.h"

TCustomForm* GetParentForm(const TControl* control)
{
    if (!control)
        return nullptr;
    while (control->Parent())
        control = control->Parent();
    return dynamic_cast<TCustomForm*>(const_cast<TControl*>(control));
}

TCustomForm::TCustomForm(TComponent* owner) : TScrollingWinControl(owner), icon_(std::make_unique<TIcon>())
{
    SetControlStyle(csAcceptsControls | csCaptureMouse | csClickEvents | csSetCaption | csDoubleClicks);
    SetVisible(false);
    dpi_ = SystemDpi();
    SetBounds(0, 0, 320, 240);
    icon_->OnChange = TNotifyEvent(this, &TCustomForm::IconChanged);
}

TCustomForm::~TCustomForm()
{
    Destroying();
    if (OnDestroy) {
        try {
            OnDestroy(this);
        } catch (...) {
            Application->HandleException(this);
        }
    }
    hinttip::FormGone(this);
    hint_.reset();
    if (activeControl_)
        activeControl_->RemoveFreeNotification(this);
    activeControl_ = nullptr;
    Application->FormDestroyed(this);
}

void TCustomForm::SetBorderStyle(TFormBorderStyle style)
{
    if (style == borderStyle_)
        return;
    borderStyle_ = style;
    RecreateWnd();
}

void TCustomForm::SetBorderIcons(TBorderIcons icons)
{
    if (icons == borderIcons_)
        return;
    borderIcons_ = icons;
    RecreateWnd();
}

void TCustomForm::SetWindowClassName(std::wstring_view name)
{
    if (name.size() > 63)
        throw EComponentError(L"A window class name has at most 63 characters");
    windowClassName_.assign(name);
}

void TCustomForm::FrameStyle(DWORD& style, DWORD& ex) const
{
    style = WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    ex = WS_EX_CONTROLPARENT;
    switch (borderStyle_) {
    case bsNone:
        style |= WS_POPUP;
        break;
    case bsSingle:
    case bsToolWindow:
        style |= WS_CAPTION | WS_BORDER;
        break;
    case bsSizeable:
        style |= WS_CAPTION | WS_THICKFRAME;
        break;
    case bsDialog:
        style |= WS_POPUP | WS_CAPTION;
        ex |= WS_EX_DLGMODALFRAME;
        break;
    }
    if (borderStyle_ == bsToolWindow)
        ex |= WS_EX_TOOLWINDOW;
    if (borderStyle_ != bsNone && (borderIcons_ & biSystemMenu)) {
        style |= WS_SYSMENU;
        if (borderStyle_ == bsSingle || borderStyle_ == bsSizeable) {
            if (borderIcons_ & biMinimize)
                style |= WS_MINIMIZEBOX;
            if (borderIcons_ & biMaximize)
                style |= WS_MAXIMIZEBOX;
        }
    }
}

void TCustomForm::CreateParams(TCreateParams& p)
{
    TScrollingWinControl::CreateParams(p);
    FrameStyle(p.Style, p.ExStyle);
    if (!Enabled())
        p.Style |= WS_DISABLED;
    TCustomForm* main = Application->MainForm();
    if (main && main != this) {
        p.WndParent = main->Handle();  // owned: stays above the main form, no taskbar button
    } else if (Application->TaskbarButtonHidden()) {
        p.WndParent = Application->Handle();  // owned by a hidden window: no taskbar button
    } else {
        p.WndParent = nullptr;
        p.ExStyle |= WS_EX_APPWINDOW;
    }
    p.SetWinClassName(windowClassName_.empty() ? std::wstring(ClassName()) : windowClassName_);
    p.Icon = Application->Icon();
}

void TCustomForm::InitializeWindow()
{
    if (!icon_->Empty() || dpi_ != kDesignDpi)
        IconChanged(nullptr);
    // A window made on a monitor of another DPI than the system's is laid out for it.
    if (const int dpi = WindowDpi(Handle()); dpi != dpi_)
        ChangeDpi(dpi);
}

void TCustomForm::ChangeDpi(int dpi)
{
    // Beyond what any display has: a message's bad value.
    if (dpi < 24 || dpi > 2400 || dpi == dpi_)
        return;
    const int old = dpi_;
    dpi_ = dpi;
    // Size limits belong to one DPI; OnDpiChanged sets those of the new one.
    SetConstraints({});
    designLayout_.Apply(*this, dpi, old);
    IconChanged(nullptr);
    DoDpiChanged();
    // Controls that kept their size draw their frames at the new width too.
    if (HandleAllocated())
        RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

void TCustomForm::DoDpiChanged()
{
    if (OnDpiChanged)
        OnDpiChanged(this);
}

void TCustomForm::DpiChangedMessage(TMessage& m)
{
    ChangeDpi(HIWORD(m.WParam));
    // A form that keeps its size takes the suggested place; one that sizes, the whole rectangle.
    if (const auto* suggested = reinterpret_cast<const RECT*>(m.LParam)) {
        if (borderStyle_ == bsSizeable)
            SetBoundsRect(*suggested);
        else
            SetBounds(suggested->left, suggested->top, Width(), Height());
    }
    m.Result = 0;
}

void TCustomForm::IconChanged(TObject*)
{
    if (!HandleAllocated())
        return;
    HICON big = icon_->Empty() ? Application->Icon() : icon_->Handle();
    HICON small = big;
    // Away from 96 DPI the program's icon is loaded at the system's icon sizes for the DPI.
    if (icon_->Empty() && dpi_ != kDesignDpi) {
        try {
            auto bigIcon = std::make_unique<TIcon>();
            auto smallIcon = std::make_unique<TIcon>();
            LoadApplicationIcon(*bigIcon, SystemMetricForDpi(SM_CXICON, dpi_));
            LoadApplicationIcon(*smallIcon, SystemMetricForDpi(SM_CXSMICON, dpi_));
            big = bigIcon->Handle();
            small = smallIcon->Handle();
            SendMessageW(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
            SendMessageW(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
            // The window shows the new ones now; the old ones can go.
            dpiIcons_[0] = std::move(bigIcon);
            dpiIcons_[1] = std::move(smallIcon);
            return;
        } catch (const Exception&) {
            // A program without an icon of its own shows the system's, as at 96 DPI.
        }
    }
    SendMessageW(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
    SendMessageW(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
    dpiIcons_[0].reset();
    dpiIcons_[1].reset();
}

RECT TCustomForm::ClientRect() const
{
    if (HandleAllocated())
        return TScrollingWinControl::ClientRect();
    DWORD style = 0, ex = 0;
    FrameStyle(style, ex);
    RECT frame{0, 0, 0, 0};
    AdjustWindowRectForDpi(frame, style, ex, dpi_);
    return {0, 0, std::max(0L, Width() - (frame.right - frame.left)), std::max(0L, Height() - (frame.bottom - frame.top))};
}

bool TCustomForm::Showing() const
{
    return Visible() && HandleAllocated() && IsWindowVisible(const_cast<TCustomForm*>(this)->Handle());
}

THintWindow& TCustomForm::HintWindow()
{
    if (!hint_)
        hint_ = std::make_unique<THintWindow>(Handle());
    return *hint_;
}

void TCustomForm::DoCreate()
{
    if (OnCreate)
        OnCreate(this);
}

void TCustomForm::DoShow()
{
    if (OnShow)
        OnShow(this);
}

void TCustomForm::DoHide()
{
    if (OnHide)
        OnHide(this);
}

void TCustomForm::DoClose(TCloseAction& action)
{
    if (OnClose)
        OnClose(this, action);
}

bool TCustomForm::CloseQuery()
{
    bool canClose = true;
    if (OnCloseQuery)
        OnCloseQuery(this, canClose);
    return canClose;
}

void TCustomForm::VisibleChanged()
{
    if (!Visible() && !HandleAllocated())
        return;
    HWND h = Handle();
    if (Visible()) {
        if (!shownOnce_ && position_ == poScreenCenter) {
            RECT work{};
            SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
            SetBounds(work.left + (work.right - work.left - Width()) / 2,
                      work.top + (work.bottom - work.top - Height()) / 2, Width(), Height());
        }
        DoShow();
        int cmd = SW_SHOWNORMAL;
        // The main form's first showing follows the way the program was started;
        // a hidden start only means that Run does not show it.
        if (!shownOnce_ && Application->MainForm() == this && Application->StartShowCommand() != SW_HIDE)
            cmd = Application->StartShowCommand();
        shownOnce_ = true;
        ShowWindow(h, cmd);
        if (cmd != SW_HIDE && cmd != SW_SHOWMINNOACTIVE && cmd != SW_SHOWNA && cmd != SW_SHOWNOACTIVATE &&
            cmd != SW_MINIMIZE && cmd != SW_SHOWMINIMIZED)
            SetForegroundWindow(h);
    } else {
        DoHide();
        ShowWindow(h, SW_HIDE);
    }
}

void TCustomForm::ShowForm()
{
    SetVisible(true);
    if (HandleAllocated() && !IsIconic(Handle()))
        SetForegroundWindow(Handle());
}

void TCustomForm::SetActiveControl(TWinControl* control)
{
    if (control == activeControl_)
        return;
    if (control && GetParentForm(control) != this)
        throw EComponentError(L"The active control must be a control of the form");
    if (activeControl_)
        activeControl_->RemoveFreeNotification(this);
    activeControl_ = control;
    if (control) {
        control->FreeNotification(this);
        if (HandleAllocated() && IsWindowVisible(Handle()) && control->CanFocus())
            ::SetFocus(control->Handle());
    }
}

void TCustomForm::FocusChanged(TWinControl* focused)
{
    if (focused == this || focused == activeControl_)
        return;
    if (activeControl_)
        activeControl_->RemoveFreeNotification(this);
    activeControl_ = focused;
    if (focused)
        focused->FreeNotification(this);
}

void TCustomForm::Notification(TComponent* component, TOperation operation)
{
    TScrollingWinControl::Notification(component, operation);
    if (operation == opRemove && component == activeControl_)
        activeControl_ = nullptr;
}

namespace {

void CollectTabStops(TWinControl* parent, std::vector<TWinControl*>& out)
{
    for (TWinControl* w : parent->TabList()) {
        if (!w->Visible() || !w->Enabled())
            continue;
        if (w->TabStop())
            out.push_back(w);
        CollectTabStops(w, out);
    }
}

}  // namespace

void TCustomForm::SelectNext(TWinControl* current, bool forward)
{
    std::vector<TWinControl*> stops;
    CollectTabStops(this, stops);
    if (stops.empty())
        return;
    // The current control, or the nearest of its parents that is a stop.
    auto it = stops.end();
    for (TControl* c = current; c && it == stops.end(); c = c->Parent())
        it = std::find(stops.begin(), stops.end(), c);
    size_t n = stops.size();
    size_t next;
    if (it == stops.end())
        next = forward ? 0 : n - 1;
    else {
        size_t i = static_cast<size_t>(it - stops.begin());
        next = forward ? (i + 1) % n : (i + n - 1) % n;
    }
    stops[next]->SetFocus();
}

void TCustomForm::FocusFirst()
{
    std::vector<TWinControl*> stops;
    CollectTabStops(this, stops);
    if (!stops.empty())
        ::SetFocus(stops.front()->Handle());
}

void TCustomForm::Close()
{
    if (modal_) {
        modalResult_ = mrCancel;
        return;
    }
    if (!CloseQuery())
        return;
    TCloseAction action = caHide;
    DoClose(action);
    if (action == caNone)
        return;
    if (Application->MainForm() == this) {
        Application->Terminate();
        return;
    }
    switch (action) {
    case caHide:
        Hide();
        break;
    case caMinimize:
        ShowWindow(Handle(), SW_MINIMIZE);
        break;
    case caFree:
        Release();
        break;
    default:
        break;
    }
}

void TCustomForm::Release()
{
    if (HandleAllocated())
        PostMessageW(Handle(), CM_RELEASE, 0, 0);
    else
        delete this;
}

TModalResult TCustomForm::ShowModal()
{
    if (Visible() || modal_ || !Enabled())
        throw EComponentError(L"Cannot make a visible window modal");
    if (GetCapture())
        SendMessageW(GetCapture(), WM_CANCELMODE, 0, 0);
    ReleaseCapture();
    HandleNeeded();
    // Every other window of the thread waits while the form is up.
    struct Disabler {
        std::vector<HWND> windows;
        static BOOL CALLBACK Each(HWND h, LPARAM self)
        {
            auto* d = reinterpret_cast<Disabler*>(self);
            if (IsWindowVisible(h) && IsWindowEnabled(h))
                d->windows.push_back(h);
            return TRUE;
        }
    } disabler;
    EnumThreadWindows(GetCurrentThreadId(), &Disabler::Each, reinterpret_cast<LPARAM>(&disabler));
    disabler.windows.erase(std::remove(disabler.windows.begin(), disabler.windows.end(), Handle()),
                           disabler.windows.end());
    for (HWND h : disabler.windows)
        EnableWindow(h, FALSE);
    HWND previous = GetActiveWindow();
    modal_ = true;
    modalResult_ = mrNone;
    {
        // However the loop ends, the other windows come back, the form hides
        // and the window active before takes over again.
        const TScopeExit restore([&] {
            modal_ = false;
            for (HWND h : disabler.windows)
                if (IsWindow(h))
                    EnableWindow(h, TRUE);
            if (HandleAllocated())
                Hide();
            if (previous && IsWindow(previous))
                SetActiveWindow(previous);
        });
        ShowForm();
        while (modalResult_ == mrNone) {
            if (!Application->HandleMessage()) {
                modalResult_ = mrCancel;
                PostQuitMessage(0);  // the outer loop must end too
                break;
            }
            if (modalResult_ != mrNone) {
                // The form may refuse to close.
                TCloseAction action = caHide;
                if (!CloseQuery())
                    action = caNone;
                else
                    DoClose(action);
                if (action == caNone)
                    modalResult_ = mrNone;
            }
        }
    }
    return modalResult_;
}

void TCustomForm::WndProc(TMessage& m)
{
    switch (m.Msg) {
    case WM_CLOSE:
        Close();
        return;
    case CM_RELEASE:
        delete this;
        return;
    case WM_GETMINMAXINFO: {
        TScrollingWinControl::WndProc(m);
        auto* info = reinterpret_cast<MINMAXINFO*>(m.LParam);
        const TSizeConstraints& c = Constraints();
        if (c.MinWidth > 0)
            info->ptMinTrackSize.x = c.MinWidth;
        if (c.MinHeight > 0)
            info->ptMinTrackSize.y = c.MinHeight;
        if (c.MaxWidth > 0)
            info->ptMaxTrackSize.x = info->ptMaxSize.x = c.MaxWidth;
        if (c.MaxHeight > 0)
            info->ptMaxTrackSize.y = info->ptMaxSize.y = c.MaxHeight;
        return;
    }
    case WM_ACTIVATE:
        if (LOWORD(m.WParam) != WA_INACTIVE) {
            Application->FormActivated(this);
            if (OnActivate)
                OnActivate(this);
            if (!HIWORD(m.WParam)) {
                if (activeControl_ && activeControl_->CanFocus())
                    ::SetFocus(activeControl_->Handle());
                else
                    FocusFirst();
                if (GetFocus())
                    return;
            }
        } else {
            hinttip::Cancel();
            if (OnDeactivate)
                OnDeactivate(this);
        }
        break;
    case WM_SIZE:
        // A minimised form takes the windows it owns (an open dialog) along and
        // brings them back when restored. Windows does so itself; Wine does not,
        // and doing it again is harmless.
        if (m.WParam == SIZE_MINIMIZED) {
            minimized_ = true;
            ShowOwnedPopups(Handle(), FALSE);
        } else if (minimized_ && (m.WParam == SIZE_RESTORED || m.WParam == SIZE_MAXIMIZED)) {
            minimized_ = false;
            ShowOwnedPopups(Handle(), TRUE);
        }
        break;
    case WM_DPICHANGED:
        DpiChangedMessage(m);
        return;
    case WM_DESTROY:
        hinttip::FormGone(this);
        hint_.reset();
        break;
    default:
        break;
    }
    TScrollingWinControl::WndProc(m);
}
