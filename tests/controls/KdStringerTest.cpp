// The string-list holder: its own list, copied lines, ownership by a form.
#include "controls/KdStringer.h"

#include <gtest/gtest.h>

namespace {

struct TCounter : TObject {
    int changes = 0;
    void Changed(TObject*) { ++changes; }
};

}  // namespace

TEST(KdStringer, SettingItemsCopiesTheLinesIntoItsOwnList)
{
    TKdStringer stringer(nullptr);
    TStringList* own = &stringer.Items();

    TStringList source;
    source.Add(L"0  Nothing");
    source.Add(L"5  Artifact");
    stringer.SetItems(source);

    EXPECT_EQ(&stringer.Items(), own) << "the list object is never replaced";
    ASSERT_EQ(stringer.Items().Count(), 2);
    EXPECT_EQ(stringer.Items()[1], L"5  Artifact");

    // The two lists are independent afterwards, both ways.
    source.Put(0, L"changed");
    source.Add(L"extra");
    EXPECT_EQ(stringer.Items().Count(), 2);
    EXPECT_EQ(stringer.Items()[0], L"0  Nothing");
    stringer.Items().Delete(1);
    EXPECT_EQ(source.Count(), 3);
    EXPECT_EQ(source[1], L"5  Artifact");

    // Setting again replaces the lines; setting from itself keeps them.
    TStringList other;
    other.Add(L"1  One");
    stringer.SetItems(other);
    ASSERT_EQ(stringer.Items().Count(), 1);
    EXPECT_EQ(stringer.Items()[0], L"1  One");
    stringer.SetItems(stringer.Items());
    ASSERT_EQ(stringer.Items().Count(), 1);
    EXPECT_EQ(stringer.Items()[0], L"1  One");
}

TEST(KdStringer, SetItemsIsOneChangeOfTheOwnList)
{
    TKdStringer stringer(nullptr);
    TCounter counter;
    stringer.Items().OnChange = TNotifyEvent(&counter, &TCounter::Changed);
    TStringList source;
    source.SetText(L"a\r\nb\r\nc\r\n");
    stringer.SetItems(source);
    EXPECT_EQ(counter.changes, 1);
    EXPECT_EQ(stringer.Items().Text(), L"a\r\nb\r\nc\r\n");
}

TEST(KdStringer, IsAComponentFoundByNameWithATag)
{
    TComponent form(nullptr);
    auto* list = new TKdStringer(&form);
    list->SetName(L"ListTypes");
    list->SetTag(1);
    auto* hints = new TKdStringer(&form);
    hints->SetName(L"HintA1");
    hints->SetTag(-1);

    EXPECT_EQ(FindComponentAs<TKdStringer>(&form, L"listtypes"), list);
    EXPECT_EQ(FindComponentAs<TKdStringer>(&form, L"HintA1")->Tag(), -1);
    EXPECT_TRUE(list->InheritsFrom(L"TComponent"));
    EXPECT_STREQ(list->ClassName(), L"TKdStringer");
    // The form frees both with itself (checked by the sanitizers natively).
}
