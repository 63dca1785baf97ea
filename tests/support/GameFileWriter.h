#pragma once
// Makes the game's file formats for tests, benchmarks and fuzz seeds: archives
// with stored or deflated entries and map-object sprites in any pixel format.
// Platform-neutral.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "gamedata/SpriteFrame.h"

struct TArchiveFile { std::string Name; std::vector<std::uint8_t> Bytes; bool Deflate = false; };
std::vector<std::uint8_t> MakeArchive(const std::vector<TArchiveFile>& files);
// A map-object sprite (kind 0x43) with one group and one frame of the given full size and
// pixels (Width × Height indices), stored in `format` (0–3) with the stored rectangle
// trimmed to the non-zero pixels (format 3 keeps a width that is a multiple of 32).
std::vector<std::uint8_t> MakeSprite(const TSpriteFrame& frame, int format);
void WriteFileBytes(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes);

// Where MakeSprite puts the frame's header (its pixel data follows 32 bytes on).
constexpr std::size_t kMadeSpriteFrameAt = 784 + 16 + 13 + 4;
// Overwrites four bytes, little-endian (for making damaged files).
void PutLe32(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value);
// A frame of that size with a varied picture of indices (runs, raw stretches, all
// special indices) and a palette of distinct colours.
TSpriteFrame MakeTestFrame(int width, int height, unsigned seed = 1);
