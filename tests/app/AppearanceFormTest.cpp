// The "Appearance" group on the real main window: the catalogue read from the
// Data folder of the current directory at start-up, the picture list that the
// appearance boxes drive, the picture store of its buttons, and a catalogue
// that ends the start-up steps.
#include <gtest/gtest.h>

#include "app/MainForm.h"
#include "framework/Application.h"
#include "framework/ComboBox.h"
#include "tests/support/TempDir.h"

namespace {

std::vector<uint8_t> Bytes(const std::string& text) { return {text.begin(), text.end()}; }

class AppearanceFormTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(OpenClipboard(nullptr));
        EmptyClipboard();
        CloseClipboard();
        GetCurrentDirectoryW(MAX_PATH, previous_);
        ASSERT_TRUE(CreateDirectoryW((dir_ / L"Data").c_str(), nullptr));
        ASSERT_TRUE(SetCurrentDirectoryW(dir_.Path().c_str()));
    }
    void TearDown() override
    {
        delete form;
        SetCurrentDirectoryW(previous_);
    }

    void PutCatalogue(const wchar_t* name, const std::string& text) { testfs::PutFile(dir_ / name, Bytes(text)); }
    TComboBox* Box(const wchar_t* name) { return FindComponentAs<TComboBox>(form, name); }
    std::vector<std::wstring> Pictures()
    {
        std::vector<std::wstring> items;
        TStrings& lines = *Box(L"ComboName")->Items();
        for (int i = 0; i < lines.Count(); ++i)
            items.push_back(lines.Get(i));
        // The window's own list holds the same lines.
        EXPECT_EQ(SendMessageW(Box(L"ComboName")->Handle(), CB_GETCOUNT, 0, 0), static_cast<LRESULT>(items.size()));
        return items;
    }
    // The user picks a value in an appearance box.
    void Choose(const wchar_t* box, int32_t value)
    {
        form->ObjectControls().SelectByValue(box, value);
        form->ObjectControls().RunChange(box);
    }
    void Click(const wchar_t* button)
    {
        SendMessageW(FindComponentAs<TWinControl>(form, button)->Handle(), BM_CLICK, 0, 0);
    }

    testfs::TTempDir dir_;
    wchar_t previous_[MAX_PATH] = {};
    TForm1* form = nullptr;
};

TEST_F(AppearanceFormTest, CatalogueDrivesThePictureList)
{
    PutCatalogue(L"Data\\Objects.txt", "3\r\nAVWangl0.def 1 0 1 1 54 12 2 0\r\nAVWpike.def 1 0 1 1 54 0 2 0\r\n"
                                       "AVWangl1.def 1 0 1 1 54 12 2 0\r\n");
    // Read after it: the same picture in another case is there already; with
    // another subtype it is new.
    PutCatalogue(L"Data\\Objects2.txt", "2\r\navwANGL0.DEF 1 0 1 1 54 12 2 0\r\navwANGL0.DEF 1 0 1 1 54 13 2 0\r\n");
    form = new TForm1(Application);
    EXPECT_EQ(form->Catalogue().Entries().size(), 4u);

    Choose(L"ComboBox3", 54);
    Choose(L"ComboBox4", 12);
    EXPECT_EQ(Pictures(), (std::vector<std::wstring>{L"AVWangl0.def", L"AVWangl1.def"}));
    EXPECT_EQ(Box(L"ComboName")->Text(), L"AVWangl0.def");
    EXPECT_EQ(Box(L"ComboBox4")->Text(), L"12  Angel");

    // "Copy" keeps the name, "Paste" puts it back without touching the boxes.
    Click(L"Button7");
    Choose(L"ComboBox4", 0);
    EXPECT_EQ(Box(L"ComboName")->Text(), L"AVWpike.def");
    Click(L"Button8");
    EXPECT_EQ(Box(L"ComboName")->Text(), L"AVWangl0.def");
    EXPECT_EQ(Pictures(), std::vector<std::wstring>{L"AVWpike.def"});

    // A name typed in another case sets the boxes to the catalogue's values.
    Box(L"ComboName")->SetText(L"AVWANGL0.def");
    form->ObjectControls().RunChange(L"ComboName");
    EXPECT_EQ(Box(L"ComboBox3")->Text(), L"54  Monster");
    EXPECT_EQ(Box(L"ComboBox4")->Text(), L"12  Angel");
    EXPECT_EQ(Box(L"ComboName")->Text(), L"AVWANGL0.def");
    EXPECT_EQ(Pictures(), (std::vector<std::wstring>{L"AVWangl0.def", L"AVWangl1.def"}));
}

TEST_F(AppearanceFormTest, BadCountEndsTheStartUpSteps)
{
    PutCatalogue(L"Data\\Objects.txt", "2\r\nAVWpike.def 1 0 1 1 54 0 2 0\r\n");
    PutCatalogue(L"Data\\Objects1.txt", "many\r\nAVWangl0.def 1 0 1 1 54 12 2 0\r\n");
    PutCatalogue(L"Data\\Objects2.txt", "1\r\nAVXmine.def 1 0 1 1 53 0 5 0\r\n");
    struct TCatcher : TObject {
        std::vector<std::wstring> Errors;
        void Caught(TObject*, std::exception_ptr error)
        {
            try {
                std::rethrow_exception(error);
            } catch (const std::exception& e) {
                Errors.push_back(TApplication::ExceptionText(e));
            }
        }
    } catcher;
    Application->OnException = TExceptionEvent(&catcher, &TCatcher::Caught);
    form = new TForm1(Application);
    Application->OnException = nullptr;
    EXPECT_EQ(catcher.Errors, std::vector<std::wstring>{L"Invalid numeric input."});
    // The entries before the error stay; the files after it and the later steps
    // (the type lists) do not come.
    EXPECT_EQ(form->Catalogue().Entries(), (std::vector<TMyPic>{{"AVWpike.def", 54, 0}}));
    EXPECT_EQ(Box(L"ComboBox3")->Items()->Count(), 0);
}

}  // namespace
