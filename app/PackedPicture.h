#pragma once
// The pictures drawn for 125-200 % as the build embeds them: an 8-bit BMP file
// with its palette, zlib-compressed. Platform-neutral, so that its checks are
// tested natively.
#include <cstdint>
#include <span>
#include <vector>

// The largest picture side taken, in pixels.
constexpr int kMaxPackedPictureSide = 4096;

// Inflates and reads a packed picture that must be exactly width x height
// pixels, into pixels (top row first, 0x00RRGGBB each). False, with pixels
// empty, when the bytes are anything else: damaged, cut short or too long, or a
// picture of another size or kind.
bool UnpackPicture(std::span<const std::uint8_t> packed, int width, int height, std::vector<std::uint32_t>& pixels);
