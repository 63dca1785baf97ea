#pragma once
// Kestrin in the notification area: the "Tray Icon" switch, the start in the
// tray, minimise and restore through the tray while the switch is on, the
// refusal of maximising, and the tray icon's click with its menu's "&Show" and
// "E&xit".
#include "framework/Message.h"

class TCheckBox;
class TCustomForm;
class TELTrayIcon;

class TTrayBehaviour {
public:
    // window: the main window; trayIconBox: "Tray Icon"; icon: the window's tray
    // icon. None is owned.
    TTrayBehaviour(TCustomForm& window, TCheckBox& trayIconBox, TELTrayIcon& icon);

    // A hidden or minimised start: the icon shows and "Tray Icon" is checked; the
    // window stays hidden until the icon is clicked.
    void Start();
    // "Tray Icon" clicked: the icon is shown exactly while the box is checked.
    void TrayIconBoxClicked();
    // The window's icon becomes the tray icon's.
    void GiveIconOfWindow();
    // The main window's WM_SYSCOMMAND; true when handled here (Result set), false
    // when the default handling is to run.
    bool SystemCommand(TMessage& msg);
    // A click on the tray icon, and "&Show": the main window comes back, and with
    // it the help window `help` while one is open (null: none).
    void ShowWindows(TCustomForm* help);
    // "E&xit": closes the main window, which ends the program.
    void Exit();

private:
    TCustomForm& window_;
    TCheckBox& trayIconBox_;
    TELTrayIcon& icon_;
};
