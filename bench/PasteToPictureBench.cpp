// From "Paste" to the picture painted, with a 10,000-entry archive in Data and
// no catalogue text: Kestrin is started afresh for every run, so each paste pays
// for reading the archive's table and decoding the sprite. Prints every run and
// the median.   paste_to_picture_bench [RUNS]
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/e2e/KestrinDriver.h"
#include "tests/support/GameFileWriter.h"
#include "tests/support/ObjectBlocks.h"
#include "tests/support/TempDir.h"

using namespace e2e;

namespace {

constexpr COLORREF kSpriteColour = RGB(10, 200, 30);

// A 256 x 192 frame of one plain colour: its bottom-right pixel tells that the
// picture has been painted.
TSpriteFrame PlainFrame()
{
    TSpriteFrame f;
    f.Width = 256;
    f.Height = 192;
    f.Pixels.assign(256 * 192, 10);
    f.Palette[30] = 10;
    f.Palette[31] = 200;
    f.Palette[32] = 30;
    return f;
}

std::vector<TArchiveFile> ArchiveFiles()
{
    std::vector<TArchiveFile> files;
    files.reserve(10000);
    for (int i = 0; i < 9999; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "OBJ%05d.DEF", i);
        files.push_back({name, std::vector<uint8_t>(64, static_cast<uint8_t>(i)), false});
    }
    files.push_back({"AVBENCH0.DEF", MakeSprite(PlainFrame(), 1), true});
    return files;
}

HWND PictureWindow(const TKestrin& app)
{
    const std::vector<HWND> found = app.TopLevel(L"Kestrin Picture Form", false);
    return found.empty() ? nullptr : found.front();
}

bool Painted(HWND picture)
{
    if (!IsWindowVisible(picture))
        return false;
    HDC dc = GetDC(picture);
    const COLORREF c = GetPixel(dc, 250, 186);
    ReleaseDC(picture, dc);
    return c == kSpriteColour;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    const int runs = argc > 1 ? std::max(1, _wtoi(argv[1])) : 7;
    testfs::TTempDir dir;
    CreateDirectoryW((dir / L"Data").c_str(), nullptr);
    WriteFileBytes(dir / L"Data\\H3sprite.lod", MakeArchive(ArchiveFiles()));
    testblocks::TBlockFields fields;
    fields.Name = "AVBENCH0.def";
    fields.Pass = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};  // no cell tinted
    fields.Act = {0, 0, 0, 0, 0, 0};
    const std::wstring blockFile = dir / L"in.bin";
    testfs::PutFile(blockFile, testblocks::MakeBlock(fields));

    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        TKestrin app(-1, L"", dir.Path());
        if (!app.WaitForMainWindow()) {
            std::fprintf(stderr, "Kestrin's main window did not appear\n");
            return 1;
        }
        app.Settle();
        const TRunResult put = RunClip(L"put \"" + blockFile + L"\" --format 28");
        if (put.ExitCode != 0) {
            std::fprintf(stderr, "kestrin-clip put failed\n");
            return 1;
        }
        HWND paste = app.Button(L"Paste");
        const auto start = std::chrono::steady_clock::now();
        app.Click(paste);
        bool shown = false;
        while (std::chrono::steady_clock::now() - start < std::chrono::seconds(10)) {
            HWND picture = PictureWindow(app);
            if (picture && Painted(picture)) {
                shown = true;
                break;
            }
            Sleep(1);
        }
        const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        if (!shown) {
            std::fprintf(stderr, "run %d: no painted picture after 10 s\n", run + 1);
            return 1;
        }
        std::printf("run %d: %.1f ms\n", run + 1, ms);
        times.push_back(ms);
    }
    std::sort(times.begin(), times.end());
    std::printf("paste to picture painted, 10,000-entry archive: median %.1f ms of %d runs (min %.1f, max %.1f)\n",
                times[times.size() / 2], runs, times.front(), times.back());
    return 0;
}
