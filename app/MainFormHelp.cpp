// The main window's side of the help window: "Help" opens it modally, and the
// help window minimises and restores the main window with itself through the tray.
#include <memory>

#include "app/MainForm.h"
#include "framework/ScopeGuards.h"
#include "framework/StdCtrls.h"

// The help-open flag is set while the window is made and shown, and cleared
// when it closes or cannot be made; the error then goes on to the error display.
void TForm1::Button1Click(TObject*)
{
    const TFlagScope open(helpOpen_);
    // The help window has no owner component: it is owned here alone and freed
    // when the modal showing ends, however it ends.
    auto help = std::make_unique<THelpForm>(nullptr, static_cast<IHelpHost&>(*this));
    const TValueScope<THelpForm*> shown(help_, help.get());
    help->ShowModal();
}

bool TForm1::TrayIconChecked() const { return Control<TCheckBox>(L"CheckBox20")->Checked(); }

void TForm1::SetMainWindowVisible(bool visible) { SetVisible(visible); }
