#include "framework/Clipboard.h"

#include <algorithm>
#include <cstring>
#include <cwchar>
#include <utility>

#include "framework/OSError.h"

// ---- TGlobalMemory ----

TGlobalMemory::TGlobalMemory(size_t size, UINT flags)
{
    handle_ = GlobalAlloc(flags, size);
    if (!handle_)
        RaiseLastOSError();
}

TGlobalMemory::~TGlobalMemory()
{
    if (handle_)
        GlobalFree(handle_);
}

TGlobalMemory::TGlobalMemory(TGlobalMemory&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}

TGlobalMemory& TGlobalMemory::operator=(TGlobalMemory&& other) noexcept
{
    if (this != &other) {
        if (handle_)
            GlobalFree(handle_);
        handle_ = std::exchange(other.handle_, nullptr);
    }
    return *this;
}

HGLOBAL TGlobalMemory::Release()
{
    return std::exchange(handle_, nullptr);
}

// ---- TGlobalLock ----

TGlobalLock::TGlobalLock(HGLOBAL block) : block_(block), data_(nullptr), size_(0)
{
    data_ = block ? GlobalLock(block) : nullptr;
    if (!data_)
        RaiseLastOSError();
    size_ = GlobalSize(block);
}

TGlobalLock::~TGlobalLock()
{
    GlobalUnlock(block_);
}

// ---- formats ----

UINT RegisterClipboardFormatName(std::string_view name)
{
    if (name.empty() || name.find('\0') != std::string_view::npos)
        return 0;
    const std::string text(name);
    return RegisterClipboardFormatA(text.c_str());
}

bool ClipboardHasFormat(UINT format)
{
    return format != 0 && IsClipboardFormatAvailable(format);
}

// ---- TClipboardSession ----

namespace {
// Open sessions of this thread; the clipboard is opened by the first.
thread_local int openSessions = 0;
}  // namespace

TClipboardSession::TClipboardSession(HWND owner)
{
    if (openSessions == 0) {
        // Another program may hold the clipboard for a moment (the map editor,
        // a clipboard viewer): try a few times before giving up.
        DWORD error = 0;
        bool opened = false;
        for (int attempt = 0; attempt < 10 && !opened; ++attempt) {
            if (attempt > 0)
                Sleep(10);
            opened = OpenClipboard(owner) != FALSE;
            if (!opened)
                error = GetLastError();
        }
        if (!opened)
            RaiseOSError(error);
    }
    ++openSessions;
}

TClipboardSession::~TClipboardSession()
{
    if (--openSessions == 0)
        CloseClipboard();
}

void TClipboardSession::Clear()
{
    Win32Check(EmptyClipboard());
}

std::vector<UINT> TClipboardSession::Formats() const
{
    std::vector<UINT> formats;
    SetLastError(ERROR_SUCCESS);
    for (UINT format = EnumClipboardFormats(0); format != 0; format = EnumClipboardFormats(format))
        formats.push_back(format);
    if (const DWORD error = GetLastError(); error != ERROR_SUCCESS)
        RaiseOSError(error);
    return formats;
}

HANDLE TClipboardSession::GetAsHandle(UINT format) const
{
    return format != 0 ? GetClipboardData(format) : nullptr;
}

void TClipboardSession::SetAsHandle(UINT format, HANDLE data)
{
    if (!SetClipboardData(format, data))
        RaiseLastOSError();
}

void TClipboardSession::SetAsHandle(UINT format, TGlobalMemory& block)
{
    SetAsHandle(format, static_cast<HANDLE>(block.Get()));
    block.Release();
}

std::vector<uint8_t> TClipboardSession::GetAsBytes(UINT format) const
{
    HANDLE data = GetAsHandle(format);
    if (!data || GlobalSize(data) == 0)
        return {};
    TGlobalLock lock(data);
    const auto bytes = lock.Bytes();
    return std::vector<uint8_t>(bytes.begin(), bytes.end());
}

void TClipboardSession::SetAsBytes(UINT format, std::span<const uint8_t> bytes)
{
    TGlobalMemory block(bytes.size());
    if (!bytes.empty()) {
        TGlobalLock lock(block.Get());
        std::memcpy(lock.Data(), bytes.data(), bytes.size());
    }
    SetAsHandle(format, block);
}

std::wstring TClipboardSession::AsText() const
{
    HANDLE data = GetAsHandle(CF_UNICODETEXT);
    if (!data)
        return {};
    TGlobalLock lock(data);
    const auto* chars = static_cast<const wchar_t*>(lock.Data());
    return std::wstring(chars, wcsnlen(chars, lock.Size() / sizeof(wchar_t)));
}

void TClipboardSession::SetAsText(std::wstring_view text)
{
    TGlobalMemory block((text.size() + 1) * sizeof(wchar_t));
    {
        TGlobalLock lock(block.Get());
        std::memcpy(lock.Data(), text.data(), text.size() * sizeof(wchar_t));
        static_cast<wchar_t*>(lock.Data())[text.size()] = L'\0';
    }
    SetAsHandle(CF_UNICODETEXT, block);
}
