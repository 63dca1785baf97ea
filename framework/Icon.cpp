#include "framework/Icon.h"

#include <utility>

#include "framework/OSError.h"

namespace {

struct TIconRequest {
    int Size = 0;
    bool Found = false;
    HICON Icon = nullptr;
    DWORD Error = ERROR_SUCCESS;
};

// Loads the first icon resource only.
BOOL CALLBACK LoadFirstIcon(HMODULE module, LPCWSTR, LPWSTR name, LONG_PTR param)
{
    auto& request = *reinterpret_cast<TIconRequest*>(param);
    request.Found = true;
    request.Icon = static_cast<HICON>(LoadImageW(module, name, IMAGE_ICON, request.Size, request.Size, 0));
    if (!request.Icon)
        request.Error = GetLastError();
    return FALSE;
}

}  // namespace

void TIcon::TakeIcon(TOwnedIcon icon)
{
    int width = 0;
    int height = 0;
    if (icon) {
        ICONINFO info{};
        if (!GetIconInfo(icon.Get(), &info))
            RaiseLastOSError();
        // GetIconInfo hands out copies of the icon's bitmaps.
        TOwnedBitmap color(info.hbmColor);
        TOwnedBitmap mask(info.hbmMask);
        BITMAP bm{};
        if (color && GetObjectW(color.Get(), sizeof bm, &bm)) {
            width = bm.bmWidth;
            height = bm.bmHeight;
        } else if (mask && GetObjectW(mask.Get(), sizeof bm, &bm)) {
            width = bm.bmWidth;
            height = bm.bmHeight / 2;  // a two-colour icon stacks its AND and XOR masks
        }
    }
    icon_ = std::move(icon);
    width_ = width;
    height_ = height;
    if (OnChange)
        OnChange(this);
}

void TIcon::SetHandle(HICON icon)
{
    if (icon && icon == icon_.Get())
        return;
    // The icon was handed over: owned from here on, so that it does not leak
    // even when it cannot be read.
    TakeIcon(TOwnedIcon(icon));
}

void TIcon::LoadFromResource(HINSTANCE instance, const wchar_t* name, int width, int height)
{
    const UINT flags = (width == 0 && height == 0) ? LR_DEFAULTSIZE : 0;
    HICON icon = static_cast<HICON>(LoadImageW(instance, name, IMAGE_ICON, width, height, flags));
    if (!icon)
        RaiseLastOSError();
    SetHandle(icon);
}

void TIcon::Assign(const TIcon& other)
{
    if (&other == this)
        return;
    HICON copy = nullptr;
    if (other.icon_) {
        copy = CopyIcon(other.Handle());
        if (!copy)
            RaiseLastOSError();
    }
    SetHandle(copy);
}

void LoadApplicationIcon(TIcon& icon, int size)
{
    if (size <= 0)
        RaiseOSError(ERROR_INVALID_PARAMETER);
    TIconRequest request;
    request.Size = size;
    EnumResourceNamesW(GetModuleHandleW(nullptr), RT_GROUP_ICON, LoadFirstIcon, reinterpret_cast<LONG_PTR>(&request));
    if (!request.Found)
        RaiseOSError(ERROR_RESOURCE_TYPE_NOT_FOUND);
    if (!request.Icon)
        RaiseOSError(request.Error != ERROR_SUCCESS ? request.Error : ERROR_INVALID_DATA);
    icon.SetHandle(request.Icon);
}
