#include "framework/Component.h"

#include <algorithm>
#include <cwctype>

#include "framework/Exceptions.h"

bool SameText(std::wstring_view a, std::wstring_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::towupper(a[i]) != std::towupper(b[i]))
            return false;
    return true;
}

TComponent::TComponent(TComponent* owner)
{
    if (owner)
        owner->InsertComponent(this);
}

TComponent::~TComponent()
{
    Destroying();
    // Everyone who asked is told first, while this object is still whole enough
    // to be compared by address.
    while (!freeNotifies_.empty()) {
        TComponent* other = freeNotifies_.back();
        freeNotifies_.pop_back();
        auto& back = other->freeNotifies_;
        back.erase(std::remove(back.begin(), back.end(), this), back.end());
        other->Notification(this, opRemove);
    }
    // Owned components go last first, as they were created on top of each other.
    while (!components_.empty()) {
        TComponent* child = components_.back();
        RemoveComponent(child);
        delete child;
    }
    if (owner_)
        owner_->RemoveComponent(this);
}

void TComponent::SetName(const std::wstring& name)
{
    if (name == name_)
        return;
    if (!name.empty() && owner_) {
        TComponent* same = owner_->FindComponent(name);
        if (same && same != this)
            throw EComponentError(L"A component named " + name + L" already exists");
    }
    name_ = name;
}

TComponent* TComponent::FindComponent(std::wstring_view name) const
{
    if (name.empty())
        return nullptr;
    for (TComponent* c : components_)
        if (SameText(c->name_, name))
            return c;
    return nullptr;
}

void TComponent::SetLoading(bool loading)
{
    if (loading) {
        state_ |= csLoading;
        for (TComponent* c : components_)
            c->state_ |= csLoading;
    } else {
        // Owned components finish first, then their owner.
        for (TComponent* c : std::vector<TComponent*>(components_))
            if (c->InState(csLoading)) {
                c->state_ &= ~csLoading;
                c->Loaded();
            }
        if (InState(csLoading)) {
            state_ &= ~csLoading;
            Loaded();
        }
    }
}

void TComponent::FreeNotification(TComponent* component)
{
    if (!component || component == this)
        return;
    // Both sides keep the link, so whichever is freed first unlinks the other.
    if (std::find(freeNotifies_.begin(), freeNotifies_.end(), component) == freeNotifies_.end())
        freeNotifies_.push_back(component);
    if (std::find(component->freeNotifies_.begin(), component->freeNotifies_.end(), this) ==
        component->freeNotifies_.end())
        component->freeNotifies_.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* component)
{
    if (!component)
        return;
    freeNotifies_.erase(std::remove(freeNotifies_.begin(), freeNotifies_.end(), component), freeNotifies_.end());
    auto& back = component->freeNotifies_;
    back.erase(std::remove(back.begin(), back.end(), this), back.end());
}

void TComponent::Notification(TComponent* component, TOperation operation)
{
    if (operation == opRemove && component)
        RemoveFreeNotification(component);
    // A copy: a handler may free or add components while we walk.
    for (TComponent* c : std::vector<TComponent*>(components_))
        if (std::find(components_.begin(), components_.end(), c) != components_.end())
            c->Notification(component, operation);
}

void TComponent::Destroying()
{
    if (InState(csDestroying))
        return;
    state_ |= csDestroying;
    for (TComponent* c : components_)
        c->Destroying();
}

void TComponent::InsertComponent(TComponent* component)
{
    if (!component || component->owner_ == this)
        return;
    if (component->owner_)
        component->owner_->RemoveComponent(component);
    components_.push_back(component);
    component->owner_ = this;
    Notification(component, opInsert);
}

void TComponent::RemoveComponent(TComponent* component)
{
    if (!component || component->owner_ != this)
        return;
    Notification(component, opRemove);
    components_.erase(std::remove(components_.begin(), components_.end(), component), components_.end());
    component->owner_ = nullptr;
}
