// The string-list holder keeps its own list and copies lines into it.
#include "controls/KdStringer.h"

#include <gtest/gtest.h>

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
