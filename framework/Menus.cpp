#include "framework/Menus.h"

#include <algorithm>

#include "framework/Application.h"
#include "framework/Exceptions.h"
#include "framework/Handles.h"
#include "framework/OSError.h"

namespace {

// Appends the visible sub-items of `item` to `menu`; command n + 1 stands for
// commands[n]. Sub-menus belong to the menu they are appended to.
void AppendItems(HMENU menu, const TMenuItem& item, std::vector<TMenuItem*>& commands)
{
    for (int i = 0; i < item.Count(); ++i) {
        TMenuItem* child = item.Items(i);
        if (!child->Visible())
            continue;
        if (child->IsLine()) {
            Win32Check(AppendMenuW(menu, MF_SEPARATOR, 0, nullptr));
            continue;
        }
        UINT flags = MF_STRING | (child->Enabled() ? MF_ENABLED : MF_GRAYED) | (child->Checked() ? MF_CHECKED : 0);
        UINT_PTR id;
        if (child->Count() > 0) {
            // Ours until it is appended; then it belongs to `menu`.
            TOwnedMenu sub(CreatePopupMenu());
            if (!sub)
                RaiseLastOSError();
            AppendItems(sub.Get(), *child, commands);
            flags |= MF_POPUP;
            id = reinterpret_cast<UINT_PTR>(sub.Get());
            Win32Check(AppendMenuW(menu, flags, id, child->Caption().c_str()));
            sub.Release();
            continue;
        }
        commands.push_back(child);
        id = commands.size();
        Win32Check(AppendMenuW(menu, flags, id, child->Caption().c_str()));
    }
}

}  // namespace

// ---- TMenuItem ----

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner) {}

TMenuItem::~TMenuItem()
{
    Destroying();
    while (!items_.empty())
        delete items_.back();
    if (parent_)
        parent_->Remove(this);
}

void TMenuItem::Insert(int index, TMenuItem* item)
{
    if (!item)
        return;
    if (item->Contains(this))
        throw EComponentError(L"A menu item cannot hold itself");
    if (index < 0 || index > Count())
        throw EComponentError(L"Menu index out of bounds (" + std::to_wstring(index) + L")");
    if (item->parent_)
        item->parent_->Remove(item);
    items_.insert(items_.begin() + std::min(index, Count()), item);
    item->parent_ = this;
}

void TMenuItem::Remove(TMenuItem* item)
{
    if (!item || item->parent_ != this)
        return;
    items_.erase(std::remove(items_.begin(), items_.end(), item), items_.end());
    item->parent_ = nullptr;
}

TMenuItem* TMenuItem::Items(int index) const
{
    if (index < 0 || index >= Count())
        throw EComponentError(L"Menu index out of bounds (" + std::to_wstring(index) + L")");
    return items_[static_cast<size_t>(index)];
}

bool TMenuItem::Contains(const TMenuItem* item) const
{
    if (item == this)
        return true;
    return std::any_of(items_.begin(), items_.end(), [item](const TMenuItem* child) { return child->Contains(item); });
}

void TMenuItem::Click()
{
    if (OnClick)
        OnClick(this);
}

// ---- TPopupMenu ----

TPopupMenu::TPopupMenu(TComponent* owner) : TComponent(owner), items_(new TMenuItem(this)) {}

TPopupMenu::~TPopupMenu()
{
    Destroying();
    SetPopupComponent(nullptr);
}

void TPopupMenu::SetPopupComponent(TComponent* component)
{
    if (component == popupComponent_)
        return;
    if (popupComponent_)
        popupComponent_->RemoveFreeNotification(this);
    popupComponent_ = component;
    if (component)
        component->FreeNotification(this);
}

void TPopupMenu::Notification(TComponent* component, TOperation operation)
{
    TComponent::Notification(component, operation);
    if (operation != opRemove)
        return;
    if (component == popupComponent_)
        popupComponent_ = nullptr;
    if (component == items_)
        items_ = nullptr;
}

void TPopupMenu::Popup(int x, int y)
{
    if (OnPopup)
        OnPopup(this);
    if (!items_)
        return;
    std::vector<TMenuItem*> commands;
    TOwnedMenu menu(CreatePopupMenu());
    if (!menu)
        RaiseLastOSError();
    AppendItems(menu.Get(), *items_, commands);
    // The application's window receives the menu's messages; it must exist.
    HWND owner = Application->Handle();
    const UINT flags = TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN;
    const UINT id = static_cast<UINT>(TrackPopupMenuEx(menu.Get(), flags, x, y, owner, nullptr));
    // A menu of a window made foreground only for it closes properly only when
    // that window gets a message afterwards.
    PostMessageW(owner, WM_NULL, 0, 0);
    if (id == 0 || id > commands.size())
        return;
    // Handlers run while the menu was open may have freed the item.
    TMenuItem* item = commands[id - 1];
    if (items_ && items_->Contains(item))
        item->Click();
}
