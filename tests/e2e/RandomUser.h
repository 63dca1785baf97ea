#pragma once
// A random user for Kestrin.exe: a seeded stream of clicks, keys, drags over the
// grid, file dialogs and blocks from the map editor on the clipboard, with checks
// every 100 actions. The runner and its checks are in RandomUser.cpp, the
// actions in RandomUserActions.cpp.
#include <windows.h>

#include <chrono>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "tests/e2e/KestrinDriver.h"
#include "tests/support/TempDir.h"

namespace e2e {

// A run stops at the first of these; the message says what was seen.
struct TFailure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// A box's text on one line (line breaks shown as "\r\n"), at most 300 characters.
std::string OneLine(const std::wstring& text);
// The map editor's clipboard format for a number text.
UINT FormatOf(const std::wstring& number);

class TRandomUser {
public:
    TRandomUser(uint32_t seed, int actions, bool trace) : seed_(seed), actions_(actions), trace_(trace), random_(seed)
    {
    }

    // Runs the actions with their checks and prints the summary; 0 on PASS.
    int Run();

private:
    using TAction = void (TRandomUser::*)();
    struct TKind {
        const char* Name;
        int Weight;
        TAction Act;
    };

    int Pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(random_); }
    int Between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
    bool Chance(int percent) { return Pick(100) < percent; }
    template <class T>
    const T& OneOf(const std::vector<T>& items) { return items[static_cast<size_t>(Pick(static_cast<int>(items.size())))]; }

    void Note(const std::string& what);
    void Start();
    void Step();
    void Check();
    void HandleBoxes(TDuration wait);
    void ExpectNoBox(const char* after);
    void WaitGone(HWND window, const char* what);
    void CancelFileDialog(HWND dialog);
    void ChooseInFileDialog(HWND dialog, const std::wstring& path);

    HWND Group(const wchar_t* caption) { return app_->Find(L"", caption); }
    HWND PasteButton() { return app_->FindAt(L"Button", 8, 40); }
    HWND Edit1() { return app_->FindAt(L"Edit", 182, 10); }
    HWND GridPanel() { return app_->FindAt(L"", 8, 88, Group(L"Properties")); }
    std::wstring RandomText();
    std::vector<uint8_t> GoodBlock(size_t& at);
    std::vector<uint8_t> RandomBlock();

    // The actions (RandomUserActions.cpp).
    void Paste();
    void Copy();
    void ClickControl();
    void TypeIntoBox();
    void ComboKeys();
    void DragGrid();
    void ClickLegend();
    void ClickTerrain();
    void ClickPage();
    void SwitchEdition();
    void LoadOddFormat();
    void UseHelp();
    void ToggleTray();
    void MinimiseAndRestore();
    void Save();
    void Load();
    void ClipboardBlock();

    const uint32_t seed_;
    const int actions_;
    const bool trace_;
    std::mt19937 random_;
    testfs::TTempDir dir_;
    std::unique_ptr<TKestrin> app_;
    HWND main_ = nullptr;
    int action_ = 0;
    std::string current_;  // the kind of action under way, or "check"
    std::deque<std::string> ring_;
    std::map<std::string, int> kinds_;
    std::map<std::string, int> boxes_;
    std::map<std::string, double> seconds_;  // time spent per kind of action
    std::vector<std::wstring> saved_;  // files the run has saved or written
};

}  // namespace e2e
