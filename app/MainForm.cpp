#include "app/MainForm.h"

#include "controls/KdWinController.h"
#include "framework/Application.h"
#include "framework/ComboBox.h"
#include "framework/Edits.h"
#include "framework/ExtCtrls.h"
#include "framework/OSError.h"
#include "framework/SpeedButton.h"
#include "framework/StdCtrls.h"
#include "widgets/ELTrayIcon.h"

TForm1::TForm1(TComponent* owner) : TForm(owner) { BuildDescription(); }

TForm1::~TForm1() { Destroying(); }

// The creation steps run in this order, which later steps rely on. An error in
// one is shown and skips the rest; the window opens all the same.
void TForm1::FormCreate(TObject*)
{
    try {
        // The system menu's "Picture", when there is a Data folder.
        picture_.AddMenuItem();
        // 1. The window keeps its size.
        TSizeConstraints fixed = Constraints();
        fixed.MinWidth = fixed.MaxWidth = Width();
        fixed.MinHeight = fixed.MaxHeight = Height();
        SetConstraints(fixed);
        // 2. The default clipboard format.
        clipboard_.ResetFormat();
        clipboard_.RegisterFormat(kDefaultFormatNumber);
        // 3. No object yet.
        block_.clear();
        // 4. The grid, and the window's height to fit it.
        BuildGrid();
        // 5. The object catalogue.
        LoadCatalogue();
        // 6. The type boxes.
        FillTypeBoxes();
        // 7. The grid's legend and brushes.
        PrepareLegend();
        // 8. The terrain controls.
        SpaceTerrainControls();
        // 9. "Useless Properties" lies under "Properties".
        auto* properties = Control<TGroupBox>(L"GroupBox1");
        Control<TGroupBox>(L"GroupBox2")->SetBoundsRect(properties->BoundsRect());
        properties->BringToFront();
        // 10. The tray icon shows the window's icon.
        Tray().GiveIconOfWindow();
        // 11. An object file named on the command line.
        LoadCommandLineFile();
        // 12. An object on the clipboard.
        clipboard_.Paste(*this, Handle());
    } catch (...) {
        Application->HandleException(this);
    }
}

// A new DPI has laid out the described controls; what start-up derived from
// them is derived again, by the same steps, and the object stays as it is.
void TForm1::FormDpiChanged(TObject*)
{
    TSizeConstraints fixed;
    fixed.MinWidth = fixed.MaxWidth = Width();
    fixed.MinHeight = fixed.MaxHeight = Height();
    SetConstraints(fixed);
    FitGridHeight(grid_.Layout(*this));
    grid_.RepaintLegend(*this);
    LoadPictures();
    SpaceTerrainControls();
    Control<TGroupBox>(L"GroupBox2")->SetBoundsRect(Control<TGroupBox>(L"GroupBox1")->BoundsRect());
    Tray().GiveIconOfWindow();
    Invalidate();
}

void TForm1::FormShow(TObject*)
{
    auto* paste = Control<TButton>(L"Button3");
    SetActiveControl(paste);
    if (paste->CanFocus())
        paste->SetFocus();
}

void TForm1::SpeedButton1Click(TObject*)
{
    if (block_.empty())
        return;
    if (Control<TSpeedButton>(L"SpeedButton1")->Down())
        Control<TGroupBox>(L"GroupBox2")->BringToFront();
    else
        Control<TGroupBox>(L"GroupBox1")->BringToFront();
}

// ---- clipboard ----

void TForm1::RadioButton1Click(TObject*)
{
    auto* edit = Control<TEdit>(L"Edit1");
    edit->SetText(kEditions[0].Number);
    clipboard_.RegisterFormat(edit->Text());
}

void TForm1::RadioButton2Click(TObject*)
{
    auto* edit = Control<TEdit>(L"Edit1");
    edit->SetText(kEditions[1].Number);
    clipboard_.RegisterFormat(edit->Text());
}

void TForm1::RadioButton3Click(TObject*)
{
    auto* edit = Control<TEdit>(L"Edit1");
    edit->SetText(kEditions[2].Number);
    clipboard_.RegisterFormat(edit->Text());
}

void TForm1::Button2Click(TObject*) { clipboard_.RegisterFormat(Control<TEdit>(L"Edit1")->Text()); }

void TForm1::Button3Click(TObject*) { clipboard_.Paste(*this, Handle()); }

void TForm1::Button5Click(TObject*) { clipboard_.Copy(*this, Handle()); }

// ---- type boxes ----

void TForm1::FillTypeBoxes()
{
    types_.FillTypeBox(*Control<TComboBox>(L"ComboBox1"), false);
    types_.FillTypeBox(*Control<TComboBox>(L"ComboBox3"), false);
}

// "Types in alphabetical order": both type boxes change lists, keeping their values.
void TForm1::CheckBox21Click(TObject*)
{
    const bool alphabetical = Control<TCheckBox>(L"CheckBox21")->Checked();
    types_.FillTypeBox(*Control<TComboBox>(L"ComboBox1"), alphabetical);
    types_.FillTypeBox(*Control<TComboBox>(L"ComboBox3"), alphabetical);
}

// The subtype list follows the type.
void TForm1::ComboBox1Change(TObject*)
{
    types_.RebuildSubtypes(*Control<TComboBox>(L"ComboBox1"), *Control<TComboBox>(L"ComboBox2"));
}

// The appearance subtype list follows the appearance type, and the picture
// list both of them.
void TForm1::ComboBox3Change(TObject*)
{
    types_.RebuildSubtypes(*Control<TComboBox>(L"ComboBox3"), *Control<TComboBox>(L"ComboBox4"));
    appearance_.RefreshPictureList();
}

void TForm1::ComboBox4Change(TObject*) { appearance_.RefreshPictureList(); }

void TForm1::ComboBox3KeyDown(TObject* sender, WORD& key, TShiftState)
{
    if (auto* box = dynamic_cast<TCustomCombo*>(sender))
        TTypeSelection::StepNumber(*box, key);
}

// The shared handler of the window controllers of the type and subtype boxes.
void TForm1::KdWinController1WndProc(TObject* sender, TMessage& msg, bool& handled, TWndMethod next)
{
    auto* controller = dynamic_cast<TKdWinController*>(sender);
    if (auto* box = controller ? dynamic_cast<TCustomCombo*>(controller->Control()) : nullptr)
        handled = TTypeSelection::RealignOnKey(*box, msg, next);
}

// ---- grid ----

// The cells, and the window's height to fit their rows.
void TForm1::BuildGrid() { FitGridHeight(grid_.Build(*this)); }

void TForm1::FitGridHeight(int panelHeight)
{
    const int height = Height() - Control<TPanel>(L"Panel1")->Height() + panelHeight;
    TSizeConstraints limits = Constraints();
    limits.MinHeight = height;
    limits.MaxHeight = height;
    SetConstraints(limits);
    SetHeight(height);
}

void TForm1::PrepareLegend() { grid_.PrepareLegend(*this); }

void TForm1::RepaintGrid()
{
    grid_.Repaint();
    picture_.MasksChanged();
}

void TForm1::Image12MouseDown(TObject* sender, TMouseButton button, TShiftState, int, int)
{
    grid_.MouseDown(sender, button);
    picture_.MasksChanged();
}

void TForm1::Image12MouseMove(TObject* sender, TShiftState shift, int, int)
{
    grid_.MouseMove(sender, shift);
    picture_.MasksChanged();
}

void TForm1::Image8Click(TObject*) { grid_.SetLeftBrush(ckNotAnObject); }
void TForm1::Image9Click(TObject*) { grid_.SetLeftBrush(ckObject); }
void TForm1::Image10Click(TObject*) { grid_.SetLeftBrush(ckEnter); }
void TForm1::Image11Click(TObject*) { grid_.SetLeftBrush(ckNonEnterableEnter); }
void TForm1::Image8ContextPopup(TObject*, POINT, bool&) { grid_.SetRightBrush(ckNotAnObject); }
void TForm1::Image9ContextPopup(TObject*, POINT, bool&) { grid_.SetRightBrush(ckObject); }
void TForm1::Image10ContextPopup(TObject*, POINT, bool&) { grid_.SetRightBrush(ckEnter); }
void TForm1::Image11ContextPopup(TObject*, POINT, bool&) { grid_.SetRightBrush(ckNonEnterableEnter); }

// ---- appearance ----

// Read once at start-up; an error in a file ends the start-up steps.
void TForm1::LoadCatalogue()
{
    catalogue_.Clear();
    // The game's files serve the catalogue and the pictures alike.
    LoadCatalogueFiles(catalogue_, picture_.GameFiles());
}

void TForm1::ComboNameChange(TObject*)
{
    appearance_.PictureNameChanged();
    picture_.NameChanged(Control<TComboBox>(L"ComboName")->Text());
}

void TForm1::Button7Click(TObject*) { appearance_.CopyPicture(); }

void TForm1::Button8Click(TObject*) { appearance_.PastePicture(); }

// ---- tray ----

TTrayBehaviour& TForm1::Tray()
{
    if (!tray_)
        tray_ = std::make_unique<TTrayBehaviour>(*this, *Control<TCheckBox>(L"CheckBox20"),
                                                 *Control<TELTrayIcon>(L"ELTrayIcon1"));
    return *tray_;
}

void TForm1::WndProc(TMessage& msg)
{
    if (msg.Msg == WM_SYSCOMMAND && !InState(csDestroying) && (picture_.SystemCommand(msg) || Tray().SystemCommand(msg)))
        return;
    TForm::WndProc(msg);
    // The picture window hides and comes back with this one.
    if (msg.Msg == WM_WINDOWPOSCHANGED && !InState(csDestroying))
        picture_.MainWindowChanged();
}

void TForm1::CheckBox20Click(TObject*) { Tray().TrayIconBoxClicked(); }

void TForm1::ELTrayIcon1Click(TObject*) { Tray().ShowWindows(helpOpen_ ? help_ : nullptr); }

void TForm1::Exit1Click(TObject*) { Tray().Exit(); }

// ---- object files ----

void TForm1::Button4Click(TObject*) { files_.Save(*this, *Control<TSaveDialog>(L"SaveDialog1"), Handle()); }

void TForm1::Button6Click(TObject*) { files_.Load(*this, *Control<TOpenDialog>(L"OpenDialog1"), Handle()); }

// The file is read as named, and its name is not remembered for the dialogs.
void TForm1::LoadCommandLineFile()
{
    if (const auto name = CommandLineFile(GetCommandLineW()))
        files_.ReadFile(*this, *name, Handle());
}
