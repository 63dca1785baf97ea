#include "app/MainForm.h"

#include "controls/KdStringer.h"
#include "controls/KdSysUtils.h"
#include "framework/Application.h"
#include "framework/Buttons.h"
#include "framework/ComboBox.h"
#include "framework/Edits.h"
#include "framework/OSError.h"
#include "framework/StdCtrls.h"
#include "widgets/ELControls.h"

namespace {

// Fills box from a value list: the list's tag becomes the box's (the mode of
// select by value), its lines the box's items; the box's text stays.
void FillBox(TCustomCombo& box, const TKdStringer& list)
{
    box.SetTag(list.Tag());
    TStrings& items = *box.Items();
    items.BeginUpdate();
    try {
        items.Clear();
        for (int i = 0; i < list.Items().Count(); ++i)
            items.Add(list.Items().Get(i));
    } catch (...) {
        items.EndUpdate();
        throw;
    }
    items.EndUpdate();
}

}  // namespace

TForm1::TForm1(TComponent* owner) : TForm(owner) { BuildDescription(); }

TForm1::~TForm1() { Destroying(); }

// The creation steps run in this order, which later steps rely on. An error in
// one is shown and skips the rest; the window opens all the same.
void TForm1::FormCreate(TObject*)
{
    try {
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
    const auto* types = Control<TKdStringer>(L"ListTypes");
    for (const wchar_t* name : {L"ComboBox1", L"ComboBox3"}) {
        auto* box = Control<TComboBox>(name);
        FillBox(*box, *types);
        // Keeps the box's value: a good number is shown as its entry.
        if (const TBoxNumber n = ReadBoxNumber(box->Text()); !n.Bad)
            SelectByValue(name, n.Value);
    }
}

// The subtype list follows the type: the subtype table names the list for a type.
void TForm1::ComboBox1Change(TObject*)
{
    auto* subtypes = Control<TComboBox>(L"ComboBox2");
    subtypes->Items()->Clear();
    const TBoxNumber type = ReadBoxNumber(Control<TComboBox>(L"ComboBox1")->Text());
    const TStrings& table = Control<TKdStringer>(L"ListSubtypes")->Items();
    for (int line = 0; !type.Bad && line < table.Count(); ++line) {
        const std::wstring entry = table.Get(line);
        const TBoxNumber number = ReadBoxNumber(entry);
        if (number.Value != type.Value)
            continue;
        if (number.Bad) {
            MsgBox(L"Internal Error: Wrong list " + std::to_wstring(line));
        } else if (const size_t tab = entry.find(L'\t'); tab == std::wstring::npos) {
            MsgBox(L"Internal Error: Wrong List End " + std::to_wstring(line));
        } else {
            const std::wstring suffix = entry.substr(tab + 1);
            const auto* list = FindComponentAs<TKdStringer>(this, L"List" + suffix);
            if (!list) {
                MsgBox(L"Internal Error: No List" + suffix);
            } else {
                FillBox(*subtypes, *list);
                const auto* hints = FindComponentAs<TKdStringer>(this, L"Hint" + suffix);
                if (hints && hints->Items().Count() > 0) {
                    std::wstring hint = hints->Items().Get(0);
                    for (int i = 1; i < hints->Items().Count(); ++i)
                        hint += L"\r\n" + hints->Items().Get(i);
                    subtypes->SetHint(hint);
                }
            }
        }
        break;
    }
    // The subtype shown is matched to the new list, or reduced to its number.
    if (const TBoxNumber subtype = ReadBoxNumber(subtypes->Text()); !subtype.Bad)
        SelectByValue(L"ComboBox2", subtype.Value);
}

// The catalogue lookup of the picture name hooks in here; with no catalogue
// loaded a name never changes the appearance boxes.
void TForm1::ComboNameChange(TObject*) {}

// ---- creation steps that later parts fill in ----

// The catalogue files in Data\ are read here; until then the catalogue is empty,
// as it is when no file is there.
void TForm1::LoadCatalogue() {}

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
    if (msg.Msg == WM_SYSCOMMAND && !InState(csDestroying) && Tray().SystemCommand(msg))
        return;
    TForm::WndProc(msg);
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
