#pragma once
// Components: objects that own what they create, are found by name and tell
// each other when one of them is freed. Platform-neutral.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "framework/Method.h"
#include "framework/Persistent.h"

using TNotifyEvent = TMethod<void(TObject* sender)>;

enum TComponentStateFlag : unsigned {
    csLoading = 1u << 0,
    csDesigning = 1u << 1,  // never set at run time
    csDestroying = 1u << 2,
};

enum TOperation { opInsert, opRemove };

class TComponent : public TPersistent {
    CLASS_INFO(TComponent, TPersistent)

public:
    explicit TComponent(TComponent* owner);
    ~TComponent() override;
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    TComponent* Owner() const { return owner_; }
    const std::wstring& Name() const { return name_; }
    // Names are unique among the components of one owner (compared without case).
    void SetName(const std::wstring& name);
    intptr_t Tag() const { return tag_; }
    void SetTag(intptr_t tag) { tag_ = tag; }

    int ComponentCount() const { return static_cast<int>(components_.size()); }
    TComponent* Components(int index) const { return components_.at(static_cast<size_t>(index)); }
    // The owned component with this name (without regard to case), or null.
    TComponent* FindComponent(std::wstring_view name) const;

    bool InState(TComponentStateFlag flag) const { return (state_ & flag) != 0; }
    void SetLoading(bool loading);

    // Asks that `component` be told (Notification with opRemove) when this one is freed.
    void FreeNotification(TComponent* component);
    void RemoveFreeNotification(TComponent* component);

    // Called on a removal or insertion among this component's components, and on
    // the free of a component that asked for free notification. Passes it on to
    // the owned components, as the owner of a family tells every member.
    virtual void Notification(TComponent* component, TOperation operation);

    // Marks this component and everything it owns as being destroyed. Destructors
    // of derived classes call it first, before they release windows, so that
    // handlers running during the teardown can see csDestroying.
    void Destroying();

    void InsertComponent(TComponent* component);
    void RemoveComponent(TComponent* component);

protected:
    // Called when csLoading is cleared after a form's description has been built.
    virtual void Loaded() {}

private:
    TComponent* owner_ = nullptr;
    std::wstring name_;
    intptr_t tag_ = 0;
    unsigned state_ = 0;
    std::vector<TComponent*> components_;
    std::vector<TComponent*> freeNotifies_;
};

// The component named `name` among owner's components, cast to T; null when
// absent or of another class.
template <class T>
T* FindComponentAs(const TComponent* owner, std::wstring_view name)
{
    return owner ? dynamic_cast<T*>(owner->FindComponent(name)) : nullptr;
}

bool SameText(std::wstring_view a, std::wstring_view b);
