#include "controls/KdColorBlend.h"

uint32_t BlendRGB(uint32_t a, uint32_t b, unsigned weight)
{
    if (weight > 256)
        weight = 256;
    uint32_t result = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const uint32_t ca = (a >> shift) & 0xFF;
        const uint32_t cb = (b >> shift) & 0xFF;
        result |= ((weight * ca + (256 - weight) * cb) / 256) << shift;
    }
    return result;
}

unsigned RatioWeight(unsigned p, unsigned q)
{
    const uint64_t sum = static_cast<uint64_t>(p) + q;
    if (sum == 0)
        return 128;
    return static_cast<unsigned>(static_cast<uint64_t>(p) * 256 / sum);
}
