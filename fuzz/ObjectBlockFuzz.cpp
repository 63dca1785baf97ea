// Any bytes as a clipboard block: decode, encode what the controls would show
// (into the block itself, as Save does), decode again; the fields must survive.
#include "object/ObjectBlock.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // An exactly sized copy, so that any read past the block's end is caught.
    const std::vector<uint8_t> block(data, data + size);
    const auto fields = DecodeObjectBlock(block);
    if (!fields)
        return 0;
    const TObjectValues values = ValuesFromFields(*fields);
    if (values.Name.size() > kMaxPictureNameLength)
        return 0;  // validation stops these before encoding

    // Into a separate buffer...
    std::vector<uint8_t> out(kObjectBlockSize, 0xA5);
    const std::size_t written =
        EncodeObjectBlock(values, block, std::span<uint8_t, kObjectBlockSize>(out.data(), kObjectBlockSize));
    if (written > kObjectBlockSize)
        std::abort();
    // ...and into the current block grown to 4096 bytes, the tail moving inside it.
    std::vector<uint8_t> grown = block;
    grown.resize(std::max(grown.size(), kObjectBlockSize));
    std::vector<uint8_t> same(grown);
    const std::size_t inPlace =
        EncodeObjectBlock(values, same, std::span<uint8_t, kObjectBlockSize>(same.data(), kObjectBlockSize));
    std::vector<uint8_t> apart(kObjectBlockSize, 0);
    const std::size_t separate =
        EncodeObjectBlock(values, grown, std::span<uint8_t, kObjectBlockSize>(apart.data(), kObjectBlockSize));
    if (inPlace != separate ||
        !std::equal(apart.begin(), apart.begin() + static_cast<std::ptrdiff_t>(separate), same.begin()))
        std::abort();

    const std::size_t m = values.Name.size();
    const std::size_t n = fields->Name.size();
    const auto again = DecodeObjectBlock(out);
    if (m + kBlockMinimumSize > kObjectBlockSize) {
        if (again)
            std::abort();  // no room for the 16-byte tail: refused
        return 0;
    }
    if (!again || ValuesFromFields(*again) != values)
        std::abort();
    // The re-encoded fields are the decoded ones, normalised; bits 1-7 of the
    // water bytes, which no control shows, are kept as they were.
    if ((again->Water & 0xFE) != (fields->Water & 0xFE) ||
        (again->EditorWater & 0xFE) != (fields->EditorWater & 0xFE) || again->Ground > 1 ||
        (again->Page >= kPageCount && again->Page != kNoPage))
        std::abort();
    // The tail is carried byte for byte, cut at 4096.
    const std::size_t tail = std::min(size - n - kBlockFixedSize, kMaxPictureNameLength - m);
    if (written != m + kBlockFixedSize + tail ||
        !std::equal(out.begin() + static_cast<std::ptrdiff_t>(m + kBlockFixedSize),
                    out.begin() + static_cast<std::ptrdiff_t>(written),
                    block.begin() + static_cast<std::ptrdiff_t>(n + kBlockFixedSize)))
        std::abort();
    return 0;
}
