#include "framework/Collection.h"

#include <gtest/gtest.h>

namespace {

// An item that copies its one setting; a collection that counts its changes.
struct TValueItem : TCollectionItem {
    KD_CLASS(TValueItem, TCollectionItem)
    using TCollectionItem::TCollectionItem;
    int Value = 0;
    void Assign(const TPersistent* source) override
    {
        if (auto* other = dynamic_cast<const TValueItem*>(source))
            Value = other->Value;
        else
            TCollectionItem::Assign(source);
    }
    void Touch() { Changed(false); }
};

// An item class that defines no copy of its own.
struct TPlainItem : TCollectionItem {
    KD_CLASS(TPlainItem, TCollectionItem)
    using TCollectionItem::TCollectionItem;
};

struct TCountingCollection : TCollection {
    KD_CLASS(TCountingCollection, TCollection)
    explicit TCountingCollection(TItemFactory f) : TCollection(f) {}
    int WholeChanges = 0;
    std::vector<TCollectionItem*> ItemChanges;

protected:
    void Update(TCollectionItem* item) override
    {
        if (item)
            ItemChanges.push_back(item);
        else
            ++WholeChanges;
    }
};

TEST(Collection, ItemsKeepTheirIdentifiersWhilePositionsChange)
{
    TCountingCollection c(TCollection::ItemClassOf<TValueItem>());
    TCollectionItem* a = c.Add();
    TCollectionItem* b = c.Add();
    TCollectionItem* first = c.Insert(0);
    EXPECT_EQ(c.Count(), 3);
    EXPECT_EQ(c.Items(0), first);
    EXPECT_EQ(a->Index(), 1);
    EXPECT_EQ(b->Index(), 2);
    EXPECT_EQ(a->ID(), 0);
    EXPECT_EQ(b->ID(), 1);
    EXPECT_EQ(first->ID(), 2);
    EXPECT_STREQ(a->ClassName(), L"TValueItem");
    EXPECT_EQ(a->DisplayName(), L"TValueItem");

    b->SetIndex(0);
    EXPECT_EQ(c.Items(0), b);
    EXPECT_EQ(c.FindItemID(2), first);
    // A freed item leaves; its identifier is never given again.
    delete first;
    EXPECT_EQ(c.Count(), 2);
    EXPECT_EQ(c.FindItemID(2), nullptr);
    EXPECT_EQ(c.Add()->ID(), 3);
    c.Delete(0);
    EXPECT_EQ(c.Items(0), a);

    EXPECT_THROW(c.Items(2), EComponentError);
    EXPECT_THROW(c.Items(-1), EComponentError);
    EXPECT_THROW(c.Insert(5), EComponentError);
    EXPECT_THROW(a->SetIndex(7), EComponentError);
    EXPECT_EQ(c.GetOwner(), nullptr);

    // An item moved to another collection joins it with a new identifier.
    TCollection other(TCollection::ItemClassOf<TValueItem>());
    other.Add();
    a->SetCollection(&other);
    EXPECT_EQ(a->Collection(), &other);
    EXPECT_EQ(a->Index(), 1);
    EXPECT_EQ(a->ID(), 1);
    EXPECT_EQ(c.Count(), 1);
    a->SetCollection(nullptr);
    EXPECT_EQ(a->Index(), -1);
    delete a;
}

TEST(Collection, ChangesAreReportedOnceAfterAnUpdate)
{
    TCountingCollection c(TCollection::ItemClassOf<TValueItem>());
    c.Add();
    EXPECT_EQ(c.WholeChanges, 1);
    auto* item = static_cast<TValueItem*>(c.Add());
    item->Touch();
    EXPECT_EQ(c.ItemChanges, std::vector<TCollectionItem*>{item});

    c.WholeChanges = 0;
    c.BeginUpdate();
    c.Add();
    c.Add();
    item->Touch();
    c.Delete(0);
    EXPECT_EQ(c.WholeChanges, 0);
    c.EndUpdate();
    EXPECT_EQ(c.WholeChanges, 1);
    EXPECT_EQ(c.ItemChanges.size(), 1u);
    c.Clear();
    EXPECT_EQ(c.Count(), 0);
    EXPECT_EQ(c.WholeChanges, 2);
    EXPECT_EQ(c.UpdateCount(), 0);
}

TEST(Collection, AssignCopiesItemByItemOrRaisesTheAssignmentError)
{
    TCollection source(TCollection::ItemClassOf<TValueItem>());
    for (int v : {7, 8, 9})
        static_cast<TValueItem*>(source.Add())->Value = v;
    TCountingCollection target(TCollection::ItemClassOf<TValueItem>());
    target.Add();
    target.WholeChanges = 0;
    target.Assign(&source);
    ASSERT_EQ(target.Count(), 3);
    EXPECT_EQ(static_cast<TValueItem*>(target.Items(2))->Value, 9);
    EXPECT_EQ(target.WholeChanges, 1);
    target.Assign(&target);
    EXPECT_EQ(target.Count(), 3);

    // Items that cannot copy themselves: an empty source copies, any other fails.
    TCollection plainSource(TCollection::ItemClassOf<TPlainItem>());
    TCollection plainTarget(TCollection::ItemClassOf<TPlainItem>());
    plainTarget.Assign(&plainSource);
    plainSource.Add();
    try {
        plainTarget.Assign(&plainSource);
        ADD_FAILURE() << "no error";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), L"Cannot assign a TPlainItem to a TPlainItem");
    }
    EXPECT_EQ(plainTarget.UpdateCount(), 0);
    EXPECT_THROW(target.Assign(static_cast<TCollectionItem*>(source.Items(0))), EConvertError);
}

}  // namespace
