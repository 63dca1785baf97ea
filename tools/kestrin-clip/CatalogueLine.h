#pragma once
// An object as a line of the game's catalogue text, and back: picture name,
// 48 passability digits, 48 action digits, 9 terrain digits, 9 map-editor
// terrain digits, type, subtype, page and ground, separated by blanks.
// Platform-neutral.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

struct TCatalogueLineBlock {
    std::optional<std::vector<uint8_t>> Block;  // absent when the line is malformed
    std::string Error;                          // why, naming the field, when it is
};

// The object block of a line, with a 16-byte zero tail. A mask is a binary
// number, most significant digit first, whose value as 6 little-endian bytes
// gives the six row bytes; a terrain field is bit 8 (Water) first down to bit 0
// (Dirt), bits 0-7 making the terrains byte and bit 8 the water byte. A line
// end at the end of the line is allowed.
TCatalogueLineBlock BlockFromCatalogueLine(std::string_view line);

struct TCatalogueLineText {
    std::optional<std::string> Line;  // absent when the block cannot be written as a line
    std::string Error;                // why, when it cannot
};

// The line of a block, without a line end; its tail is not part of it. Refused:
// a block that would be refused as "Wrong data", a picture name that is empty or
// holds a blank or a control character, and water bytes with bits beyond bit 0.
TCatalogueLineText CatalogueLineOfBlock(std::span<const uint8_t> block);
