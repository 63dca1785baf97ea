// The random user's runner: starts Kestrin in a scratch folder, runs the seeded
// actions, answers the message boxes it knows and fails on others, and checks
// every 100 actions that Kestrin answers and carries a known object through
// Paste and Copy byte for byte. The same seed gives the same run.
//   random-user.exe [--actions N] [--seed S] [--trace]   (--trace prints every action)
#include "tests/e2e/RandomUser.h"

#include <algorithm>
#include <cstdio>

#include "object/ClipboardExchange.h"

namespace e2e {
namespace {

using TClock = std::chrono::steady_clock;

constexpr int kCheckEvery = 100;
constexpr size_t kRingSize = 20;

// The messages Kestrin shows, reduced to a key for counting; empty for a box
// that is not one of them.
std::string KnownBox(const TMessageBox& box)
{
    static const wchar_t* const errors[] = {L"Wrong data", L"The clipboard is empty", L"The file contains wrong data"};
    if (box.Caption == L"Error") {
        for (const wchar_t* e : errors)
            if (box.Text == e)
                return Utf8(e);
        // The validation message: its parts in this order, joined by ", ".
        std::wstring rest = box.Text;
        bool any = false;
        for (const wchar_t* part : {L"Wrong Type", L"Wrong Subtype", L"Huge Picture Name"}) {
            const std::wstring p = (any ? L", " : L"") + std::wstring(part);
            if (rest.rfind(p, 0) == 0) {
                rest.erase(0, p.size());
                any = true;
            }
        }
        if (any && rest.empty())
            return Utf8(box.Text);
        return {};
    }
    const std::wstring replace = L" already exists.\r\nDo you want to replace it?";
    if (box.Caption == L"Confirm Save As" && box.Text.size() > replace.size() &&
        box.Text.compare(box.Text.size() - replace.size(), replace.size(), replace) == 0)
        return "<file> already exists. Do you want to replace it?";
    // The default error display: operating-system errors only.
    if (box.Caption == L"Kestrin") {
        const std::wstring head = L"System Error.  Code: ";
        if (box.Text.rfind(head, 0) == 0) {
            const size_t end = box.Text.find(L'\r');
            return Utf8(box.Text.substr(0, end));
        }
        if (box.Text.rfind(L"A call to an OS function failed", 0) == 0)
            return "A call to an OS function failed";
    }
    // The file dialogs' own warnings (a folder that is not there, ...).
    if (box.Caption == L"Save As" || box.Caption == L"Open")
        return Utf8(box.Caption) + " dialog: its own warning";
    return {};
}

}  // namespace

// Line breaks shown as "\r\n" so that a box's text stays on one line.
std::string OneLine(const std::wstring& text)
{
    std::string result;
    for (char c : Utf8(text.substr(0, 300)))
        result += c == '\r' ? std::string("\\r") : c == '\n' ? std::string("\\n") : std::string(1, c);
    return result;
}

UINT FormatOf(const std::wstring& number)
{
    return RegisterClipboardFormatA(ClipboardFormatName(number).c_str());
}

void TRandomUser::Note(const std::string& what)
{
    ring_.push_back(std::to_string(action_) + ": " + what);
    if (trace_) {
        std::printf("%s\n", ring_.back().c_str());
        std::fflush(stdout);
    }
    if (ring_.size() > kRingSize)
        ring_.pop_front();
}

void TRandomUser::Start()
{
    // The help texts beside the program go into the scratch folder, which is
    // Kestrin's current directory, so "Help" and "RU" have both languages.
    const std::wstring exe = KestrinExePath();
    const std::wstring folder = exe.substr(0, exe.find_last_of(L'\\') + 1);
    for (const wchar_t* name : {L"ReadMe.txt", L"ReadMeRU.txt"})
        CopyFileW((folder + name).c_str(), (dir_ / name).c_str(), FALSE);
    ClearClipboard();
    app_ = std::make_unique<TKestrin>(-1, L"", dir_.Path());
    main_ = app_->WaitForMainWindow();
    if (!main_)
        throw TFailure("Kestrin's main window did not appear");
    app_->Settle();
}

void TRandomUser::WaitGone(HWND window, const char* what)
{
    if (!WaitUntil([&] { return !IsWindow(window); }, 5s))
        throw TFailure(std::string(what) + " stays open");
    app_->Settle();
}

void TRandomUser::CancelFileDialog(HWND dialog)
{
    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    WaitGone(dialog, "the file dialog");
}

// Types path into the file dialog and presses its OK button. The dialog may
// stay with a warning of its own; that is answered and the dialog cancelled.
void TRandomUser::ChooseInFileDialog(HWND dialog, const std::wstring& path)
{
    SendMessageW(FileNameBox(dialog), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    PostMessageW(ChildWithId(dialog, IDOK, L"Button"), BM_CLICK, 0, 0);
    if (!WaitUntil([&] { return !IsWindow(dialog); }, 2s)) {
        HandleBoxes(0ms);
        if (IsWindow(dialog))
            CancelFileDialog(dialog);
    }
    app_->Settle();
}

// Answers every box that is open (a file dialog is cancelled); a box that is
// not one of Kestrin's fails the run.
void TRandomUser::HandleBoxes(TDuration wait)
{
    for (int round = 0; round < 20; ++round) {
        auto box = app_->WaitForMessageBox(round == 0 ? wait : 30ms);
        if (!box)
            return;
        if (FileNameBox(box->Window)) {
            ++boxes_["(a file dialog open again: cancelled)"];
            CancelFileDialog(box->Window);
            continue;
        }
        const std::string known = KnownBox(*box);
        if (known.empty())
            throw TFailure("unexpected message box \"" + Utf8(box->Caption) + "\": " + OneLine(box->Text));
        ++boxes_[known];
        if (box->Caption == L"Confirm Save As") {
            const bool yes = Chance(60);
            Note(yes ? "answer Yes" : "answer No");
            PostMessageW(box->Window, WM_COMMAND, yes ? IDYES : IDNO, 0);
            WaitGone(box->Window, "the question");
        } else {
            app_->Answer(*box);
        }
    }
    throw TFailure("message boxes keep coming");
}

void TRandomUser::ExpectNoBox(const char* after)
{
    if (auto box = app_->WaitForMessageBox(150ms))
        throw TFailure(std::string("a known object: after ") + after + " came \"" + Utf8(box->Caption) +
                       "\": " + OneLine(box->Text));
}

// Alive, answering, only known boxes, and a known object carried through Paste
// and Copy byte for byte.
void TRandomUser::Check()
{
    Note("check");
    if (!app_->Running())
        throw TFailure("Kestrin has ended");
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(main_, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &result))
        throw TFailure("Kestrin does not answer within 5 s");
    HandleBoxes(100ms);
    if (!IsWindowVisible(main_) || IsIconic(main_))
        throw TFailure("the main window is not shown");

    // The edition's format again, whatever was typed before.
    app_->SetText(Edit1(), L"28");
    app_->Click(app_->Button(L"Load Format"));
    ExpectNoBox("Load Format");

    size_t at = 0;
    const std::vector<uint8_t> block = GoodBlock(at);
    const UINT format = FormatOf(L"28");
    PutOnClipboard(block, format, false);

    app_->Click(PasteButton());
    ExpectNoBox("Paste");
    if (!IsWindowVisible(Group(L"Appearance")))
        throw TFailure("a known object: Paste did not show it");
    ClearClipboard();
    app_->Click(app_->Button(L"&Copy"));
    ExpectNoBox("Copy");
    const std::vector<uint8_t> copied = ReadClipboard(format);
    std::vector<uint8_t> expected = block;
    expected.resize(4096, 0);
    if (copied.size() != expected.size())
        throw TFailure("a known object: Copy gave " + std::to_string(copied.size()) + " bytes");
    const auto differ = std::mismatch(copied.begin(), copied.end(), expected.begin());
    if (differ.first != copied.end()) {
        const size_t i = static_cast<size_t>(differ.first - copied.begin());
        char text[120];
        std::snprintf(text, sizeof text, "a known object: byte %zu is 0x%02X, expected 0x%02X (name ends at %zu)", i,
                      copied[i], expected[i], at);
        throw TFailure(text);
    }
}

void TRandomUser::Step()
{
    static const std::vector<TKind> kinds = {
        {"paste", 8, &TRandomUser::Paste},
        {"copy", 5, &TRandomUser::Copy},
        {"click a control", 10, &TRandomUser::ClickControl},
        {"type into a box", 10, &TRandomUser::TypeIntoBox},
        {"keys in a type box", 6, &TRandomUser::ComboKeys},
        {"drag over the grid", 12, &TRandomUser::DragGrid},
        {"click the legend", 4, &TRandomUser::ClickLegend},
        {"click a terrain", 10, &TRandomUser::ClickTerrain},
        {"click a page", 5, &TRandomUser::ClickPage},
        {"switch the edition", 4, &TRandomUser::SwitchEdition},
        {"load an odd format", 3, &TRandomUser::LoadOddFormat},
        {"help", 2, &TRandomUser::UseHelp},
        {"tray icon", 2, &TRandomUser::ToggleTray},
        {"minimise and restore", 2, &TRandomUser::MinimiseAndRestore},
        {"save", 3, &TRandomUser::Save},
        {"load", 3, &TRandomUser::Load},
        {"clipboard block", 10, &TRandomUser::ClipboardBlock},
    };
    int total = 0;
    for (const TKind& k : kinds)
        total += k.Weight;
    int roll = Pick(total);
    for (const TKind& k : kinds) {
        if (roll < k.Weight) {
            ++kinds_[k.Name];
            current_ = k.Name;
            const auto begun = TClock::now();
            (this->*k.Act)();
            HandleBoxes(10ms);
            seconds_[k.Name] += std::chrono::duration<double>(TClock::now() - begun).count();
            return;
        }
        roll -= k.Weight;
    }
}

int TRandomUser::Run()
{
    std::printf("random-user: seed %u, %d actions\n", seed_, actions_);
    std::fflush(stdout);
    const auto started = TClock::now();
    std::string failure;
    try {
        Start();
        for (action_ = 1; action_ <= actions_; ++action_) {
            Step();
            if (action_ % kCheckEvery == 0 || action_ == actions_) {
                current_ = "check";
                Check();
            }
            if (action_ % 1000 == 0) {
                std::printf("%d actions, %.0f s\n", action_,
                            std::chrono::duration<double>(TClock::now() - started).count());
                std::fflush(stdout);
            }
        }
        action_ = actions_;
    } catch (const std::exception& e) {
        failure = e.what();
        // What failed is often only the sign of a program that is gone.
        if (app_ && !app_->Running())
            failure = "Kestrin has ended (exit code " + std::to_string(app_->WaitForExit(0ms).value_or(0)) +
                      "); then: " + failure;
    }
    const double seconds = std::chrono::duration<double>(TClock::now() - started).count();
    if (!failure.empty()) {
        std::printf("FAILURE at action %d (%s): %s\nlast actions:\n", action_, current_.c_str(), failure.c_str());
        for (const std::string& line : ring_)
            std::printf("  %s\n", line.c_str());
    }
    std::printf("seed: %u\nactions: %d of %d\n", seed_, std::min(action_, actions_), actions_);
    std::printf("actions by kind (count, seconds):\n");
    for (const auto& [kind, count] : kinds_)
        std::printf("  %6d  %7.1f  %s\n", count, seconds_[kind], kind.c_str());
    std::printf("message boxes by text:\n");
    for (const auto& [text, count] : boxes_)
        std::printf("  %6d  %s\n", count, text.c_str());
    std::printf("elapsed: %.1f s\nresult: %s\n", seconds, failure.empty() ? "PASS" : "FAIL");
    std::fflush(stdout);
    return failure.empty() ? 0 : 1;
}

}  // namespace e2e

int wmain(int argc, wchar_t** argv)
{
    int actions = 300;
    uint32_t seed = std::random_device{}();
    bool trace = false;
    for (int i = 1; i < argc; ++i) {
        const std::wstring option = argv[i];
        if (option == L"--trace") {
            trace = true;
            continue;
        }
        wchar_t* end = nullptr;
        const unsigned long value = i + 1 < argc ? std::wcstoul(argv[i + 1], &end, 10) : 0;
        if (!end || end == argv[i + 1] || *end != L'\0' || (option != L"--actions" && option != L"--seed")) {
            std::fprintf(stderr, "usage: random-user [--actions N] [--seed S] [--trace]\n");
            return 2;
        }
        ++i;
        if (option == L"--actions")
            actions = static_cast<int>(std::min(value, 10000000ul));
        else
            seed = static_cast<uint32_t>(value);
    }
    return e2e::TRandomUser(seed, actions, trace).Run();
}
