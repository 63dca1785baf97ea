#pragma once
// The application object: creates the forms, runs the message loop until the
// main form closes, and shows the errors that handlers let escape.
#include <windows.h>

#include <exception>
#include <string>

#include "framework/Component.h"

class TCustomForm;

// Called with the sender of the failed message and the error; replaces the
// default error display while assigned.
using TExceptionEvent = TMethod<void(TObject* sender, std::exception_ptr error)>;

class TApplication : public TComponent {
    CLASS_INFO(TApplication, TComponent)

public:
    TApplication();
    ~TApplication() override;

    // Sets the title from the program file's name and reads the start show command.
    void Initialize();

    // Creates a form owned by the application; the first becomes the main form.
    template <class TFormClass>
    TFormClass* CreateForm()
    {
        auto* form = new TFormClass(this);
        FormCreated(form);
        return form;
    }
    // Makes `form` (already created, owned by the application) the main form if
    // there is none yet.
    void FormCreated(TCustomForm* form);

    // Shows the main form (unless ShowMainForm is false) and runs the message
    // loop until Terminate or the main form closes.
    void Run();
    void Terminate();
    bool Terminated() const { return terminated_; }
    // Handles every message waiting in the queue, then returns.
    void ProcessMessages();
    // Waits for one message and handles it; false when the loop should end.
    bool HandleMessage();

    TCustomForm* MainForm() const { return mainForm_; }
    // The program file's name without its extension, unless set otherwise.
    const std::wstring& Title() const { return title_; }
    void SetTitle(const std::wstring& title) { title_ = title; }
    // False keeps the main form hidden when Run starts.
    bool ShowMainForm() const { return showMainForm_; }
    void SetShowMainForm(bool on) { showMainForm_ = on; }
    // The show command for the main form's first showing: the process's start
    // show command (STARTF_USESHOWWINDOW) or SW_SHOWDEFAULT.
    int StartShowCommand() const { return startShow_; }
    void SetStartShowCommand(int cmd) { startShow_ = cmd; }
    // A hidden top-level window of the application (for notification messages).
    HWND Handle();
    // The window that carries the application's taskbar button: the main form's.
    HWND TaskbarWindow() const;
    HINSTANCE Instance() const { return GetModuleHandleW(nullptr); }
    // The application's icon (the first icon resource), or the system's.
    HICON Icon() const;
    // Brings the application's last active, visible and enabled window to the front.
    void BringToFront();
    // Minimises the whole application to its taskbar button: the window that
    // carries the button goes, and the windows it owns hide with it.
    void Minimize();

    // The application's taskbar button. While it is hidden the taskbar window is
    // owned by the application's hidden window and has no app-window style, so
    // the shell lists no button for it; its frame and minimise box stay as they
    // are. Acts only on a change.
    bool TaskbarButtonHidden() const { return taskbarButtonHidden_; }
    void SetTaskbarButtonHidden(bool hidden);

    // Shows the error in flight (call inside a catch) with OnException or the
    // default display; used by the message dispatch.
    void HandleException(TObject* sender);
    // The default error display: a modal error box titled with Title.
    void ShowException(const std::exception& error);
    // The text the default display shows for an error.
    static std::wstring ExceptionText(const std::exception& error);

    TExceptionEvent OnException;

private:
    friend class TCustomForm;
    void FormDestroyed(TCustomForm* form);
    void FormActivated(TCustomForm* form);
    bool IsTabKeyMessage(MSG& msg);

    TCustomForm* mainForm_ = nullptr;
    TCustomForm* lastActive_ = nullptr;
    std::wstring title_;
    bool showMainForm_ = true;
    int startShow_ = SW_SHOWDEFAULT;
    bool terminated_ = false;
    bool taskbarButtonHidden_ = false;
    HWND handle_ = nullptr;
};

// The one application object of the process.
extern TApplication* Application;
