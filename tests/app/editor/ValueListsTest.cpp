// The built-in value lists as data: each holder's tag and line count, lines that
// read back as their values, and the lines whose blanks or order are unusual.
#include "app/editor/ValueLists.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>

#include "object/ObjectBlock.h"

namespace {

std::map<std::wstring, TValueListData> ByName()
{
    std::map<std::wstring, TValueListData> lists;
    for (const TValueListData& list : BuiltInValueLists())
        lists.emplace(list.Name, list);
    return lists;
}

int32_t Value(const wchar_t* line) { return ReadBoxNumber(std::wstring_view(line)).Value; }

TEST(ValueLists, HoldersHaveTheirTagsLineCountsAndValues)
{
    const std::map<std::wstring, std::pair<int, size_t>> expected = {
        {L"ListTypes", {0, 232}}, {L"ListTypesA", {1, 225}}, {L"ListSubtypes", {0, 16}}, {L"ListA1", {0, 171}},
        {L"HintA1", {0, 4}},      {L"ListBG", {0, 8}},       {L"ListCB", {0, 21}},       {L"ListCG", {1, 96}},
        {L"ListCG1", {0, 2}},     {L"ListH", {0, 18}},       {L"ListM1", {0, 8}},        {L"ListM2", {0, 9}},
        {L"ListR", {0, 8}},       {L"ListC", {0, 192}},      {L"ListT", {0, 9}},         {L"ListSS", {0, 2}}};
    const auto lists = ByName();
    ASSERT_EQ(BuiltInValueLists().size(), expected.size());
    for (const auto& [name, tagAndCount] : expected) {
        ASSERT_TRUE(lists.count(name)) << testing::PrintToString(name);
        const TValueListData& list = lists.at(name);
        EXPECT_EQ(list.Tag, tagAndCount.first) << testing::PrintToString(name);
        ASSERT_EQ(list.Lines.size(), tagAndCount.second) << testing::PrintToString(name);
        // In index mode line i stands for value i.
        if (list.Tag == 0 && name != L"HintA1" && name != L"ListSubtypes") {
            for (size_t i = 0; i < list.Lines.size(); ++i)
                EXPECT_EQ(Value(list.Lines[i]), static_cast<int32_t>(i)) << testing::PrintToString(name);
        }
    }

    std::set<int32_t> dwellings;
    for (const wchar_t* line : lists.at(L"ListCG").Lines)
        dwellings.insert(Value(line));
    EXPECT_EQ(dwellings.size(), 96u);
    EXPECT_EQ(*dwellings.rbegin(), 95);
    EXPECT_STREQ(lists.at(L"ListCG").Lines[0], L"56  Guardhouse (Pikemen)");
}

TEST(ValueLists, TextsWithUnusualBlanksAreExact)
{
    const auto lists = ByName();
    EXPECT_STREQ(lists.at(L"ListSS").Lines[1], L"1 Snowy( WOG)");
    EXPECT_STREQ(lists.at(L"ListM2").Lines[1], L"1  Orange (bubbles) ");
    EXPECT_STREQ(lists.at(L"ListSubtypes").Lines[5], L"20\tCG1");
    const auto& artifacts = lists.at(L"ListA1").Lines;
    EXPECT_STREQ(artifacts[155], L"155  Zelvo's Ring of Power ***");
    for (size_t i = 156; i <= 170; ++i)
        EXPECT_EQ(std::wstring(artifacts[i]).back(), L' ') << i;
    EXPECT_STREQ(artifacts[170], L"170  Blank Horn **** ");
    EXPECT_STREQ(lists.at(L"ListTypes").Lines[139], L"139");
}

TEST(ValueLists, AlphabeticalTypesAreTheNamedTypesInNameOrder)
{
    const auto lists = ByName();
    const auto& byNumber = lists.at(L"ListTypes").Lines;
    const auto& byName = lists.at(L"ListTypesA").Lines;
    std::set<int32_t> values;
    for (const wchar_t* line : byName) {
        const int32_t v = Value(line);
        EXPECT_TRUE(values.insert(v).second) << v;
        if (v < 65 || v > 68 || v == 66) {
            EXPECT_STREQ(line, byNumber[static_cast<size_t>(v)]);
        }
    }
    EXPECT_FALSE(values.count(144));
    const std::wstring first[] = {L"40  <blank>", L"50  <blank>", L"0  <none>", L"1  <none>", L"217  <none>",
                                  L"218  <none>", L"2  Altar of Sacrifice", L"3  Anchor Point"};
    EXPECT_TRUE(std::equal(std::begin(first), std::end(first), byName.begin()));
    auto at = [&byName](const wchar_t* line) {
        return std::find_if(byName.begin(), byName.end(), [line](const wchar_t* l) { return std::wstring(l) == line; }) -
               byName.begin();
    };
    EXPECT_EQ(at(L"219  Garrison") + 1, at(L"33  Garrison"));
    EXPECT_EQ(at(L"220  Mine") + 1, at(L"53  Mine"));
    EXPECT_LT(at(L"68  Random Major Artefact"), at(L"67  Random Minor Artefact"));
    for (size_t i = 1; i < byName.size(); ++i) {
        const std::wstring a = byName[i - 1], b = byName[i];
        EXPECT_LE(a.substr(a.find(L"  ") + 2), b.substr(b.find(L"  ") + 2)) << i;
    }
}

}  // namespace
