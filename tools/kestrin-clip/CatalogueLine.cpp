#include "tools/kestrin-clip/CatalogueLine.h"

#include <array>
#include <limits>

#include "object/ObjectBlock.h"

namespace {

constexpr std::array<const char*, 9> kFieldNames = {"picture name", "passability", "actions",
                                                    "terrains",     "map-editor terrains", "type",
                                                    "subtype",      "page",        "ground"};
constexpr std::size_t kMaskDigits = 48;
constexpr std::size_t kTerrainDigits = 9;

std::string Field(std::size_t n) { return std::string("the ") + kFieldNames[n] + " field"; }

TCatalogueLineBlock Refuse(std::string error)
{
    TCatalogueLineBlock r;
    r.Error = std::move(error);
    return r;
}

// A field of binary digits of a fixed count, as a number; an error otherwise.
std::optional<uint64_t> ReadDigits(std::string_view text, std::size_t digits, std::size_t field, std::string& error)
{
    if (text.size() != digits) {
        error = Field(field) + " has " + std::to_string(text.size()) + " digits, not " + std::to_string(digits);
        return std::nullopt;
    }
    uint64_t value = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '0' && text[i] != '1') {
            error = Field(field) + " has \"" + std::string(1, text[i]) + "\" at digit " + std::to_string(i + 1) +
                    "; only 0 and 1 are binary digits";
            return std::nullopt;
        }
        value = value << 1 | uint64_t(text[i] - '0');
    }
    return value;
}

// A decimal number with an optional minus sign, between low and high.
std::optional<int64_t> ReadNumber(std::string_view text, int64_t low, int64_t high, std::size_t field,
                                  std::string& error)
{
    const bool negative = !text.empty() && text[0] == '-';
    const std::string_view digits = text.substr(negative ? 1 : 0);
    if (digits.empty() || digits.find_first_not_of("0123456789") != std::string_view::npos) {
        error = Field(field) + " \"" + std::string(text) + "\" is not a decimal number";
        return std::nullopt;
    }
    int64_t value = 0;
    for (char c : digits) {
        value = value * 10 + (c - '0');
        if (value > 99'999'999'999)  // past any bound already; no further digit can overflow
            break;
    }
    if (negative)
        value = -value;
    if (value < low || value > high) {
        error = Field(field) + " " + std::string(text) + " does not fit: it must be from " + std::to_string(low) +
                " to " + std::to_string(high);
        return std::nullopt;
    }
    return value;
}

void AppendBits(std::string& line, uint64_t value, std::size_t digits)
{
    for (std::size_t i = digits; i-- > 0;)
        line += char('0' + ((value >> i) & 1));
}

}  // namespace

TCatalogueLineBlock BlockFromCatalogueLine(std::string_view line)
{
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
        line.remove_suffix(1);
    std::vector<std::string_view> fields;
    for (std::size_t at = 0; at < line.size();) {
        if (line[at] == ' ' || line[at] == '\t') {
            ++at;
            continue;
        }
        const std::size_t end = std::min(line.find_first_of(" \t", at), line.size());
        fields.push_back(line.substr(at, end - at));
        at = end;
    }
    if (fields.size() < 9)
        return Refuse("the line ends before " + Field(fields.size()) + ": a catalogue line has 9 fields");
    if (fields.size() > 9)
        return Refuse("the line goes on after the ground field: \"" + std::string(fields[9]) + "\"");

    const std::string_view name = fields[0];
    for (unsigned char c : name)
        if (c < ' ')
            return Refuse(Field(0) + " holds a control character");
    if (name.size() > kMaxPictureNameLength)
        return Refuse(Field(0) + " is longer than " + std::to_string(kMaxPictureNameLength) + " bytes");

    std::string error;
    std::optional<uint64_t> masks[2], terrains[2];
    for (std::size_t i = 0; i < 2; ++i)
        if (!(masks[i] = ReadDigits(fields[1 + i], kMaskDigits, 1 + i, error)))
            return Refuse(error);
    for (std::size_t i = 0; i < 2; ++i)
        if (!(terrains[i] = ReadDigits(fields[3 + i], kTerrainDigits, 3 + i, error)))
            return Refuse(error);
    constexpr int64_t kIntLow = std::numeric_limits<int32_t>::min(), kIntHigh = std::numeric_limits<int32_t>::max();
    const auto type = ReadNumber(fields[5], kIntLow, kIntHigh, 5, error);
    if (!type)
        return Refuse(error);
    const auto subtype = ReadNumber(fields[6], kIntLow, kIntHigh, 6, error);
    if (!subtype)
        return Refuse(error);
    const auto page = ReadNumber(fields[7], 0, 255, 7, error);
    if (!page)
        return Refuse(error);
    const auto ground = ReadNumber(fields[8], 0, 255, 8, error);
    if (!ground)
        return Refuse(error);

    std::vector<uint8_t> block(name.size() + kBlockMinimumSize, 0);
    TFieldWriter w(block);
    w.WriteInt32(static_cast<int32_t>(name.size()));
    w.WriteBytes(name.data(), name.size());
    for (const auto& mask : masks)
        for (int row = 0; row < kMaskRows; ++row)
            w.WriteByte(static_cast<uint8_t>(*mask >> (8 * row)));
    for (const auto& terrain : terrains) {
        w.WriteByte(static_cast<uint8_t>(*terrain));
        w.WriteByte(static_cast<uint8_t>(*terrain >> 8));
    }
    w.WriteInt32(static_cast<int32_t>(*type));
    w.WriteInt32(static_cast<int32_t>(*subtype));
    w.WriteByte(static_cast<uint8_t>(*page));
    w.WriteByte(static_cast<uint8_t>(*ground));
    TCatalogueLineBlock r;
    r.Block = std::move(block);
    return r;
}

TCatalogueLineText CatalogueLineOfBlock(std::span<const uint8_t> block)
{
    TCatalogueLineText r;
    const auto f = DecodeObjectBlock(block);
    if (!f) {
        r.Error = "Wrong data";
        return r;
    }
    if (f->Name.empty()) {
        r.Error = "the picture name is empty; a catalogue line needs one";
        return r;
    }
    for (unsigned char c : f->Name)
        if (c <= ' ') {
            r.Error = "the picture name holds a blank or a control character; a catalogue line cannot hold it";
            return r;
        }
    if (f->Water > 1 || f->EditorWater > 1) {
        r.Error = "the water byte " + std::to_string(f->Water) + " or the map-editor water byte " +
                  std::to_string(f->EditorWater) + " has bits beyond bit 0; a catalogue line holds bit 0 only";
        return r;
    }
    std::string line = f->Name;
    for (const auto* mask : {&f->Masks.Passability, &f->Masks.Action}) {
        uint64_t value = 0;
        for (int row = 0; row < kMaskRows; ++row)
            value |= uint64_t((*mask)[static_cast<std::size_t>(row)]) << (8 * row);
        line += ' ';
        AppendBits(line, value, kMaskDigits);
    }
    for (const auto& [terrains, water] : {std::pair{f->Terrains, f->Water}, std::pair{f->EditorTerrains, f->EditorWater}}) {
        line += ' ';
        AppendBits(line, uint64_t(water) << 8 | terrains, kTerrainDigits);
    }
    line += ' ' + std::to_string(f->Type) + ' ' + std::to_string(f->Subtype) + ' ' + std::to_string(f->Page) + ' ' +
            std::to_string(f->Ground);
    r.Line = std::move(line);
    return r;
}
