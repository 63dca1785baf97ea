// The released folder as a map maker unpacks it: Kestrin.exe started with the
// folder as its current directory (as a double click does) finds its help.
#include <gtest/gtest.h>

#include <string>

#include "tests/e2e/KestrinDriver.h"

namespace {

using namespace e2e;

TEST(ReleaseE2E, TheUnpackedProgramOpensItsEnglishHelp)
{
    const std::wstring exe = KestrinExePath();
    const std::wstring folder = exe.substr(0, exe.find_last_of(L'\\'));
    ClearClipboard();
    TKestrin app(-1, L"", folder);
    ASSERT_TRUE(app.WaitForMainWindow());
    EXPECT_FALSE(app.WaitForMessageBox(500ms)) << "a message at start";

    app.Click(app.Button(L"Help"));
    EXPECT_FALSE(app.WaitForMessageBox(500ms)) << "Help reported an error";
    HWND help = FindWindowW(L"Kestrin Help Form", L"Kestrin Help");
    ASSERT_TRUE(help) << "no help window";
    // The memo is the help window's only edit box.
    const HWND memo = FindWindowExW(help, nullptr, L"Edit", nullptr);
    ASSERT_TRUE(memo) << "the help window has no memo";
    const std::wstring text = WindowText(memo);
    EXPECT_NE(text.find(L"KESTRIN HELP"), std::wstring::npos);
    EXPECT_NE(text.find(L"The round trip with the map editor"), std::wstring::npos);
    PostMessageW(help, WM_CLOSE, 0, 0);
}

}  // namespace
