#include "tools/kestrin-clip/BlockText.h"

#include <cstdio>

#include "object/ObjectBlock.h"

namespace {

int32_t NameLengthField(std::span<const uint8_t> block)
{
    return static_cast<int32_t>(uint32_t(block[0]) | uint32_t(block[1]) << 8 | uint32_t(block[2]) << 16 |
                                uint32_t(block[3]) << 24);
}

std::string Quoted(const std::string& bytes)
{
    std::string out = "\"";
    for (const char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        if (b == '"' || b == '\\') {
            out += '\\';
            out += ch;
        } else if (b >= 0x20 && b < 0x7F) {
            out += ch;
        } else {
            char hex[5];
            std::snprintf(hex, sizeof hex, "\\x%02X", b);
            out += hex;
        }
    }
    return out + "\"";
}

void AddMask(std::string& out, const char* title, const std::array<uint8_t, kMaskRows>& rows)
{
    out += title;
    for (const uint8_t row : rows) {
        out += "  ";
        for (int c = 0; c < kMaskColumns; ++c)
            out += (row >> c) & 1 ? '#' : '.';
        out += '\n';
    }
}

std::string TerrainList(const std::array<bool, 9>& terrains)
{
    std::string out;
    for (std::size_t i = 0; i < terrains.size(); ++i) {
        if (!terrains[i])
            continue;
        if (!out.empty())
            out += ", ";
        out += kTerrainNames[i];
    }
    return out.empty() ? "none" : out;
}

}  // namespace

std::string BlockRefusal(std::span<const uint8_t> block)
{
    if (AcceptedNameLength(block))
        return {};
    const std::string size = std::to_string(block.size());
    if (block.size() < kBlockMinimumSize)
        return "the block is " + size + " bytes long, shorter than " + std::to_string(kBlockMinimumSize);
    const int32_t n = NameLengthField(block);
    if (n < 0)
        return "the name length " + std::to_string(n) + " is negative";
    return "the name length " + std::to_string(n) + " needs " + std::to_string(int64_t(n) + int64_t(kBlockMinimumSize)) +
           " bytes, the block has " + size;
}

std::optional<std::string> DescribeObjectBlock(std::span<const uint8_t> block)
{
    const auto fields = DecodeObjectBlock(block);
    if (!fields)
        return std::nullopt;
    const TObjectValues shown = ValuesFromFields(*fields);
    std::string out;
    out += "size: " + std::to_string(block.size()) + " bytes\n";
    out += "name: " + Quoted(fields->Name) + " (" + std::to_string(fields->Name.size()) + " bytes)\n";
    AddMask(out, "passability (# passable; row 1 at the top, column 1 at the left):\n", fields->Masks.Passability);
    AddMask(out, "action (# action cell):\n", fields->Masks.Action);
    out += "terrains: " + TerrainList(shown.Terrains) + "\n";
    out += "editor terrains: " + TerrainList(shown.EditorTerrains) + "\n";
    out += "type: " + std::to_string(fields->Type) + "\n";
    out += "subtype: " + std::to_string(fields->Subtype) + "\n";
    out += "page: ";
    out += fields->Page < kPageCount ? std::string(kPageNames[fields->Page]) : std::string("none");
    out += " (" + std::to_string(fields->Page) + ")\n";
    out += std::string("ground: ") + (fields->Ground ? "yes" : "no") + " (" + std::to_string(fields->Ground) + ")\n";
    out += "tail: " + std::to_string(block.size() - fields->Name.size() - kBlockFixedSize) + " bytes\n";
    return out;
}
