#pragma once
// The one scaling rule of window layouts: sizes are written for 96 dots per inch
// and multiplied by dpi / 96, rounded to the nearest pixel (halves away from
// zero, as the system's MulDiv). Platform-neutral.
#include <cstdint>

inline constexpr int kDesignDpi = 96;

// value × numerator / denominator, rounded to nearest, halves away from zero.
constexpr int MulDivRound(int value, int numerator, int denominator)
{
    const std::int64_t product = std::int64_t(value) * numerator;
    const std::int64_t half = denominator / 2;
    return static_cast<int>(product >= 0 ? (product + half) / denominator : -((-product + half) / denominator));
}

// A 96-DPI length at `dpi`.
constexpr int ScaleForDpi(int value, int dpi) { return MulDivRound(value, dpi, kDesignDpi); }

// A line or frame width of one 96-DPI pixel (or `width` of them) at `dpi`: never thinner than 1.
constexpr int LineWidthForDpi(int dpi, int width = 1)
{
    const int scaled = ScaleForDpi(width, dpi);
    return scaled < 1 ? 1 : scaled;
}

// A font height written for 96 DPI at `dpi`. A negative height is a character
// height: its point size (height × 72 / 96, rounded) is made again at `dpi`
// (8 pt: −11 at 96, −16 at 144). A positive (cell) height scales as a length.
// At 96 DPI every height stays as written.
constexpr int FontHeightForDpi(int height, int dpi)
{
    if (dpi == kDesignDpi || height == 0)
        return height;
    if (height > 0)
        return ScaleForDpi(height, dpi);
    const int points = MulDivRound(-height, 72, kDesignDpi);
    return -MulDivRound(points, dpi, 72);
}

// A font height made for `fromDpi` made again for `toDpi` at the same point size.
constexpr int RescaleFontHeight(int height, int fromDpi, int toDpi)
{
    if (fromDpi == toDpi || height == 0 || fromDpi <= 0)
        return height;
    if (height > 0)
        return MulDivRound(height, toDpi, fromDpi);
    const int points = MulDivRound(-height, 72, fromDpi);
    return -MulDivRound(points, toDpi, 72);
}
