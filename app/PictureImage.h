#pragma once
// The picture window's image at actual size: the 8 x 6 map cells of 32 x 32
// pixels, the sprite's frame 0 with its bottom-right corner at the block's, and
// each cell's kind laid over it as a tint. Pixels are 0x00RRGGBB, top row first.
// No windows.h: the colours come in as numbers.
#include <cstdint>
#include <vector>

#include "gamedata/DefSprite.h"
#include "object/ObjectBlock.h"

inline constexpr int kPictureWidth = 32 * kMaskColumns;  // 256
inline constexpr int kPictureHeight = 32 * kMaskRows;    // 192
inline constexpr int kPictureCell = 32;

// The tint of a cell kind (0x00RRGGBB), or nothing for "Not an object".
bool KindTint(int kind, std::uint32_t& colour);
// A colour with `tint` laid over it at 40 % opacity, per channel, rounded.
std::uint32_t Tinted(std::uint32_t colour, std::uint32_t tint);

// The image: `face` everywhere, the frame (when not null) over it, then the
// tints of the cells of `masks` (when not null: an object is loaded).
std::vector<std::uint32_t> ComposePicture(const TSpriteFrame* frame, const TMaskStore* masks, std::uint32_t face);
