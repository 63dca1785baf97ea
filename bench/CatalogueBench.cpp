// Loading synthetic catalogues of 10,000 to 80,000 lines spread over the six
// catalogue files, against a plain read and line split of the same files: the
// time per line must stay flat as the catalogue grows, and the load within a
// small factor of the plain reading. Also the scan that lists every picture.
// Steady state: each size is run untimed first, and the memory that one run
// frees is kept for the next instead of going back to the system (glibc gives
// large blocks back at once, and every run then paid for fresh pages, more or
// less of them depending on the sizes run before). Usage: catalogue_bench [LINES...]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <utility>
#include <string>
#include <vector>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include "object/CatalogueText.h"

namespace {

namespace fs = std::filesystem;
using TClock = std::chrono::steady_clock;

std::string Line(int n, int type, int subtype, bool otherCase)
{
    char name[32];
    std::snprintf(name, sizeof name, otherCase ? "avx%06d.DEF" : "AVX%06d.def", n);
    return std::string(name) + " " + std::string(48, '1') + " " + std::string(48, '0') + " 111111111 111111111 " +
           std::to_string(type) + " " + std::to_string(subtype) + " 2 0\r\n";
}

// Six files of lines/6 lines each. A tenth of the lines of the later files come
// again from earlier files, in another case: half of them with the same
// numbers (dropped as present), half with another subtype (kept).
std::vector<fs::path> WriteCatalogue(const fs::path& folder, int lines)
{
    fs::create_directories(folder);
    std::vector<fs::path> files;
    const int perFile = lines / 6;
    int next = 0;
    for (int f = 0; f < 6; ++f) {
        std::string text = std::to_string(perFile) + "\r\n";
        for (int i = 0; i < perFile; ++i) {
            if (f > 0 && i % 10 == 0) {
                const int old = (i * 7919) % next;
                text += Line(old, old % 232, old % 20 + (i % 20 == 0 ? 0 : 1), true);
            } else {
                text += Line(next, next % 232, next % 20, false);
                ++next;
            }
        }
        files.push_back(folder / (f == 0 ? "Objects.txt" : "Objects" + std::to_string(f) + ".txt"));
        std::ofstream(files.back(), std::ios::binary) << text;
    }
    return files;
}

std::string ReadWhole(const fs::path& file)
{
    std::string bytes(fs::file_size(file), '\0');
    std::ifstream(file, std::ios::binary).read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return bytes;
}

// The plain reading to compare with: every file read and cut into lines.
size_t ReadAndSplit(const std::vector<fs::path>& files)
{
    size_t count = 0;
    for (const fs::path& file : files) {
        const std::string text = ReadWhole(file);
        std::vector<std::string> lines;
        std::istringstream in(text);
        for (std::string line; std::getline(in, line);) {
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            lines.push_back(std::move(line));
        }
        count += lines.size();
    }
    return count;
}

size_t Load(const std::vector<fs::path>& files, TObjectCatalogue& catalogue)
{
    catalogue.Clear();
    for (const fs::path& file : files)
        ReadCatalogueText(catalogue, ReadWhole(file));
    return catalogue.Entries().size();
}

// What listing the pictures of a type that is no number scans.
size_t ListEverything(const TObjectCatalogue& catalogue)
{
    size_t count = 0;
    for (int next = 0;;) {
        TMyPic query{{}, kAnyValue, kAnyValue};
        next = catalogue.Find(query, next);
        if (next < 0)
            return count;
        ++count;
    }
}

// The best of several runs of each after two untimed ones, taken in turns so
// that both meet the memory in the same state; in milliseconds.
template <class F, class G>
std::pair<double, double> Best(F&& first, G&& second)
{
    auto time = [](auto&& run) {
        const auto start = TClock::now();
        run();
        return std::chrono::duration<double, std::milli>(TClock::now() - start).count();
    };
    for (int i = 0; i < 2; ++i)
        first(), second();
    std::pair<double, double> best{1e300, 1e300};
    for (int i = 0; i < 15; ++i) {
        best.first = std::min(best.first, time(first));
        best.second = std::min(best.second, time(second));
    }
    return best;
}

}  // namespace

int main(int argc, char** argv)
{
#if defined(__GLIBC__)
    mallopt(M_MMAP_THRESHOLD, 64 << 20);
    mallopt(M_TRIM_THRESHOLD, 256 << 20);
#endif
    std::vector<int> sizes;
    for (int i = 1; i < argc; ++i) sizes.push_back(std::atoi(argv[i]));
    if (sizes.empty()) sizes = {10000, 20000, 40000, 80000};
    const fs::path root = fs::temp_directory_path() /
                          ("kestrin-catalogue-bench-" + std::to_string(TClock::now().time_since_epoch().count()));
    const TAsciiCollation collation;
    TObjectCatalogue catalogue(collation);
    std::printf("%8s %8s %9s %9s %9s %9s %7s %9s\n", "lines", "entries", "load ms", "ns/line", "plain ms",
                "ns/line", "ratio", "list ms");
    for (int lines : sizes) {
        const std::vector<fs::path> files = WriteCatalogue(root / std::to_string(lines) / "Data", lines);
        size_t entries = 0, listed = 0;
        const auto [plain, load] = Best([&] { ReadAndSplit(files); }, [&] { entries = Load(files, catalogue); });
        const double list = Best([&] { listed = ListEverything(catalogue); }, [] {}).first;
        if (listed != entries)
            return 1;
        std::printf("%8d %8zu %9.2f %9.1f %9.2f %9.1f %7.2f %9.2f\n", lines, entries, load, load * 1e6 / lines, plain,
                    plain * 1e6 / lines, load / plain, list);
    }
    fs::remove_all(root);
    return 0;
}
