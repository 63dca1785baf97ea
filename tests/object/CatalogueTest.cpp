// The catalogue's line rules, its files read one after another, its lookups,
// and a check against a plain reading of the rules on random catalogues.
#include <gtest/gtest.h>

#include <random>

#include "framework/Exceptions.h"
#include "object/CatalogueText.h"

namespace {

const TAsciiCollation kCollation;

// A line as the game writes it: name, two masks, two terrain sets, type, subtype, page, ground.
std::string GameLine(const std::string& name, int type, int subtype)
{
    return name + " " + std::string(48, '1') + " " + std::string(48, '0') + " 111111111 111111111 " +
           std::to_string(type) + " " + std::to_string(subtype) + " 2 0";
}

std::vector<TMyPic> Read(std::initializer_list<std::string_view> files)
{
    TObjectCatalogue catalogue(kCollation);
    for (std::string_view text : files)
        ReadCatalogueText(catalogue, text);
    return catalogue.Entries();
}

TEST(CatalogueTest, LineRules)
{
    // The fields are counted from the end; a trailing blank shifts them. A line
    // of three blanks is passed over without taking the type of the line before.
    EXPECT_EQ(Read({"5\r\n" + GameLine("AVWangl0.def", 54, 12) + "\r\na 1 2 3 4\r\nb 1 2 3 4 \r\nc 7 x 9\r\n"
                    " 1 2 3 4\r\nd  5 6 7\r\n"}),
              (std::vector<TMyPic>{{"AVWangl0.def", 54, 12}, {"a", 1, 2}, {"b", 2, 3}, {"", 1, 2}}));
    // LF and CR end lines too; the count line may carry more words; a sign is fine.
    EXPECT_EQ(Read({"3 entries\na +1 -2 0 0\rb 3 4 0 0\n"}), (std::vector<TMyPic>{{"a", 1, -2}, {"b", 3, 4}}));
    // An empty field reads as 0.
    EXPECT_EQ(Read({"1\r\nd  5 6 7\r\n"}), (std::vector<TMyPic>{{"d", 0, 5}}));

    // Stops: a line without a blank, a type or subtype that is no clean number
    // (letters, or too large); entries before the stop stay.
    for (const char* stop : {"nofields", "x 1a 2 3 4", "x 1 2b 3 4", "x 1 2147483648 3 4", "x 1 2 3\ty 4 5"}) {
        const std::vector<TMyPic> got = Read({std::string("9\r\na 1 2 0 0\r\n") + stop + "\r\nb 1 2 0 0\r\n"});
        EXPECT_EQ(got, (std::vector<TMyPic>{{"a", 1, 2}})) << stop;
    }
    // An empty line has no blank either; blank lines at the end are the end.
    EXPECT_EQ(Read({"9\r\na 1 2 0 0\r\n\r\nb 1 2 0 0\r\n"}).size(), 1u);
    EXPECT_EQ(Read({"9\r\na 1 2 0 0\r\n  \r\n\t\r\n"}).size(), 1u);
}

TEST(CatalogueTest, CountLine)
{
    const std::string five = "a 1 1 0 0\r\nb 1 2 0 0\r\nc 1 3 0 0\r\nd 1 4 0 0\r\ne 1 5 0 0\r\n";
    EXPECT_EQ(Read({"3\r\n" + five}).size(), 3u);
    EXPECT_EQ(Read({"5\r\na 1 1 0 0\r\nb 1 2 0 0\r\nc 1 3 0 0\r\n"}).size(), 3u);
    EXPECT_EQ(Read({"-1\r\n" + five}).size(), 0u);
    EXPECT_EQ(Read({""}).size(), 0u);
    // The count may follow blank lines, as a number read from a text does.
    EXPECT_EQ(Read({"\r\n 2\r\n" + five}).size(), 2u);

    for (const char* bad : {"many\r\n", "12x\r\n", "+\r\n", "99999999999\r\n"}) {
        TObjectCatalogue catalogue(kCollation);
        catalogue.Add({"kept", 1, 1});
        try {
            ReadCatalogueText(catalogue, bad + five);
            ADD_FAILURE() << "no error for " << bad;
        } catch (const EInOutError& e) {
            EXPECT_EQ(e.Message(), L"Invalid numeric input");
        }
        EXPECT_EQ(catalogue.Entries().size(), 1u);
    }
}

TEST(CatalogueTest, FirstFileIsTakenWholeLaterFilesAddWhatIsNew)
{
    const std::string twice = "2\r\na 1 2 0 0\r\na 1 2 0 0\r\n";
    // The first file that yields entries keeps its duplicates, whichever file it is.
    EXPECT_EQ(Read({"0\r\n", twice}).size(), 2u);
    // Read after a non-empty file, the same lines give one entry; another case of
    // the name is the same name, another subtype is another entry.
    EXPECT_EQ(Read({"1\r\nz 0 0 0 0\r\n", twice}).size(), 2u);
    EXPECT_EQ(Read({"1\r\nAVWmine.def 53 0 0 0\r\n", "2\r\navwMINE.DEF 53 0 0 0\r\navwMINE.DEF 53 1 0 0\r\n"}),
              (std::vector<TMyPic>{{"AVWmine.def", 53, 0}, {"avwMINE.DEF", 53, 1}}));
}

TEST(CatalogueTest, FindScansInOrderWithWildcards)
{
    TObjectCatalogue catalogue(kCollation);
    TMyPic query{"", kAnyValue, kAnyValue};
    EXPECT_EQ(catalogue.Find(query, 0), -1);
    for (const TMyPic& e : std::vector<TMyPic>{{"Shared", 5, 1}, {"Angel", 54, 12}, {"Shared", 54, 12}})
        catalogue.Add(e);
    // From the start index on; the query takes the catalogue's spelling.
    query = {"shared", kAnyValue, kAnyValue};
    EXPECT_EQ(catalogue.Find(query, 1), 3);
    EXPECT_EQ(query, (TMyPic{"Shared", 54, 12}));
    query = {"", kAnyValue, 1};
    EXPECT_EQ(catalogue.Find(query, 1), -1);
    EXPECT_EQ(catalogue.Find(query, 99), -1);
}

// ---- the rules read plainly: whole lines, a scan per duplicate check ----

// The random files hold small numbers only.
bool CleanNumber(const std::string& s, int32_t& value)
{
    if (s.find_first_not_of("0123456789", s.starts_with('-') || s.starts_with('+')) != std::string::npos)
        return false;
    value = s.empty() ? 0 : std::stoi(s);
    return true;
}

std::string Lower(std::string s)
{
    for (char& c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

void PlainRead(std::vector<TMyPic>& all, const std::string& text)
{
    std::vector<std::string> lines;  // CR LF only, as the random files are written
    for (size_t at = 0; at < text.size();) {
        const size_t end = std::min(text.find("\r\n", at), text.size());
        lines.push_back(text.substr(at, end - at));
        at = end + 2;
    }
    const bool checked = !all.empty();
    const int count = std::stoi(lines.at(0));
    for (int i = 1; i <= count; ++i) {
        bool rest = false;
        for (size_t j = static_cast<size_t>(i); j < lines.size(); ++j)
            for (char c : lines[j])
                rest = rest || static_cast<unsigned char>(c) > ' ';
        if (!rest)
            return;
        const std::string& line = lines[static_cast<size_t>(i)];
        if (line.find(' ') == std::string::npos)
            return;
        std::vector<size_t> blanks;
        for (size_t p = line.size(); p-- > 0 && blanks.size() < 4;)
            if (line[p] == ' ')
                blanks.push_back(p);
        if (blanks.size() < 4)
            continue;
        TMyPic e{line.substr(0, line.find(' '))};
        if (!CleanNumber(line.substr(blanks[2] + 1, blanks[1] - blanks[2] - 1), e.Subtype))
            return;
        if (!CleanNumber(line.substr(blanks[3] + 1, blanks[2] - blanks[3] - 1), e.Type))
            return;
        bool present = false;
        for (const TMyPic& old : all)
            present = present || (Lower(old.Name) == Lower(e.Name) && old.Type == e.Type && old.Subtype == e.Subtype);
        if (!checked || !present)
            all.push_back(e);
    }
}

TEST(CatalogueTest, SameEntriesAsAPlainReadingOfTheRules)
{
    std::mt19937 random(20240611);
    auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    const char* const names[] = {"AVWangl0.def", "AVXmine.def", "avgpike", "Tree", "AVLrk1"};
    for (int round = 0; round < 300; ++round) {
        std::vector<std::string> files;
        for (int f = pick(6) + 1; f > 0; --f) {
            const int lines = pick(12);
            std::string text = std::to_string(lines + pick(5) - 2) + "\r\n";
            for (int i = 0; i < lines; ++i) {
                std::string name = names[pick(5)];
                for (char& c : name)
                    if (pick(4) == 0)
                        c = static_cast<char>(c ^ (std::isalpha(static_cast<unsigned char>(c)) ? 0x20 : 0));
                const int kind = pick(20);
                if (kind == 0)
                    text += name + " 1 2 3";                       // too few blanks
                else if (kind == 1)
                    text += name + " x" + std::to_string(pick(3)) + " 1 0 0";  // no number
                else if (kind == 2)
                    text += name + "  " + std::to_string(pick(3)) + " 0 0 ";  // empty field, trailing blank
                else
                    text += GameLine(name, pick(3), pick(3));
                text += "\r\n";
            }
            files.push_back(text + (pick(3) == 0 ? "  \r\n" : ""));
        }
        TObjectCatalogue catalogue(kCollation);
        std::vector<TMyPic> expected;
        for (const std::string& text : files) {
            ReadCatalogueText(catalogue, text);
            PlainRead(expected, text);
        }
        ASSERT_EQ(catalogue.Entries(), expected) << "round " << round;
    }
}

}  // namespace
