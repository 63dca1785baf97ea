#pragma once
// The real main window in-process for tests: a fresh window per test on an empty
// clipboard, blocks to decode, and encoding through its controls.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <string>
#include <vector>

#include "app/MainForm.h"
#include "framework/Application.h"
#include "framework/StdCtrls.h"
#include "object/ObjectControls.h"

inline void ClearClipboard()
{
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    CloseClipboard();
}

inline std::vector<uint8_t> MakeBlock(const std::string& name, uint8_t page, uint8_t water = 1, size_t tail = 16)
{
    std::vector<uint8_t> b(4 + name.size() + 26 + tail, 0);
    const auto n = static_cast<uint32_t>(name.size());
    std::memcpy(b.data(), &n, 4);
    std::memcpy(b.data() + 4, name.data(), name.size());
    const size_t at = 4 + name.size();
    b[at] = 0x81;  // passability row 1: columns 1 and 8
    b[at + 6] = 0x01;  // action row 1: column 1
    b[at + 12] = 0xFF;
    b[at + 13] = water;
    b[at + 16] = 5;
    b[at + 20] = 2;
    b[at + 24] = page;
    for (size_t i = at + 26; i < b.size(); ++i)
        b[i] = static_cast<uint8_t>(i * 3);
    return b;
}

class MainFormTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ClearClipboard();
        form = new TForm1(Application);
    }
    void TearDown() override { delete form; }

    template <class T>
    T* Get(const wchar_t* name)
    {
        auto* c = FindComponentAs<T>(form, name);
        EXPECT_TRUE(c) << "no control";
        return c;
    }

    bool Decode(std::vector<uint8_t> block)
    {
        form->ObjectControls().CurrentBlock() = std::move(block);
        return DecodeIntoControls(form->ObjectControls());
    }

    std::array<uint8_t, kObjectBlockSize> Encode()
    {
        std::array<uint8_t, kObjectBlockSize> out{};
        EncodeFromControls(form->ObjectControls(), out);
        return out;
    }

    bool PageChecked()
    {
        for (int i = 8; i <= 13; ++i)
            if (Get<TRadioButton>((L"RadioButton" + std::to_wstring(i)).c_str())->Checked())
                return true;
        return false;
    }

    TForm1* form = nullptr;
};

