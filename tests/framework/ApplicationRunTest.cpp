// The application's message loop with a main form: a hidden start, the first
// showing, the end of the loop when the main form closes; and modal forms.
// A program of its own, as it ends the loop of the process's one application.
#include <gtest/gtest.h>

#include <memory>

#include "framework/StdCtrls.h"
#include "tests/framework/ControlsTestSupport.h"

using namespace testing_support;

namespace {

constexpr UINT kStep = WM_APP + 1;

class TMainForm : public TForm {
    CLASS_INFO(TMainForm, TForm)

public:
    using TForm::TForm;
    std::vector<bool> VisibleAtStep;
    int Shows = 0;

protected:
    void DoShow() override
    {
        ++Shows;
        TForm::DoShow();
    }
    void WndProc(TMessage& m) override
    {
        if (m.Msg == kStep) {
            // As a click on the tray icon would: show the hidden main form, then close it.
            VisibleAtStep.push_back(IsWindowVisible(Handle()) != FALSE);
            ShowForm();
            VisibleAtStep.push_back(IsWindowVisible(Handle()) != FALSE);
            PostMessageW(Handle(), WM_CLOSE, 0, 0);
            return;
        }
        TForm::WndProc(m);
    }
};

struct TModalProbe : TObject {
    TCustomForm* Dialog = nullptr;
    HWND Other = nullptr;
    bool OtherEnabledDuringModal = true;
    void Ok(TObject*)
    {
        OtherEnabledDuringModal = IsWindowEnabled(Other) != FALSE;
        Dialog->SetModalResult(mrOk);
    }
};

}  // namespace

TEST(ApplicationRun, ModalFormReturnsItsResultAndFreesTheOthers)
{
    auto other = std::make_unique<TForm>(nullptr);
    other->Show();
    auto dialog = std::make_unique<TForm>(nullptr);
    auto* ok = new TButton(dialog.get());
    ok->SetParent(dialog.get());
    TModalProbe probe;
    probe.Dialog = dialog.get();
    probe.Other = other->Handle();
    ok->OnClick = TNotifyEvent(&probe, &TModalProbe::Ok);
    PostMessageW(ok->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(dialog->ShowModal(), mrOk);
    EXPECT_FALSE(probe.OtherEnabledDuringModal);
    EXPECT_TRUE(IsWindowEnabled(other->Handle()));
    EXPECT_FALSE(IsWindowVisible(dialog->Handle()));
    EXPECT_FALSE(dialog->Modal());
    // Closing a modal form answers mrCancel.
    PostMessageW(dialog->Handle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(dialog->ShowModal(), mrCancel);
}

TEST(ApplicationRun, HiddenStartShowsNothingUntilAskedAndClosingTheMainFormEndsTheLoop)
{
    Application->Initialize();
    Application->SetShowMainForm(false);
    Application->SetStartShowCommand(SW_HIDE);
    TMainForm* main = Application->CreateForm<TMainForm>();
    EXPECT_EQ(Application->MainForm(), main);
    EXPECT_TRUE(main->HandleAllocated());
    EXPECT_EQ(Application->TaskbarWindow(), main->Handle());
    // A second form is owned by the main form.
    TForm* second = Application->CreateForm<TForm>();
    EXPECT_EQ(Application->MainForm(), main);
    EXPECT_EQ(GetWindow(second->Handle(), GW_OWNER), main->Handle());

    // Minimising the application takes the owned windows along.
    main->ShowForm();
    second->Show();
    Application->Minimize();
    EXPECT_TRUE(IsIconic(main->Handle()));
    EXPECT_FALSE(IsWindowVisible(second->Handle()));
    ShowWindow(main->Handle(), SW_RESTORE);
    EXPECT_TRUE(IsWindowVisible(second->Handle()));
    main->Hide();
    second->Hide();
    main->VisibleAtStep.clear();
    main->Shows = 0;

    PostMessageW(main->Handle(), kStep, 0, 0);
    Application->Run();
    EXPECT_TRUE(Application->Terminated());
    EXPECT_EQ(main->VisibleAtStep, (std::vector<bool>{false, true}));
    EXPECT_EQ(main->Shows, 1);
    delete main;
    EXPECT_EQ(Application->MainForm(), nullptr);
}
