#include "gamedata/DefSprite.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

namespace {

constexpr std::size_t kPaletteAt = 16;
constexpr std::size_t kGroupsAt = kPaletteAt + 768;
constexpr std::size_t kGroupHeader = 16;
constexpr std::size_t kFrameName = 13;

std::uint32_t Le32(const std::uint8_t* p)
{
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 | std::uint32_t(p[3]) << 24;
}

std::uint32_t Le16(const std::uint8_t* p) { return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8; }

// The stored rectangle being filled, row by row, from the frame's pixel data.
// Runs are written in whole blocks of 32 without a call per run, so a row needs 32
// bytes to spare after it: it is decoded in place and what spilt over is cleared
// again (the rows below are not decoded yet), or, at the frame's end, decoded into
// a buffer and copied. Bounds are checked per segment.
class TRowWriter {
public:
    TRowWriter(std::span<const std::uint8_t> data, TSpriteFrame& frame, int left, int top, int width)
        : data_(data), frame_(frame), left_(left), top_(top), width_(width)
    {
    }

    // Format 1: code byte, length byte; code 0xFF carries raw indices.
    bool Row1(int row, std::size_t at, std::string& reason)
    {
        const std::uint8_t* data = data_.data();
        const std::size_t size = data_.size();
        std::uint8_t* out = Start(row);
        for (int x = 0; x < width_;) {
            if (size - std::min(at, size) < 2)
                return Fail(reason, row, "runs past the frame's data");
            const std::uint8_t code = data[at];
            const int length = data[at + 1] + 1;
            at += 2;
            if (length > width_ - x)
                return Fail(reason, row, "has a segment longer than what is left of the row");
            if (code == 0xFF) {
                if (size - at < std::size_t(length))
                    return Fail(reason, row, "runs past the frame's data");
                Copy(out + x, data + at, length, size - at);
                at += std::size_t(length);
            } else {
                for (int done = 0; done < length; done += kBlock)
                    std::memset(out + x + done, code, kBlock);
            }
            x += length;
        }
        Flush(row);
        return true;
    }

    // Formats 2 and 3: one byte, code in the top 3 bits; code 7 carries raw indices.
    // `at` moves on to where the row ends, which is where the next row starts in format 2.
    bool Row2(int row, std::size_t& at, std::string& reason)
    {
        const std::uint8_t* data = data_.data();
        const std::size_t size = data_.size();
        std::uint8_t* out = Start(row);
        std::size_t next = at;
        int x = 0;
        // A row reads at most two bytes per pixel (a code and a raw index): with those
        // and a block to spare after them, no segment of the row needs a data check.
        if (next < size && size - next > 2 * std::size_t(width_) + kBlock) {
            while (x < width_)
                if (!BlockSegment(data, next, out, x))
                    return Fail(reason, row, "has a segment longer than what is left of the row");
            at = next;
            Flush(row);
            return true;
        }
        while (x < width_) {
            if (size - std::min(next, size) > std::size_t(kBlock)) {
                if (!BlockSegment(data, next, out, x))
                    return Fail(reason, row, "has a segment longer than what is left of the row");
                continue;
            }
            if (next >= size) {
                at = next;
                return Fail(reason, row, "runs past the frame's data");
            }
            const std::uint8_t byte = data[next++];
            const int length = (byte & 31) + 1;
            if (length > width_ - x)
                return Fail(reason, row, "has a segment longer than what is left of the row");
            if (byte >= 7 << 5) {
                if (size - next < std::size_t(length))
                    return Fail(reason, row, "runs past the frame's data");
                Copy(out + x, data + next, length, size - next);
                next += std::size_t(length);
            } else {
                std::memset(out + x, byte >> 5, kBlock);  // length is at most 32
            }
            x += length;
        }
        at = next;
        Flush(row);
        return true;
    }

private:
    static constexpr int kBlock = 32;

    // One segment of formats 2 and 3 where the data has a block to spare after it: a run
    // or a raw stretch alike is one copy of 32 bytes, no branch on the kind. False when
    // the segment is longer than what is left of the row.
    bool BlockSegment(const std::uint8_t* data, std::size_t& next, std::uint8_t* out, int& x) const
    {
        const std::uint8_t byte = data[next++];
        const int length = (byte & 31) + 1;
        if (length > width_ - x)
            return false;
        const bool raw = byte >= 7 << 5;
        std::memcpy(out + x, raw ? data + next : kRuns[byte >> 5 & 7].data(), kBlock);
        next += raw ? std::size_t(length) : 0;
        x += length;
        return true;
    }
    // 32 pixels of each run index of formats 2 and 3 (the eighth, code 7, is never used).
    static constexpr std::array<std::array<std::uint8_t, kBlock>, 8> kRuns = [] {
        std::array<std::array<std::uint8_t, kBlock>, 8> runs{};
        for (std::size_t code = 0; code < runs.size(); ++code)
            runs[code].fill(static_cast<std::uint8_t>(code));
        return runs;
    }();

    // Copies length bytes (a raw run) in blocks of 32 where the source has them to spare.
    static void Copy(std::uint8_t* out, const std::uint8_t* from, int length, std::size_t available)
    {
        if (available < std::size_t(length) + kBlock) {
            std::memcpy(out, from, std::size_t(length));
            return;
        }
        for (int done = 0; done < length; done += kBlock)
            std::memcpy(out + done, from + done, kBlock);
    }

    std::uint8_t* Place(int row) const
    {
        return frame_.Pixels.data() + std::size_t(top_ + row) * std::size_t(frame_.Width) + std::size_t(left_);
    }

    // Where the row is decoded: in place when 32 bytes follow it in the frame.
    std::uint8_t* Start(int row)
    {
        std::uint8_t* place = Place(row);
        if (std::size_t(frame_.Pixels.data() + frame_.Pixels.size() - place) >= std::size_t(width_) + kBlock)
            return place;
        row_.resize(std::size_t(width_) + kBlock);
        return row_.data();
    }

    void Flush(int row)
    {
        std::uint8_t* place = Place(row);
        if (std::size_t(frame_.Pixels.data() + frame_.Pixels.size() - place) >= std::size_t(width_) + kBlock)
            std::memset(place + width_, 0, kBlock);
        else
            std::memcpy(place, row_.data(), std::size_t(width_));
    }

    static bool Fail(std::string& reason, int row, const char* what)
    {
        reason = "row " + std::to_string(row + 1) + " of the frame " + what;
        return false;
    }

    std::span<const std::uint8_t> data_;
    TSpriteFrame& frame_;
    int left_, top_, width_;
    std::vector<std::uint8_t> row_;
};

bool Side(std::uint32_t value) { return value >= 1 && value <= std::uint32_t(kMaxSpriteSide); }

}  // namespace

bool DecodeSpriteFrame(std::span<const std::uint8_t> file, TSpriteFrame& frame, std::string& reason)
{
    frame.Width = frame.Height = 0;
    frame.Pixels.clear();  // keeps its room for the next frame
    auto fail = [&](const char* why) {
        reason = why;
        frame = TSpriteFrame{};
        return false;
    };
    auto drop = [&] {  // the reason is already given
        frame = TSpriteFrame{};
        return false;
    };
    if (file.size() < kGroupsAt + kGroupHeader)
        return fail("the file is too short for a sprite");
    const std::size_t afterPalette = file.size() - kGroupsAt;
    const std::uint32_t groups = Le32(file.data() + 12);
    if (groups == 0)
        return fail("the sprite has no groups");
    if (groups > afterPalette / kGroupHeader)
        return fail("the sprite's group count is more than the file can hold");
    const std::uint32_t frames = Le32(file.data() + kGroupsAt + 4);
    if (frames == 0)
        return fail("the sprite's first group has no frames");
    if (frames > (afterPalette - kGroupHeader) / (kFrameName + 4))
        return fail("the sprite's frame count is more than the file can hold");
    const std::uint64_t at = Le32(file.data() + kGroupsAt + kGroupHeader + kFrameName * frames);

    if (at > file.size() || file.size() - at < 16)
        return fail("the sprite's first frame lies past the end of the file");
    const std::uint8_t* head = file.data() + at;
    const std::uint32_t size = Le32(head);
    const std::uint32_t format = Le32(head + 4);
    const std::uint32_t width = Le32(head + 8);
    const std::uint32_t height = Le32(head + 12);
    if (format > 3)
        return fail("the frame's pixel format is not one of 0 to 3");
    if (!Side(width) || !Side(height))
        return fail("the frame's size is not between 1 and 4096 pixels");

    // The older 16-byte header (format 1 only) is told apart by a stored
    // rectangle larger than the whole frame: those bytes are its row offsets.
    std::uint32_t dataWidth = width, dataHeight = height;
    std::int32_t left = 0, top = 0;
    std::uint64_t pixelsAt = at + 16;
    const bool full = file.size() - at >= 32;
    const bool older = format == 1 && (!full || Le32(head + 16) > width || Le32(head + 20) > height);
    if (!older) {
        if (!full)
            return fail("the frame's header runs past the end of the file");
        dataWidth = Le32(head + 16);
        dataHeight = Le32(head + 20);
        left = static_cast<std::int32_t>(Le32(head + 24));
        top = static_cast<std::int32_t>(Le32(head + 28));
        pixelsAt = at + 32;
        if (!Side(dataWidth) || !Side(dataHeight))
            return fail("the frame's stored rectangle is not between 1 and 4096 pixels");
        if (left < 0 || top < 0 || std::uint32_t(left) + dataWidth > width || std::uint32_t(top) + dataHeight > height)
            return fail("the frame's stored rectangle lies outside the frame");
    }
    if (size > file.size() - pixelsAt)
        return fail("the frame's pixel data runs past the end of the file");
    const std::span<const std::uint8_t> data = file.subspan(static_cast<std::size_t>(pixelsAt), size);

    frame.Width = int(width);
    frame.Height = int(height);
    frame.Pixels.assign(std::size_t(width) * height, 0);
    std::memcpy(frame.Palette.data(), file.data() + kPaletteAt, frame.Palette.size());
    TRowWriter rows(data, frame, left, top, int(dataWidth));
    const std::size_t rowCount = dataHeight;
    switch (format) {
    case 0:
        if (std::size_t(dataWidth) * rowCount > data.size())
            return fail("the frame's pixel data is shorter than its stored rectangle");
        for (std::size_t y = 0; y < rowCount; ++y)
            std::memcpy(frame.Pixels.data() + (top + y) * width + std::size_t(left), data.data() + y * dataWidth,
                        dataWidth);
        break;
    case 1:
        if (4 * rowCount > data.size())
            return fail("the frame's row offsets run past its pixel data");
        for (std::size_t y = 0; y < rowCount; ++y)
            if (!rows.Row1(int(y), Le32(data.data() + 4 * y), reason))
                return drop();
        break;
    case 2: {
        if (data.size() < 2)
            return fail("the frame's row offsets run past its pixel data");
        std::size_t next = Le16(data.data());
        for (std::size_t y = 0; y < rowCount; ++y)
            if (!rows.Row2(int(y), next, reason))
                return drop();
        break;
    }
    default: {
        if (dataWidth % 32 != 0)
            return fail("the frame's stored width is not a multiple of 32");
        const std::size_t blocks = dataWidth / 32;
        if (2 * blocks * rowCount > data.size())
            return fail("the frame's row offsets run past its pixel data");
        for (std::size_t y = 0; y < rowCount; ++y) {
            std::size_t next = Le16(data.data() + 2 * blocks * y);
            if (!rows.Row2(int(y), next, reason))
                return drop();
        }
        break;
    }
    }
    return true;
}

std::uint32_t SpritePixelOver(const TSpriteFrame& frame, std::uint8_t index, std::uint32_t background)
{
    auto scaled = [background](std::uint32_t factor) {
        const std::uint32_t r = ((background >> 16) & 0xFF) * factor / 255;
        const std::uint32_t g = ((background >> 8) & 0xFF) * factor / 255;
        const std::uint32_t b = (background & 0xFF) * factor / 255;
        return r << 16 | g << 8 | b;
    };
    switch (index) {
    case 0:
    case 5:
        return background & 0xFFFFFF;
    case 1:
    case 2:
    case 7:
        return scaled(191);
    case 3:
    case 4:
    case 6:
        return scaled(127);
    default: {
        const std::uint8_t* c = frame.Palette.data() + 3 * std::size_t(index);
        return std::uint32_t(c[0]) << 16 | std::uint32_t(c[1]) << 8 | c[2];
    }
    }
}
