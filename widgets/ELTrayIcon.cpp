#include "widgets/ELTrayIcon.h"

#include <algorithm>

#include "framework/Application.h"
#include "framework/Menus.h"
#include "framework/ScopeGuards.h"
#include "framework/SystemLibrary.h"
#include "framework/UtilityWindow.h"

namespace {

TShellNotifyIconCall gShellCall = nullptr;

// The tool tip field holds 63 characters and the terminating zero; a character
// made of two UTF-16 units is not cut in half.
template <size_t N>
void CopyTip(const std::wstring& text, wchar_t (&field)[N])
{
    constexpr size_t kMaxTip = 63;
    static_assert(N > kMaxTip);
    size_t length = std::min(text.size(), kMaxTip);
    if (length > 0 && length < text.size() && IS_HIGH_SURROGATE(text[length - 1]))
        --length;
    text.copy(field, length);
    field[length] = L'\0';
}

}  // namespace

BOOL SystemShellNotifyIcon(DWORD message, NOTIFYICONDATAW* data)
{
    using TNotifyIcon = BOOL WINAPI(DWORD, NOTIFYICONDATAW*);
    TNotifyIcon* const notify = SystemFunction<TNotifyIcon>(L"shell32.dll", "Shell_NotifyIconW");
    return notify ? notify(message, data) : FALSE;
}

void SetShellNotifyIconCall(TShellNotifyIconCall call) { gShellCall = call; }

UINT TELTrayIcon::TaskbarCreatedMessage()
{
    static const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
    return message;
}

TELTrayIcon::TELTrayIcon(TComponent* owner)
    : TComponent(owner), icon_(std::make_unique<TIcon>()),
      animations_(std::make_unique<TELTrayIconAnimations>(this))
{
    TaskbarCreatedMessage();
    icon_->OnChange = TNotifyEvent(this, &TELTrayIcon::IconChanged);
    // Last: its messages reach WndProc, which needs everything above.
    window_ = std::make_unique<TUtilityWindow>(this, TWndMethod(this, &TELTrayIcon::WndProc));
}

TELTrayIcon::~TELTrayIcon()
{
    Destroying();
    try {
        SetActive(false);
    } catch (...) {
        // The icon is being freed; a failure to restore the old icon changes nothing.
    }
    animations_.reset();
    icon_.reset();
    window_.reset();
}

HWND TELTrayIcon::Handle() const { return window_->Handle(); }

void TELTrayIcon::SetActive(bool active)
{
    active_ = active;
    if (InState(csDesigning) || InState(csLoading))
        return;  // Loaded completes it
    UpdateTaskbarButton();
    if (active) {
        // A running animation starts again from its first picture.
        if (TELTrayIconAnimationsItem* item = animations_->ActiveItem())
            animations_->SetActiveItem(item);
    } else {
        animations_->SetActiveItem(nullptr);
    }
    // An icon the shell never got needs no removal, nor the shell's library
    // loaded for it (a window closed without ever using the tray).
    if (active || Added())
        ShellCall(active ? NIM_ADD : NIM_DELETE);
    if (active)
        state_ |= kAdded;
    else
        state_ &= static_cast<uint8_t>(~kAdded);
}

void TELTrayIcon::SetHint(const std::wstring& hint)
{
    if (hint == hint_)
        return;
    hint_ = hint;
    if (Added())
        ShellCall(NIM_MODIFY);
}

void TELTrayIcon::SetIcon(const TIcon* icon)
{
    if (icon)
        icon_->Assign(*icon);
    else
        icon_->SetHandle(nullptr);
}

void TELTrayIcon::SetPopupMenu(TPopupMenu* menu)
{
    if (menu == popupMenu_)
        return;
    // Told of the menu's free wherever the menu lives, so no stale menu pops up.
    if (popupMenu_)
        popupMenu_->RemoveFreeNotification(this);
    popupMenu_ = menu;
    if (menu)
        menu->FreeNotification(this);
}

void TELTrayIcon::SetHideTaskBarButton(bool hide)
{
    if (hide == hideTaskBarButton_)
        return;
    hideTaskBarButton_ = hide;
    if (!InState(csDesigning) && !InState(csLoading))
        UpdateTaskbarButton();
}

void TELTrayIcon::Loaded()
{
    TComponent::Loaded();
    if (active_)
        SetActive(true);
}

void TELTrayIcon::Notification(TComponent* component, TOperation operation)
{
    TComponent::Notification(component, operation);
    if (operation != opRemove)
        return;
    // Compared by address: the component is already partly destroyed.
    if (component == popupMenu_)
        popupMenu_ = nullptr;
    if (animations_)
        animations_->ImageListFreed(component);
}

void TELTrayIcon::ShellCall(DWORD command)
{
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = window_->Handle();
    data.uID = 0;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = kCallbackMessage;
    data.hIcon = icon_->Empty() ? Application->Icon() : icon_->Handle();
    CopyTip(hint_.empty() ? Application->Title() : hint_, data.szTip);
    // The shell's answer is not looked at: Added follows Active regardless.
    (gShellCall ? gShellCall : &SystemShellNotifyIcon)(command, &data);
}

void TELTrayIcon::UpdateTaskbarButton() { Application->SetTaskbarButtonHidden(hideTaskBarButton_ && active_); }

void TELTrayIcon::IconChanged(TObject*)
{
    if (!Added())
        return;
    // An icon assigned while an animation runs stops it and stays.
    TELTrayIconAnimationsItem* item = animations_->ActiveItem();
    if (!(state_ & kAnimating) && item) {
        const bool restore = item->RestoreOldIcon();
        item->SetRestoreOldIcon(false);
        const TScopeExit keep([&] { item->SetRestoreOldIcon(restore); });
        item->SetActive(false);
    }
    ShellCall(NIM_MODIFY);
}

void TELTrayIcon::WndProc(TMessage& msg)
{
    if (msg.Msg == kCallbackMessage) {
        // The second parameter is the mouse message that happened on the icon.
        // Nothing of the icon is touched after an event: a handler may free it.
        msg.Result = 0;
        switch (static_cast<UINT>(msg.LParam)) {
        case WM_LBUTTONDOWN:
            Application->BringToFront();
            Click();
            break;
        case WM_LBUTTONDBLCLK:
            Application->BringToFront();
            DblClick();
            break;
        case WM_RBUTTONDOWN:
            Application->BringToFront();
            break;
        case WM_RBUTTONUP:
            PopupAtCursor();
            break;
        default:
            break;
        }
        return;
    }
    if (msg.Msg == TaskbarCreatedMessage() && active_) {
        // The new taskbar knows no icon: add it anew.
        SetActive(false);
        SetActive(true);
    }
    window_->DefaultHandler(msg);
}

void TELTrayIcon::Click()
{
    if (OnClick)
        OnClick(this);
}

void TELTrayIcon::DblClick()
{
    if (OnDblClick)
        OnDblClick(this);
}

void TELTrayIcon::DoContextPopup(POINT mousePos, bool& handled)
{
    if (OnContextPopup)
        OnContextPopup(this, mousePos, handled);
}

void TELTrayIcon::PopupAtCursor()
{
    if (InState(csDesigning))
        return;
    POINT pos{};
    GetCursorPos(&pos);
    bool handled = false;
    DoContextPopup(pos, handled);
    if (handled)
        return;
    TPopupMenu* menu = GetPopupMenu();
    if (!menu || !menu->AutoPopup())
        return;
    menu->SetPopupComponent(this);
    if (HWND capture = GetCapture())
        SendMessageW(capture, WM_CANCELMODE, 0, 0);
    // A menu closes when the user clicks elsewhere only if its window is in the
    // foreground.
    SetForegroundWindow(Application->Handle());
    Application->ProcessMessages();
    menu->Popup(pos.x, pos.y);
}
