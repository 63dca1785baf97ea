#include "framework/Dialogs.h"

#include <cderr.h>
#include <commdlg.h>

#include <cwchar>

#include "framework/OSError.h"
#include "framework/SystemLibrary.h"

namespace {

// Room for the longest path the system allows, or for many names when several
// files may be chosen.
constexpr size_t kSingleBufferChars = 32768;
constexpr size_t kMultiBufferChars = 1u << 20;

// "Text|*.txt|All|*.*" as the system wants it: pairs ended by zeros, and an
// extra zero at the end. Pairs without a pattern are left out.
std::wstring SystemFilter(const std::wstring& filter)
{
    std::vector<std::wstring> parts;
    size_t start = 0;
    while (start <= filter.size()) {
        size_t bar = filter.find(L'|', start);
        if (bar == std::wstring::npos)
            bar = filter.size();
        parts.push_back(filter.substr(start, bar - start));
        start = bar + 1;
    }
    std::wstring result;
    for (size_t i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i + 1].empty())
            continue;
        result += parts[i];
        result += L'\0';
        result += parts[i + 1];
        result += L'\0';
    }
    if (!result.empty())
        result += L'\0';
    return result;
}

std::wstring DialogErrorText(DWORD code)
{
    const wchar_t* what = L"The file dialog failed";
    switch (code) {
    case FNERR_BUFFERTOOSMALL: what = L"Too many files were chosen"; break;
    case FNERR_INVALIDFILENAME: what = L"The file name is not valid"; break;
    case CDERR_MEMALLOCFAILURE:
    case CDERR_MEMLOCKFAILURE: what = L"Not enough memory for the file dialog"; break;
    default: break;
    }
    wchar_t code_text[32];
    std::swprintf(code_text, 32, L" (code 0x%04lX)", static_cast<unsigned long>(code));
    return std::wstring(what) + code_text;
}

std::wstring CurrentDirectory()
{
    std::wstring dir(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetCurrentDirectoryW(static_cast<DWORD>(dir.size()), dir.data());
        if (n == 0)
            return {};
        if (n < dir.size()) {
            dir.resize(n);
            return dir;
        }
        dir.resize(n);
    }
}

}  // namespace

DWORD OpenOptionsToFlags(TOpenOptions options)
{
    static constexpr struct {
        TOpenOption option;
        DWORD flag;
    } kMap[] = {
        {ofReadOnly, OFN_READONLY},
        {ofOverwritePrompt, OFN_OVERWRITEPROMPT},
        {ofHideReadOnly, OFN_HIDEREADONLY},
        {ofNoChangeDir, OFN_NOCHANGEDIR},
        {ofShowHelp, OFN_SHOWHELP},
        {ofNoValidate, OFN_NOVALIDATE},
        {ofAllowMultiSelect, OFN_ALLOWMULTISELECT},
        {ofExtensionDifferent, OFN_EXTENSIONDIFFERENT},
        {ofPathMustExist, OFN_PATHMUSTEXIST},
        {ofFileMustExist, OFN_FILEMUSTEXIST},
        {ofCreatePrompt, OFN_CREATEPROMPT},
        {ofShareAware, OFN_SHAREAWARE},
        {ofNoReadOnlyReturn, OFN_NOREADONLYRETURN},
        {ofNoTestFileCreate, OFN_NOTESTFILECREATE},
        {ofNoNetworkButton, OFN_NONETWORKBUTTON},
        {ofNoDereferenceLinks, OFN_NODEREFERENCELINKS},
        {ofEnableSizing, OFN_ENABLESIZING},
        {ofDontAddToRecent, OFN_DONTADDTORECENT},
        {ofForceShowHidden, OFN_FORCESHOWHIDDEN},
    };
    DWORD flags = 0;
    for (const auto& entry : kMap)
        if (options & entry.option)
            flags |= entry.flag;
    return flags;
}

TOpenDialog::TOpenDialog(TComponent* owner) : TComponent(owner) {}

bool TOpenDialog::Execute(HWND owner)
{
    return DoExecute(false, owner);
}

bool TSaveDialog::Execute(HWND owner)
{
    return DoExecute(true, owner);
}

bool TOpenDialog::DoExecute(bool save, HWND owner)
{
    const bool multi = (options_ & ofAllowMultiSelect) != 0;
    std::vector<wchar_t> buffer(multi ? kMultiBufferChars : kSingleBufferChars, L'\0');
    if (fileName_.size() >= buffer.size())
        throw EComponentError(L"The file name is too long");
    std::wmemcpy(buffer.data(), fileName_.data(), fileName_.size());

    const std::wstring filter = SystemFilter(filter_);
    std::wstring defaultExt = defaultExt_;
    while (!defaultExt.empty() && defaultExt.front() == L'.')
        defaultExt.erase(0, 1);

    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filter.empty() ? nullptr : filter.c_str();
    ofn.nFilterIndex = filterIndex_ > 0 ? static_cast<DWORD>(filterIndex_) : 0;
    ofn.lpstrFile = buffer.data();
    ofn.nMaxFile = static_cast<DWORD>(buffer.size());
    ofn.lpstrTitle = title_.empty() ? nullptr : title_.c_str();
    ofn.lpstrDefExt = defaultExt.empty() ? nullptr : defaultExt.c_str();
    ofn.Flags = OFN_EXPLORER | OpenOptionsToFlags(options_ & ~ofExtensionDifferent);

    // Windows ignores the no-change-directory flag in the open dialog; the
    // current directory is put back here for both dialogs.
    const std::wstring keptDirectory = (options_ & ofNoChangeDir) ? CurrentDirectory() : std::wstring();
    using TFileDialog = BOOL WINAPI(OPENFILENAMEW*);
    using TDialogError = DWORD WINAPI();
    TFileDialog* const saveDialog = SystemFunction<TFileDialog>(L"comdlg32.dll", "GetSaveFileNameW");
    TFileDialog* const openDialog = SystemFunction<TFileDialog>(L"comdlg32.dll", "GetOpenFileNameW");
    TDialogError* const dialogError = SystemFunction<TDialogError>(L"comdlg32.dll", "CommDlgExtendedError");
    TFileDialog* const run = save ? saveDialog : openDialog;
    if (!run || !dialogError)
        RaiseLastOSError();
    const BOOL chosen = run(&ofn);
    if (!keptDirectory.empty())
        SetCurrentDirectoryW(keptDirectory.c_str());
    if (!chosen) {
        const DWORD error = dialogError();
        if (error != 0)
            throw ECommonDialogError(error, DialogErrorText(error));
        return false;
    }

    // One name, or (several chosen) the folder followed by the names, each ended
    // by a zero and the list by another.
    std::vector<std::wstring> files;
    const wchar_t* p = buffer.data();
    const wchar_t* end = buffer.data() + buffer.size();
    std::wstring first(p, wcsnlen(p, buffer.size()));
    p += first.size() + 1;
    if (multi && p < end && *p) {
        std::wstring folder = first;
        if (!folder.empty() && folder.back() != L'\\')
            folder += L'\\';
        while (p < end && *p) {
            const size_t n = wcsnlen(p, static_cast<size_t>(end - p));
            files.push_back(folder + std::wstring(p, n));
            p += n + 1;
        }
    } else {
        files.push_back(first);
    }
    files_ = std::move(files);
    fileName_ = files_.front();
    filterIndex_ = static_cast<int>(ofn.nFilterIndex);
    options_ &= ~(ofReadOnly | ofExtensionDifferent);
    if (ofn.Flags & OFN_READONLY)
        options_ |= ofReadOnly;
    if (ofn.Flags & OFN_EXTENSIONDIFFERENT)
        options_ |= ofExtensionDifferent;
    return true;
}
