#include "app/PictureForm.h"

#include <algorithm>

#include "app/PictureImage.h"
#include "framework/Handles.h"

namespace {

// A system colour as the image's 0x00RRGGBB.
std::uint32_t ImageColour(TColor color)
{
    const COLORREF rgb = ColorToRGB(color);
    return (static_cast<std::uint32_t>(GetRValue(rgb)) << 16) | (static_cast<std::uint32_t>(GetGValue(rgb)) << 8) |
           GetBValue(rgb);
}

}  // namespace

TPictureForm::TPictureForm(TComponent* owner, HWND ownerWindow, IPictureFormHost& host)
    : TForm(owner), ownerWindow_(ownerWindow), host_(host)
{
    BuildDescription();
    Recompose();
}

TPictureForm::~TPictureForm() { Destroying(); }

void TPictureForm::ShowPicture(const std::wstring& name, const TSpriteFrame* frame, const std::wstring& message)
{
    SetCaption(L"Picture: " + name);
    frame_ = frame;
    message_ = frame ? std::wstring() : message;
    Recompose();
}

void TPictureForm::ShowMasks(const TMaskStore* masks)
{
    const std::optional<TMaskStore> shown = masks ? std::optional<TMaskStore>(*masks) : std::nullopt;
    if (shown == masks_)
        return;
    masks_ = shown;
    Recompose();
}

void TPictureForm::SetZoom(int zoom)
{
    zoom = zoom == 2 ? 2 : 1;
    if (zoom == zoom_)
        return;
    zoom_ = zoom;
    SetClientSize(Scaled(kPictureWidth * zoom_), Scaled(kPictureHeight * zoom_));
    // The bigger window stays on the screen, as far as it fits.
    if (HandleAllocated()) {
        MONITORINFO monitor{};
        monitor.cbSize = sizeof monitor;
        if (GetMonitorInfoW(MonitorFromWindow(Handle(), MONITOR_DEFAULTTONEAREST), &monitor)) {
            const RECT& work = monitor.rcWork;
            SetBounds(std::max<int>(work.left, std::min<int>(Left(), work.right - Width())),
                      std::max<int>(work.top, std::min<int>(Top(), work.bottom - Height())), Width(), Height());
        }
    }
    CheckZoomItem();
    Invalidate();
}

// The client size of the chosen zoom at the new DPI (the description's is the actual size).
void TPictureForm::DoDpiChanged()
{
    SetClientSize(Scaled(kPictureWidth * zoom_), Scaled(kPictureHeight * zoom_));
    Invalidate();
    TForm::DoDpiChanged();
}

int TPictureForm::LineAt(int index) const { return Scaled(kPictureCell * zoom_ * index); }

void TPictureForm::FormClose(TObject*, TCloseAction& action)
{
    // The host decides whether the window is shown.
    action = caNone;
    host_.PictureClosed();
}

void TPictureForm::CreateParams(TCreateParams& params)
{
    TForm::CreateParams(params);
    params.WndParent = ownerWindow_;
}

void TPictureForm::InitializeWindow()
{
    TForm::InitializeWindow();
    HMENU menu = GetSystemMenu(Handle(), FALSE);
    if (!menu)
        return;
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, kCmdActualSize, L"Actual size");
    AppendMenuW(menu, MF_STRING, kCmdDoubleSize, L"Double size");
    CheckZoomItem();
}

void TPictureForm::CheckZoomItem()
{
    if (!HandleAllocated())
        return;
    if (HMENU menu = GetSystemMenu(Handle(), FALSE))
        CheckMenuRadioItem(menu, kCmdActualSize, kCmdDoubleSize, zoom_ == 2 ? kCmdDoubleSize : kCmdActualSize,
                           MF_BYCOMMAND);
}

void TPictureForm::WndProc(TMessage& msg)
{
    switch (msg.Msg) {
    case WM_SYSCOMMAND: {
        const WPARAM command = msg.WParam & 0xFFF0;
        if (command == kCmdActualSize || command == kCmdDoubleSize) {
            SetZoom(command == kCmdDoubleSize ? 2 : 1);
            msg.Result = 0;
            return;
        }
        if (command == SC_MAXIMIZE) {
            msg.Result = 0;
            return;
        }
        break;
    }
    case WM_PAINT:
        // The library paints a window only for its graphic children; this one has none.
        PaintHandler(msg);
        return;
    case WM_KEYDOWN:
        if (msg.WParam == '1' || msg.WParam == VK_NUMPAD1 || msg.WParam == '2' || msg.WParam == VK_NUMPAD2) {
            SetZoom(msg.WParam == '2' || msg.WParam == VK_NUMPAD2 ? 2 : 1);
            msg.Result = 0;
            return;
        }
        break;
    default:
        break;
    }
    TForm::WndProc(msg);
}

// Shown without taking the focus from the main window, where the user works.
void TPictureForm::VisibleChanged()
{
    if (!Visible() && !HandleAllocated())
        return;
    ShowWindow(Handle(), Visible() ? SW_SHOWNOACTIVATE : SW_HIDE);
}

bool TPictureForm::EraseBackground(HDC) { return true; }

void TPictureForm::PaintHandler(TMessage& msg)
{
    PAINTSTRUCT ps{};
    HDC dc = msg.WParam ? reinterpret_cast<HDC>(msg.WParam) : BeginPaint(Handle(), &ps);
    if (!dc)
        return;
    Draw(dc);
    if (!msg.WParam)
        EndPaint(Handle(), &ps);
}

void TPictureForm::Recompose()
{
    image_ = ComposePicture(frame_, masks_ ? &*masks_ : nullptr, ImageColour(clBtnFace));
    Invalidate();
}

// Drawn off the screen first, so that a repaint never flickers.
void TPictureForm::Draw(HDC target)
{
    const int width = LineAt(kMaskColumns);
    const int height = LineAt(kMaskRows);
    TOwnedMemoryDC buffer(CreateCompatibleDC(target));
    TOwnedBitmap bitmap(CreateCompatibleBitmap(target, width, height));
    if (!buffer || !bitmap)
        return;
    HDC dc = buffer.Get();
    TSelectGuard keepBitmap(dc, bitmap.Get());

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = kPictureWidth;
    info.bmiHeader.biHeight = -kPictureHeight;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchDIBits(dc, 0, 0, width, height, 0, 0, kPictureWidth, kPictureHeight, image_.data(), &info,
                  DIB_RGB_COLORS, SRCCOPY);

    // Lines between the cells, one pixel at 96 DPI whatever the zoom, starting where a cell starts.
    TOwnedBrush line(CreateSolidBrush(ColorToRGB(clBtnShadow)));
    const int thickness = LineWidthForDpi(CurrentDpi());
    for (int c = 1; c < kMaskColumns; ++c) {
        const RECT r{LineAt(c), 0, LineAt(c) + thickness, height};
        FillRect(dc, &r, line.Get());
    }
    for (int row = 1; row < kMaskRows; ++row) {
        const RECT r{0, LineAt(row), width, LineAt(row) + thickness};
        FillRect(dc, &r, line.Get());
    }

    if (!message_.empty()) {
        TSelectGuard keepFont(dc, Font()->Handle());
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, ColorToRGB(clBtnText));
        const UINT format = DT_CENTER | DT_WORDBREAK | DT_NOPREFIX;
        const int margin = Scaled(8);
        RECT box{margin, 0, width - margin, height};
        DrawTextW(dc, message_.c_str(), static_cast<int>(message_.size()), &box, format | DT_CALCRECT);
        const int textHeight = box.bottom - box.top;
        box = {margin, (height - textHeight) / 2, width - margin, (height - textHeight) / 2 + textHeight};
        DrawTextW(dc, message_.c_str(), static_cast<int>(message_.size()), &box, format);
    }
    BitBlt(target, 0, 0, width, height, dc, 0, 0, SRCCOPY);
}

bool TPictureForm::CellAt(int x, int y, int& row, int& column) const
{
    if (x < 0 || y < 0 || x >= LineAt(kMaskColumns) || y >= LineAt(kMaskRows))
        return false;
    column = 0;
    while (x >= LineAt(column + 1))
        ++column;
    row = 0;
    while (y >= LineAt(row + 1))
        ++row;
    return true;
}

void TPictureForm::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    TForm::MouseDown(button, shift, x, y);
    int row = 0, column = 0;
    if (CellAt(x, y, row, column))
        host_.PicturePress(row, column, button);
}

void TPictureForm::MouseMove(TShiftState shift, int x, int y)
{
    TForm::MouseMove(shift, x, y);
    int row = 0, column = 0;
    if (CellAt(x, y, row, column))
        host_.PictureMove(row, column, shift);
}
