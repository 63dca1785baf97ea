// Keys for comparing texts as the user's locale does, without regard to case.
#include <gtest/gtest.h>

#include <windows.h>

#include "framework/LocaleText.h"

namespace {

TEST(LocaleTextTest, KeysAreEqualExactlyWhenTheLocaleComparesEqual)
{
    const std::wstring texts[] = {L"",         L"a",           L"A",          L"b",      L"AVWmine.def",
                                  L"avwMINE.DEF", L"avwmine.def2", L"\u00C4rger", L"\u00E4RGER", L"\u0414\u043E\u043C",
                                  L"\u0434\u041E\u041C", L"co-op",  L"coop",       std::wstring(300, L'x'),
                                  std::wstring(300, L'X')};
    for (const std::wstring& a : texts) {
        for (const std::wstring& b : texts) {
            const bool equal = CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.c_str(), -1, b.c_str(), -1) ==
                               CSTR_EQUAL;
            EXPECT_EQ(CaseBlindSortKey(a) == CaseBlindSortKey(b), equal)
                << "\"" << std::string(a.begin(), a.end()) << "\" and \"" << std::string(b.begin(), b.end()) << "\"";
        }
    }
    // The cases differ only in case here, whichever script.
    EXPECT_EQ(CaseBlindSortKey(L"\u0414\u043E\u043C"), CaseBlindSortKey(L"\u0434\u041E\u041C"));
}

}  // namespace
