#pragma once
// The per-control chain of message hooks: one manager takes over a control's
// message handler and runs a priority-ordered list of hooks in front of it, safe
// against hooks that join or leave, and against nested messages, mid-walk.
// Platform-neutral; the manager that stands on a real control is TKdWinProcMan.
#include <cstdint>
#include <memory>
#include <vector>

#include "framework/Component.h"
#include "framework/Message.h"

class TKdWPM;

// A hook: the manager, the message, the continuation that runs the rest of the
// chain, and the hook's own value kept per control.
using TKdHookProc = TMethod<void(TKdWPM* manager, TMessage& msg, TWndMethod next, int32_t& param)>;

// One chain entry, owned by its manager. An entry without Proc stands for the
// handler the control had before the manager took over.
class TKdWPMItem {
public:
    TKdHookProc Proc;
    int32_t Priority = 0;
    int32_t Param = 0;
};

using TKdWPMList = std::vector<TKdWPM*>;

// Message number of the destroy notification, which ends a chain when it arrives
// while the control is being destroyed.
constexpr uint32_t kKdWmDestroy = 2;

class TKdWPM : public TObject {
    CLASS_INFO(TKdWPM, TObject)

public:
    TKdWPM();
    ~TKdWPM() override;
    TKdWPM(const TKdWPM&) = delete;
    TKdWPM& operator=(const TKdWPM&) = delete;

    // Files Proc under Priority; a Proc already in the chain is moved (another
    // priority) or only given the new Param (same priority). Ignored after shutdown.
    virtual void Add(int32_t priority, int32_t param, TKdHookProc proc);
    // Takes the entry with Proc out of the chain; false when there is none.
    virtual bool Remove(TKdHookProc proc);
    // The entry with Proc (searched from the highest priority down), or null.
    virtual TKdWPMItem* Find(TKdHookProc proc);

    // The handler that the control's WindowProc points at while the chain is live.
    void HandleMessage(TMessage& msg);
    // Runs the rest of the current walk; this is what a hook gets as `next`.
    void CallNext(TMessage& msg);

    // Set when the control is being destroyed; the chain shuts down once the
    // current message has been handled.
    bool DestroyPending() const { return destroyPending_; }
    // False once the chain has shut down (its entries are gone).
    bool IsLive() const { return entries_ != nullptr; }
    // The chain from lowest to highest priority (empty after shutdown).
    int EntryCount() const { return entries_ ? static_cast<int>(entries_->size()) : 0; }
    const TKdWPMItem& Entry(int index) const { return *entries_->at(static_cast<size_t>(index)); }
    // Message walks in progress on this manager (nested messages).
    int WalkDepth() const { return static_cast<int>(callStack_.size()); }
    // The object whose messages the chain handles: hooks ask it which control
    // they serve. It stays known after shutdown, for hooks still running then,
    // until the manager is freed or the object tells it that it is going.
    TObject* Control() const { return control_; }

    // Process-wide lists, made on first use and never freed: the live managers,
    // and those that have shut down and wait to be freed.
    static TKdWPMList& Registry();
    static TKdWPMList& ReleaseList();
    // Frees every manager on the release list that no message walk is still
    // inside; a manager still inside one stays listed until a later call.
    static void FreeReleased();

protected:
    // Hands the message to the handler the control had before.
    virtual void CallPrevious(TMessage& msg) = 0;
    // Whether a destroy notification now means that the control is going away.
    virtual bool IsDestroying() { return true; }
    // Gives the control its previous handler back.
    virtual void RestoreWndProc() = 0;

    void SetControl(TObject* control) { control_ = control; }
    // The list this manager is registered in; shutdown takes it out.
    void SetOwnerList(TKdWPMList* list) { ownerList_ = list; }
    // Ends the chain at once: frees the entries, gives the control its handler
    // back, leaves the owner list and waits on the release list. Safe to call
    // more than once.
    void Shutdown();
    // For the destructor of a derived manager that never shut down: frees the
    // entries, restores the control's handler and leaves the owner list. Must run
    // while the derived class is still whole, as it calls RestoreWndProc.
    void Detach();

private:
    using Entries = std::vector<std::unique_ptr<TKdWPMItem>>;

    void Insert(size_t index, int32_t priority, int32_t param, TKdHookProc proc);
    void EraseAt(size_t index);
    void EndWalk() noexcept;
    void LeaveOwnerList() noexcept;
    void Retire(std::unique_ptr<TKdWPMItem> item);

    bool destroyPending_ = false;
    TObject* control_ = nullptr;  // not owned
    TKdWPMList* ownerList_ = nullptr;
    std::unique_ptr<Entries> entries_;
    // Cursor of every walk in progress, innermost last: the index of the entry
    // the walk reached last.
    std::vector<int32_t> callStack_;
    // Entries taken out while a walk was in progress. A hook that removes itself
    // still holds a reference to its Param, so they live until the walks end.
    Entries retired_;
};
