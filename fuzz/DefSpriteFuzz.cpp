// The sprite decoder on any bytes; a decoded frame is drawn pixel by pixel.
#include <cstddef>
#include <cstdint>

#include "gamedata/DefSprite.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    TSpriteFrame frame;
    std::string reason;
    if (!DecodeSpriteFrame({data, size}, frame, reason))
        return 0;
    std::uint32_t sum = 0;
    for (std::uint8_t index : frame.Pixels)
        sum += SpritePixelOver(frame, index, 0x808080);
    return sum == 0xFFFFFFFF ? -1 : 0;
}
