#include "app/PackedPicture.h"

#include <zlib.h>

#include <limits>

namespace {

constexpr std::size_t kFileHeader = 14;     // BITMAPFILEHEADER
constexpr std::size_t kInfoHeader = 40;     // BITMAPINFOHEADER, the smallest header taken
constexpr std::size_t kLargestHeader = 124;  // BITMAPV5HEADER
constexpr std::size_t kMaxColours = 256;

std::uint32_t Le16(const std::uint8_t* p) { return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8; }

std::uint32_t Le32(const std::uint8_t* p) { return Le16(p) | Le16(p + 2) << 16; }

// Inflates all of packed into file, which it must fill no further than its size;
// file is cut to the bytes inflated.
bool Inflate(std::span<const std::uint8_t> packed, std::vector<std::uint8_t>& file)
{
    if (packed.size() > std::numeric_limits<uLong>::max() || file.size() > std::numeric_limits<uLongf>::max())
        return false;
    uLongf size = static_cast<uLongf>(file.size());
    uLong used = static_cast<uLong>(packed.size());
    if (uncompress2(file.data(), &size, packed.data(), &used) != Z_OK || used != packed.size())
        return false;
    file.resize(size);
    return true;
}

}  // namespace

bool UnpackPicture(std::span<const std::uint8_t> packed, int width, int height, std::vector<std::uint32_t>& pixels)
{
    pixels.clear();
    if (width <= 0 || height <= 0 || width > kMaxPackedPictureSide || height > kMaxPackedPictureSide)
        return false;
    const std::size_t stride = (static_cast<std::size_t>(width) + 3) & ~std::size_t{3};
    const std::size_t data = stride * static_cast<std::size_t>(height);
    // The largest file such a picture can be: the largest header, a full palette.
    std::vector<std::uint8_t> file(kFileHeader + kLargestHeader + 4 * kMaxColours + data);
    if (!Inflate(packed, file) || file.size() < kFileHeader + kInfoHeader || file[0] != 'B' || file[1] != 'M')
        return false;
    const std::uint8_t* info = file.data() + kFileHeader;
    const std::size_t offset = Le32(file.data() + 10);
    const std::size_t header = Le32(info);
    const auto fileWidth = static_cast<std::int32_t>(Le32(info + 4));
    const auto fileHeight = static_cast<std::int32_t>(Le32(info + 8));
    std::size_t colours = Le32(info + 32);
    if (colours == 0)
        colours = kMaxColours;  // none given: as many as 8 bits can tell
    if (header < kInfoHeader || header > kLargestHeader || fileWidth != width ||
        (fileHeight != height && fileHeight != -height) || Le16(info + 12) != 1 || Le16(info + 14) != 8 ||
        Le32(info + 16) != 0 /* BI_RGB */ || colours > kMaxColours)
        return false;
    const std::size_t palette = kFileHeader + header;
    if (offset < palette + 4 * colours || offset > file.size() || file.size() - offset < data)
        return false;
    std::uint32_t colour[kMaxColours];
    for (std::size_t i = 0; i < colours; ++i)
        colour[i] = Le32(file.data() + palette + 4 * i) & 0x00FFFFFFu;  // blue, green, red, unused
    const bool bottomUp = fileHeight > 0;
    pixels.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* p = file.data() + offset + stride * static_cast<std::size_t>(bottomUp ? height - 1 - y : y);
        std::uint32_t* row = pixels.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width);
        for (int x = 0; x < width; ++x) {
            if (p[x] >= colours) {
                pixels.clear();
                return false;
            }
            row[x] = colour[p[x]];
        }
    }
    return true;
}
