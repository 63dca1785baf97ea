#include "framework/Clipboard.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "framework/OSError.h"

namespace {

TEST(Clipboard, RegistersFormatsByName)
{
    const UINT format = RegisterClipboardFormatName("Kestrin Test Clipboard Format 28");
    EXPECT_GE(format, 0xC000u);
    EXPECT_EQ(RegisterClipboardFormatName("Kestrin Test Clipboard Format 28"), format);
    EXPECT_NE(RegisterClipboardFormatName("Kestrin Test Clipboard Format 21"), format);
    EXPECT_EQ(RegisterClipboardFormatName(""), 0u);
    EXPECT_EQ(RegisterClipboardFormatName(std::string_view("a\0b", 3)), 0u);
    EXPECT_FALSE(ClipboardHasFormat(0));
}

TEST(Clipboard, PrivateFormatRoundTrip)
{
    const UINT format = RegisterClipboardFormatName("Kestrin Test Clipboard Format 28");
    std::vector<uint8_t> block(4096);
    for (size_t i = 0; i < block.size(); ++i)
        block[i] = static_cast<uint8_t>(i * 7 + 3);
    {
        TClipboardSession clipboard;
        clipboard.Clear();
        clipboard.SetAsBytes(format, block);
    }
    EXPECT_TRUE(ClipboardHasFormat(format));
    {
        TClipboardSession clipboard;
        EXPECT_EQ(clipboard.Formats(), std::vector<UINT>{format}) << "nothing else is offered";
        EXPECT_EQ(clipboard.GetAsBytes(format), block);
        TGlobalLock lock(clipboard.GetAsHandle(format));
        EXPECT_EQ(lock.Size(), 4096u);
        EXPECT_TRUE(clipboard.GetAsBytes(CF_UNICODETEXT).empty());
        EXPECT_EQ(clipboard.GetAsHandle(CF_UNICODETEXT), nullptr);
    }

    // Text replaces the block once the clipboard is cleared.
    {
        TClipboardSession clipboard;
        clipboard.Clear();
        clipboard.SetAsText(L"Объект 28");
    }
    EXPECT_FALSE(ClipboardHasFormat(format));
    TClipboardSession clipboard;
    EXPECT_EQ(clipboard.AsText(), L"Объект 28");
}

TEST(Clipboard, RefusedHandOverLeavesTheBlockWithItsOwner)
{
    TClipboardSession clipboard;
    clipboard.Clear();
    TGlobalMemory block(16);
    EXPECT_THROW(clipboard.SetAsHandle(0, block), EOSError);
    EXPECT_TRUE(block) << "still ours, freed by the owner";

    const UINT format = RegisterClipboardFormatName("Kestrin Test Clipboard Format 14");
    clipboard.SetAsHandle(format, block);
    EXPECT_FALSE(block) << "the clipboard owns it now";
}

TEST(Clipboard, NestedSessionsOpenOnceAndCloseAtTheEnd)
{
    {
        TClipboardSession outer;
        {
            TClipboardSession inner;
            inner.Clear();
        }
        // Still open: emptying needs an open clipboard.
        EXPECT_NO_THROW(outer.Clear());
    }
    EXPECT_FALSE(EmptyClipboard()) << "closed after the outermost session";
}

TEST(Clipboard, OpenFailsWhileAnotherThreadHoldsIt)
{
    std::atomic<int> step{0};
    std::thread holder([&] {
        // The holder opens it for a window of its own, as another program would.
        HWND window = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
        if (window && OpenClipboard(window)) {
            step = 1;
            while (step != 2)
                Sleep(1);
            CloseClipboard();
        } else {
            step = -1;
        }
        if (window)
            DestroyWindow(window);
    });
    while (step == 0)
        Sleep(1);
    ASSERT_EQ(step, 1);
    EXPECT_THROW(TClipboardSession session, EOSError);
    step = 2;
    holder.join();
    EXPECT_NO_THROW(TClipboardSession session);
}

TEST(GlobalMemory, OwnsUntilReleased)
{
    TGlobalMemory a(100);
    HGLOBAL h = a.Get();
    ASSERT_NE(h, nullptr);
    {
        TGlobalLock lock(h);
        EXPECT_GE(lock.Size(), 100u);
        EXPECT_EQ(lock.Bytes()[99], 0) << "zero-filled";
    }
    TGlobalMemory b(std::move(a));
    EXPECT_FALSE(a);
    EXPECT_EQ(b.Get(), h);
    HGLOBAL released = b.Release();
    EXPECT_FALSE(b);
    EXPECT_EQ(GlobalFree(released), nullptr);
    EXPECT_THROW(TGlobalLock(nullptr), EOSError);
}

}  // namespace
