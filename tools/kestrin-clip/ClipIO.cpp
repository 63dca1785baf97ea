#include "tools/kestrin-clip/ClipIO.h"

#include <algorithm>
#include <cstring>
#include <cwchar>
#include <utility>

#include "framework/Clipboard.h"
#include "framework/CodePage.h"
#include "framework/Exceptions.h"
#include "framework/OSError.h"
#include "framework/ScopeGuards.h"
#include "object/ClipboardExchange.h"

namespace {

// A file handle with one owner.
class TFileHandle {
public:
    explicit TFileHandle(HANDLE h) : h_(h) {}
    ~TFileHandle() { Close(); }
    TFileHandle(const TFileHandle&) = delete;
    TFileHandle& operator=(const TFileHandle&) = delete;
    HANDLE Get() const { return h_; }
    bool Valid() const { return h_ != INVALID_HANDLE_VALUE; }
    // Closes now, so that a failed close is seen; raises EOSError then.
    void CloseChecked()
    {
        HANDLE h = std::exchange(h_, INVALID_HANDLE_VALUE);
        if (h != INVALID_HANDLE_VALUE && !CloseHandle(h))
            RaiseLastOSError();
    }

private:
    void Close()
    {
        if (h_ != INVALID_HANDLE_VALUE)
            CloseHandle(h_);
        h_ = INVALID_HANDLE_VALUE;
    }
    HANDLE h_;
};

std::wstring FullPath(const std::wstring& name)
{
    DWORD size = GetFullPathNameW(name.c_str(), 0, nullptr, nullptr);
    for (;;) {
        if (size == 0)
            RaiseLastOSError();
        std::wstring full(size, L'\0');
        const DWORD got = GetFullPathNameW(name.c_str(), size, full.data(), nullptr);
        if (got == 0)
            RaiseLastOSError();
        if (got < size) {
            full.resize(got);
            return full;
        }
        size = got;  // the name grew between the calls; ask again
    }
}

const wchar_t* StandardFormatName(UINT format)
{
    switch (format) {
    case CF_TEXT: return L"CF_TEXT";
    case CF_BITMAP: return L"CF_BITMAP";
    case CF_METAFILEPICT: return L"CF_METAFILEPICT";
    case CF_SYLK: return L"CF_SYLK";
    case CF_DIF: return L"CF_DIF";
    case CF_TIFF: return L"CF_TIFF";
    case CF_OEMTEXT: return L"CF_OEMTEXT";
    case CF_DIB: return L"CF_DIB";
    case CF_PALETTE: return L"CF_PALETTE";
    case CF_PENDATA: return L"CF_PENDATA";
    case CF_RIFF: return L"CF_RIFF";
    case CF_WAVE: return L"CF_WAVE";
    case CF_UNICODETEXT: return L"CF_UNICODETEXT";
    case CF_ENHMETAFILE: return L"CF_ENHMETAFILE";
    case CF_HDROP: return L"CF_HDROP";
    case CF_LOCALE: return L"CF_LOCALE";
    case CF_DIBV5: return L"CF_DIBV5";
    default: return nullptr;
    }
}

}  // namespace

std::wstring Widen(std::string_view ascii)
{
    return std::wstring(ascii.begin(), ascii.end());
}

UINT RegisterMapEditorFormat(const std::wstring& number)
{
    // The same name, in the same code page, as Kestrin registers.
    const UINT format = RegisterClipboardFormatName(ClipboardFormatName(number));
    if (format == 0)
        throw Exception(L"the system refused to register the format \"" + Widen(kClipboardFormatPrefix) +
                        number + L"\"");
    return format;
}

void PutBlock(UINT format, std::span<const uint8_t> bytes)
{
    // The map editor's flags; the block is freed by its owner unless the clipboard takes it.
    TGlobalMemory block(bytes.size(), GMEM_MOVEABLE | GMEM_DDESHARE);
    if (!bytes.empty()) {
        TGlobalLock lock(block.Get());
        if (lock.Size() < bytes.size())
            throw Exception(L"the system gave a smaller memory block than asked for");
        std::memcpy(lock.Data(), bytes.data(), bytes.size());
    }
    TClipboardSession clipboard;
    clipboard.Clear();
    clipboard.SetAsHandle(format, block);
}

std::vector<uint8_t> GetBlock(UINT format, const std::wstring& formatName)
{
    TClipboardSession clipboard;
    if (!clipboard.HasFormat(format)) {
        if (CountClipboardFormats() == 0)
            throw Exception(L"the clipboard is empty");
        throw Exception(L"the clipboard holds no block in the format \"" + formatName + L"\"");
    }
    HANDLE data = clipboard.GetAsHandle(format);
    if (!data)
        RaiseLastOSError();
    SetLastError(ERROR_SUCCESS);
    const SIZE_T size = GlobalSize(data);
    if (size == 0) {
        if (const DWORD error = GetLastError(); error != ERROR_SUCCESS)
            RaiseOSError(error);
        return {};
    }
    TGlobalLock lock(data);
    const auto bytes = lock.Bytes();
    return std::vector<uint8_t>(bytes.begin(), bytes.end());
}

std::vector<std::pair<UINT, std::wstring>> ClipboardFormats()
{
    TClipboardSession clipboard;
    std::vector<std::pair<UINT, std::wstring>> out;
    for (const UINT format : clipboard.Formats()) {
        std::wstring name;
        if (const wchar_t* standard = StandardFormatName(format)) {
            name = standard;
        } else {
            wchar_t buffer[1024];
            const int length = GetClipboardFormatNameW(format, buffer, 1024);
            name = length > 0 ? std::wstring(buffer, static_cast<std::size_t>(length))
                              : L"#" + std::to_wstring(format);
        }
        out.emplace_back(format, std::move(name));
    }
    return out;
}

void WriteWholeFile(const std::wstring& fileName, std::span<const uint8_t> bytes)
{
    const std::wstring target = FullPath(fileName);
    const std::size_t slash = target.find_last_of(L"\\/");
    const std::wstring folder = slash == std::wstring::npos ? std::wstring(L".") : target.substr(0, slash + 1);

    // Temporary names of the form "kclXXXX.tmp"; GetTempFileNameW creates the file.
    std::wstring temp(std::max<std::size_t>(MAX_PATH, folder.size() + 32), L'\0');
    if (!GetTempFileNameW(folder.c_str(), L"kcl", 0, temp.data()))
        RaiseLastOSError();
    temp.resize(wcslen(temp.c_str()));

    // On failure only; declared before the file, so the file is closed first.
    TScopeExit removeTemp([&] { DeleteFileW(temp.c_str()); });
    TFileHandle file(CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid())
        RaiseLastOSError();
    std::size_t done = 0;
    while (done < bytes.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 20));
        DWORD written = 0;
        if (!WriteFile(file.Get(), bytes.data() + done, chunk, &written, nullptr))
            RaiseLastOSError();
        if (written != chunk)
            RaiseOSError(ERROR_WRITE_FAULT);  // a short write is never success
        done += written;
    }
    Win32Check(FlushFileBuffers(file.Get()));
    file.CloseChecked();
    Win32Check(MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH));
    removeTemp.Dismiss();
}

void WriteText(DWORD stdHandle, std::wstring_view text)
{
    HANDLE h = GetStdHandle(stdHandle);
    if (h == nullptr || h == INVALID_HANDLE_VALUE || text.empty())
        return;
    DWORD mode = 0;
    if (GetConsoleMode(h, &mode)) {
        std::size_t done = 0;
        while (done < text.size()) {
            DWORD written = 0;
            const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(text.size() - done, 8192));
            if (!WriteConsoleW(h, text.data() + done, chunk, &written, nullptr) || written == 0)
                RaiseLastOSError();
            done += written;
        }
        return;
    }
    const std::string utf8 = ToCodePage(text, CP_UTF8);
    std::size_t done = 0;
    while (done < utf8.size()) {
        DWORD written = 0;
        if (!WriteFile(h, utf8.data() + done, static_cast<DWORD>(utf8.size() - done), &written, nullptr) ||
            written == 0)
            RaiseLastOSError();
        done += written;
    }
}
