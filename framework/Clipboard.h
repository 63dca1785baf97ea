#pragma once
// The system clipboard: a scoped open that always closes, the formats on offer,
// and owners for the global memory blocks that carry clipboard data.
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// A global memory block owned until it is released (to the clipboard).
class TGlobalMemory {
public:
    TGlobalMemory() = default;
    // Allocates size bytes (GMEM_MOVEABLE, zero-filled); raises EOSError on failure.
    explicit TGlobalMemory(size_t size, UINT flags = GMEM_MOVEABLE | GMEM_ZEROINIT);
    ~TGlobalMemory();
    TGlobalMemory(const TGlobalMemory&) = delete;
    TGlobalMemory& operator=(const TGlobalMemory&) = delete;
    TGlobalMemory(TGlobalMemory&& other) noexcept;
    TGlobalMemory& operator=(TGlobalMemory&& other) noexcept;

    HGLOBAL Get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    // Gives up ownership (the clipboard frees the block from now on).
    HGLOBAL Release();

private:
    HGLOBAL handle_ = nullptr;
};

// Locks a global memory block for one scope; raises EOSError when it cannot.
class TGlobalLock {
public:
    explicit TGlobalLock(HGLOBAL block);
    ~TGlobalLock();
    TGlobalLock(const TGlobalLock&) = delete;
    TGlobalLock& operator=(const TGlobalLock&) = delete;

    void* Data() const { return data_; }
    // The size of the block as the system reports it.
    size_t Size() const { return size_; }
    std::span<uint8_t> Bytes() const { return {static_cast<uint8_t*>(data_), size_}; }

private:
    HGLOBAL block_;
    void* data_;
    size_t size_;
};

// Registers a clipboard format by its 8-bit name; 0 on failure (an empty name,
// or a name the system refuses).
UINT RegisterClipboardFormatName(std::string_view name);
// True when the clipboard offers the format (no open needed).
bool ClipboardHasFormat(UINT format);

// The clipboard, open for the life of this object. Opening raises EOSError when
// another program keeps the clipboard open. Sessions nest within a thread: only
// the outermost one opens and closes.
class TClipboardSession {
public:
    explicit TClipboardSession(HWND owner = nullptr);
    ~TClipboardSession();
    TClipboardSession(const TClipboardSession&) = delete;
    TClipboardSession& operator=(const TClipboardSession&) = delete;

    // Removes every format (and takes ownership of the clipboard).
    void Clear();
    bool HasFormat(UINT format) const { return ClipboardHasFormat(format); }
    // The formats on offer, in the clipboard's order.
    std::vector<UINT> Formats() const;
    // The data handle of a format (owned by the clipboard), or null when absent.
    HANDLE GetAsHandle(UINT format) const;
    // Hands a handle to the clipboard; raises EOSError when it is refused, and
    // the caller keeps the handle then.
    void SetAsHandle(UINT format, HANDLE data);
    // Hands the block to the clipboard; it is released only when accepted.
    void SetAsHandle(UINT format, TGlobalMemory& block);

    // The whole memory block of a format; empty when the format is absent.
    std::vector<uint8_t> GetAsBytes(UINT format) const;
    // Puts a copy of bytes under format (call Clear first to be its only format).
    void SetAsBytes(UINT format, std::span<const uint8_t> bytes);
    // CF_UNICODETEXT up to its terminating zero; empty when absent.
    std::wstring AsText() const;
    void SetAsText(std::wstring_view text);
};
