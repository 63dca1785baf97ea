// The main window's side of the object block and the appearance group: the
// controls by name, the picture name and its list at the 8-bit boundary, and the
// terrain controls.
#include "app/MainForm.h"
#include "framework/CodePage.h"
#include "framework/ComboBox.h"
#include "framework/Exceptions.h"
#include "framework/ExtCtrls.h"
#include "framework/OSError.h"
#include "framework/ScopeGuards.h"
#include "framework/SpeedButton.h"
#include "framework/StdCtrls.h"
#include "framework/Strings.h"

// ---- picture name ----

std::string TForm1::PictureName() const
{
    // The box cannot hold every byte (a 0 ends its text, and not every byte has a
    // character); unchanged, the name goes back with the bytes it came with.
    const std::wstring text = Control<TComboBox>(L"ComboName")->Text();
    if (text == pictureShown_)
        return pictureBytes_;
    return ToCodePage(text);
}

void TForm1::SetPictureName(std::string_view bytes)
{
    bytes = bytes.substr(0, bytes.find('\0'));
    auto* box = Control<TComboBox>(L"ComboName");
    box->SetText(FromCodePage(bytes));
    pictureBytes_.assign(bytes);
    pictureShown_ = box->Text();
    picture_.NameChanged(pictureShown_);
}

void TForm1::SetPictureList(std::span<const std::string_view> names)
{
    TStrings& items = *Control<TComboBox>(L"ComboName")->Items();
    const TUpdateScope update(items);
    items.Clear();
    // A line shows a name up to its first byte 0, as the box's text does.
    for (const std::string_view name : names)
        items.Add(FromCodePage(name.substr(0, name.find('\0'))));
}

// ---- boxes ----

std::wstring TForm1::Text(std::wstring_view name) const { return Control<TControl>(name)->Text(); }

void TForm1::SelectByValue(std::wstring_view name, int32_t value)
{
    TTypeSelection::SelectByValue(*Control<TCustomCombo>(name), value);
}

void TForm1::RunChange(std::wstring_view name)
{
    auto* box = Control<TCustomCombo>(name);
    if (box->OnChange)
        box->OnChange(box);
}

// ---- check controls ----

bool TForm1::Exists(std::wstring_view name) const { return FindComponent(name) != nullptr; }

bool TForm1::Checked(std::wstring_view name) const
{
    if (const std::optional<bool> state = terrains_.Checked(name))
        return *state;
    if (auto* box = FindComponentAs<TCustomCheckBox>(this, name))
        return box->Checked();
    throw EComponentError(L"The main window has no check control \"" + std::wstring(name) + L"\"");
}

void TForm1::SetChecked(std::wstring_view name, bool checked)
{
    if (terrains_.SetChecked(name, checked))
        return;
    if (auto* box = FindComponentAs<TCustomCheckBox>(this, name))
        return box->SetChecked(checked);
    throw EComponentError(L"The main window has no check control \"" + std::wstring(name) + L"\"");
}

// ---- groups ----

void TForm1::ShowGroups()
{
    auto* properties = Control<TGroupBox>(L"GroupBox1");
    auto* useless = Control<TGroupBox>(L"GroupBox2");
    properties->Show();
    useless->Show();
    Control<TGroupBox>(L"GroupBox4")->Show();
    if (Control<TSpeedButton>(L"SpeedButton1")->Down())
        useless->BringToFront();
    else
        properties->BringToFront();
    picture_.ObjectDecoded();
}

void TForm1::HideGroups()
{
    Control<TGroupBox>(L"GroupBox1")->Hide();
    Control<TGroupBox>(L"GroupBox2")->Hide();
    Control<TGroupBox>(L"GroupBox4")->Hide();
    picture_.MasksChanged();
}

bool TForm1::ObjectShown() const { return Control<TGroupBox>(L"GroupBox4")->Visible(); }

// ---- terrains ----

void TForm1::SpaceTerrainControls() { terrains_.Space(); }

void TForm1::CheckAllClick(TObject*) { terrains_.CheckRow(TTerrainRow::Properties, true); }
void TForm1::CheckNoneClick(TObject*) { terrains_.CheckRow(TTerrainRow::Properties, false); }
void TForm1::IACheckControl20Click(TObject*) { terrains_.CheckRow(TTerrainRow::MapEditor, true); }
void TForm1::IACheckControl19Click(TObject*) { terrains_.CheckRow(TTerrainRow::MapEditor, false); }
