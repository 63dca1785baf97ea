#pragma once
// What the tray icon tests share: a recorder of the shell calls (which still
// reach the real shell), the shell's own answer whether an icon is there, the
// colour an icon shows, and image lists of plain colours.
#include <windows.h>
#include <shellapi.h>

#include <vector>

#include "framework/Handles.h"
#include "framework/ImageList.h"
#include "widgets/ELTrayIcon.h"

namespace tray_testing {

// The colour in the middle of an icon's picture.
inline COLORREF IconColor(HICON icon)
{
    ICONINFO info{};
    if (!icon || !GetIconInfo(icon, &info))
        return CLR_INVALID;
    TOwnedBitmap color(info.hbmColor);
    TOwnedBitmap mask(info.hbmMask);
    TOwnedMemoryDC dc(CreateCompatibleDC(nullptr));
    TSelectGuard select(dc.Get(), color.Get());
    return GetPixel(dc.Get(), 8, 8);
}

struct TShellCall {
    DWORD Command = 0;
    NOTIFYICONDATAW Data{};
    COLORREF Color = CLR_INVALID;  // of the icon sent, read while it existed
};

inline std::vector<TShellCall> gShellCalls;

inline BOOL RecordShellCall(DWORD command, NOTIFYICONDATAW* data)
{
    gShellCalls.push_back({command, *data, IconColor(data->hIcon)});
    return SystemShellNotifyIcon(command, data);
}

// Records the tray icons' shell calls while it lives.
struct TShellRecorder {
    TShellRecorder()
    {
        gShellCalls.clear();
        SetShellNotifyIconCall(&RecordShellCall);
    }
    ~TShellRecorder() { SetShellNotifyIconCall(nullptr); }
    std::vector<TShellCall>& Calls() { return gShellCalls; }
    // The colours of the icons sent with NIM_MODIFY, in order.
    std::vector<COLORREF> ModifiedColors() const
    {
        std::vector<COLORREF> colors;
        for (const TShellCall& c : gShellCalls)
            if (c.Command == NIM_MODIFY)
                colors.push_back(c.Color);
        return colors;
    }
};

// The shell's own answer: is there an icon of this window in the notification area?
inline bool IconShown(HWND window)
{
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = window;
    return SystemShellNotifyIcon(NIM_MODIFY, &data) != FALSE;
}

// An image list of 16 × 16 pictures in these colours, owned by owner.
inline TImageList* ColorList(TComponent* owner, std::vector<TColor> colors)
{
    auto* list = new TImageList(owner);
    for (TColor c : colors) {
        TBitmap b;
        b.SetSize(16, 16);
        b.Canvas()->Brush()->SetColor(c);
        b.Canvas()->FillRect(RECT{0, 0, 16, 16});
        list->Add(b, nullptr);
    }
    return list;
}

}  // namespace tray_testing
