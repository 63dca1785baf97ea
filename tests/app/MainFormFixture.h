#pragma once
// The real main window in-process for tests: a fresh window per test on an empty
// clipboard, blocks to decode, and encoding through its controls.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "app/MainForm.h"
#include "framework/Application.h"
#include "framework/StdCtrls.h"
#include "object/ObjectControls.h"
#include "tests/support/ObjectBlocks.h"

inline void ClearClipboard()
{
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    CloseClipboard();
}

inline std::vector<uint8_t> MakeBlock(const std::string& name, uint8_t page, uint8_t water = 1, size_t tail = 16)
{
    testblocks::TBlockFields s;
    s.Name = name;
    s.Pass = {0x81, 0, 0, 0, 0, 0};  // passability row 1: columns 1 and 8
    s.Act = {0x01, 0, 0, 0, 0, 0};   // action row 1: column 1
    s.Terrains = 0xFF;
    s.Water = water;
    s.EditorTerrains = 0;
    s.Type = 5;
    s.Subtype = 2;
    s.Page = page;
    s.Ground = 0;
    s.Size = testblocks::HeadSize(name) + tail;
    s.Fill = [](size_t i) { return static_cast<uint8_t>(i * 3); };
    return testblocks::MakeBlock(s);
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

