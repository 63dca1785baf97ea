// The paint step of the image check control: automatic sizing, background, the
// turned text lines in their 3-D look, the focus frame and the check field.
#include <algorithm>

#include "framework/DpiScale.h"
#include "framework/Handles.h"
#include "framework/OSError.h"
#include "framework/Strings.h"
#include "widgets/IACheckControl.h"
#include "widgets/IACheckField.h"

void RotateFont(TFont& font, int angle)
{
    LOGFONTW description{};
    if (GetObjectW(font.Handle(), sizeof description, &description) != sizeof description)
        RaiseLastOSError();
    description.lfEscapement = angle;
    description.lfOrientation = angle;
    description.lfQuality = AntialiasedFonts ? ANTIALIASED_QUALITY : PROOF_QUALITY;
    TOwnedFont turned(CreateFontIndirectW(&description));
    if (!turned)
        RaiseLastOSError();
    // The font owns the turned one from here on.
    font.SetHandle(static_cast<HFONT>(turned.Get()));
    turned.Release();
}

void TIACheckControl::Paint()
{
    if (!Visible() && !InState(csDesigning))
        return;
    if (AutoSize()) {
        const TIASize needed = GetNeededSize();
        if (needed.Width != Width() || needed.Height != Height())
            SetBounds(Left(), Top(), needed.Width, needed.Height);
    }
    TCanvas& canvas = *Canvas();
    canvas.Brush()->SetStyle(bsSolid);
    canvas.Brush()->SetColor(Color());
    canvas.FillRect({0, 0, Width(), Height()});

    const std::vector<TIASize> lines = MeasureLines();
    const TIACheckLayout layout = Layout(lines);
    PaintText(layout, lines);
    if (showFocus_ && Focused() && Enabled())
        DrawFocusFrame(layout);
    DrawCheckField(layout);
}

void TIACheckControl::PaintText(const TIACheckLayout& layout, const std::vector<TIASize>& lines)
{
    TCanvas& canvas = *Canvas();
    const TColor light = BlendColor(Color(), clWhite, 100, 30);
    const TColor dark = BlendColor(Color(), clBlack, 100, 30);
    const TColor text = Enabled() ? Font()->Color() : BlendColor(Font()->Color(), Color(), 100, 50);
    const TIAPoint origin = layout.TextFieldOrigin() + layout.RotationOffset();
    int blockWidth = 0;
    for (const TIASize& line : lines)
        blockWidth = std::max(blockWidth, line.Width);

    canvas.Brush()->SetStyle(bsClear);
    int dy = 0;
    for (size_t i = 0; i < lines.size(); ++i) {
        const int dx = LineAlignOffset(textAlign_, blockWidth, lines[i].Width);
        const TIAPoint p = origin + layout.Turn(dx, dy);
        dy += lines[i].Height;
        canvas.Font()->Assign(*Font());
        RotateFont(*canvas.Font(), textAngle_);
        const std::wstring line = lines_->Get(static_cast<int>(i));
        auto draw = [&](TColor color, int x, int y) {
            canvas.Font()->SetColor(color);
            canvas.TextOut(x, y, line);
        };
        if (text3DStyle_ == iscct3dsUp) {
            draw(dark, p.X + 1, p.Y + 1);
            draw(light, p.X - 1, p.Y - 1);
        } else if (text3DStyle_ == iscct3dsDown) {
            draw(light, p.X + 1, p.Y + 1);
            draw(dark, p.X - 1, p.Y - 1);
        }
        draw(text, p.X, p.Y);
    }
    canvas.Brush()->SetStyle(bsSolid);
}

// A solid frame one pixel per 96-DPI pixel thick, as far inside the text block
// as two of them.
void TIACheckControl::DrawFocusFrame(const TIACheckLayout& layout)
{
    const int line = LineWidthForDpi(CurrentDpi());
    const TQuad quad = layout.FocusQuad(2 * line);
    POINT corners[4];
    for (size_t i = 0; i < quad.size(); ++i)
        corners[i] = {quad[i].X, quad[i].Y};
    TOwnedRegion region(CreatePolygonRgn(corners, 4, ALTERNATE));
    TOwnedBrush brush(CreateSolidBrush(ColorToRGB(BlendColor(Color(), clBlack, 100, 30))));
    if (!region || !brush)
        RaiseLastOSError();
    // An empty text block gives an empty region, which has no frame to draw.
    FrameRgn(Canvas()->Handle(), static_cast<HRGN>(region.Get()), static_cast<HBRUSH>(brush.Get()), line, line);
}

void TIACheckControl::DrawCheckField(const TIACheckLayout& layout)
{
    TIACheckFieldLook look;
    look.Style = style_;
    look.Type = controlType_;
    look.Checked = checked_;
    look.Enabled = Enabled();
    look.Background = Color();
    look.Color1 = checkColor1_;
    look.Color2 = checkColor2_;
    look.Images = imageList_;
    const TIAPoint at = layout.CheckFieldOrigin();
    const TIASize size = GetCheckFieldSize();
    ::DrawCheckField(*Canvas(), look, at.X, at.Y, size.Width, size.Height);
}
