#pragma once
// Icons: one owned icon handle with its size, and the application's icon at a size.
#include <windows.h>

#include "framework/Component.h"
#include "framework/Handles.h"

class TIcon : public TObject {
    CLASS_INFO(TIcon, TObject)

public:
    TIcon() = default;
    TIcon(const TIcon&) = delete;
    TIcon& operator=(const TIcon&) = delete;

    HICON Handle() const { return icon_.Get(); }
    // Takes ownership of `icon` (null empties).
    void SetHandle(HICON icon);
    bool Empty() const { return !icon_; }

    // Loads an icon resource at width × height (0 × 0: the system's icon size);
    // raises EOSError when it is missing.
    void LoadFromResource(HINSTANCE instance, const wchar_t* name, int width = 0, int height = 0);
    void LoadFromResourceID(HINSTANCE instance, int id, int width = 0, int height = 0)
    {
        LoadFromResource(instance, MAKEINTRESOURCEW(id), width, height);
    }
    void Assign(const TIcon& other);

    int Width() const { return width_; }
    int Height() const { return height_; }

    TNotifyEvent OnChange;

private:
    void TakeIcon(TOwnedIcon icon);
    TOwnedIcon icon_;
    int width_ = 0;
    int height_ = 0;
};

// Loads the application's icon (the program's first icon resource) at size x
// size pixels: its image of that size, else the nearest one scaled by the
// system. Raises EOSError when the program has no icon or it cannot be loaded.
void LoadApplicationIcon(TIcon& icon, int size);
