// Kestrin's entry: the start show command decides whether the window opens or
// Kestrin starts in the tray; then the message loop runs until the window closes.
#include <windows.h>

#include "app/MainForm.h"
#include "app/StartMode.h"
#include "framework/Application.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    Application->Initialize();
    const int startShow = Application->StartShowCommand();
    const bool tray = StartModeFor(startShow) == smTray;
    // A maximised start opens the window normally; a minimised one never shows it.
    Application->SetStartShowCommand(StartShowCommandFor(startShow));
    if (tray)
        Application->SetShowMainForm(false);
    TForm1* form = Application->CreateForm<TForm1>();
    if (tray)
        form->TrayStart();
    Application->Run();
    return 0;
}
