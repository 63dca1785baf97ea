#pragma once
// Collections: a list of items of one class that the collection makes, numbers
// and frees; a whole collection is copied item by item with Assign.
// Platform-neutral.
#include <string>
#include <vector>

#include "framework/Persistent.h"

class TCollection;

class TCollectionItem : public TPersistent {
    CLASS_INFO(TCollectionItem, TPersistent)

public:
    // Joins `collection` (null: none) at its end.
    explicit TCollectionItem(TCollection* collection);
    // Leaves its collection.
    ~TCollectionItem() override;
    TCollectionItem(const TCollectionItem&) = delete;
    TCollectionItem& operator=(const TCollectionItem&) = delete;

    TCollection* Collection() const { return collection_; }
    // Moves the item to the end of another collection (null: out of any).
    void SetCollection(TCollection* collection);
    // The number the collection gave the item when it joined; not its position,
    // and never given twice by one collection.
    int ID() const { return id_; }
    // The item's position in its collection, or -1.
    int Index() const;
    void SetIndex(int index);

protected:
    // Tells the collection that this item (all: every item) changed.
    void Changed(bool all);

private:
    friend class TCollection;
    TCollection* collection_ = nullptr;
    int id_ = 0;
};

class TCollection : public TPersistent {
    CLASS_INFO(TCollection, TPersistent)

public:
    // Makes one item of the collection's item class in the given collection.
    using TItemFactory = TCollectionItem* (*)(TCollection* collection);
    template <class TItem>
    static TItemFactory ItemClassOf()
    {
        return [](TCollection* collection) -> TCollectionItem* { return new TItem(collection); };
    }

    explicit TCollection(TItemFactory itemClass);
    // Frees every item.
    ~TCollection() override;
    TCollection(const TCollection&) = delete;
    TCollection& operator=(const TCollection&) = delete;

    // A new item of the item class at the end (Add) or at `index` (Insert).
    TCollectionItem* Add();
    TCollectionItem* Insert(int index);
    // Frees the item at `index`.
    void Delete(int index);
    void Clear();
    int Count() const { return static_cast<int>(items_.size()); }
    // The item at `index`; a bad index raises EComponentError.
    TCollectionItem* Items(int index) const;
    // Changes between BeginUpdate and the last EndUpdate are reported once.
    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return updateCount_; }

    // From another collection: every item is freed, then one item is added per
    // source item and assigned from it (an item class that cannot copy itself
    // raises the assignment error).
    void Assign(const TPersistent* source) override;

protected:
    // Called after a change of `item` (null: of the whole collection) unless an
    // update is in progress.
    virtual void Update(TCollectionItem*) {}
    // Reports a change of the whole collection.
    void Changed();

private:
    friend class TCollectionItem;
    void InsertItem(TCollectionItem* item, int index);
    void RemoveItem(TCollectionItem* item);
    void ItemChanged(TCollectionItem* item);

    TItemFactory itemClass_;
    std::vector<TCollectionItem*> items_;
    int nextId_ = 0;
    int updateCount_ = 0;
};
