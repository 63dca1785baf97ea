#pragma once
// One decoded sprite frame: its whole size, its palette indices and its palette.
#include <array>
#include <cstdint>
#include <vector>

struct TSpriteFrame {
    int Width = 0;                            // the frame's full width
    int Height = 0;                           // and full height
    std::vector<std::uint8_t> Pixels;         // Width × Height palette indices, top row first
    std::array<std::uint8_t, 768> Palette{};  // 256 colours × (red, green, blue)
};
