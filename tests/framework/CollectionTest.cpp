#include "framework/Collection.h"

#include <gtest/gtest.h>

namespace {

// An item that copies its one setting, and one that defines no copy.
struct TValueItem : TCollectionItem {
    CLASS_INFO(TValueItem, TCollectionItem)
    using TCollectionItem::TCollectionItem;
    int Value = 0;
    void Assign(const TPersistent* source) override
    {
        if (auto* other = dynamic_cast<const TValueItem*>(source))
            Value = other->Value;
        else
            TCollectionItem::Assign(source);
    }
};

struct TPlainItem : TCollectionItem {
    CLASS_INFO(TPlainItem, TCollectionItem)
    using TCollectionItem::TCollectionItem;
};

TEST(Collection, ItemsKeepTheirIdentifiersWhilePositionsChange)
{
    TCollection c(TCollection::ItemClassOf<TValueItem>());
    TCollectionItem* a = c.Add();
    TCollectionItem* b = c.Add();
    TCollectionItem* first = c.Insert(0);
    EXPECT_EQ(b->Index(), 2);
    EXPECT_EQ(first->ID(), 2);
    b->SetIndex(0);
    EXPECT_EQ(c.Items(0), b);
    // A freed item leaves; its identifier is never given again.
    delete first;
    EXPECT_EQ(c.Count(), 2);
    EXPECT_EQ(c.Add()->ID(), 3);
    EXPECT_EQ(c.Items(1), a);
    EXPECT_THROW(c.Items(3), EComponentError);
}

TEST(Collection, AssignCopiesItemByItemOrRaisesTheAssignmentError)
{
    TCollection source(TCollection::ItemClassOf<TValueItem>());
    for (int v : {7, 8, 9})
        static_cast<TValueItem*>(source.Add())->Value = v;
    TCollection target(TCollection::ItemClassOf<TValueItem>());
    target.Add();
    target.Assign(&source);
    ASSERT_EQ(target.Count(), 3);
    EXPECT_EQ(static_cast<TValueItem*>(target.Items(2))->Value, 9);

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
}

}  // namespace
