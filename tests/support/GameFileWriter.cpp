#include "tests/support/GameFileWriter.h"

#include <zlib.h>

#include <algorithm>
#include <fstream>
#include <stdexcept>

namespace {

void AddLe32(std::vector<std::uint8_t>& out, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

void AddLe16(std::vector<std::uint8_t>& out, std::uint32_t value)
{
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void PutLe16(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value)
{
    bytes[at] = static_cast<std::uint8_t>(value);
    bytes[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

// Format 1 row: runs of two or more as (index, length - 1), the rest as 0xFF raw stretches.
void Row1(const std::uint8_t* row, int width, std::vector<std::uint8_t>& out)
{
    for (int x = 0; x < width;) {
        int run = 1;
        while (x + run < width && run < 256 && row[x + run] == row[x])
            ++run;
        if (run >= 2 && row[x] != 0xFF) {
            out.push_back(row[x]);
            out.push_back(static_cast<std::uint8_t>(run - 1));
            x += run;
            continue;
        }
        int raw = 1;
        while (x + raw < width && raw < 256 && !(x + raw + 1 < width && row[x + raw] == row[x + raw + 1]))
            ++raw;
        out.push_back(0xFF);
        out.push_back(static_cast<std::uint8_t>(raw - 1));
        out.insert(out.end(), row + x, row + x + raw);
        x += raw;
    }
}

// Formats 2 and 3: indices 0–6 as runs of up to 32, others as raw stretches (code 7).
void Segments(const std::uint8_t* row, int width, std::vector<std::uint8_t>& out)
{
    for (int x = 0; x < width;) {
        if (row[x] < 7) {
            int run = 1;
            while (x + run < width && run < 32 && row[x + run] == row[x])
                ++run;
            out.push_back(static_cast<std::uint8_t>(row[x] << 5 | (run - 1)));
            x += run;
            continue;
        }
        int raw = 1;
        while (x + raw < width && raw < 32 && row[x + raw] >= 7)
            ++raw;
        out.push_back(static_cast<std::uint8_t>(7 << 5 | (raw - 1)));
        out.insert(out.end(), row + x, row + x + raw);
        x += raw;
    }
}

}  // namespace

void PutLe32(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes.at(at + i) = static_cast<std::uint8_t>(value >> (8 * i));
}

std::vector<std::uint8_t> MakeArchive(const std::vector<TArchiveFile>& files)
{
    std::vector<std::uint8_t> out = {'L', 'O', 'D', 0};
    AddLe32(out, 200);
    AddLe32(out, static_cast<std::uint32_t>(files.size()));
    out.resize(92 + 32 * files.size(), 0);
    for (std::size_t i = 0; i < files.size(); ++i) {
        const TArchiveFile& file = files[i];
        std::vector<std::uint8_t> data = file.Bytes;
        std::uint32_t packed = 0;
        if (file.Deflate) {
            uLongf size = compressBound(static_cast<uLong>(file.Bytes.size()));
            data.resize(size);
            if (compress2(data.data(), &size, file.Bytes.data(), static_cast<uLong>(file.Bytes.size()), 9) != Z_OK)
                throw std::runtime_error("compress2 failed");
            data.resize(size);
            packed = static_cast<std::uint32_t>(size);
        }
        const std::size_t entry = 92 + 32 * i;
        const std::size_t nameLength = std::min<std::size_t>(file.Name.size(), 15);
        std::copy_n(file.Name.begin(), nameLength, out.begin() + static_cast<std::ptrdiff_t>(entry));
        PutLe32(out, entry + 16, static_cast<std::uint32_t>(out.size()));
        PutLe32(out, entry + 20, static_cast<std::uint32_t>(file.Bytes.size()));
        PutLe32(out, entry + 24, 2);
        PutLe32(out, entry + 28, packed);
        out.insert(out.end(), data.begin(), data.end());
    }
    return out;
}

std::vector<std::uint8_t> MakeSprite(const TSpriteFrame& frame, int format)
{
    const int w = frame.Width, h = frame.Height;
    // The stored rectangle: the non-zero pixels' bounds (one pixel when there are none).
    int x0 = w, y0 = h, x1 = 0, y1 = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (frame.Pixels[std::size_t(y) * w + x]) {
                x0 = std::min(x0, x), x1 = std::max(x1, x + 1);
                y0 = std::min(y0, y), y1 = std::max(y1, y + 1);
            }
    if (x1 == 0)
        x0 = 0, y0 = 0, x1 = 1, y1 = 1;
    if (format == 3) {
        const int width = (x1 - x0 + 31) / 32 * 32;
        x0 = std::max(0, std::min(x0, w - width));
        x1 = x0 + width;
    }
    const int dw = x1 - x0, dh = y1 - y0;
    auto row = [&](int y) { return frame.Pixels.data() + std::size_t(y0 + y) * w + x0; };

    std::vector<std::uint8_t> data;
    switch (format) {
    case 0:
        for (int y = 0; y < dh; ++y)
            data.insert(data.end(), row(y), row(y) + dw);
        break;
    case 1:
        data.resize(4 * std::size_t(dh));
        for (int y = 0; y < dh; ++y) {
            PutLe32(data, 4 * std::size_t(y), static_cast<std::uint32_t>(data.size()));
            Row1(row(y), dw, data);
        }
        break;
    case 2:
        AddLe16(data, 2);
        for (int y = 0; y < dh; ++y)
            Segments(row(y), dw, data);
        break;
    default: {
        const int blocks = dw / 32;
        data.resize(2 * std::size_t(blocks) * dh);
        for (int y = 0; y < dh; ++y)
            for (int b = 0; b < blocks; ++b) {
                PutLe16(data, 2 * (std::size_t(y) * blocks + b), static_cast<std::uint32_t>(data.size()));
                Segments(row(y) + 32 * b, 32, data);
            }
        break;
    }
    }

    std::vector<std::uint8_t> out;
    AddLe32(out, 0x43);
    AddLe32(out, static_cast<std::uint32_t>(w));
    AddLe32(out, static_cast<std::uint32_t>(h));
    AddLe32(out, 1);
    out.insert(out.end(), frame.Palette.begin(), frame.Palette.end());
    AddLe32(out, 0);  // group number
    AddLe32(out, 1);  // frames
    AddLe32(out, 0);
    AddLe32(out, 0);
    const char name[13] = "frame0.pcx";
    out.insert(out.end(), name, name + 13);
    AddLe32(out, static_cast<std::uint32_t>(kMadeSpriteFrameAt));
    for (std::uint32_t field : {std::uint32_t(data.size()), std::uint32_t(format), std::uint32_t(w), std::uint32_t(h),
                                std::uint32_t(dw), std::uint32_t(dh), std::uint32_t(x0), std::uint32_t(y0)})
        AddLe32(out, field);
    out.insert(out.end(), data.begin(), data.end());
    return out;
}

TSpriteFrame MakeTestFrame(int width, int height, unsigned seed)
{
    TSpriteFrame frame;
    frame.Width = width;
    frame.Height = height;
    frame.Pixels.assign(std::size_t(width) * height, 0);
    unsigned state = seed * 2654435761u + 12345u;
    auto next = [&state] { return (state = state * 1103515245u + 12345u) >> 16; };
    // A transparent margin at the top and left, then rows of runs and noise.
    for (int y = height / 8; y < height; ++y)
        for (int x = width / 8; x < width;) {
            const int length = 1 + int(next() % 40);
            const std::uint8_t index = static_cast<std::uint8_t>(next() % 3 == 0 ? next() % 8 : next() % 256);
            const bool noise = next() % 2 == 0;
            for (int i = 0; i < length && x < width; ++i, ++x)
                frame.Pixels[std::size_t(y) * width + x] = noise ? static_cast<std::uint8_t>(next() % 256) : index;
        }
    for (int i = 0; i < 256; ++i) {
        frame.Palette[3 * i] = static_cast<std::uint8_t>(i);
        frame.Palette[3 * i + 1] = static_cast<std::uint8_t>(255 - i);
        frame.Palette[3 * i + 2] = static_cast<std::uint8_t>(i * 7);
    }
    return frame;
}

void WriteFileBytes(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out)
        throw std::runtime_error("cannot write a test file");
}
