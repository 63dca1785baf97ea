// The game's files: reading the table of a 10,000-entry archive against reading
// the same bytes raw (at most 2 ×), and decoding a 256 × 192 frame of each pixel
// format against copying its pixels (at most 10 ×). Best of many runs, in µs.
// The archive's file is read from the system's file cache, as on a second start.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "gamedata/DefSprite.h"
#include "gamedata/LodArchive.h"
#include "tests/support/GameFileWriter.h"

namespace {

namespace fs = std::filesystem;
using TClock = std::chrono::steady_clock;

template <class F>
double BestMicroseconds(int runs, F&& work)
{
    double best = 1e30;
    for (int i = 0; i < runs; ++i) {
        const auto start = TClock::now();
        work();
        best = std::min(best, std::chrono::duration<double, std::micro>(TClock::now() - start).count());
    }
    return best;
}

}  // namespace

int main()
{
    const fs::path path = fs::temp_directory_path() / "kestrin-bench-10000.lod";
    std::vector<TArchiveFile> files;
    for (int i = 0; i < 10000; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "AVX%06d.DEF", i);
        files.push_back({name, std::vector<std::uint8_t>(16, std::uint8_t(i)), i % 2 == 0});
    }
    WriteFileBytes(path, MakeArchive(files));
    const std::size_t tableBytes = kLodHeaderSize + kLodEntrySize * files.size();

    std::size_t found = 0;
    const double table = BestMicroseconds(200, [&] {
        TLodArchive archive;
        std::string reason;
        found += archive.Open(path, reason) ? archive.Entries().size() : 0;
    });
    // Raw: open, a buffer (not zeroed) and one plain read of the same bytes, close.
    const double raw = BestMicroseconds(200, [&] {
        std::FILE* in = std::fopen(path.c_str(), "rb");
        std::unique_ptr<char[]> bytes(new char[tableBytes]);
        std::setvbuf(in, nullptr, _IONBF, 0);
        found += std::fread(bytes.get(), 1, tableBytes, in) == tableBytes;
        std::fclose(in);
    });
    std::printf("archive table, 10,000 entries: %.1f us; raw read of its %zu bytes: %.1f us; ratio %.2f (<= 2)\n",
                table, tableBytes, raw, table / raw);
    // The case-blind index is built on the first lookup; later lookups use it.
    const double first = BestMicroseconds(200, [&] {
        TLodArchive archive;
        std::string reason;
        archive.Open(path, reason);
        found += archive.Find("avx004711.def") != nullptr;
    });
    TLodArchive archive;
    std::string reason;
    archive.Open(path, reason);
    const double lookups = BestMicroseconds(200, [&] {
        for (int i = 0; i < 1000; ++i)
            found += archive.Find(i % 2 ? "avx000123.def" : "missing.def") != nullptr;
    });
    std::printf("table and first lookup (builds the index): %.1f us; ratio %.2f to the raw read; "
                "later lookups %.3f us each\n",
                first, first / raw, lookups / 1000);
    fs::remove(path);

    const TSpriteFrame made = MakeTestFrame(256, 192, 5);
    std::vector<std::uint8_t> copy(made.Pixels.size());
    const double copied = BestMicroseconds(2000, [&] {
        std::memcpy(copy.data(), made.Pixels.data(), made.Pixels.size());
        found += copy[copy.size() / 2];
    });
    for (int format = 0; format < 4; ++format) {
        const std::vector<std::uint8_t> file = MakeSprite(made, format);
        TSpriteFrame frame;
        std::string reason;
        const double decoded = BestMicroseconds(500, [&] {
            found += DecodeSpriteFrame(file, frame, reason) ? frame.Pixels[frame.Pixels.size() / 2] : 0;
        });
        std::printf("256 x 192 frame, format %d (%zu bytes): decode %.1f us; copy of its pixels %.1f us; "
                    "ratio %.1f (<= 10)\n",
                    format, file.size(), decoded, copied, decoded / copied);
    }
    return found == 0 ? 1 : 0;
}
