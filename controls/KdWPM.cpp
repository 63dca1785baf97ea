#include "controls/KdWPM.h"

#include <algorithm>

#include "framework/ScopeGuards.h"

TKdWPM::TKdWPM() : entries_(std::make_unique<Entries>())
{
    // The previous handler's place: priority 0, so hooks of priority 0 and up run
    // before the control's own handling and negative ones after it.
    entries_->push_back(std::make_unique<TKdWPMItem>());
}

TKdWPM::~TKdWPM()
{
    LeaveOwnerList();
    auto& released = ReleaseList();
    released.erase(std::remove(released.begin(), released.end(), this), released.end());
}

TKdWPMList& TKdWPM::Registry()
{
    // Never freed: managers may still be reached while statics are torn down.
    static auto* list = new TKdWPMList;
    return *list;
}

TKdWPMList& TKdWPM::ReleaseList()
{
    static auto* list = new TKdWPMList;
    return *list;
}

void TKdWPM::FreeReleased()
{
    TKdWPMList doomed;
    doomed.swap(ReleaseList());
    TKdWPMList busy;
    for (TKdWPM* manager : doomed) {
        // A manager shut down by a nested message still has the outer walks on
        // the call stack; freeing it now would pull the object from under them.
        if (manager->WalkDepth() > 0)
            busy.push_back(manager);
        else
            delete manager;
    }
    auto& released = ReleaseList();
    released.insert(released.begin(), busy.begin(), busy.end());
}

void TKdWPM::Add(int32_t priority, int32_t param, TKdHookProc proc)
{
    // An entry without Proc would be taken for the previous handler's place.
    if (!entries_ || !proc)
        return;
    Entries& list = *entries_;
    for (size_t i = list.size(); i > 0; --i) {
        TKdWPMItem& entry = *list[i - 1];
        size_t same = i;  // index + 1 of the entry with this Proc, 0 for none
        if (entry.Proc == proc) {
            // found on the way down
        } else if (entry.Priority > priority) {
            continue;
        } else {
            // The place is found; the Proc may still be further down.
            same = 0;
            for (size_t j = i - 1; j > 0; --j)
                if (list[j - 1]->Proc == proc) {
                    same = j;
                    break;
                }
            if (same == 0) {
                Insert(i, priority, param, proc);
                return;
            }
        }
        TKdWPMItem& existing = *list[same - 1];
        if (existing.Priority == priority) {
            existing.Param = param;
            return;
        }
        // Another priority: the entry moves, with the new Param.
        EraseAt(same - 1);
        Add(priority, param, proc);
        return;
    }
    Insert(0, priority, param, proc);
}

bool TKdWPM::Remove(TKdHookProc proc)
{
    if (!entries_ || !proc)
        return false;
    for (size_t i = entries_->size(); i > 0; --i)
        if ((*entries_)[i - 1]->Proc == proc) {
            EraseAt(i - 1);
            return true;
        }
    return false;
}

TKdWPMItem* TKdWPM::Find(TKdHookProc proc)
{
    if (!entries_ || !proc)
        return nullptr;
    for (size_t i = entries_->size(); i > 0; --i)
        if ((*entries_)[i - 1]->Proc == proc)
            return (*entries_)[i - 1].get();
    return nullptr;
}

void TKdWPM::Insert(size_t index, int32_t priority, int32_t param, TKdHookProc proc)
{
    auto item = std::make_unique<TKdWPMItem>();
    item->Proc = proc;
    item->Priority = priority;
    item->Param = param;
    entries_->insert(entries_->begin() + static_cast<std::ptrdiff_t>(index), std::move(item));
    // Every walk keeps pointing at the entry it reached; one whose position is
    // above the new entry will therefore reach it.
    for (int32_t& cursor : callStack_)
        if (cursor >= static_cast<int32_t>(index))
            ++cursor;
}

void TKdWPM::EraseAt(size_t index)
{
    std::unique_ptr<TKdWPMItem> item = std::move((*entries_)[index]);
    entries_->erase(entries_->begin() + static_cast<std::ptrdiff_t>(index));
    // A walk standing on the removed entry goes on with the one below it.
    for (int32_t& cursor : callStack_)
        if (cursor > static_cast<int32_t>(index))
            --cursor;
    Retire(std::move(item));
}

void TKdWPM::Retire(std::unique_ptr<TKdWPMItem> item)
{
    if (!callStack_.empty())
        retired_.push_back(std::move(item));
}

void TKdWPM::HandleMessage(TMessage& msg)
{
    if (!entries_)
        return;
    if (msg.Msg == kKdWmDestroy && IsDestroying())
        destroyPending_ = true;
    callStack_.push_back(static_cast<int32_t>(entries_->size()));
    // The walk is closed even when a hook throws, so the cursors stay paired
    // with their walks and a pending shutdown still happens.
    const TScopeExit end([this] { EndWalk(); });
    CallNext(msg);
}

void TKdWPM::EndWalk() noexcept
{
    callStack_.pop_back();
    if (destroyPending_)
        Shutdown();
    if (callStack_.empty())
        retired_.clear();
}

void TKdWPM::CallNext(TMessage& msg)
{
    // The cursor is read afresh each time: a nested walk may have grown the
    // call stack, and the chain may have changed under this walk.
    if (!entries_ || callStack_.empty())
        return;
    const int32_t index = --callStack_.back();
    if (index < 0 || index >= static_cast<int32_t>(entries_->size()))
        return;
    TKdWPMItem* item = (*entries_)[static_cast<size_t>(index)].get();
    if (!item->Proc) {
        CallPrevious(msg);
        CallNext(msg);
        return;
    }
    item->Proc(this, msg, TWndMethod(this, &TKdWPM::CallNext), item->Param);
}

void TKdWPM::Shutdown()
{
    if (!entries_)
        return;
    std::unique_ptr<Entries> old = std::move(entries_);
    for (auto& item : *old)
        Retire(std::move(item));
    old.reset();
    RestoreWndProc();
    LeaveOwnerList();
    FreeReleased();
    ReleaseList().push_back(this);
}

void TKdWPM::Detach()
{
    if (!entries_)
        return;
    entries_.reset();
    RestoreWndProc();
    LeaveOwnerList();
}

void TKdWPM::LeaveOwnerList() noexcept
{
    if (!ownerList_)
        return;
    ownerList_->erase(std::remove(ownerList_->begin(), ownerList_->end(), this), ownerList_->end());
    ownerList_ = nullptr;
}
