// The application's default error display, its text rule, and the message loop
// going on after an error escaped a handler.
#include <gtest/gtest.h>

#include <memory>

#include "framework/OSError.h"
#include "framework/StdCtrls.h"
#include "tests/framework/ControlsTestSupport.h"
#include "tests/support/DialogAnswerer.h"

using namespace testing_support;

namespace {

struct TThrower : TObject {
    std::wstring Message;
    int Calls = 0;
    void Click(TObject*)
    {
        ++Calls;
        if (!Message.empty())
            throw Exception(Message);
    }
};

}  // namespace

TEST(Application, ErrorTextGetsAFullStopOnlyAfterCharactersAboveIt)
{
    EXPECT_EQ(TApplication::ExceptionText(Exception(L"Wrong data")), L"Wrong data.");
    EXPECT_EQ(TApplication::ExceptionText(Exception(L"Done.")), L"Done.");
    EXPECT_EQ(TApplication::ExceptionText(Exception(L"Really!")), L"Really!");
    EXPECT_EQ(TApplication::ExceptionText(Exception(L"(x)")), L"(x)");
    EXPECT_EQ(TApplication::ExceptionText(Exception(L"Code 5")), L"Code 5.");
    EXPECT_EQ(TApplication::ExceptionText(Exception(L"")), L"");
    EXPECT_EQ(TApplication::ExceptionText(std::runtime_error("plain")), L"plain.");
    // The system's messages end with a full stop or a line break.
    std::wstring os = TApplication::ExceptionText(EOSError(2, SysErrorText(2)));
    EXPECT_EQ(os.rfind(L"System Error.  Code: 2.\r\n", 0), 0u);
}

TEST(Application, AnErrorInAClickHandlerIsShownAndTheLoopGoesOn)
{
    Application->SetTitle(L"KestrinTitle");
    auto form = std::make_unique<TForm>(nullptr);
    auto* button = new TButton(form.get());
    button->SetParent(form.get());
    button->SetBounds(10, 10, 75, 25);
    TThrower thrower;
    thrower.Message = L"Something broke";
    button->OnClick = TNotifyEvent(&thrower, &TThrower::Click);
    form->Show();

    {
        testmsg::TBoxAnswerer answerer;
        PostMessageW(button->Handle(), BM_CLICK, 0, 0);
        ASSERT_TRUE(PumpUntil([&] { return !answerer.Boxes().empty() && !testmsg::FindDialog(); }, 8000));
        const std::vector<testmsg::TBox> boxes = answerer.Boxes();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].Caption, L"KestrinTitle");
        EXPECT_EQ(boxes[0].Text, L"Something broke.");
    }
    EXPECT_EQ(thrower.Calls, 1);

    // The program goes on: the next click is handled as usual.
    thrower.Message.clear();
    PostMessageW(button->Handle(), BM_CLICK, 0, 0);
    EXPECT_TRUE(PumpUntil([&] { return thrower.Calls == 2; }));
    EXPECT_TRUE(IsWindow(form->Handle()));
}

TEST(Application, OnExceptionReplacesTheDisplay)
{
    struct THook : TObject {
        TObject* Sender = nullptr;
        std::wstring Text;
        void Handle(TObject* sender, std::exception_ptr e)
        {
            Sender = sender;
            try {
                std::rethrow_exception(e);
            } catch (const Exception& ex) {
                Text = ex.Message();
            }
        }
    } hook;
    Application->OnException = TExceptionEvent(&hook, &THook::Handle);
    auto form = std::make_unique<TForm>(nullptr);
    auto* button = new TButton(form.get());
    button->SetParent(form.get());
    TThrower thrower;
    thrower.Message = L"Quiet";
    button->OnClick = TNotifyEvent(&thrower, &TThrower::Click);
    SendMessageW(button->Handle(), BM_CLICK, 0, 0);
    Application->OnException = nullptr;
    EXPECT_EQ(hook.Text, L"Quiet");
    EXPECT_EQ(hook.Sender, form.get());  // caught where the form dispatched the click
}

TEST(Application, TitleIsTheProgramNameWithoutExtension)
{
    TApplication app;
    EXPECT_EQ(app.Title(), L"framework_controls_test");
    EXPECT_EQ(app.MainForm(), nullptr);
}
