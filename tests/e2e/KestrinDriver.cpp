#include "tests/e2e/KestrinDriver.h"

#include <algorithm>
#include <cstring>
#include <cwctype>
#include <stdexcept>

namespace e2e {
namespace {

using TClock = std::chrono::steady_clock;

// The build gives Unix-style paths behind a drive letter ("Z:/work/...").
std::wstring WindowsPath(const char* path)
{
    std::wstring result;
    for (const char* p = path; *p; ++p)
        result += *p == '/' ? L'\\' : static_cast<wchar_t>(static_cast<unsigned char>(*p));
    return result;
}

std::string Narrow(const std::wstring& text)
{
    std::string result;
    for (wchar_t c : text)
        result += c < 128 ? static_cast<char>(c) : '?';
    return result;
}

bool SameClass(const std::wstring& a, const std::wstring& b)
{
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](wchar_t x, wchar_t y) { return towlower(x) == towlower(y); });
}

DWORD WindowProcess(HWND window)
{
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    return pid;
}

struct TEnumState {
    DWORD Pid = 0;
    std::wstring ClassName;
    std::vector<HWND> Found;
    bool VisibleOnly = false;
};

BOOL CALLBACK CollectTopLevel(HWND window, LPARAM param)
{
    auto* state = reinterpret_cast<TEnumState*>(param);
    if (WindowProcess(window) == state->Pid && SameClass(WindowClass(window), state->ClassName) &&
        (!state->VisibleOnly || IsWindowVisible(window)))
        state->Found.push_back(window);
    return TRUE;
}

BOOL CALLBACK CollectChild(HWND window, LPARAM param)
{
    reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
    return TRUE;
}

std::vector<HWND> Descendants(HWND parent)
{
    std::vector<HWND> all;
    EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&all));
    return all;
}

// Quotes one argument for a command line.
std::wstring Quoted(const std::wstring& text) { return L"\"" + text + L"\""; }

}  // namespace

std::wstring KestrinExePath() { return WindowsPath(KESTRIN_EXE); }
std::wstring KestrinClipExePath() { return WindowsPath(KESTRIN_CLIP_EXE); }

std::wstring WindowText(HWND window)
{
    // WM_GETTEXT reaches into another process's window; GetWindowText would not
    // for controls.
    LRESULT length = SendMessageW(window, WM_GETTEXTLENGTH, 0, 0);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    LRESULT got = SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(std::max<LRESULT>(got, 0)));
    return text;
}

std::wstring WindowClass(HWND window)
{
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    return name;
}

RECT RectInParent(HWND window)
{
    RECT r{};
    GetWindowRect(window, &r);
    MapWindowPoints(HWND_DESKTOP, GetParent(window), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

bool IsChecked(HWND button) { return SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED; }

TRunResult RunProgram(const std::wstring& program, const std::wstring& arguments, TDuration timeout)
{
    SECURITY_ATTRIBUTES sa{sizeof(sa), nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &sa, 0))
        throw std::runtime_error("CreatePipe failed");
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);

    STARTUPINFOW si{};
    si.cb = sizeof(si);
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    si.hStdOutput = writeEnd;
    si.hStdError = writeEnd;
    PROCESS_INFORMATION pi{};
    std::wstring commandLine = Quoted(program) + L" " + arguments;
    BOOL started = CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                                  &si, &pi);
    CloseHandle(writeEnd);
    if (!started) {
        CloseHandle(readEnd);
        throw std::runtime_error("cannot start " + Narrow(program));
    }
    // Read while it runs and once more after it has ended; the pipe's end may
    // never come, as Wine's desktop process, when the program starts it, keeps
    // the program's output.
    TRunResult result;
    auto drain = [&] {
        char buffer[4096];
        DWORD available = 0;
        while (PeekNamedPipe(readEnd, nullptr, 0, nullptr, &available, nullptr) && available > 0) {
            DWORD got = 0;
            if (!ReadFile(readEnd, buffer, std::min<DWORD>(available, sizeof buffer), &got, nullptr) || got == 0)
                break;
            result.Output.append(buffer, got);
        }
    };
    const auto deadline = TClock::now() + timeout;
    bool ended = false;
    while (!ended && TClock::now() < deadline) {
        ended = WaitForSingleObject(pi.hProcess, 10) == WAIT_OBJECT_0;
        drain();
    }
    CloseHandle(readEnd);
    if (!ended) {
        TerminateProcess(pi.hProcess, 99);
        WaitForSingleObject(pi.hProcess, 5000);
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
        throw std::runtime_error(Narrow(program) + " did not end");
    }
    GetExitCodeProcess(pi.hProcess, &result.ExitCode);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return result;
}

TRunResult RunClip(const std::wstring& arguments) { return RunProgram(KestrinClipExePath(), arguments); }

bool WaitUntil(const std::function<bool()>& condition, TDuration timeout)
{
    const auto deadline = TClock::now() + timeout;
    while (!condition()) {
        if (TClock::now() >= deadline)
            return false;
        Sleep(10);
    }
    return true;
}

HWND ChildWithId(HWND parent, int id, const wchar_t* className)
{
    for (HWND child = FindWindowExW(parent, nullptr, className, nullptr); child;
         child = FindWindowExW(parent, child, className, nullptr))
        if (GetDlgCtrlID(child) == id)
            return child;
    return nullptr;
}

HWND FileNameBox(HWND dialog)
{
    HWND comboEx = ChildWithId(dialog, 1148, L"ComboBoxEx32");
    HWND combo = comboEx ? ChildWithId(comboEx, 1148, L"ComboBox") : nullptr;
    if (HWND edit = combo ? ChildWithId(combo, 1148, L"Edit") : nullptr)
        return edit;
    return ChildWithId(dialog, 1152, L"Edit");
}

std::string Utf8(const std::wstring& text)
{
    if (text.empty())
        return {};
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                                         nullptr);
    std::string result(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(), size, nullptr, nullptr);
    return result;
}

void PutOnClipboard(const std::vector<uint8_t>& bytes, UINT format, bool withText)
{
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    if (!memory)
        throw std::runtime_error("GlobalAlloc failed");
    if (!bytes.empty()) {
        void* p = GlobalLock(memory);
        if (!p) {
            GlobalFree(memory);
            throw std::runtime_error("GlobalLock failed");
        }
        std::memcpy(p, bytes.data(), bytes.size());
        GlobalUnlock(memory);
    }
    for (int attempt = 0; attempt < 100; ++attempt) {
        if (OpenClipboard(nullptr)) {
            EmptyClipboard();
            if (!SetClipboardData(format, memory))
                GlobalFree(memory);
            if (withText) {
                static const wchar_t text[] = L"AVWmrnd0";
                if (HGLOBAL t = GlobalAlloc(GMEM_MOVEABLE, sizeof text)) {
                    if (void* p = GlobalLock(t)) {
                        std::memcpy(p, text, sizeof text);
                        GlobalUnlock(t);
                    }
                    if (!SetClipboardData(CF_UNICODETEXT, t))
                        GlobalFree(t);
                }
            }
            CloseClipboard();
            return;
        }
        Sleep(20);
    }
    GlobalFree(memory);
    throw std::runtime_error("the clipboard stays busy");
}

std::vector<uint8_t> ReadClipboard(UINT format)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        if (OpenClipboard(nullptr)) {
            std::vector<uint8_t> bytes;
            if (HANDLE data = GetClipboardData(format)) {
                if (const void* p = GlobalLock(data)) {
                    bytes.assign(static_cast<const uint8_t*>(p), static_cast<const uint8_t*>(p) + GlobalSize(data));
                    GlobalUnlock(data);
                }
            }
            CloseClipboard();
            return bytes;
        }
        Sleep(20);
    }
    throw std::runtime_error("the clipboard stays busy");
}

void ClearClipboard()
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        if (OpenClipboard(nullptr)) {
            EmptyClipboard();
            CloseClipboard();
            return;
        }
        Sleep(20);
    }
    throw std::runtime_error("the clipboard stays busy");
}

std::vector<UINT> ClipboardFormats()
{
    std::vector<UINT> formats;
    for (int attempt = 0; attempt < 100; ++attempt) {
        if (OpenClipboard(nullptr)) {
            for (UINT f = EnumClipboardFormats(0); f != 0; f = EnumClipboardFormats(f))
                formats.push_back(f);
            CloseClipboard();
            return formats;
        }
        Sleep(20);
    }
    throw std::runtime_error("the clipboard stays busy");
}

TKestrin::TKestrin(int showCommand, const std::wstring& arguments, const std::wstring& workDir)
{
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    if (showCommand >= 0) {
        si.dwFlags = STARTF_USESHOWWINDOW;
        si.wShowWindow = static_cast<WORD>(showCommand);
    }
    std::wstring program = KestrinExePath();
    std::wstring commandLine = Quoted(program) + (arguments.empty() ? L"" : L" " + arguments);
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        workDir.empty() ? nullptr : workDir.c_str(), &si, &info_))
        throw std::runtime_error("cannot start " + Narrow(program));
}

TKestrin::~TKestrin()
{
    if (Running()) {
        // Close whatever box is open, then the window; kill only as a last resort.
        for (int i = 0; i < 5; ++i) {
            auto box = WaitForMessageBox(0ms);
            if (!box)
                break;
            PostMessageW(box->Window, WM_COMMAND, IDOK, 0);
            Sleep(50);
        }
        if (main_ && IsWindow(main_))
            PostMessageW(main_, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(info_.hProcess, 5000) != WAIT_OBJECT_0) {
            TerminateProcess(info_.hProcess, 98);
            WaitForSingleObject(info_.hProcess, 5000);
        }
    }
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
}

bool TKestrin::Running() const { return WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT; }

std::optional<DWORD> TKestrin::WaitForExit(TDuration timeout)
{
    if (WaitForSingleObject(info_.hProcess, static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0)
        return std::nullopt;
    DWORD code = 0;
    GetExitCodeProcess(info_.hProcess, &code);
    return code;
}

std::vector<HWND> TKestrin::TopLevel(const wchar_t* className, bool visibleOnly) const
{
    TEnumState state;
    state.Pid = info_.dwProcessId;
    state.ClassName = className;
    state.VisibleOnly = visibleOnly;
    EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&state));
    return state.Found;
}

HWND TKestrin::WaitForVisible(const wchar_t* className, TDuration timeout) const
{
    const auto deadline = TClock::now() + timeout;
    for (;;) {
        const std::vector<HWND> found = TopLevel(className, true);
        if (!found.empty())
            return found.front();
        if (TClock::now() >= deadline)
            return nullptr;
        Sleep(10);
    }
}

HWND TKestrin::WaitForMainWindow(TDuration timeout)
{
    // The program is idle once its start-up has run (also with its window hidden).
    WaitForInputIdle(info_.hProcess, static_cast<DWORD>(timeout.count()));
    auto deadline = TClock::now() + timeout;
    do {
        const std::vector<HWND> found = TopLevel(L"Kestrin Main Form", false);
        if (!found.empty()) {
            main_ = found.front();
            return main_;
        }
        if (!Running())
            return nullptr;
        Sleep(10);
    } while (TClock::now() < deadline);
    return nullptr;
}

std::vector<HWND> TKestrin::FindAll(const std::wstring& className, const std::wstring& text, HWND parent) const
{
    std::vector<HWND> found;
    for (HWND w : Descendants(parent ? parent : main_))
        if ((className.empty() || SameClass(WindowClass(w), className)) && WindowText(w) == text)
            found.push_back(w);
    return found;
}

HWND TKestrin::Find(const std::wstring& className, const std::wstring& text, HWND parent) const
{
    auto found = FindAll(className, text, parent);
    if (found.size() != 1)
        throw std::runtime_error("expected one " + Narrow(className) + " \"" + Narrow(text) + "\", found " +
                                 std::to_string(found.size()));
    return found.front();
}

HWND TKestrin::Button(const std::wstring& caption) const
{
    for (HWND w : FindAll(L"Button", caption))
        if (GetParent(w) == main_)
            return w;
    throw std::runtime_error("no button \"" + Narrow(caption) + "\" on the main window");
}

HWND TKestrin::FindAt(const std::wstring& className, int left, int top, HWND parent) const
{
    HWND within = parent ? parent : main_;
    for (HWND w : Descendants(within)) {
        if (GetParent(w) != within || (!className.empty() && !SameClass(WindowClass(w), className)))
            continue;
        RECT r = RectInParent(w);
        if (r.left == left && r.top == top)
            return w;
    }
    throw std::runtime_error("no " + Narrow(className) + " at " + std::to_string(left) + ", " + std::to_string(top));
}

void TKestrin::Settle()
{
    // Sent messages are handled before posted ones, and also while a handler waits
    // on another thread, so one round trip proves little: a few rounds with a
    // pause let what was posted before run to its end (or into a modal box).
    for (int i = 0; i < 3; ++i) {
        DWORD_PTR result = 0;
        SendMessageTimeoutW(main_, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &result);
        Sleep(15);
    }
}

void TKestrin::Click(HWND button)
{
    PostMessageW(button, BM_CLICK, 0, 0);
    Settle();
}

namespace {

// Sends input events; a short count means the system refused them.
void Send(std::vector<INPUT> input)
{
    if (SendInput(static_cast<UINT>(input.size()), input.data(), sizeof(INPUT)) != input.size())
        throw std::runtime_error("SendInput failed");
}

// A mouse event at a point of the screen (absolute, normalised to 0..65535).
INPUT MouseAt(POINT screen, DWORD flags)
{
    INPUT input{};
    input.type = INPUT_MOUSE;
    const int width = std::max(GetSystemMetrics(SM_CXSCREEN) - 1, 1);
    const int height = std::max(GetSystemMetrics(SM_CYSCREEN) - 1, 1);
    input.mi.dx = static_cast<LONG>(MulDiv(screen.x, 65535, width));
    input.mi.dy = static_cast<LONG>(MulDiv(screen.y, 65535, height));
    input.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    return input;
}

INPUT Key(WORD key, WORD scan, DWORD flags)
{
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.wScan = scan;
    input.ki.dwFlags = flags;
    return input;
}

}  // namespace

void TKestrin::MouseClickAt(HWND window, int x, int y) { MouseDrag(window, {{x, y}}, true, false); }

void TKestrin::RightClickAt(HWND window, int x, int y) { MouseDrag(window, {{x, y}}, false, true); }

void TKestrin::MouseDrag(HWND window, const std::vector<POINT>& path, bool left, bool right)
{
    if (path.empty())
        return;
    if (GetForegroundWindow() != main_) {
        SetForegroundWindow(main_);
        Settle();
    }
    std::vector<POINT> screen = path;
    for (POINT& p : screen)
        ClientToScreen(window, &p);
    SetCursorPos(screen.front().x, screen.front().y);
    const DWORD down = (left ? MOUSEEVENTF_LEFTDOWN : 0) | (right ? MOUSEEVENTF_RIGHTDOWN : 0);
    const DWORD up = (left ? MOUSEEVENTF_LEFTUP : 0) | (right ? MOUSEEVENTF_RIGHTUP : 0);
    Send({MouseAt(screen.front(), down)});
    // Moves that come faster than the program takes them are merged into one;
    // a short pause lets each reach its cell.
    for (size_t i = 1; i < screen.size(); ++i) {
        Sleep(15);
        Send({MouseAt(screen[i], 0)});
    }
    Send({MouseAt(screen.back(), up)});
    Settle();
}

void TKestrin::TypeText(const std::wstring& text)
{
    SetForegroundWindow(main_);
    std::vector<INPUT> input;
    for (wchar_t c : text) {
        input.push_back(Key(0, c, KEYEVENTF_UNICODE));
        input.push_back(Key(0, c, KEYEVENTF_UNICODE | KEYEVENTF_KEYUP));
    }
    if (!input.empty())
        Send(std::move(input));
    Settle();
}

void TKestrin::PressKey(WORD key)
{
    SetForegroundWindow(main_);
    Send({Key(key, 0, 0), Key(key, 0, KEYEVENTF_KEYUP)});
    Settle();
}

COLORREF TKestrin::ScreenPixel(HWND window, int x, int y) const
{
    POINT p{x, y};
    ClientToScreen(window, &p);
    HDC screen = GetDC(nullptr);
    const COLORREF color = GetPixel(screen, p.x, p.y);
    ReleaseDC(nullptr, screen);
    return color;
}

std::optional<TMessageBox> TKestrin::WaitForMessageBox(TDuration timeout) const
{
    TMessageBox box;
    box.Window = WaitForVisible(L"#32770", timeout);
    if (!box.Window)
        return std::nullopt;
    box.Caption = WindowText(box.Window);
    if (HWND text = GetDlgItem(box.Window, 0xFFFF))
        box.Text = WindowText(text);
    // The icon's static holds no icon when the box has none. The handle
    // itself means nothing in this process.
    HWND icon = GetDlgItem(box.Window, 0x440);
    box.HasIcon = icon != nullptr && SendMessageW(icon, STM_GETICON, 0, 0) != 0;
    return box;
}

void TKestrin::Answer(const TMessageBox& box)
{
    HWND ok = GetDlgItem(box.Window, IDOK);
    if (ok && SameClass(WindowClass(ok), L"Button"))
        PostMessageW(ok, BM_CLICK, 0, 0);
    else
        PostMessageW(box.Window, WM_COMMAND, IDOK, 0);
    auto deadline = TClock::now() + 5s;
    while (IsWindow(box.Window) && TClock::now() < deadline)
        Sleep(5);
    if (IsWindow(box.Window))
        throw std::runtime_error("the message box did not close");
    Settle();
}

HWND TKestrin::TrayIconWindow() const
{
    for (HWND window : TopLevel(L"TUtilityWindow", false)) {
        // The shell changes nothing for a modify without flags, but answers
        // whether it knows an icon of that window.
        NOTIFYICONDATAW data{};
        data.cbSize = sizeof data;
        data.hWnd = window;
        if (Shell_NotifyIconW(NIM_MODIFY, &data))
            return window;
    }
    return nullptr;
}

void TKestrin::MouseOnTrayIcon(UINT mouseMessage)
{
    HWND window = TrayIconWindow();
    if (!window)
        throw std::runtime_error("Kestrin shows no tray icon");
    PostMessageW(window, WM_USER, 0, static_cast<LPARAM>(mouseMessage));
    Settle();
}

HWND TKestrin::WaitForPopupMenu(TDuration timeout) const { return WaitForVisible(L"#32768", timeout); }

bool TKestrin::WaitForText(HWND window, const std::wstring& text, TDuration timeout) const
{
    auto deadline = TClock::now() + timeout;
    while (WindowText(window) != text) {
        if (TClock::now() >= deadline)
            return false;
        Sleep(10);
    }
    return true;
}

void TKestrin::SetText(HWND window, const std::wstring& text)
{
    SendMessageW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    Settle();
}

bool TKestrin::Pick(HWND combo, const std::wstring& entry)
{
    const LRESULT index = SendMessageW(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                       reinterpret_cast<LPARAM>(entry.c_str()));
    if (index == CB_ERR)
        return false;
    SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    const int id = GetDlgCtrlID(combo);
    PostMessageW(GetParent(combo), WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
    Settle();
    return true;
}

}  // namespace e2e
