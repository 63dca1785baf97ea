#include "app/PictureImage.h"

#include <algorithm>

bool KindTint(int kind, std::uint32_t& colour)
{
    switch (kind) {
    case ckObject:
        colour = 0xFF0000;
        return true;
    case ckEnter:
        colour = 0xFFFF00;
        return true;
    case ckNonEnterableEnter:
        colour = 0x008000;
        return true;
    default:
        return false;
    }
}

std::uint32_t Tinted(std::uint32_t colour, std::uint32_t tint)
{
    std::uint32_t out = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const std::uint32_t below = (colour >> shift) & 0xFF;
        const std::uint32_t over = (tint >> shift) & 0xFF;
        out |= ((below * 60 + over * 40 + 50) / 100) << shift;
    }
    return out;
}

std::vector<std::uint32_t> ComposePicture(const TSpriteFrame* frame, const TMaskStore* masks, std::uint32_t face)
{
    std::vector<std::uint32_t> image(static_cast<std::size_t>(kPictureWidth) * kPictureHeight, face);
    // Frame pixel (x, y) lies at (256 - width + x, 192 - height + y); what falls
    // above or left of the block is cut. A frame whose pixels do not match its
    // size is drawn as far as it has them.
    if (frame && frame->Width > 0 && frame->Height > 0 &&
        frame->Pixels.size() >= static_cast<std::size_t>(frame->Width) * static_cast<std::size_t>(frame->Height)) {
        const int left = kPictureWidth - frame->Width;
        const int top = kPictureHeight - frame->Height;
        for (int y = std::max(0, top); y < kPictureHeight; ++y) {
            const std::uint8_t* row = frame->Pixels.data() + static_cast<std::size_t>(y - top) * frame->Width;
            std::uint32_t* out = image.data() + static_cast<std::size_t>(y) * kPictureWidth;
            for (int x = std::max(0, left); x < kPictureWidth; ++x)
                out[x] = SpritePixelOver(*frame, row[x - left], face);
        }
    }
    if (!masks)
        return image;
    for (int r = 0; r < kMaskRows; ++r) {
        for (int c = 0; c < kMaskColumns; ++c) {
            std::uint32_t tint = 0;
            if (!KindTint(masks->Kind(r, c), tint))
                continue;
            for (int y = r * kPictureCell; y < (r + 1) * kPictureCell; ++y) {
                std::uint32_t* out = image.data() + static_cast<std::size_t>(y) * kPictureWidth + c * kPictureCell;
                for (int x = 0; x < kPictureCell; ++x)
                    out[x] = Tinted(out[x], tint);
            }
        }
    }
    return image;
}
