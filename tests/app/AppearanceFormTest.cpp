// The "Appearance" group on the real main window: the catalogue read from the
// Data folder of the current directory at start-up, the picture list in the
// real box, the picture store of its buttons, and a catalogue whose count is
// no number, which ends the start-up steps.
#include <gtest/gtest.h>

#include "app/MainForm.h"
#include "framework/Application.h"
#include "framework/ComboBox.h"
#include "tests/support/TempDir.h"

namespace {

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

    void PutCatalogue(const wchar_t* name, const std::string& text)
    {
        testfs::PutFile(dir_ / name, {text.begin(), text.end()});
    }
    TComboBox* Box(const wchar_t* name) { return FindComponentAs<TComboBox>(form, name); }
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
    // Read after it, the same picture in another case is there already; with
    // another subtype it is new.
    PutCatalogue(L"Data\\Objects2.txt", "2\r\navwANGL0.DEF 1 0 1 1 54 12 2 0\r\navwANGL0.DEF 1 0 1 1 54 13 2 0\r\n");
    form = new TForm1(Application);
    EXPECT_EQ(form->Catalogue().Entries().size(), 4u);

    // The appearance subtype's change lists the pictures of both boxes.
    form->ObjectControls().SelectByValue(L"ComboBox3", 54);
    form->ObjectControls().SelectByValue(L"ComboBox4", 12);
    form->ObjectControls().RunChange(L"ComboBox4");
    TCustomCombo* picture = Box(L"ComboName");
    ASSERT_EQ(SendMessageW(picture->Handle(), CB_GETCOUNT, 0, 0), 2);
    EXPECT_EQ(picture->Text(), L"AVWangl0.def");

    // "Paste" does nothing before a "Copy"; then it puts the kept name back.
    Click(L"Button8");
    EXPECT_EQ(picture->Text(), L"AVWangl0.def");
    Click(L"Button7");
    picture->SetText(L"typed");
    Click(L"Button8");
    EXPECT_EQ(picture->Text(), L"AVWangl0.def");
}

TEST_F(AppearanceFormTest, CountThatIsNoNumberEndsTheStartUpSteps)
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
    // The entries before the error stay; the later files and steps (the type lists) do not come.
    EXPECT_EQ(form->Catalogue().Entries(), (std::vector<TMyPic>{{"AVWpike.def", 54, 0}}));
    EXPECT_EQ(Box(L"ComboBox3")->Items()->Count(), 0);
}

}  // namespace
