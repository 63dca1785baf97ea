#pragma once
// The name of the clipboard format under which the map editor exchanges object
// blocks: a fixed prefix followed by a number text that differs by edition.
#include <string>
#include <string_view>

// Ends in one blank; the number text follows it.
inline constexpr std::string_view kClipboardFormatPrefix =
    "Heroes of Might and Magic III Map Editor Object Clipboard Format ";
// The number text of the edition chosen at start ("WOG, SOD").
inline constexpr std::string_view kDefaultFormatNumber = "28";

// The full 8-bit format name for a number text, appended as it is.
inline std::string ClipboardFormatName(std::string_view number)
{
    std::string name(kClipboardFormatPrefix);
    name += number;
    return name;
}
