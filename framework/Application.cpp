#include "framework/Application.h"

#include <vector>

#include "framework/Controls.h"
#include "framework/Edits.h"
#include "framework/Exceptions.h"
#include "framework/Forms.h"
#include "framework/Handles.h"
#include "framework/OSError.h"
#include "framework/WindowClass.h"

namespace {

TApplication gApplication;

std::wstring ProgramTitle()
{
    std::vector<wchar_t> path(MAX_PATH);
    for (;;) {
        DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0)
            return L"";
        if (n < path.size()) {
            path.resize(n);
            break;
        }
        path.resize(path.size() * 2);
    }
    std::wstring name(path.begin(), path.end());
    size_t slash = name.find_last_of(L"\\/");
    if (slash != std::wstring::npos)
        name.erase(0, slash + 1);
    size_t dot = name.find_last_of(L'.');
    if (dot != std::wstring::npos)
        name.erase(dot);
    return name;
}

int ProcessShowCommand()
{
    STARTUPINFOW si{};
    si.cb = sizeof si;
    GetStartupInfoW(&si);
    return (si.dwFlags & STARTF_USESHOWWINDOW) ? si.wShowWindow : SW_SHOWDEFAULT;
}

BOOL CALLBACK FirstIconName(HMODULE module, LPCWSTR, LPWSTR name, LONG_PTR result)
{
    *reinterpret_cast<HICON*>(result) = LoadIconW(module, name);
    return FALSE;
}

LRESULT CALLBACK AppWndProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) { return DefWindowProcW(h, msg, wp, lp); }

}  // namespace

TApplication* Application = &gApplication;

TApplication::TApplication() : TComponent(nullptr)
{
    title_ = ProgramTitle();
    startShow_ = ProcessShowCommand();
}

TApplication::~TApplication()
{
    Destroying();
    // Forms go first, while the application window they may use still exists.
    while (ComponentCount() > 0)
        delete Components(ComponentCount() - 1);
    if (handle_) {
        DestroyWindow(handle_);
        handles::Freed(handles::Kind::User);
        handle_ = nullptr;
    }
}

void TApplication::Initialize()
{
    if (title_.empty())
        title_ = ProgramTitle();
    startShow_ = ProcessShowCommand();
}

void TApplication::FormCreated(TCustomForm* form)
{
    if (!mainForm_ && form) {
        mainForm_ = form;
        form->HandleNeeded();
    }
}

void TApplication::FormDestroyed(TCustomForm* form)
{
    if (mainForm_ == form)
        mainForm_ = nullptr;
    if (lastActive_ == form)
        lastActive_ = nullptr;
}

void TApplication::FormActivated(TCustomForm* form) { lastActive_ = form; }

void TApplication::Run()
{
    if (mainForm_ && showMainForm_)
        mainForm_->ShowForm();
    while (!terminated_)
        HandleMessage();
}

void TApplication::Terminate() { PostQuitMessage(0); }

bool TApplication::HandleMessage()
{
    MSG msg;
    BOOL r = GetMessageW(&msg, nullptr, 0, 0);
    if (r == -1)
        RaiseLastOSError();
    if (r == 0) {
        terminated_ = true;
        return false;
    }
    if (!IsTabKeyMessage(msg)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return true;
}

void TApplication::ProcessMessages()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            terminated_ = true;
            break;
        }
        if (!IsTabKeyMessage(msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
}

bool TApplication::IsTabKeyMessage(MSG& msg)
{
    if (msg.message != WM_KEYDOWN || msg.wParam != VK_TAB || GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0)
        return false;
    TWinControl* control = nullptr;
    for (HWND h = msg.hwnd; h && !control; h = GetParent(h))
        control = TWinControl::FindControl(h);
    if (auto* memo = dynamic_cast<TCustomMemo*>(control); memo && memo->WantTabs())
        return false;
    TCustomForm* form = GetParentForm(control);
    if (!form)
        return false;
    try {
        form->SelectNext(control, GetKeyState(VK_SHIFT) >= 0);
    } catch (...) {
        HandleException(form);
    }
    return true;
}

HWND TApplication::Handle()
{
    if (handle_)
        return handle_;
    static const wchar_t* kClass = L"TApplication";
    HINSTANCE inst = Instance();
    RegisterWindowClassOnce(inst, {.Name = kClass, .Procedure = AppWndProc});
    handle_ = CreateWindowExW(0, kClass, title_.c_str(), WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, inst, nullptr);
    if (!handle_)
        RaiseLastOSError();
    handles::Created(handles::Kind::User);
    return handle_;
}

HWND TApplication::TaskbarWindow() const
{
    return mainForm_ && mainForm_->HandleAllocated() ? mainForm_->Handle() : nullptr;
}

HICON TApplication::Icon() const
{
    // The first icon of the program's resources (shared, never freed), else the system's.
    static HICON icon = [] {
        HICON found = nullptr;
        EnumResourceNamesW(GetModuleHandleW(nullptr), RT_GROUP_ICON, FirstIconName,
                           reinterpret_cast<LONG_PTR>(&found));
        return found ? found : LoadIconW(nullptr, IDI_APPLICATION);
    }();
    return icon;
}

void TApplication::BringToFront()
{
    TCustomForm* form = lastActive_ ? lastActive_ : mainForm_;
    if (form && form->HandleAllocated()) {
        HWND h = form->Handle();
        if (IsWindowVisible(h) && IsWindowEnabled(h)) {
            SetForegroundWindow(h);
            return;
        }
        HWND popup = GetLastActivePopup(h);
        if (popup && IsWindowVisible(popup) && IsWindowEnabled(popup))
            SetForegroundWindow(popup);
    }
}

void TApplication::Minimize()
{
    HWND button = TaskbarWindow();
    if (button && !IsIconic(button))
        ShowWindow(button, SW_MINIMIZE);
}

void TApplication::HandleException(TObject* sender)
{
    std::exception_ptr error = std::current_exception();
    if (!error)
        return;
    try {
        if (OnException) {
            OnException(sender, error);
            return;
        }
        try {
            std::rethrow_exception(error);
        } catch (const std::exception& e) {
            ShowException(e);
        } catch (...) {
            ShowException(Exception(L"Unknown error"));
        }
    } catch (...) {
        // The error display itself failed; nothing more can be shown.
    }
}

std::wstring TApplication::ExceptionText(const std::exception& error)
{
    std::wstring text;
    if (auto* e = dynamic_cast<const Exception*>(&error)) {
        text = e->Message();
    } else {
        const char* what = error.what();
        int n = MultiByteToWideChar(CP_ACP, 0, what, -1, nullptr, 0);
        if (n > 1) {
            text.resize(static_cast<size_t>(n));
            MultiByteToWideChar(CP_ACP, 0, what, -1, text.data(), n);
            text.resize(static_cast<size_t>(n - 1));
        }
    }
    if (!text.empty() && text.back() > L'.')
        text += L'.';
    return text;
}

void TApplication::ShowException(const std::exception& error)
{
    std::wstring text = ExceptionText(error);
    HWND owner = GetActiveWindow();
    UINT flags = MB_ICONERROR | MB_OK;
    if (!owner)
        flags |= MB_TASKMODAL;
    MessageBoxW(owner, text.c_str(), title_.c_str(), flags);
}
