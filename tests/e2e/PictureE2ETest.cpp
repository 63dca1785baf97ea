// The picture window of the real program: Kestrin.exe started in a folder whose
// Data holds a synthetic archive, the object put on the clipboard by kestrin-clip,
// and what the window draws read back from the screen.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>

#include "tests/e2e/KestrinDriver.h"
#include "tests/support/ObjectBlocks.h"
#include "tests/support/GameFileWriter.h"
#include "tests/support/TempDir.h"

namespace {

using namespace e2e;

// The system menu commands: the main window's "Picture", the picture window's sizes.
constexpr UINT kPictureCommand = 0x0200;
constexpr UINT kActualSizeCommand = 0x0100;
constexpr UINT kDoubleSizeCommand = 0x0110;

// A block as the map editor makes it: the name, the masks, fixed fields, a tail.
std::vector<uint8_t> MakeBlock(const std::string& name, const std::array<uint8_t, 6>& pass,
                               const std::array<uint8_t, 6>& act)
{
    testblocks::TBlockFields s;
    s.Name = name;
    s.Pass = pass;
    s.Act = act;
    s.Terrains = 0xFF;
    s.Water = 1;
    s.EditorTerrains = 0xFF;
    s.EditorWater = 1;
    s.Ground = 0;
    return testblocks::MakeBlock(s);
}

// Rows 0-4 "Not an object" but row 1, column 0 "Non-enterable enter"; row 5
// "Object" but column 5 "Enter" and column 7 "Not an object".
constexpr std::array<uint8_t, 6> kPass = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x80};
constexpr std::array<uint8_t, 6> kAct = {0x00, 0x01, 0x00, 0x00, 0x00, 0x20};

// 80 x 40 pixels of colour 10, whose top-left 8 x 8 are transparent and the 8 x 8
// beside them shadow. At actual size it covers x 176-255, y 152-191.
constexpr COLORREF kColour10 = RGB(10, 200, 30);
TSpriteFrame KnownFrame()
{
    TSpriteFrame f;
    f.Width = 80;
    f.Height = 40;
    f.Pixels.assign(80 * 40, 10);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 16; ++x)
            f.Pixels[static_cast<size_t>(y * 80 + x)] = x < 8 ? 0 : 3;
    for (int i = 0; i < 256; ++i) {
        f.Palette[static_cast<size_t>(3 * i)] = static_cast<uint8_t>(i);
        f.Palette[static_cast<size_t>(3 * i + 1)] = static_cast<uint8_t>(255 - i);
        f.Palette[static_cast<size_t>(3 * i + 2)] = static_cast<uint8_t>(i / 2);
    }
    f.Palette[30] = 10;
    f.Palette[31] = 200;
    f.Palette[32] = 30;
    return f;
}

COLORREF Over(COLORREF below, COLORREF tint)
{
    auto mix = [](int b, int t) { return (b * 60 + t * 40 + 50) / 100; };
    return RGB(mix(GetRValue(below), GetRValue(tint)), mix(GetGValue(below), GetGValue(tint)),
               mix(GetBValue(below), GetBValue(tint)));
}

COLORREF Scaled(COLORREF c, int by)
{
    return RGB(GetRValue(c) * by / 255, GetGValue(c) * by / 255, GetBValue(c) * by / 255);
}

// Equal but for a step of rounding per channel.
bool Near(COLORREF a, COLORREF b)
{
    return std::abs(GetRValue(a) - GetRValue(b)) <= 1 && std::abs(GetGValue(a) - GetGValue(b)) <= 1 &&
           std::abs(GetBValue(a) - GetBValue(b)) <= 1;
}

std::string Hex(COLORREF c)
{
    char text[16];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", GetRValue(c), GetGValue(c), GetBValue(c));
    return text;
}

// The client area of a window as the screen shows it, read once.
class TShot {
public:
    explicit TShot(HWND window)
    {
        RECT client{};
        GetClientRect(window, &client);
        width_ = client.right;
        height_ = client.bottom;
        POINT origin{0, 0};
        ClientToScreen(window, &origin);
        BITMAPINFO info{};
        info.bmiHeader = {sizeof info.bmiHeader, width_, -height_, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        HDC screen = GetDC(nullptr);
        HDC memory = CreateCompatibleDC(screen);
        HBITMAP bitmap = CreateCompatibleBitmap(screen, width_, height_);
        HGDIOBJ old = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, width_, height_, screen, origin.x, origin.y, SRCCOPY);
        SelectObject(memory, old);
        pixels_.assign(static_cast<size_t>(width_ * height_), 0);
        GetDIBits(memory, bitmap, 0, static_cast<UINT>(height_), pixels_.data(), &info, DIB_RGB_COLORS);
        DeleteObject(bitmap);
        DeleteDC(memory);
        ReleaseDC(nullptr, screen);
    }
    COLORREF At(int x, int y) const
    {
        const uint32_t p = pixels_.at(static_cast<size_t>(y * width_ + x));
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
    int Width() const { return width_; }
    int Height() const { return height_; }

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<uint32_t> pixels_;
};

SIZE ClientSize(HWND window)
{
    RECT r{};
    GetClientRect(window, &r);
    return {r.right, r.bottom};
}

class PictureE2E : public ::testing::Test {
protected:
    void SetUp() override
    {
        ClearClipboard();
        sprite_ = MakeSprite(KnownFrame(), 1);
        CreateDirectoryW((dir_ / L"Data").c_str(), nullptr);
        WriteFileBytes(dir_ / L"Data\\H3sprite.lod", MakeArchive({{"AVTEST0.DEF", sprite_, true}}));
        // A loose sprite cut short: held by a source, but unreadable.
        WriteFileBytes(dir_ / L"Data\\Bad0.def", std::vector<uint8_t>(sprite_.begin(), sprite_.begin() + 40));
        face_ = GetSysColor(COLOR_BTNFACE);
        shadow_ = GetSysColor(COLOR_BTNSHADOW);
    }

    std::unique_ptr<TKestrin> Start()
    {
        auto app = std::make_unique<TKestrin>(-1, L"", dir_.Path());
        main_ = app->WaitForMainWindow();
        if (!main_)
            ADD_FAILURE() << "Kestrin's main window did not appear";
        else
            app->Settle();
        return app;
    }

    void Put(const std::vector<uint8_t>& block)
    {
        const std::wstring file = dir_ / L"in.bin";
        testfs::PutFile(file, block);
        TRunResult r = RunClip(L"put \"" + file + L"\" --format 28");
        ASSERT_EQ(r.ExitCode, 0u) << r.Output;
    }

    std::vector<uint8_t> Copied(TKestrin& app)
    {
        ClearClipboard();
        app.Click(app.Button(L"&Copy"));
        const std::wstring file = dir_ / L"out.bin";
        DeleteFileW(file.c_str());
        TRunResult r = RunClip(L"get \"" + file + L"\" --format 28");
        EXPECT_EQ(r.ExitCode, 0u) << r.Output;
        return testfs::FileExists(file) ? testfs::FileBytes(file) : std::vector<uint8_t>{};
    }

    void Paste(TKestrin& app, const std::vector<uint8_t>& block)
    {
        Put(block);
        app.Click(app.Button(L"Paste"));
        auto box = app.WaitForMessageBox(300ms);
        EXPECT_FALSE(box) << "unexpected message box: " << (box ? Utf8(box->Text) : "");
        if (box)
            app.Answer(*box);
    }

    // The program's picture window, visible or not; null when it has none.
    static HWND PictureWindow(const TKestrin& app)
    {
        const std::vector<HWND> found = app.TopLevel(L"Kestrin Picture Form", false);
        return found.empty() ? nullptr : found.front();
    }

    HWND WaitForPicture(const TKestrin& app)
    {
        HWND picture = nullptr;
        WaitUntil([&] { return (picture = PictureWindow(app)) != nullptr && IsWindowVisible(picture); });
        return picture;
    }

    // Waits until the window shows the colour at (x, y) of its client area.
    bool Shows(HWND window, int x, int y, COLORREF colour)
    {
        const bool ok = WaitUntil([&] { return Near(TShot(window).At(x, y), colour); }, 2s);
        if (!ok)
            ADD_FAILURE() << "at " << x << "," << y << " " << Hex(TShot(window).At(x, y)) << " instead of "
                          << Hex(colour);
        return ok;
    }

    void SystemCommand(HWND window, UINT command, TKestrin& app)
    {
        PostMessageW(window, WM_SYSCOMMAND, command, 0);
        app.Settle();
    }

    HWND PictureBox(TKestrin& app) { return app.FindAt(L"ComboBox", 48, 16, app.Find(L"", L"Appearance")); }

    // Types a name into the picture box as the keyboard would leave it.
    void TypeName(TKestrin& app, const std::wstring& name)
    {
        HWND box = PictureBox(app);
        SendMessageW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
        PostMessageW(GetParent(box), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(box), CBN_EDITCHANGE),
                     reinterpret_cast<LPARAM>(box));
        app.Settle();
    }

    testfs::TTempDir dir_;
    std::vector<uint8_t> sprite_;
    HWND main_ = nullptr;
    COLORREF face_ = 0;
    COLORREF shadow_ = 0;
};

TEST_F(PictureE2E, TheSpriteLiesBottomRightUnderTheTintedCellsAtBothSizes)
{
    auto app = Start();
    ASSERT_TRUE(main_);
    EXPECT_FALSE(PictureWindow(*app)) << "no picture window before an object";
    Paste(*app, MakeBlock("AvTest0.def", kPass, kAct));
    HWND picture = WaitForPicture(*app);
    ASSERT_TRUE(picture) << "the picture window did not open";

    EXPECT_EQ(WindowText(picture), L"Picture: AvTest0.def");
    EXPECT_EQ(GetWindow(picture, GW_OWNER), main_);
    EXPECT_FALSE(GetWindowLongW(picture, GWL_STYLE) & WS_MAXIMIZEBOX);
    EXPECT_FALSE(GetWindowLongW(picture, GWL_STYLE) & WS_THICKFRAME);
    RECT mainRect{}, pictureRect{};
    GetWindowRect(main_, &mainRect);
    GetWindowRect(picture, &pictureRect);
    EXPECT_EQ(pictureRect.left, mainRect.right);
    EXPECT_EQ(pictureRect.top, mainRect.top);
    EXPECT_EQ(GetForegroundWindow(), main_) << "the user goes on in the main window";

    SIZE size = ClientSize(picture);
    EXPECT_EQ(size.cx, 256);
    EXPECT_EQ(size.cy, 192);
    // Under "Not an object" the picture shows as it is; under the other kinds
    // it takes their colour at 40 %; where there is no frame, the face does.
    Shows(picture, 250, 186, kColour10);
    {
        TShot shot(picture);
        EXPECT_PRED2(Near, shot.At(210, 186), Over(kColour10, RGB(255, 0, 0)));
        EXPECT_PRED2(Near, shot.At(180, 186), Over(kColour10, RGB(255, 255, 0)));
        EXPECT_PRED2(Near, shot.At(100, 186), Over(face_, RGB(255, 0, 0)));
        EXPECT_PRED2(Near, shot.At(10, 10), face_);
        EXPECT_PRED2(Near, shot.At(10, 40), Over(face_, RGB(0, 128, 0)));
        // The frame's transparent corner and its shadow, in an untinted cell.
        EXPECT_PRED2(Near, shot.At(178, 154), face_);
        EXPECT_PRED2(Near, shot.At(186, 154), Scaled(face_, 127));
        EXPECT_PRED2(Near, shot.At(176, 151), face_) << "nothing above the frame";
        EXPECT_PRED2(Near, shot.At(175, 156), face_) << "nothing left of the frame";
        // One-pixel lines between the cells.
        EXPECT_PRED2(Near, shot.At(32, 10), shadow_);
        EXPECT_PRED2(Near, shot.At(10, 32), shadow_);
        EXPECT_PRED2(Near, shot.At(33, 10), face_);
        EXPECT_PRED2(Near, shot.At(224, 170), shadow_);
    }

    // Double size from the system menu, actual size again with the key 1.
    SystemCommand(picture, kDoubleSizeCommand, *app);
    size = ClientSize(picture);
    EXPECT_EQ(size.cx, 512);
    EXPECT_EQ(size.cy, 384);
    Shows(picture, 500, 372, kColour10);
    {
        TShot shot(picture);
        EXPECT_PRED2(Near, shot.At(420, 372), Over(kColour10, RGB(255, 0, 0)));
        EXPECT_PRED2(Near, shot.At(356, 308), face_) << "the transparent corner, twice as big";
        EXPECT_PRED2(Near, shot.At(372, 308), Scaled(face_, 127));
        EXPECT_PRED2(Near, shot.At(64, 20), shadow_);
        EXPECT_PRED2(Near, shot.At(65, 20), face_) << "lines stay one pixel wide";
        EXPECT_PRED2(Near, shot.At(32, 20), face_);
    }
    PostMessageW(picture, WM_KEYDOWN, '1', 0);
    app->Settle();
    EXPECT_EQ(ClientSize(picture).cx, 256);
    PostMessageW(picture, WM_KEYDOWN, '2', 0);
    app->Settle();
    EXPECT_EQ(ClientSize(picture).cx, 512);
    SystemCommand(picture, kActualSizeCommand, *app);
    EXPECT_EQ(ClientSize(picture).cy, 192);
}

TEST_F(PictureE2E, ItHidesAndReturnsWithTheMainWindowAndStaysClosedWhenClosed)
{
    auto app = Start();
    ASSERT_TRUE(main_);
    const std::vector<uint8_t> block = MakeBlock("AvTest0.def", kPass, kAct);
    Paste(*app, block);
    HWND picture = WaitForPicture(*app);
    ASSERT_TRUE(picture);

    SystemCommand(main_, SC_MINIMIZE, *app);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(picture); })) << "hidden with the minimised main window";
    SystemCommand(main_, SC_RESTORE, *app);
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(picture); })) << "back with the main window";

    // The main window's "Picture" hides and shows it.
    SystemCommand(main_, kPictureCommand, *app);
    EXPECT_FALSE(IsWindowVisible(picture));
    SystemCommand(main_, kPictureCommand, *app);
    EXPECT_TRUE(IsWindowVisible(picture));

    // Closed by the user, it does not come back with the next object.
    PostMessageW(picture, WM_CLOSE, 0, 0);
    app->Settle();
    EXPECT_FALSE(IsWindowVisible(picture));
    Paste(*app, block);
    EXPECT_FALSE(IsWindowVisible(picture));
    SystemCommand(main_, kPictureCommand, *app);
    EXPECT_TRUE(IsWindowVisible(picture));
}

TEST_F(PictureE2E, PaintingOnThePictureIsPaintingTheGrid)
{
    auto app = Start();
    ASSERT_TRUE(main_);
    Paste(*app, MakeBlock("AvTest0.def", kPass, kAct));
    HWND picture = WaitForPicture(*app);
    ASSERT_TRUE(picture);
    Shows(picture, 250, 186, kColour10);

    // Left brush "Object" across row 0, columns 0-3; right brush "Not an object" on row 5, column 6.
    app->MouseDrag(picture, {{10, 10}, {40, 12}, {70, 14}, {100, 16}, {110, 16}}, true, false);
    app->RightClickAt(picture, 210, 186);
    Shows(picture, 100, 16, Over(face_, RGB(255, 0, 0)));
    Shows(picture, 210, 186, kColour10);
    EXPECT_PRED2(Near, TShot(picture).At(140, 16), face_) << "column 4 was not crossed";

    std::vector<uint8_t> copied = Copied(*app);
    ASSERT_EQ(copied.size(), 4096u);
    const size_t masks = 4 + 11;
    EXPECT_EQ(copied[masks + 0], 0xF0) << "row 0 lost its passability in columns 0-3";
    EXPECT_EQ(copied[masks + 5], 0xC0) << "row 5, column 6 became passable";
    EXPECT_EQ(copied[masks + 6 + 5], 0x20);

    // The grid shows the same cells: cell (0, 0) has red hatch lines now, cell (0, 4) none.
    HWND panel = app->FindAt(L"", 8, 88, app->Find(L"", L"Properties"));
    ASSERT_TRUE(panel);
    auto redIn = [&](int column) {
        TShot shot(panel);
        for (int x = 10 + 53 * column; x < 60 + 53 * column; ++x)
            for (int y = 40; y < 56; ++y)
                if (shot.At(x, y) == RGB(255, 0, 0))
                    return true;
        return false;
    };
    EXPECT_TRUE(redIn(0));
    EXPECT_FALSE(redIn(4));

    // And a cell painted on the grid shows on the picture.
    app->MouseClickAt(panel, 8 + 53 * 4 + 20, 31 + 15);
    Shows(picture, 140, 16, Over(face_, RGB(255, 0, 0)));
}

// At 144 DPI the picture and its cells are half as big again, the lines two pixels
// wide, and a press lands on the cell under it.
TEST_F(PictureE2E, AtAnotherDpiThePictureScalesWithItsCells)
{
    auto app = Start();
    ASSERT_TRUE(main_);
    Paste(*app, MakeBlock("AvTest0.def", kPass, kAct));
    HWND picture = WaitForPicture(*app);
    ASSERT_TRUE(picture);
    // No suggested rectangle: the window stays where it is.
    SendMessageW(picture, WM_DPICHANGED, MAKEWPARAM(144, 144), 0);
    app->Settle();
    SIZE size = ClientSize(picture);
    EXPECT_EQ(size.cx, 384);
    EXPECT_EQ(size.cy, 288);
    Shows(picture, 380, 284, kColour10);
    {
        TShot shot(picture);
        EXPECT_PRED2(Near, shot.At(48, 10), shadow_);
        EXPECT_PRED2(Near, shot.At(49, 10), shadow_);
        EXPECT_PRED2(Near, shot.At(50, 10), face_);
        EXPECT_PRED2(Near, shot.At(47, 10), face_);
        // The frame's transparent corner: x 264-275, y 228-239 at 1.5 times.
        EXPECT_PRED2(Near, shot.At(266, 230), face_);
        EXPECT_PRED2(Near, shot.At(280, 230), Scaled(face_, 127));
    }
    SystemCommand(picture, kDoubleSizeCommand, *app);
    size = ClientSize(picture);
    EXPECT_EQ(size.cx, 768);
    EXPECT_EQ(size.cy, 576);

    // Row 2, column 3 at double size and 144 DPI: x 288-383, y 192-287.
    app->MouseClickAt(picture, 290, 194);
    Shows(picture, 300, 200, Over(face_, RGB(255, 0, 0)));
    std::vector<uint8_t> copied = Copied(*app);
    ASSERT_EQ(copied.size(), 4096u);
    EXPECT_EQ(copied[4 + 11 + 2], 0xF7) << "row 2, column 3 is an object now";
}

TEST_F(PictureE2E, ABadFileIsReportedInTheWindowAndTheNameIsFollowed)
{
    auto app = Start();
    ASSERT_TRUE(main_);
    const std::vector<uint8_t> block = MakeBlock("Bad0.def", kPass, kAct);
    Paste(*app, block);
    HWND picture = WaitForPicture(*app);
    ASSERT_TRUE(picture) << "a file that is there but cannot be read opens the window with the reason";
    EXPECT_EQ(WindowText(picture), L"Picture: Bad0.def");
    // Text in the middle: pixels that are neither the face, a tint, nor a line.
    auto textShown = [&] {
        TShot shot(picture);
        int dark = 0;
        for (int y = 80; y < 112; ++y)
            for (int x = 0; x < 256; ++x)
                dark += GetRValue(shot.At(x, y)) + GetGValue(shot.At(x, y)) + GetBValue(shot.At(x, y)) < 120;
        return dark > 20;
    };
    EXPECT_TRUE(WaitUntil(textShown, 2s)) << "no message drawn";

    // The object is untouched and Kestrin goes on.
    std::vector<uint8_t> copied = Copied(*app);
    ASSERT_EQ(copied.size(), 4096u);
    EXPECT_TRUE(std::equal(block.begin(), block.begin() + 4 + 8 + 26, copied.begin()));

    // The window follows the name typed into the picture box.
    TypeName(*app, L"Nope.def");
    EXPECT_TRUE(app->WaitForText(picture, L"Picture: Nope.def"));
    EXPECT_TRUE(WaitUntil(textShown, 2s)) << "no message for a missing picture";
    TypeName(*app, L"avtest0.def");
    EXPECT_TRUE(app->WaitForText(picture, L"Picture: avtest0.def"));
    Shows(picture, 250, 186, kColour10);
    EXPECT_FALSE(textShown());
}

TEST(PictureWithoutDataE2E, NothingOfThePictureWindowShows)
{
    testfs::TTempDir dir;
    ClearClipboard();
    TKestrin app(-1, L"", dir.Path());
    HWND main = app.WaitForMainWindow();
    ASSERT_TRUE(main);
    app.Settle();
    const std::wstring file = dir / L"in.bin";
    testfs::PutFile(file, MakeBlock("AvTest0.def", kPass, kAct));
    ASSERT_EQ(RunClip(L"put \"" + file + L"\" --format 28").ExitCode, 0u);
    app.Click(app.Button(L"Paste"));
    PostMessageW(main, WM_SYSCOMMAND, kPictureCommand, 0);
    app.Settle();
    EXPECT_FALSE(app.WaitForMessageBox(300ms));
    EXPECT_FALSE(FindWindowW(L"Kestrin Picture Form", nullptr));
}

}  // namespace
