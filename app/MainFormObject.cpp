// The main window's side of the object block: the controls by name, the picture
// name at the 8-bit boundary, select by value, and the mask grid.
#include <cmath>

#include "app/MainForm.h"
#include "framework/Buttons.h"
#include "framework/CodePage.h"
#include "framework/ComboBox.h"
#include "framework/Exceptions.h"
#include "framework/ExtCtrls.h"
#include "framework/OSError.h"
#include "framework/StdCtrls.h"
#include "framework/Strings.h"

namespace {

// The colours of the four cell kinds.
TColor KindColor(int kind)
{
    switch (kind) {
    case ckObject:
        return clRed;
    case ckNotAnObject:
        return clBtnFace;
    case ckEnter:
        return clYellow;
    default:
        return clGreen;
    }
}

}  // namespace

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
}

// ---- boxes ----

std::wstring TForm1::Text(std::wstring_view name) const { return Control<TControl>(name)->Text(); }

void TForm1::SelectByValue(std::wstring_view name, int32_t value)
{
    auto* box = Control<TCustomCombo>(name);
    TStrings& items = *box->Items();
    if (box->Tag() != 0) {
        // Number mode: the first entry that starts with the value.
        for (int i = 0; i < items.Count(); ++i) {
            if (ReadBoxNumber(items.Get(i)).Value == value) {
                box->SetItemIndex(i);
                box->SetText(items.Get(i));
                return;
            }
        }
    } else if (value >= 0 && value < items.Count()) {
        // Index mode: entry v stands for value v.
        box->SetItemIndex(value);
        box->SetText(items.Get(value));
        return;
    }
    box->SetItemIndex(-1);
    box->SetText(std::to_wstring(value));
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
}

void TForm1::HideGroups()
{
    Control<TGroupBox>(L"GroupBox1")->Hide();
    Control<TGroupBox>(L"GroupBox2")->Hide();
    Control<TGroupBox>(L"GroupBox4")->Hide();
}

bool TForm1::ObjectShown() const { return Control<TGroupBox>(L"GroupBox4")->Visible(); }

// ---- grid ----

TImage* TForm1::Cell(int row, int column) const
{
    if (row < 0 || row >= kMaskRows || column < 0 || column >= kMaskColumns)
        return nullptr;
    return cells_[static_cast<size_t>(row * kMaskColumns + column)];
}

void TForm1::PreparePicture(TImage* image)
{
    image->Picture()->SetSize(image->Width(), image->Height());
    TCanvas* canvas = image->Canvas();
    canvas->Pen()->SetColor(clBlack);
    canvas->Brush()->SetColor(clBtnFace);
    canvas->Brush()->SetStyle(bsSolid);
    canvas->FillRect({0, 0, image->Width(), image->Height()});
    // Only the hatch lines take a kind's colour; the face stays between them.
    canvas->Brush()->SetStyle(bsDiagCross);
}

void TForm1::PaintPicture(TImage* image, int kind)
{
    TCanvas* canvas = image->Canvas();
    canvas->Brush()->SetColor(KindColor(kind));
    canvas->Rectangle(0, 0, image->Picture()->Width(), image->Picture()->Height());
}

void TForm1::BuildGrid()
{
    auto* panel = Control<TPanel>(L"Panel1");
    const auto* tpl = Control<TImage>(L"Image12");
    const int L = tpl->Left();
    const int T = tpl->Top();
    const int W = tpl->Width();
    const int H = tpl->Height();
    const int spare = panel->Width() - 2 * L - 8 * W;
    // Halves go to the even neighbour, as the default rounding of the FPU does.
    const int gap = static_cast<int>(std::nearbyint(spare / 7.0));
    for (int r = 0; r < kMaskRows; ++r) {
        for (int c = 0; c < kMaskColumns; ++c) {
            auto* cell = new TImage(panel);
            cell->SetBounds((spare * c) / 7 + L + W * c, (H + gap) * r + T, W, H);
            cell->OnMouseDown = TMouseEvent(this, &TForm1::Image12MouseDown);
            cell->OnMouseMove = TMouseMoveEvent(this, &TForm1::Image12MouseMove);
            cell->SetParent(panel);
            PreparePicture(cell);
            cells_[static_cast<size_t>(r * kMaskColumns + c)] = cell;
        }
    }
    const int height =
        Height() - panel->Height() + T + Control<TImage>(L"Image8")->Top() + 5 * gap + 6 * H;
    TSizeConstraints limits = Constraints();
    limits.MinHeight = height;
    limits.MaxHeight = height;
    SetConstraints(limits);
    SetHeight(height);
}

void TForm1::RepaintGrid()
{
    for (int r = 0; r < kMaskRows; ++r)
        for (int c = 0; c < kMaskColumns; ++c)
            PaintPicture(Cell(r, c), masks_.Kind(r, c));
}

void TForm1::PrepareLegend()
{
    for (const wchar_t* name : {L"Image8", L"Image9", L"Image10", L"Image11", L"Image15", L"Image16"})
        PreparePicture(Control<TImage>(name));
    PaintPicture(Control<TImage>(L"Image8"), ckNotAnObject);
    PaintPicture(Control<TImage>(L"Image9"), ckObject);
    PaintPicture(Control<TImage>(L"Image10"), ckEnter);
    PaintPicture(Control<TImage>(L"Image11"), ckNonEnterableEnter);
    SetLeftBrush(ckObject);
    SetRightBrush(ckNotAnObject);
}

void TForm1::SetLeftBrush(int kind)
{
    leftBrush_ = kind;
    PaintPicture(Control<TImage>(L"Image15"), kind);
}

void TForm1::SetRightBrush(int kind)
{
    rightBrush_ = kind;
    PaintPicture(Control<TImage>(L"Image16"), kind);
}

void TForm1::SetCellKind(TImage* cell, int kind)
{
    for (int r = 0; r < kMaskRows; ++r) {
        for (int c = 0; c < kMaskColumns; ++c) {
            if (Cell(r, c) != cell)
                continue;
            if (masks_.Kind(r, c) != kind) {
                masks_.SetKind(r, c, kind);
                PaintPicture(cell, kind);
            }
            return;
        }
    }
}

void TForm1::Image12MouseDown(TObject* sender, TMouseButton button, TShiftState, int, int)
{
    auto* cell = dynamic_cast<TImage*>(sender);
    if (block_.empty() || !cell)
        return;
    if (button == mbLeft)
        SetCellKind(cell, leftBrush_);
    else if (button == mbRight)
        SetCellKind(cell, rightBrush_);
    // Without the capture each move goes to the cell under the pointer, so a drag
    // paints every cell it crosses.
    cell->SetMouseCapture(false);
}

void TForm1::Image12MouseMove(TObject* sender, TShiftState shift, int, int)
{
    auto* cell = dynamic_cast<TImage*>(sender);
    if (block_.empty() || !cell || ((shift & ssLeft) && (shift & ssRight)))
        return;
    if (shift & ssLeft)
        SetCellKind(cell, leftBrush_);
    else if (shift & ssRight)
        SetCellKind(cell, rightBrush_);
}

void TForm1::Image8Click(TObject*) { SetLeftBrush(ckNotAnObject); }
void TForm1::Image9Click(TObject*) { SetLeftBrush(ckObject); }
void TForm1::Image10Click(TObject*) { SetLeftBrush(ckEnter); }
void TForm1::Image11Click(TObject*) { SetLeftBrush(ckNonEnterableEnter); }
void TForm1::Image8ContextPopup(TObject*, POINT, bool&) { SetRightBrush(ckNotAnObject); }
void TForm1::Image9ContextPopup(TObject*, POINT, bool&) { SetRightBrush(ckObject); }
void TForm1::Image10ContextPopup(TObject*, POINT, bool&) { SetRightBrush(ckEnter); }
void TForm1::Image11ContextPopup(TObject*, POINT, bool&) { SetRightBrush(ckNonEnterableEnter); }

// ---- terrains ----

void TForm1::SpaceTerrainControls() { terrains_.Space(); }

void TForm1::CheckAllClick(TObject*) { terrains_.CheckRow(TTerrainRow::Properties, true); }
void TForm1::CheckNoneClick(TObject*) { terrains_.CheckRow(TTerrainRow::Properties, false); }
void TForm1::IACheckControl20Click(TObject*) { terrains_.CheckRow(TTerrainRow::MapEditor, true); }
void TForm1::IACheckControl19Click(TObject*) { terrains_.CheckRow(TTerrainRow::MapEditor, false); }
