#pragma once
// The fields of an object block as readable text, and why a block is refused.
#include <cstdint>
#include <optional>
#include <span>
#include <string>

// Why the block would be refused ("Wrong data"), or an empty text when it is accepted.
std::string BlockRefusal(std::span<const uint8_t> block);
// Name, masks as 6 rows of 8 cells, terrains by name, type, subtype, page,
// ground and tail length, one field per line; nothing for a refused block.
// The text is ASCII: name bytes outside printable ASCII appear as \xNN.
std::optional<std::string> DescribeObjectBlock(std::span<const uint8_t> block);
