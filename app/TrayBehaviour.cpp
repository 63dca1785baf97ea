#include "app/TrayBehaviour.h"

#include "framework/Application.h"
#include "framework/Dpi.h"
#include "framework/Forms.h"
#include "framework/OSError.h"
#include "framework/StdCtrls.h"
#include "widgets/ELTrayIcon.h"

namespace {

// Shows a window hidden to the tray; one minimised meanwhile (without a taskbar
// button to restore it from) is restored too.
void Reveal(TCustomForm& form)
{
    form.ShowForm();
    if (IsIconic(form.Handle()))
        ShowWindow(form.Handle(), SW_RESTORE);
}

}  // namespace

TTrayBehaviour::TTrayBehaviour(TCustomForm& window, TCheckBox& trayIconBox, TELTrayIcon& icon)
    : window_(window), trayIconBox_(trayIconBox), icon_(icon)
{
}

void TTrayBehaviour::Start()
{
    icon_.SetActive(true);
    // Its click handler makes the icon active once more, which changes nothing.
    trayIconBox_.SetChecked(true);
}

void TTrayBehaviour::TrayIconBoxClicked() { icon_.SetActive(trayIconBox_.Checked()); }

void TTrayBehaviour::GiveIconOfWindow()
{
    if (!window_.Icon()->Empty()) {
        icon_.SetIcon(window_.Icon());
        return;
    }
    // A window without an icon of its own shows the application's: away from
    // 96 DPI at the system's small icon size for the window's DPI.
    if (window_.CurrentDpi() != kDesignDpi) {
        try {
            TIcon icon;
            LoadApplicationIcon(icon, SystemMetricForDpi(SM_CXSMICON, window_.CurrentDpi()));
            icon_.SetIcon(&icon);
            return;
        } catch (const Exception&) {
            // A program without an icon of its own: the system's, as at 96 DPI.
        }
    }
    HICON copy = CopyIcon(Application->Icon());
    if (!copy)
        RaiseLastOSError();
    TIcon icon;
    icon.SetHandle(copy);
    icon_.SetIcon(&icon);
}

bool TTrayBehaviour::SystemCommand(TMessage& msg)
{
    // The command is compared whole, without clearing its low four bits.
    const WPARAM command = msg.WParam;
    if ((command == SC_MINIMIZE || command == SC_RESTORE) && trayIconBox_.Checked()) {
        msg.Result = 0;
        if (command == SC_MINIMIZE)
            window_.Hide();
        else
            Reveal(window_);
        return true;
    }
    if (command == SC_MAXIMIZE) {
        msg.Result = 0;
        return true;
    }
    return false;
}

void TTrayBehaviour::ShowWindows(TCustomForm* help)
{
    Reveal(window_);
    // Last, so that the modal help window is in front of the main window.
    if (help)
        Reveal(*help);
}

void TTrayBehaviour::Exit() { window_.Close(); }
