#pragma once
// Owners for GDI and USER handles. Each owner frees exactly the handle it holds,
// cannot be copied, and counts what the library creates and frees, because the
// system's own counters (GetGuiResources) are not implemented under Wine.
#include <windows.h>
#include <commctrl.h>

#include <utility>

namespace handles {

enum class Kind { Gdi, User };

// Called by every place that creates or frees a handle of the library.
void Created(Kind kind);
void Freed(Kind kind);
// Handles of that kind created and not yet freed.
long Live(Kind kind);

}  // namespace handles

template <class Traits>
class TOwnedHandle {
public:
    using Handle = typename Traits::Handle;

    TOwnedHandle() = default;
    // Takes ownership of h (a null handle is allowed and means "none").
    explicit TOwnedHandle(Handle h) { Reset(h); }
    ~TOwnedHandle() { Reset(); }
    TOwnedHandle(const TOwnedHandle&) = delete;
    TOwnedHandle& operator=(const TOwnedHandle&) = delete;
    TOwnedHandle(TOwnedHandle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    TOwnedHandle& operator=(TOwnedHandle&& other) noexcept
    {
        if (this != &other) {
            Reset();
            handle_ = std::exchange(other.handle_, nullptr);
        }
        return *this;
    }

    Handle Get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }

    // Frees the held handle and takes h instead.
    void Reset(Handle h = nullptr)
    {
        if (handle_) {
            Traits::Free(handle_);
            handles::Freed(Traits::kKind);
        }
        handle_ = h;
        if (handle_)
            handles::Created(Traits::kKind);
    }

    // Gives up ownership without freeing (for handles handed to the system).
    Handle Release()
    {
        if (handle_)
            handles::Freed(Traits::kKind);
        return std::exchange(handle_, nullptr);
    }

private:
    Handle handle_ = nullptr;
};

template <class H>
struct GdiTypedTraits {
    using Handle = H;
    static constexpr handles::Kind kKind = handles::Kind::Gdi;
    static void Free(Handle h) { DeleteObject(h); }
};
struct MemoryDcTraits {
    using Handle = HDC;
    static constexpr handles::Kind kKind = handles::Kind::Gdi;
    static void Free(Handle h) { DeleteDC(h); }
};
struct IconTraits {
    using Handle = HICON;
    static constexpr handles::Kind kKind = handles::Kind::User;
    static void Free(Handle h) { DestroyIcon(h); }
};
struct MenuTraits {
    using Handle = HMENU;
    static constexpr handles::Kind kKind = handles::Kind::User;
    static void Free(Handle h) { DestroyMenu(h); }
};
struct ImageListTraits {
    using Handle = HIMAGELIST;
    static constexpr handles::Kind kKind = handles::Kind::User;
    static void Free(Handle h) { ImageList_Destroy(h); }
};

using TOwnedPen = TOwnedHandle<GdiTypedTraits<HPEN>>;
using TOwnedBrush = TOwnedHandle<GdiTypedTraits<HBRUSH>>;
using TOwnedFont = TOwnedHandle<GdiTypedTraits<HFONT>>;
using TOwnedBitmap = TOwnedHandle<GdiTypedTraits<HBITMAP>>;
using TOwnedRegion = TOwnedHandle<GdiTypedTraits<HRGN>>;
using TOwnedMemoryDC = TOwnedHandle<MemoryDcTraits>;
using TOwnedIcon = TOwnedHandle<IconTraits>;
using TOwnedMenu = TOwnedHandle<MenuTraits>;
using TOwnedImageList = TOwnedHandle<ImageListTraits>;

// A window's device context, borrowed for one scope: of the whole window, its
// border included (GetWindowDC), or of its client area (GetDC). Released when
// the scope ends, also when an exception passes. Null when the system gave none.
class TWindowDC {
public:
    enum TArea { waWhole, waClient };
    explicit TWindowDC(HWND window, TArea area = waWhole);
    ~TWindowDC();
    TWindowDC(const TWindowDC&) = delete;
    TWindowDC& operator=(const TWindowDC&) = delete;

    HDC Get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HWND window_;
    HDC dc_;
};

// Selects an object into a DC for one scope and restores the previous one.
class TSelectGuard {
public:
    TSelectGuard(HDC dc, HGDIOBJ obj) : dc_(dc), old_(obj ? SelectObject(dc, obj) : nullptr) {}
    ~TSelectGuard()
    {
        if (old_)
            SelectObject(dc_, old_);
    }
    TSelectGuard(const TSelectGuard&) = delete;
    TSelectGuard& operator=(const TSelectGuard&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

// Saves a DC's state for one scope (SaveDC) and puts it back at the end
// (RestoreDC), so that origins and clipping set inside go with the scope.
// Raises EOSError when the state cannot be saved.
class TSavedDC {
public:
    explicit TSavedDC(HDC dc);
    ~TSavedDC() { RestoreDC(dc_, saved_); }
    TSavedDC(const TSavedDC&) = delete;
    TSavedDC& operator=(const TSavedDC&) = delete;

private:
    HDC dc_;
    int saved_;
};

// The context a WM_PAINT is drawn on: the one handed in WParam (not ours to
// end), else BeginPaint's, ended with EndPaint when the scope ends. Raises
// EOSError when the system gives none.
class TPaintScope {
public:
    TPaintScope(HWND window, WPARAM givenDC);
    ~TPaintScope();
    TPaintScope(const TPaintScope&) = delete;
    TPaintScope& operator=(const TPaintScope&) = delete;

    HDC DC() const { return dc_; }

private:
    HWND window_;
    bool began_;
    PAINTSTRUCT ps_{};
    HDC dc_;
};
