#pragma once
// The game's sprite files: frame 0 of the first group decoded to full-size
// palette indices, and how a map-object sprite's pixel is drawn. Platform-neutral.
#include <cstdint>
#include <span>
#include <string>

#include "gamedata/SpriteFrame.h"

// Widths and heights above this are refused.
constexpr int kMaxSpriteSide = 4096;

// Decodes frame 0 of the first group of a sprite file. False, with a reason
// in plain English, for a bad file; never reads outside `file`.
bool DecodeSpriteFrame(std::span<const std::uint8_t> file, TSpriteFrame& frame, std::string& reason);
// The colour of a pixel of that index drawn over the background (both 0x00RRGGBB),
// with the special colours of map-object sprites for indices 0–7.
std::uint32_t SpritePixelOver(const TSpriteFrame& frame, std::uint8_t index, std::uint32_t background);
