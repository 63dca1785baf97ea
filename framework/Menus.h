#pragma once
// Menus: menu items (a caption with "&" accelerators, "-" for a separator, a
// click event, sub-items) and the popup menu that shows them at a screen point.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/Component.h"

class TMenuItem : public TComponent {
    CLASS_INFO(TMenuItem, TComponent)

public:
    explicit TMenuItem(TComponent* owner);
    // Frees its sub-items and leaves its parent item.
    ~TMenuItem() override;

    // "&" marks the accelerator letter; a caption of "-" makes a separator.
    const std::wstring& Caption() const { return caption_; }
    void SetCaption(const std::wstring& caption) { caption_ = caption; }
    bool IsLine() const { return caption_ == L"-"; }
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled) { enabled_ = enabled; }
    bool Visible() const { return visible_; }
    void SetVisible(bool visible) { visible_ = visible; }
    bool Checked() const { return checked_; }
    void SetChecked(bool checked) { checked_ = checked; }

    // Sub-items, in menu order. An item added elsewhere leaves its old parent.
    void Add(TMenuItem* item) { Insert(Count(), item); }
    void Insert(int index, TMenuItem* item);
    void Remove(TMenuItem* item);
    int Count() const { return static_cast<int>(items_.size()); }
    TMenuItem* Items(int index) const;
    TMenuItem* Parent() const { return parent_; }
    // Whether item is this item or one of its sub-items at any depth.
    bool Contains(const TMenuItem* item) const;

    // Raises OnClick.
    virtual void Click();

    TNotifyEvent OnClick;

private:
    std::wstring caption_;
    bool enabled_ = true;
    bool visible_ = true;
    bool checked_ = false;
    TMenuItem* parent_ = nullptr;
    std::vector<TMenuItem*> items_;  // not owned as components, but freed with this item
};

class TPopupMenu : public TComponent {
    CLASS_INFO(TPopupMenu, TComponent)

public:
    explicit TPopupMenu(TComponent* owner);
    ~TPopupMenu() override;

    // The root item; the menu shows its sub-items.
    TMenuItem* Items() const { return items_; }
    // Whether a control or component that owns the menu pops it up by itself
    // (on a right click).
    bool AutoPopup() const { return autoPopup_; }
    // The component that popped the menu up last (forgotten when it is freed).
    TComponent* PopupComponent() const { return popupComponent_; }
    void SetPopupComponent(TComponent* component);

    // Raises OnPopup, shows the visible items at the screen point (x, y) and waits
    // until the user picks one or closes the menu; a picked item is clicked.
    virtual void Popup(int x, int y);

    TNotifyEvent OnPopup;

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    TMenuItem* items_;  // owned as a component
    bool autoPopup_ = true;
    TComponent* popupComponent_ = nullptr;
};
