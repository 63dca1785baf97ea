#pragma once
// The image check control's arithmetic without windows: where the check field
// and the turned text block go, the size automatic sizing gives the control,
// and the colour blends of its palette. Platform-neutral.
#include <array>
#include <cstdint>

#include "widgets/IACheckTypes.h"

struct TIAPoint {
    int X = 0;
    int Y = 0;
    friend bool operator==(const TIAPoint&, const TIAPoint&) = default;
};

struct TIASize {
    int Width = 0;
    int Height = 0;
    friend bool operator==(const TIASize&, const TIASize&) = default;
};

inline TIAPoint operator+(TIAPoint a, TIAPoint b) { return {a.X + b.X, a.Y + b.Y}; }

// To the nearest integer, halves to the even one.
int RoundHalfEven(double value);

// An angle in tenths of a degree brought into -1799 ... 1800.
int NormalizeTextAngle(int tenths);

// Where a line of lineWidth stands inside a text block of blockWidth.
int LineAlignOffset(TIACheckControlTextHAlign align, int blockWidth, int lineWidth);

using TQuad = std::array<TIAPoint, 4>;

// The layout of one control: a text block of Text (unturned) turned by Angle,
// beside a check field of Check, Gap pixels apart, placed by the two aligns.
class TIACheckLayout {
public:
    TIACheckLayout(int angle, TIASize text, TIASize check, int gap, TIACheckControlTextHAlign fieldHAlign,
                   TIACheckControlTextVAlign fieldVAlign);

    // The box round the turned block, rounded.
    int TurnedWidth() const;
    int TurnedHeight() const;

    TIAPoint CheckFieldOrigin() const { return check_; }
    // Top-left of the box that holds the turned block.
    TIAPoint TextFieldOrigin() const { return text_; }
    TIASize NeededSize() const { return needed_; }
    // Where, inside that box, the block's own top-left corner lies once turned.
    TIAPoint RotationOffset() const;
    // A point (dx, dy) of the unturned block, turned.
    TIAPoint Turn(int dx, int dy) const;
    // The corners of the turned block, starting at its own top-left.
    TQuad TextQuad() const;
    // The same block moved inward by `inset` pixels on each side.
    TQuad FocusQuad(int inset = 2) const;

private:
    TQuad Quad(TIAPoint p0, int width, int height) const;

    TIASize textSize_;
    double cos_ = 1;
    double sin_ = 0;
    double turnedWidth_ = 0;
    double turnedHeight_ = 0;
    TIAPoint check_;
    TIAPoint text_;
    TIASize needed_;
};

// Colours here are RGB values 0x00BBGGRR.
// a + pos × (b − a) div range per byte, clamped to 0 ... 255; a when range is 0.
uint32_t BlendRGBRange(uint32_t a, uint32_t b, int range, int pos);
// True when the red, green and blue distances add up to less than limit.
bool RGBClose(uint32_t a, uint32_t b, int limit);
// Dark: the sum of red, green and blue is below 384.
inline bool RGBDark(uint32_t color) { return RGBClose(color, 0, 384); }
