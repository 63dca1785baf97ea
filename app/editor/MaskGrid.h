#pragma once
// The 6 x 8 passability and action grid: 48 picture cells that show the mask
// store, a legend of the four cell kinds that sets the two mouse brushes, and
// painting by dragging with either button while an object is loaded.
#include <array>
#include <cstdint>
#include <vector>

#include "framework/Controls.h"
#include "object/ObjectBlock.h"

class TComponent;
class TImage;
class TPanel;

class TMaskGrid {
public:
    // masks is the store the cells show and edit; currentBlock says whether an
    // object is loaded (not empty). Both belong to the window and outlive the grid.
    TMaskGrid(TMaskStore& masks, const std::vector<uint8_t>& currentBlock);

    // Builds the 48 cells on "Panel1" of root, modelled on its hidden template
    // cell "Image12" (size, first position, mouse handlers). Returns the panel
    // height that fits the rows.
    int Build(const TComponent& root);
    // Places the cells again from the template cell and the panel as they are now
    // (after a change of DPI), with pictures of their new size showing the store.
    // Returns the panel height that fits the rows.
    int Layout(const TComponent& root);
    // Gives the legend ("Image8" ... "Image11") and the brush pictures ("Image15",
    // "Image16") their faces; the left brush becomes "Object", the right one
    // "Not an object".
    void PrepareLegend(const TComponent& root);
    // Draws the legend and brush pictures again at their present size, brushes kept.
    void RepaintLegend(const TComponent& root);

    // Repaints every cell from the mask store.
    void Repaint();

    // The cell at row 0..5, column 0..7; null outside the grid or before Build.
    TImage* Cell(int row, int column) const;
    int LeftBrush() const { return leftBrush_; }
    int RightBrush() const { return rightBrush_; }
    void SetLeftBrush(int kind);
    void SetRightBrush(int kind);

    // Mouse handlers of the cells; sender is the cell. A press paints the cell
    // with the button's brush and lets the capture go, so that a drag reaches
    // every cell it crosses; a move with one button held paints with its brush.
    void MouseDown(TObject* sender, TMouseButton button);
    void MouseMove(TObject* sender, TShiftState shift);
    // The same for the cell at row 0..5, column 0..7 from another view of the
    // cells (the picture window); the capture is left alone.
    void PressCell(int row, int column, TMouseButton button);
    void MoveOverCell(int row, int column, TShiftState shift);

    // The store the cells show.
    const TMaskStore& Masks() const { return masks_; }

private:
    // Sets the cells' bounds and pictures; paint: also draws their kinds.
    int Place(const TComponent& root, bool paint);
    // The row and column of a cell; false for anything else.
    bool Find(const TObject* sender, int& row, int& column) const;
    void SetKindAt(int row, int column, int kind);

    TMaskStore& masks_;
    const std::vector<uint8_t>& block_;
    std::array<TImage*, kMaskRows * kMaskColumns> cells_{};
    TImage* leftPicture_ = nullptr;
    TImage* rightPicture_ = nullptr;
    int leftBrush_ = ckObject;
    int rightBrush_ = ckNotAnObject;
};
