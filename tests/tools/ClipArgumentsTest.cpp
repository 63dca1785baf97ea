#include "tools/kestrin-clip/ClipArguments.h"

#include <gtest/gtest.h>

namespace {

TClipArguments Parse(std::vector<std::wstring> args)
{
    return ParseClipArguments(args);
}

TEST(ClipArgumentsTest, VerbsFilesAndFormats)
{
    auto r = Parse({L"put", L"C:\\\u041e\u0431\u044a\u0435\u043a\u0442.kst"});
    ASSERT_TRUE(r.Command);
    EXPECT_EQ(r.Command->Verb, TClipVerb::Put);
    EXPECT_EQ(r.Command->File, L"C:\\\u041e\u0431\u044a\u0435\u043a\u0442.kst");
    EXPECT_EQ(r.Command->FormatNumber, L"28");

    r = Parse({L"get", L"--format", L"21", L"out.bin"});
    ASSERT_TRUE(r.Command);
    EXPECT_EQ(r.Command->Verb, TClipVerb::Get);
    EXPECT_EQ(r.Command->File, L"out.bin");
    EXPECT_EQ(r.Command->FormatNumber, L"21");

    r = Parse({L"show", L"--format=14x"});  // any text is taken as it is
    ASSERT_TRUE(r.Command);
    EXPECT_EQ(r.Command->Verb, TClipVerb::Show);
    EXPECT_TRUE(r.Command->File.empty());
    EXPECT_EQ(r.Command->FormatNumber, L"14x");

    r = Parse({L"show", L"--format", L""});
    ASSERT_TRUE(r.Command);
    EXPECT_EQ(r.Command->FormatNumber, L"");

    r = Parse({L"put", L"--line", L"a 0 0 0 0 1 2 0 0", L"--format", L"21"});
    ASSERT_TRUE(r.Command);
    EXPECT_TRUE(r.Command->Line);
    EXPECT_EQ(r.Command->LineText, L"a 0 0 0 0 1 2 0 0");
    EXPECT_TRUE(r.Command->File.empty());
    r = Parse({L"show", L"--line", L"object.kst"});
    ASSERT_TRUE(r.Command);
    EXPECT_TRUE(r.Command->Line);
    EXPECT_EQ(r.Command->File, L"object.kst");

    r = Parse({L"formats"});
    ASSERT_TRUE(r.Command);
    EXPECT_EQ(r.Command->Verb, TClipVerb::Formats);
    r = Parse({L"--help"});
    ASSERT_TRUE(r.Command);
    EXPECT_EQ(r.Command->Verb, TClipVerb::Help);
}

TEST(ClipArgumentsTest, WrongLinesAreRefusedWithAReason)
{
    for (const auto& args : std::vector<std::vector<std::wstring>>{
             {},
             {L"paste"},
             {L"put"},
             {L"get", L"--format", L"28"},
             {L"put", L"a", L"b"},
             {L"put", L"a", L"--format"},
             {L"put", L"a", L"--format", L"1", L"--format", L"2"},
             {L"show", L"--verbose"},
             {L"formats", L"x"},
             {L"put", L""},
             {L"put", L"--line"},
             {L"put", L"a", L"--line", L"x"},
             {L"show", L"--line", L"--line"},
             {L"get", L"a", L"--line"},
             {L"formats", L"--line"},
         }) {
        const auto r = Parse(args);
        EXPECT_FALSE(r.Command) << args.size();
        EXPECT_FALSE(r.Error.empty());
    }
}

}  // namespace
