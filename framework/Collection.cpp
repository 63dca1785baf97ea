#include "framework/Collection.h"

#include <algorithm>
#include <string>

#include "framework/Exceptions.h"
#include "framework/ScopeGuards.h"

// ---- TCollectionItem ----

TCollectionItem::TCollectionItem(TCollection* collection) { SetCollection(collection); }

TCollectionItem::~TCollectionItem()
{
    if (collection_)
        collection_->RemoveItem(this);
}

void TCollectionItem::SetCollection(TCollection* collection)
{
    if (collection == collection_)
        return;
    if (collection_)
        collection_->RemoveItem(this);
    if (collection)
        collection->InsertItem(this, collection->Count());
}

int TCollectionItem::Index() const
{
    if (!collection_)
        return -1;
    const auto& items = collection_->items_;
    return static_cast<int>(std::find(items.begin(), items.end(), this) - items.begin());
}

void TCollectionItem::SetIndex(int index)
{
    const int current = Index();
    if (current < 0 || index == current)
        return;
    auto& items = collection_->items_;
    if (index < 0 || index >= static_cast<int>(items.size()))
        throw EComponentError(L"List index out of bounds (" + std::to_wstring(index) + L")");
    items.erase(items.begin() + current);
    items.insert(items.begin() + index, this);
    Changed(true);
}

void TCollectionItem::Changed(bool all)
{
    if (collection_)
        collection_->ItemChanged(all ? nullptr : this);
}

// ---- TCollection ----

TCollection::TCollection(TItemFactory itemClass) : itemClass_(itemClass)
{
    if (!itemClass_)
        throw EComponentError(L"A collection needs an item class");
}

TCollection::~TCollection()
{
    ++updateCount_;  // the items go without telling anyone one by one
    while (!items_.empty())
        delete items_.back();
}

TCollectionItem* TCollection::Add() { return itemClass_(this); }

TCollectionItem* TCollection::Insert(int index)
{
    if (index < 0 || index > Count())
        throw EComponentError(L"List index out of bounds (" + std::to_wstring(index) + L")");
    TCollectionItem* item = Add();
    {
        const TUpdateScope update(*this);
        item->SetIndex(index);
    }
    return item;
}

void TCollection::Delete(int index) { delete Items(index); }

void TCollection::Clear()
{
    if (items_.empty())
        return;
    BeginUpdate();
    while (!items_.empty())
        delete items_.back();
    EndUpdate();
}

TCollectionItem* TCollection::Items(int index) const
{
    if (index < 0 || index >= Count())
        throw EComponentError(L"List index out of bounds (" + std::to_wstring(index) + L")");
    return items_[static_cast<size_t>(index)];
}

void TCollection::BeginUpdate() { ++updateCount_; }

void TCollection::EndUpdate()
{
    if (updateCount_ > 0 && --updateCount_ == 0)
        Changed();
}

void TCollection::Assign(const TPersistent* source)
{
    const auto* other = dynamic_cast<const TCollection*>(source);
    if (!other) {
        TPersistent::Assign(source);
        return;
    }
    if (other == this)
        return;
    const TUpdateScope update(*this);
    Clear();
    for (TCollectionItem* from : other->items_)
        Add()->Assign(from);
}

void TCollection::Changed()
{
    if (updateCount_ == 0)
        Update(nullptr);
}

void TCollection::InsertItem(TCollectionItem* item, int index)
{
    items_.insert(items_.begin() + index, item);
    item->collection_ = this;
    item->id_ = nextId_++;
    Changed();
}

void TCollection::RemoveItem(TCollectionItem* item)
{
    items_.erase(std::remove(items_.begin(), items_.end(), item), items_.end());
    item->collection_ = nullptr;
    Changed();
}

void TCollection::ItemChanged(TCollectionItem* item)
{
    if (updateCount_ == 0)
        Update(item);
}
