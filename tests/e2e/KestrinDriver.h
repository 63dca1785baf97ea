#pragma once
// Drives Kestrin.exe from outside, as a user and the map editor would: starts the
// program as its own process, finds its window and controls, clicks buttons with
// posted messages, answers its message boxes, and runs kestrin-clip.
#include <windows.h>
#include <shellapi.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace e2e {

using namespace std::chrono_literals;
using TDuration = std::chrono::milliseconds;

// Where the programs under test are (Windows paths; built in by the build).
std::wstring KestrinExePath();
std::wstring KestrinClipExePath();

// The text of any window of any process.
std::wstring WindowText(HWND window);
std::wstring WindowClass(HWND window);
// The window's rectangle in its parent's client coordinates.
RECT RectInParent(HWND window);
bool IsChecked(HWND button);

// A message box shown by the program.
struct TMessageBox {
    HWND Window = nullptr;
    std::wstring Caption;
    std::wstring Text;
    bool HasIcon = false;  // an icon is shown (which one cannot be read from outside)
};

// The output and exit status of a console program.
struct TRunResult {
    DWORD ExitCode = 0;
    std::string Output;  // stdout and stderr together
};
// Runs program with arguments (quoted by the caller where needed) and waits.
TRunResult RunProgram(const std::wstring& program, const std::wstring& arguments, TDuration timeout = 20s);
// Runs kestrin-clip with arguments.
TRunResult RunClip(const std::wstring& arguments);

// Polls until condition holds; false when the time is up. For what follows a
// handler that waits on another process (the shell): while it waits it answers
// sent messages, so Settle may return before the handler is done.
bool WaitUntil(const std::function<bool()>& condition, TDuration timeout = 3s);

// The child of parent with the control id and window class; null when none.
HWND ChildWithId(HWND parent, int id, const wchar_t* className);
// The file name box of an open or save dialog (the newer dialog nests it in a
// combo box; the older one has a plain edit), or null for another kind of box.
HWND FileNameBox(HWND dialog);

// UTF-8 for printing.
std::string Utf8(const std::wstring& text);

// Puts bytes on the clipboard under format as the map editor does (with some
// text beside them when withText).
void PutOnClipboard(const std::vector<uint8_t>& bytes, UINT format, bool withText = false);
// The bytes the clipboard holds in the format; nothing when it has none.
std::vector<uint8_t> ReadClipboard(UINT format);

// Empties the clipboard (so a test starts from nothing).
void ClearClipboard();
// The formats the clipboard offers now.
std::vector<UINT> ClipboardFormats();

// One running Kestrin.exe. The destructor closes it (and kills it if it hangs).
class TKestrin {
public:
    // Starts Kestrin. showCommand < 0 passes no show command; otherwise it goes
    // in STARTUPINFO with STARTF_USESHOWWINDOW. workDir empty: the test's own.
    explicit TKestrin(int showCommand = -1, const std::wstring& arguments = L"", const std::wstring& workDir = L"");
    ~TKestrin();
    TKestrin(const TKestrin&) = delete;
    TKestrin& operator=(const TKestrin&) = delete;

    DWORD ProcessId() const { return info_.dwProcessId; }
    bool Running() const;
    // Waits for the process to end; its exit code, or nothing on time-out.
    std::optional<DWORD> WaitForExit(TDuration timeout);

    // The window of class "Kestrin Main Form" that this process made (visible or
    // not), waiting up to timeout; null when none came.
    HWND WaitForMainWindow(TDuration timeout = 10s);
    HWND MainWindow() const { return main_; }

    // Descendants of parent (the main window when null) with the class (compared
    // without case; empty = any) and exact text.
    std::vector<HWND> FindAll(const std::wstring& className, const std::wstring& text, HWND parent = nullptr) const;
    // The one such control; throws std::runtime_error when there is none or more.
    HWND Find(const std::wstring& className, const std::wstring& text, HWND parent = nullptr) const;
    // The control of the class (empty = any) whose top-left corner in its parent's client area is
    // (left, top), among the children of parent.
    HWND FindAt(const std::wstring& className, int left, int top, HWND parent = nullptr) const;
    // A button of the main window itself by caption.
    HWND Button(const std::wstring& caption) const;

    // Posts a click to a button and waits until the program has handled it (or
    // shows a modal box because of it).
    void Click(HWND button);
    // Clicks the left mouse button at (x, y) of window's client area through the
    // system's input, as a user's hand would, and waits until it was handled.
    void MouseClickAt(HWND window, int x, int y);
    // The same with the right button.
    void RightClickAt(HWND window, int x, int y);
    // Presses the buttons (left, right or both) at the first point of path in
    // window's client area, moves through the others and lets go at the last.
    void MouseDrag(HWND window, const std::vector<POINT>& path, bool left, bool right);
    // Types text into whatever has the keyboard focus, as the keyboard would
    // (Unicode key events), with the main window in front.
    void TypeText(const std::wstring& text);
    // Presses and releases one key (a virtual key code).
    void PressKey(WORD key);
    // The colour the screen shows at (x, y) of window's client area.
    COLORREF ScreenPixel(HWND window, int x, int y) const;
    // Waits until the program has handled everything posted before this call.
    void Settle();

    // The first visible message box of the process, waiting up to timeout.
    std::optional<TMessageBox> WaitForMessageBox(TDuration timeout = 3s) const;
    // Presses OK on the box and waits until it is gone.
    void Answer(const TMessageBox& box);

    // The program's hidden window that has an icon in the notification area (the
    // shell is asked), or null when it shows none.
    HWND TrayIconWindow() const;
    // Does to the tray icon what the shell does when the mouse acts on it: posts
    // the mouse message (WM_LBUTTONDOWN, WM_RBUTTONUP, ...) to its window.
    void MouseOnTrayIcon(UINT mouseMessage);
    // The program's open popup menu, waiting up to timeout; null when none came.
    HWND WaitForPopupMenu(TDuration timeout = 3s) const;

    // Waits until the window shows text; false on time-out.
    bool WaitForText(HWND window, const std::wstring& text, TDuration timeout = 2s) const;

    // Sets the text of an edit or combo box as a user edit would leave it.
    void SetText(HWND window, const std::wstring& text);
    // Picks the entry with exactly this text from a combo box's list, as a click
    // in the open list does (the box reports the new selection to its parent).
    // False when the list has no such entry.
    bool Pick(HWND combo, const std::wstring& entry);
    // The program's top-level windows of the class (only visible ones if asked).
    std::vector<HWND> TopLevel(const wchar_t* className, bool visibleOnly) const;

private:
    // The first visible one of the class, waiting up to timeout; null when none came.
    HWND WaitForVisible(const wchar_t* className, TDuration timeout) const;

    PROCESS_INFORMATION info_{};
    HWND main_ = nullptr;
};

}  // namespace e2e
