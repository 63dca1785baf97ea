#pragma once
// The tray icon component: one icon in the notification area with a tool tip,
// click events and a popup menu; it can hide the application's taskbar button
// while it is shown, animate through the pictures of image lists, and puts
// itself back when the taskbar is made anew (after the shell restarts).
#include <windows.h>
#include <shellapi.h>

#include <cstdint>
#include <memory>
#include <string>

#include "framework/Collection.h"
#include "framework/Component.h"
#include "framework/Controls.h"
#include "framework/Exceptions.h"
#include "framework/Graphics.h"

class TELTrayIcon;
class TELTrayIconAnimations;
class TImageList;
class TPopupMenu;
class TTimer;
class TUtilityWindow;

// Raised when an animation cannot start.
class EELTrayIcon : public Exception {
public:
    using Exception::Exception;
};

// One animation: the pictures of an image list shown one after another.
class TELTrayIconAnimationsItem : public TCollectionItem {
    CLASS_INFO(TELTrayIconAnimationsItem, TCollectionItem)

public:
    explicit TELTrayIconAnimationsItem(TCollection* collection);
    // An item freed while it runs stops its animation first.
    ~TELTrayIconAnimationsItem() override;

    // Whether this is the running (or, inactive icon, the waiting) animation.
    // True starts it; an item without pictures raises EELTrayIcon.
    bool Active() const;
    void SetActive(bool active);
    // The pictures; changing the list stops the animation.
    TImageList* ImageList() const { return imageList_; }
    void SetImageList(TImageList* list);
    // Milliseconds each picture is shown.
    int Interval() const { return interval_; }
    void SetInterval(int interval) { interval_ = interval; }
    // Starts again from the first picture after the last, instead of stopping.
    bool Circular() const { return circular_; }
    // Whether the icon from before the start comes back when the animation stops.
    bool RestoreOldIcon() const { return restoreOldIcon_; }
    void SetRestoreOldIcon(bool restore) { restoreOldIcon_ = restore; }

    // Copies the settings (not Active) of another animation item.
    void Assign(const TPersistent* source) override;

protected:

private:
    friend class TELTrayIconAnimations;
    TELTrayIconAnimations* Animations() const;

    bool circular_ = false;
    int interval_ = 1000;
    TImageList* imageList_ = nullptr;  // not owned; its tray icon hears of its free
    bool restoreOldIcon_ = true;
};

// The animations of one tray icon; at most one of them runs.
class TELTrayIconAnimations : public TCollection {
    CLASS_INFO(TELTrayIconAnimations, TCollection)

public:
    explicit TELTrayIconAnimations(TELTrayIcon* owner);
    // Stops the running animation, then frees the items.
    ~TELTrayIconAnimations() override;

    TELTrayIconAnimationsItem* Add() { return static_cast<TELTrayIconAnimationsItem*>(TCollection::Add()); }
    TELTrayIconAnimationsItem* Items(int index) const
    {
        return static_cast<TELTrayIconAnimationsItem*>(TCollection::Items(index));
    }

    TELTrayIconAnimationsItem* ActiveItem() const { return activeItem_; }
    // Starts and stops animations: stops the running one (its icon from before
    // the start comes back only when no new item is given and it asks for that),
    // then starts the given one if the tray icon is active. An item without
    // pictures raises EELTrayIcon and changes nothing.
    void SetActiveItem(TELTrayIconAnimationsItem* item);

    // The tray icon.
    // The timer of the running animation, or null.
    TTimer* Timer() const { return timer_.get(); }

private:
    friend class TELTrayIcon;
    friend class TELTrayIconAnimationsItem;
    void Start();
    // Shows the next picture (the timer's tick).
    void Step(TObject* sender);
    void Stop(bool restore);
    bool UsesImageList(const TComponent* list, const TELTrayIconAnimationsItem* except) const;
    // The image list is being freed: items that use it stop and forget it.
    void ImageListFreed(const TComponent* list);

    TELTrayIcon* owner_;
    TELTrayIconAnimationsItem* activeItem_ = nullptr;
    std::unique_ptr<TTimer> timer_;
    int frameIndex_ = -1;
    std::unique_ptr<TIcon> savedIcon_;  // exists only while an animation runs
};

class TELTrayIcon : public TComponent {
    CLASS_INFO(TELTrayIcon, TComponent)

public:
    // The message the shell sends to the notification window about the icon.
    static constexpr UINT kCallbackMessage = WM_USER;
    // The message the shell broadcasts when the taskbar has been made anew.
    static UINT TaskbarCreatedMessage();

    explicit TELTrayIcon(TComponent* owner);
    // Removes the icon, gives the taskbar button back and stops any animation.
    ~TELTrayIcon() override;

    // Active shows the icon. Writing true again adds it once more.
    bool Active() const { return active_; }
    void SetActive(bool active);
    // The tool tip: at most 63 characters; empty shows the application's title.
    const std::wstring& Hint() const { return hint_; }
    void SetHint(const std::wstring& hint);
    // The icon shown; empty shows the application's icon. SetIcon copies.
    TIcon* Icon() const { return icon_.get(); }
    void SetIcon(const TIcon* icon);
    // The menu that a right click pops up (forgotten when it is freed).
    TPopupMenu* PopupMenu() const { return popupMenu_; }
    void SetPopupMenu(TPopupMenu* menu);
    // Hides the application's taskbar button while the icon is active.
    void SetHideTaskBarButton(bool hide);
    TELTrayIconAnimations* Animations() const { return animations_.get(); }

    // The hidden window that receives the shell's messages about the icon.
    HWND Handle() const;
    // Whether the icon has been added to the notification area.
    bool Added() const { return (state_ & kAdded) != 0; }

    // Raised when the left button is pressed on the icon, and on a double click.
    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    // Raised before the popup menu shows, with the cursor in screen coordinates;
    // setting handled keeps the menu closed.
    TContextPopupEvent OnContextPopup;

protected:
    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;
    // The notification window's messages.
    virtual void WndProc(TMessage& msg);
    virtual TPopupMenu* GetPopupMenu() const { return popupMenu_; }
    virtual void Click();
    virtual void DblClick();
    virtual void DoContextPopup(POINT mousePos, bool& handled);

private:
    friend class TELTrayIconAnimations;
    enum : uint8_t { kAdded = 1u << 0, kAnimating = 1u << 1 };

    void ShellCall(DWORD command);
    void PopupAtCursor();
    void UpdateTaskbarButton();
    void IconChanged(TObject* sender);

    uint8_t state_ = 0;
    bool active_ = false;
    std::wstring hint_;
    std::unique_ptr<TIcon> icon_;
    TPopupMenu* popupMenu_ = nullptr;
    bool hideTaskBarButton_ = false;
    std::unique_ptr<TELTrayIconAnimations> animations_;
    std::unique_ptr<TUtilityWindow> window_;
};

// The notification-area call of the shell. Tests put a recorder in its place;
// null puts the system's back.
using TShellNotifyIconCall = BOOL (*)(DWORD message, NOTIFYICONDATAW* data);
void SetShellNotifyIconCall(TShellNotifyIconCall call);
// Calls the system's notification-area function.
BOOL SystemShellNotifyIcon(DWORD message, NOTIFYICONDATAW* data);
