#pragma once
// The picture window: the object's sprite under its 8 x 6 cells, at actual or
// double size, with each cell's kind tinted over it; the mouse paints cells as
// the grid does. What it shows is given to it; it decides nothing else. Its
// controls are built from its window description.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "framework/Forms.h"
#include "gamedata/DefSprite.h"
#include "object/ObjectBlock.h"

// What the picture window needs of the window that shows it.
class IPictureFormHost {
public:
    // A press of a mouse button on the cell at row 0..5, column 0..7, and a move
    // over it with the buttons in shift.
    virtual void PicturePress(int row, int column, TMouseButton button) = 0;
    virtual void PictureMove(int row, int column, TShiftState shift) = 0;
    // The user closed the window; the host hides it.
    virtual void PictureClosed() = 0;

protected:
    ~IPictureFormHost() = default;
};

// Its system menu commands (below the system's own, low four bits clear).
inline constexpr UINT kCmdActualSize = 0x0100;
inline constexpr UINT kCmdDoubleSize = 0x0110;

class TPictureForm : public TForm {
    CLASS_INFO(TPictureForm, TForm)

public:
    // ownerWindow: the window it stays above and hides with (not owned).
    TPictureForm(TComponent* owner, HWND ownerWindow, IPictureFormHost& host);
    ~TPictureForm() override;

    // The caption names the picture; the frame (kept by the caller while it is
    // shown; null: none) or else the message is drawn.
    void ShowPicture(const std::wstring& name, const TSpriteFrame* frame, const std::wstring& message);
    // The cells tinted over the picture; null while no object is loaded.
    void ShowMasks(const TMaskStore* masks);

    // 1: actual size, 2: double size.
    int Zoom() const { return zoom_; }
    void SetZoom(int zoom);

    // Handlers bound by the window description.
    void FormClose(TObject* sender, TCloseAction& action);

protected:
    void CreateParams(TCreateParams& params) override;
    void InitializeWindow() override;
    void WndProc(TMessage& msg) override;
    void VisibleChanged() override;
    void PaintHandler(TMessage& msg) override;
    bool EraseBackground(HDC dc) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void DoDpiChanged() override;
    void MouseMove(TShiftState shift, int x, int y) override;

private:
    // The window description (PictureFormDescription.cpp).
    void BuildDescription();
    // The image at actual size from the frame and the masks.
    void Recompose();
    // Draws everything into dc (client coordinates).
    void Draw(HDC dc);
    // The cell under a client point; false outside the cells.
    bool CellAt(int x, int y, int& row, int& column) const;
    // Where the line before cell `index` (0..8 across, 0..6 down) stands at this zoom and DPI.
    int LineAt(int index) const;
    void CheckZoomItem();

    HWND ownerWindow_;
    IPictureFormHost& host_;
    int zoom_ = 1;
    const TSpriteFrame* frame_ = nullptr;
    std::wstring message_;
    std::optional<TMaskStore> masks_;
    std::vector<std::uint32_t> image_;
};
