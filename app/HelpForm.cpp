#include "app/HelpForm.h"

#include "controls/KdSpeedButton.h"
#include "controls/KdSysUtils.h"
#include "framework/Application.h"
#include "framework/Edits.h"
#include "framework/ScopeGuards.h"

namespace {

bool gHelpInRussian = false;

// The Russian help is written in code page 1251, the English one in the
// system's; the memo holds UTF-16, so either reads right on any system.
constexpr UINT kRussianCodePage = 1251;
// Far beyond any help text; a bigger file is not read into memory.
constexpr size_t kMaxHelpFileSize = 4u << 20;

bool FileExists(const wchar_t* name)
{
    const DWORD attributes = GetFileAttributesW(name);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

bool HelpInRussian() { return gHelpInRussian; }

void SetHelpInRussian(bool russian) { gHelpInRussian = russian; }

THelpForm::THelpForm(TComponent* owner, IHelpHost& host) : TForm(owner), host_(host)
{
    BuildDescription();
    // With neither file there, opening the English one reports what is missing.
    if (!LoadHelp())
        ShowText(ReadHelpFile(false), false);
}

THelpForm::~THelpForm() { Destroying(); }

bool THelpForm::LoadHelp()
{
    const bool english = FileExists(kHelpFileEnglish);
    const bool russian = FileExists(kHelpFileRussian);
    if (!english && !russian)
        return false;
    const bool showRussian = gHelpInRussian ? russian : !english;
    // Read first: a file that cannot be read leaves the window as it was.
    const std::wstring text = ReadHelpFile(showRussian);
    gHelpInRussian = showRussian;
    auto* ru = Control<TKdSpeedButton>(L"KdSpeedButton1");
    ru->SetDown(gHelpInRussian);
    if (!english || !russian)
        ru->SetEnabled(false);
    ShowText(text, gHelpInRussian);
    return true;
}

std::wstring THelpForm::ReadHelpFile(bool russian)
{
    return ReadTextFile(russian ? kHelpFileRussian : kHelpFileEnglish, russian ? kRussianCodePage : CP_ACP,
                        kMaxHelpFileSize);
}

void THelpForm::ShowText(const std::wstring& text, bool russian)
{
    auto* memo = Control<TMemo>(L"Memo1");
    memo->Lines()->SetText(text);
    memo->Font()->SetCharset(russian ? RUSSIAN_CHARSET : DEFAULT_CHARSET);
}

void THelpForm::KdSpeedButton1Click(TObject*)
{
    auto* ru = Control<TKdSpeedButton>(L"KdSpeedButton1");
    const bool before = gHelpInRussian;
    gHelpInRussian = ru->Down();
    // On failure the text shown stays, and so do the language and the button.
    TScopeExit keep([&] {
        gHelpInRussian = before;
        ru->SetDown(before);
    });
    const bool loaded = LoadHelp();
    keep.Dismiss();
    if (loaded)
        return;
    // Both files have gone since the window opened: the text shown stays, and
    // the button goes back to the language it shows.
    gHelpInRussian = !ru->Down();
    ru->SetDown(gHelpInRussian);
    ru->SetEnabled(false);
}

void THelpForm::Button1Click(TObject*) { Close(); }

void THelpForm::WndProc(TMessage& msg)
{
    if (msg.Msg == WM_SYSCOMMAND) {
        // The low four bits carry how the command was given; only the tray
        // step looks past them. Which way it goes, and the steps after it,
        // take the command exactly as it came.
        const WPARAM command = msg.WParam & 0xFFF0;
        if ((command == SC_MINIMIZE || command == SC_RESTORE) && host_.TrayIconChecked()) {
            msg.Result = 0;
            const bool show = msg.WParam == SC_RESTORE;
            SetVisible(show);
            host_.SetMainWindowVisible(show);
            // The main window shown last must not take the place of the open help.
            if (show)
                ShowForm();
            return;
        }
        if (msg.WParam == SC_MAXIMIZE) {
            msg.Result = 0;
            return;
        }
        if (msg.WParam == SC_MINIMIZE) {
            msg.Result = 0;
            Application->Minimize();
            return;
        }
    }
    TForm::WndProc(msg);
}
