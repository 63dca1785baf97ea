#include "app/editor/MaskGrid.h"

#include <cmath>
#include <string>

#include "framework/Exceptions.h"
#include "framework/ExtCtrls.h"
#include "framework/Graphics.h"

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

template <class T>
T* Part(const TComponent& root, const wchar_t* name)
{
    T* part = FindComponentAs<T>(&root, name);
    if (!part)
        throw EComponentError(L"The grid has no part \"" + std::wstring(name) + L"\"");
    return part;
}

void PreparePicture(TImage* image)
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

void PaintPicture(TImage* image, int kind)
{
    TCanvas* canvas = image->Canvas();
    canvas->Brush()->SetColor(KindColor(kind));
    canvas->Rectangle(0, 0, image->Picture()->Width(), image->Picture()->Height());
}

}  // namespace

TMaskGrid::TMaskGrid(TMaskStore& masks, const std::vector<uint8_t>& currentBlock) : masks_(masks), block_(currentBlock)
{
}

int TMaskGrid::Build(const TComponent& root)
{
    auto* panel = Part<TPanel>(root, L"Panel1");
    const auto* model = Part<TImage>(root, L"Image12");
    for (TImage*& cell : cells_) {
        cell = new TImage(panel);
        cell->OnMouseDown = model->OnMouseDown;
        cell->OnMouseMove = model->OnMouseMove;
    }
    return Place(root, false);
}

int TMaskGrid::Layout(const TComponent& root) { return Place(root, true); }

int TMaskGrid::Place(const TComponent& root, bool paint)
{
    auto* panel = Part<TPanel>(root, L"Panel1");
    const auto* model = Part<TImage>(root, L"Image12");
    const int L = model->Left();
    const int T = model->Top();
    const int W = model->Width();
    const int H = model->Height();
    const int spare = panel->Width() - 2 * L - 8 * W;
    // Halves go to the even neighbour, as the default rounding of the FPU does.
    const int gap = static_cast<int>(std::nearbyint(spare / 7.0));
    for (int r = 0; r < kMaskRows; ++r) {
        for (int c = 0; c < kMaskColumns; ++c) {
            TImage* cell = cells_[static_cast<size_t>(r * kMaskColumns + c)];
            if (!cell)
                continue;
            cell->SetBounds((spare * c) / 7 + L + W * c, (H + gap) * r + T, W, H);
            cell->SetParent(panel);
            PreparePicture(cell);
            if (paint)
                PaintPicture(cell, masks_.Kind(r, c));
        }
    }
    return T + Part<TImage>(root, L"Image8")->Top() + 5 * gap + 6 * H;
}

void TMaskGrid::PrepareLegend(const TComponent& root)
{
    leftPicture_ = Part<TImage>(root, L"Image15");
    rightPicture_ = Part<TImage>(root, L"Image16");
    RepaintLegend(root);
    SetLeftBrush(ckObject);
    SetRightBrush(ckNotAnObject);
}

void TMaskGrid::RepaintLegend(const TComponent& root)
{
    const wchar_t* const legend[] = {L"Image9", L"Image8", L"Image10", L"Image11"};  // by kind
    for (int kind = ckObject; kind <= ckNonEnterableEnter; ++kind) {
        auto* image = Part<TImage>(root, legend[kind]);
        PreparePicture(image);
        PaintPicture(image, kind);
    }
    for (auto [picture, kind] : {std::pair{leftPicture_, leftBrush_}, std::pair{rightPicture_, rightBrush_}})
        if (picture) {
            PreparePicture(picture);
            PaintPicture(picture, kind);
        }
}

void TMaskGrid::Repaint()
{
    for (int r = 0; r < kMaskRows; ++r)
        for (int c = 0; c < kMaskColumns; ++c)
            if (TImage* cell = Cell(r, c))
                PaintPicture(cell, masks_.Kind(r, c));
}

TImage* TMaskGrid::Cell(int row, int column) const
{
    if (row < 0 || row >= kMaskRows || column < 0 || column >= kMaskColumns)
        return nullptr;
    return cells_[static_cast<size_t>(row * kMaskColumns + column)];
}

void TMaskGrid::SetLeftBrush(int kind)
{
    leftBrush_ = kind;
    if (leftPicture_)
        PaintPicture(leftPicture_, kind);
}

void TMaskGrid::SetRightBrush(int kind)
{
    rightBrush_ = kind;
    if (rightPicture_)
        PaintPicture(rightPicture_, kind);
}

bool TMaskGrid::Find(const TObject* sender, int& row, int& column) const
{
    for (row = 0; row < kMaskRows; ++row)
        for (column = 0; column < kMaskColumns; ++column)
            if (Cell(row, column) == sender)
                return true;
    return false;
}

void TMaskGrid::SetKindAt(int row, int column, int kind)
{
    if (masks_.Kind(row, column) == kind)
        return;
    masks_.SetKind(row, column, kind);
    if (TImage* cell = Cell(row, column))
        PaintPicture(cell, kind);
}

void TMaskGrid::MouseDown(TObject* sender, TMouseButton button)
{
    int row = 0, column = 0;
    if (block_.empty() || !Find(sender, row, column))
        return;
    PressCell(row, column, button);
    // Without the capture each move goes to the cell under the pointer, so a drag
    // paints every cell it crosses.
    Cell(row, column)->SetMouseCapture(false);
}

void TMaskGrid::MouseMove(TObject* sender, TShiftState shift)
{
    int row = 0, column = 0;
    if (Find(sender, row, column))
        MoveOverCell(row, column, shift);
}

void TMaskGrid::PressCell(int row, int column, TMouseButton button)
{
    if (block_.empty() || !Cell(row, column))
        return;
    if (button == mbLeft)
        SetKindAt(row, column, leftBrush_);
    else if (button == mbRight)
        SetKindAt(row, column, rightBrush_);
}

void TMaskGrid::MoveOverCell(int row, int column, TShiftState shift)
{
    if (block_.empty() || !Cell(row, column) || ((shift & ssLeft) && (shift & ssRight)))
        return;
    if (shift & ssLeft)
        SetKindAt(row, column, leftBrush_);
    else if (shift & ssRight)
        SetKindAt(row, column, rightBrush_);
}
