#include "framework/Strings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

// Records the change events of a list in order ("changing", "change").
class TEventLog : public TObject {
    CLASS_INFO(TEventLog, TObject)

public:
    explicit TEventLog(TStringList& list)
    {
        list.OnChanging = TNotifyEvent(this, &TEventLog::Changing);
        list.OnChange = TNotifyEvent(this, &TEventLog::Change);
    }
    void Changing(TObject*) { events.emplace_back("changing"); }
    void Change(TObject* sender)
    {
        events.emplace_back("change");
        lastCount = static_cast<TStringList*>(sender)->Count();
    }
    int Changes() const { return static_cast<int>(std::count(events.begin(), events.end(), "change")); }

    std::vector<std::string> events;
    int lastCount = -1;
};

std::vector<std::wstring> Lines(const TStrings& list)
{
    std::vector<std::wstring> lines;
    for (int i = 0; i < list.Count(); ++i)
        lines.push_back(list[i]);
    return lines;
}

TEST(StringList, EachChangeRaisesOneChangingAndOneChange)
{
    TStringList list;
    TEventLog log(list);
    list.Add(L"a");
    list.Insert(0, L"b");
    list.Put(1, L"c");
    list.Delete(0);
    EXPECT_EQ(log.events, (std::vector<std::string>{"changing", "change", "changing", "change", "changing",
                                                    "change", "changing", "change"}));
    EXPECT_EQ(log.lastCount, 1);

    // Clearing an empty list changes nothing and says nothing.
    list.Clear();
    log.events.clear();
    list.Clear();
    EXPECT_TRUE(log.events.empty());
}

TEST(StringList, UpdateBracketRaisesOnceAtTheOutermostEnd)
{
    TStringList list;
    TEventLog log(list);
    list.BeginUpdate();
    list.Add(L"one");
    list.BeginUpdate();
    list.Add(L"two");
    list.EndUpdate();
    EXPECT_EQ(log.events, std::vector<std::string>{"changing"}) << "nothing reported before the outermost end";
    list.Add(L"three");
    list.EndUpdate();
    EXPECT_EQ(log.events, (std::vector<std::string>{"changing", "change"}));
    EXPECT_EQ(log.lastCount, 3) << "the change is reported after all lines are in";

    // A bracket that changed nothing reports nothing, and the next bracket starts afresh.
    log.events.clear();
    list.BeginUpdate();
    list.EndUpdate();
    EXPECT_TRUE(log.events.empty());
    list.BeginUpdate();
    list.Delete(0);
    list.EndUpdate();
    EXPECT_EQ(log.events, (std::vector<std::string>{"changing", "change"}));

    // SetText and Assign are one change each.
    log.events.clear();
    list.SetText(L"x\r\ny\r\nz");
    TStringList other;
    other.Add(L"q");
    list.Assign(other);
    EXPECT_EQ(log.Changes(), 2);
}

TEST(StringList, TextRoundTripAndLineBreaks)
{
    TStringList list;
    list.SetText(L"first\r\nsecond\rthird\nfourth");
    EXPECT_EQ(Lines(list), (std::vector<std::wstring>{L"first", L"second", L"third", L"fourth"}));
    EXPECT_EQ(list.Text(), L"first\r\nsecond\r\nthird\r\nfourth\r\n");

    TStringList copy;
    copy.SetText(list.Text());
    EXPECT_EQ(Lines(copy), Lines(list));

    // Empty lines inside are kept; one break at the end makes no extra line.
    list.SetText(L"a\r\n\r\n\nb\r\n");
    EXPECT_EQ(Lines(list), (std::vector<std::wstring>{L"a", L"", L"", L"b"}));
    list.SetText(L"\n");
    EXPECT_EQ(Lines(list), std::vector<std::wstring>{L""});
    list.SetText(L"");
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Text(), L"");
}

TEST(StringList, AssignMakesAnIndependentCopyWithObjects)
{
    TStringList source;
    TObject marker;
    source.Add(L"alpha");
    source.AddObject(L"beta", &marker);

    TStringList target;
    target.Add(L"old");
    target.Assign(source);
    EXPECT_EQ(Lines(target), (std::vector<std::wstring>{L"alpha", L"beta"}));
    EXPECT_EQ(target.Objects(1), &marker);

    source.Put(0, L"changed");
    source.Delete(1);
    target.Add(L"gamma");
    EXPECT_EQ(Lines(target), (std::vector<std::wstring>{L"alpha", L"beta", L"gamma"}));
    EXPECT_EQ(Lines(source), std::vector<std::wstring>{L"changed"});

    target.Assign(target);  // assigning a list to itself keeps it
    EXPECT_EQ(target.Count(), 3);
}

TEST(StringList, SearchIgnoresCaseAndBadIndexesAreRefused)
{
    TStringList list;
    list.SetText(L"Apple\r\nbanana\r\nAPPLE");
    EXPECT_EQ(list.IndexOf(L"apple"), 0);
    EXPECT_EQ(list.IndexOf(L"BANANA"), 1);
    EXPECT_EQ(list.IndexOf(L"cherry"), -1);

    EXPECT_THROW(list.Get(3), EStringListError);
    EXPECT_THROW(list.Get(-1), EStringListError);
    EXPECT_THROW(list.Delete(3), EStringListError);
    EXPECT_THROW(list.Insert(5, L"x"), EStringListError);
    list.Insert(3, L"end");  // inserting at Count appends
    EXPECT_EQ(list[3], L"end");
    try {
        list.Get(7);
        FAIL();
    } catch (const EStringListError& e) {
        EXPECT_EQ(e.Message(), L"List index out of bounds (7)");
    }
}

}  // namespace
