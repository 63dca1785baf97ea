#include "widgets/IACheckLayout.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>

int RoundHalfEven(double value)
{
    // The default rounding mode of the floating-point unit sends halves to even.
    return static_cast<int>(std::nearbyint(value));
}

int NormalizeTextAngle(int tenths)
{
    // Whole turns in one step instead of one at a time, so that extreme values
    // stay cheap; 64 bits keep the sums clear of overflow.
    int64_t t = tenths;
    if (t > 1800)
        t -= ((t - 1800 + 3599) / 3600) * 3600;
    else if (t < -1799)
        t += ((-1799 - t + 3599) / 3600) * 3600;
    return static_cast<int>(t);
}

int LineAlignOffset(TIACheckControlTextHAlign align, int blockWidth, int lineWidth)
{
    switch (align) {
    case iaccthaRight:
        return blockWidth - lineWidth;
    case iaccthaCenter:
        return (blockWidth - lineWidth) / 2;
    case iaccthaLeft:
        break;
    }
    return 0;
}

TIACheckLayout::TIACheckLayout(int angle, TIASize text, TIASize check, int gap, TIACheckControlTextHAlign fieldHAlign,
                               TIACheckControlTextVAlign fieldVAlign)
    : textSize_(text)
{
    const double theta = angle * std::numbers::pi / 1800.0;
    cos_ = std::cos(theta);
    sin_ = std::sin(theta);
    turnedWidth_ = std::abs(cos_ * text.Width) + std::abs(sin_ * text.Height);
    turnedHeight_ = std::abs(sin_ * text.Width) + std::abs(cos_ * text.Height);

    const int rw = TurnedWidth();
    const int rh = TurnedHeight();
    const int cw = check.Width;
    const int ch = check.Height;
    const int g = gap;
    // Beside each other the vertical align lines up tops, bottoms or middles;
    // centred, it puts the check field above (top) or below (bottom) the text.
    const TIASize beside{rw + cw + g, std::max(ch, rh)};
    const TIASize stacked{std::max(cw, rw), rh + ch + g};
    const int textUnder = std::max(0, (cw - rw) / 2);  // x of a text centred on the field
    const int fieldOver = std::max(0, (rw - cw) / 2);  // x of a field centred on the text
    int textY = 0;
    int checkY = 0;
    if (fieldVAlign == iacctvaBottom) {
        textY = std::max(0, ch - rh);
        checkY = std::max(0, rh - ch);
    } else if (fieldVAlign == iacctvaCenter) {
        textY = std::max(0, (ch - rh) / 2);
        checkY = std::max(0, (rh - ch) / 2);
    }
    switch (fieldHAlign) {
    case iaccthaLeft:
        text_ = {g + cw, textY};
        check_ = {0, checkY};
        needed_ = beside;
        break;
    case iaccthaRight:
        text_ = {0, textY};
        check_ = {rw + g, checkY};
        needed_ = beside;
        break;
    case iaccthaCenter:
        if (fieldVAlign == iacctvaTop) {
            text_ = {textUnder, g + ch};
            check_ = {fieldOver, 0};
            needed_ = stacked;
        } else if (fieldVAlign == iacctvaBottom) {
            text_ = {textUnder, 0};
            check_ = {fieldOver, rh + g};
            needed_ = stacked;
        } else {
            // Centred both ways: the text lies over the middle of the check field,
            // as a caption on a picture, and the control holds the larger of the two.
            text_ = {textUnder, std::max(0, (ch - rh) / 2)};
            check_ = {fieldOver, std::max(0, (rh - ch) / 2)};
            needed_ = {std::max(cw, rw), std::max(ch, rh)};
        }
        break;
    }
}

int TIACheckLayout::TurnedWidth() const { return RoundHalfEven(turnedWidth_); }

int TIACheckLayout::TurnedHeight() const { return RoundHalfEven(turnedHeight_); }

TIAPoint TIACheckLayout::RotationOffset() const
{
    const double tw = textSize_.Width;
    if (sin_ >= 0 && cos_ >= 0)
        return {0, RoundHalfEven(sin_ * tw)};
    if (sin_ >= 0)
        return {-RoundHalfEven(cos_ * tw), TurnedHeight()};
    if (cos_ >= 0)
        return {RoundHalfEven(TurnedWidth() - cos_ * tw), 0};
    return {TurnedWidth(), RoundHalfEven(sin_ * tw + TurnedHeight())};
}

TIAPoint TIACheckLayout::Turn(int dx, int dy) const
{
    return {RoundHalfEven(dx * cos_ + dy * sin_), RoundHalfEven(-dx * sin_ + dy * cos_)};
}

TQuad TIACheckLayout::Quad(TIAPoint p0, int width, int height) const
{
    const TIAPoint p1{p0.X + RoundHalfEven(cos_ * width), p0.Y - RoundHalfEven(sin_ * width)};
    const TIAPoint p2{p1.X + RoundHalfEven(sin_ * height), p1.Y + RoundHalfEven(cos_ * height)};
    const TIAPoint p3{p0.X + RoundHalfEven(sin_ * height), p0.Y + RoundHalfEven(cos_ * height)};
    return {p0, p1, p2, p3};
}

TQuad TIACheckLayout::TextQuad() const
{
    return Quad(text_ + RotationOffset(), textSize_.Width, textSize_.Height);
}

TQuad TIACheckLayout::FocusQuad(int inset) const
{
    const TIAPoint inward{RoundHalfEven(inset * sin_ + inset * cos_), RoundHalfEven(inset * cos_ - inset * sin_)};
    return Quad(text_ + RotationOffset() + inward, textSize_.Width - 2 * inset, textSize_.Height - 2 * inset);
}

namespace {

int Channel(uint32_t color, int shift) { return static_cast<int>((color >> shift) & 0xFF); }

}  // namespace

uint32_t BlendRGBRange(uint32_t a, uint32_t b, int range, int pos)
{
    if (range == 0)
        return a;
    uint32_t out = 0;
    for (int shift : {0, 8, 16}) {
        const int ca = Channel(a, shift);
        const int cb = Channel(b, shift);
        // Multiplication first; C++ division truncates toward zero.
        const int v = std::clamp(ca + pos * (cb - ca) / range, 0, 255);
        out |= static_cast<uint32_t>(v) << shift;
    }
    return out;
}

bool RGBClose(uint32_t a, uint32_t b, int limit)
{
    int distance = 0;
    for (int shift : {0, 8, 16})
        distance += std::abs(Channel(a, shift) - Channel(b, shift));
    return distance < limit;
}
