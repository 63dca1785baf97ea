// What the random user does: clicks, typing, keys, drags over the grid, help,
// tray, file dialogs and blocks on the clipboard, each chosen from the seeded
// stream and noted in the ring of last actions.
#include "tests/e2e/RandomUser.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace e2e {
namespace {

constexpr size_t kMaxBlock = 70 * 1024;

void PutInt(std::vector<uint8_t>& b, size_t at, int32_t v)
{
    for (size_t i = 0; i < 4 && at + i < b.size(); ++i)
        b[at + i] = static_cast<uint8_t>(static_cast<uint32_t>(v) >> (8 * i));
}

const std::vector<const wchar_t*> kEditionCaptions = {L"WOG, SOD", L"AB", L"ROE"};
const std::vector<const wchar_t*> kPages = {L"Terrain", L"Towns", L"Monsters", L"Heroes", L"Artifacts", L"Resources"};

}  // namespace

// A block as the map editor makes it, of up to 4096 bytes so that Copy gives
// it back whole: a short name, random masks, terrains and tail, a type and
// subtype, a page or none. at is where the fields after the name begin.
std::vector<uint8_t> TRandomUser::GoodBlock(size_t& at)
{
    std::vector<uint8_t> block(static_cast<size_t>(Between(60, 4096)));
    for (uint8_t& b : block)
        b = static_cast<uint8_t>(Pick(256));
    const std::string name = "AVWk" + std::to_string(Between(0, 99999));
    PutInt(block, 0, static_cast<int32_t>(name.size()));
    std::memcpy(block.data() + 4, name.data(), name.size());
    at = 4 + name.size();
    block[at + 13] = static_cast<uint8_t>(Pick(2));  // water: only bit 0 is kept
    block[at + 15] = static_cast<uint8_t>(Pick(2));
    PutInt(block, at + 16, Between(0, 240));
    PutInt(block, at + 20, Between(0, 60));
    block[at + 24] = static_cast<uint8_t>(OneOf(std::vector<int>{0, 1, 2, 3, 4, 5, 255}));
    block[at + 25] = static_cast<uint8_t>(Pick(2));
    return block;
}

std::wstring TRandomUser::RandomText()
{
    static const std::wstring letters = L"abcxyzABCXYZ";
    static const std::wstring cyrillic = L"\u0410\u0411\u0412\u0416\u042f\u0430\u0431\u0436\u044f\u0451";
    std::wstring text;
    switch (Pick(8)) {
    case 0: case 1:
        text = std::to_wstring(Between(0, 300));
        break;
    case 2:
        text = std::to_wstring(-Between(1, 1000));
        break;
    case 3:
        text = L"99999999999";
        break;
    case 4:
        for (int i = Between(1, 8); i > 0; --i)
            text += letters[static_cast<size_t>(Pick(static_cast<int>(letters.size())))];
        break;
    case 5:
        for (int i = Between(1, 8); i > 0; --i)
            text += cyrillic[static_cast<size_t>(Pick(static_cast<int>(cyrillic.size())))];
        break;
    case 6:
        text = std::to_wstring(Between(0, 60)) + L"  " + letters.substr(0, static_cast<size_t>(Between(1, 6)));
        break;
    default:
        text = std::wstring(static_cast<size_t>(Between(200, 5000)), L"7x\u0416 "[Pick(4)]);
        break;
    }
    return text;
}

// A block of 0 bytes to 70 KB whose name length is chosen to hit the edges:
// negative, zero, huge, exactly at the end, one past it, or just right.
std::vector<uint8_t> TRandomUser::RandomBlock()
{
    size_t size = 0;
    switch (Pick(5)) {
    case 0: size = static_cast<size_t>(Between(0, 3)); break;
    case 1: size = static_cast<size_t>(Between(4, 60)); break;
    case 2: size = static_cast<size_t>(Between(46, 400)); break;
    case 3: size = static_cast<size_t>(Between(400, 5000)); break;
    default: size = static_cast<size_t>(Between(5000, static_cast<int>(kMaxBlock))); break;
    }
    std::vector<uint8_t> block(size);
    for (uint8_t& b : block)
        b = static_cast<uint8_t>(Pick(256));
    const int32_t room = static_cast<int32_t>(size) - 46;
    int32_t length = 0;
    switch (Pick(8)) {
    case 0: length = -Between(1, 5); break;
    case 1: length = INT32_MIN + Pick(3); break;
    case 2: length = 0; break;
    case 3: length = INT32_MAX - Pick(3); break;
    case 4: length = room; break;
    case 5: length = room + 1; break;
    case 6: length = static_cast<int32_t>(Between(0, std::max(room, 0))); break;
    default: length = static_cast<int32_t>(Between(4067, 100000)); break;
    }
    PutInt(block, 0, length);
    return block;
}

void TRandomUser::Paste()
{
    Note("click Paste");
    app_->Click(PasteButton());
}

void TRandomUser::Copy()
{
    Note("click Copy");
    app_->Click(app_->Button(L"&Copy"));
}

void TRandomUser::ClickControl()
{
    static const std::vector<const wchar_t*> buttons = {L"Paste", L"Copy", L"Types in alphabetical order",
                                                        L"A part of ground", L"Load Format", L"Useless..."};
    const wchar_t* caption = OneOf(buttons);
    Note("click " + Utf8(caption) + " with the mouse");
    if (std::wstring(caption) == L"Useless...") {
        // A speed button: drawn by the window itself, reached only by the mouse.
        app_->MouseClickAt(main_, 432, 52);
        return;
    }
    HWND button = nullptr;
    if (std::wstring(caption) == L"Paste" || std::wstring(caption) == L"Copy")
        button = app_->FindAt(L"Button", std::wstring(caption) == L"Paste" ? 224 : 273, 16, Group(L"Appearance"));
    else
        button = app_->Find(L"Button", caption);
    if (IsWindowVisible(button) && Chance(50))
        app_->MouseClickAt(button, 8, 8);
    else
        app_->Click(button);
}

void TRandomUser::TypeIntoBox()
{
    struct TBox {
        const char* Name;
        const wchar_t* Group;
        int Left, Top;
    };
    static const std::vector<TBox> boxes = {
        {"Edit1", nullptr, 182, 10},          {"picture box", L"Appearance", 48, 16},
        {"type box", L"Properties", 48, 21},  {"subtype box", L"Properties", 268, 21},
        {"Appearance type box", L"Appearance", 48, 45}, {"Appearance subtype box", L"Appearance", 268, 45}};
    const TBox& b = OneOf(boxes);
    HWND box = b.Group ? app_->FindAt(L"ComboBox", b.Left, b.Top, Group(b.Group)) : Edit1();
    const std::wstring text = RandomText();
    if (text.size() > 24) {
        Note(std::string("set ") + b.Name + " to " + std::to_string(text.size()) + " characters");
        app_->SetText(box, text);
        return;
    }
    const bool empty = Chance(50);
    Note(std::string("type \"") + Utf8(text) + "\" into " + b.Name + (empty ? " (emptied first)" : ""));
    if (empty)
        app_->SetText(box, L"");
    if (!IsWindowVisible(box)) {
        // Hidden boxes take no typing; a message still reaches them.
        app_->SetText(box, text);
        return;
    }
    app_->MouseClickAt(box, 10, 10);
    app_->TypeText(text);
    if (trace_)
        Note("the box shows \"" + Utf8(WindowText(box).substr(0, 40)) + "\"");
}

void TRandomUser::ComboKeys()
{
    static const std::vector<POINT> places = {{48, 21}, {268, 21}};
    static const std::vector<WORD> keys = {VK_UP, VK_DOWN, VK_DOWN, VK_RETURN, VK_HOME, VK_END, VK_PRIOR, VK_NEXT};
    static const char* const keyNames[] = {"Up", "Down", "Down", "Enter", "Home", "End", "PageUp", "PageDown"};
    const bool appearance = Chance(40);
    const POINT at = OneOf(places);
    HWND box = app_->FindAt(L"ComboBox", at.x, appearance ? at.y + 24 : at.y,
                            Group(appearance ? L"Appearance" : L"Properties"));
    std::string names;
    std::vector<WORD> pressed;
    for (int i = Between(1, 4); i > 0; --i) {
        const int k = Pick(static_cast<int>(keys.size()));
        pressed.push_back(keys[static_cast<size_t>(k)]);
        names += std::string(" ") + keyNames[k];
    }
    Note(std::string("keys") + names + " in the " + (appearance ? "Appearance " : "") +
         (at.x == 48 ? "type box" : "subtype box"));
    if (!IsWindowVisible(box))
        return;
    app_->MouseClickAt(box, 10, 10);
    for (WORD key : pressed)
        app_->PressKey(key);
}

void TRandomUser::DragGrid()
{
    // Cells are 54 x 35 pixels from (8, 31) of the grid's panel, overlapping by
    // one pixel; the points are cell middles with a little play.
    auto cellPoint = [&](int row, int column) {
        return POINT{8 + 53 * column + 27 + Between(-20, 20), 31 + 34 * row + 17 + Between(-12, 12)};
    };
    const int r0 = Pick(6), c0 = Pick(8), r1 = Pick(6), c1 = Pick(8);
    std::vector<POINT> path;
    const int steps = Between(1, 6);
    for (int i = 0; i <= steps; ++i) {
        POINT a = cellPoint(r0 + (r1 - r0) * i / steps, c0 + (c1 - c0) * i / steps);
        path.push_back(a);
    }
    const int buttons = Pick(5);  // left twice as likely, right twice, both once
    const bool left = buttons != 2 && buttons != 3;
    const bool right = buttons >= 2;
    Note("drag with " + std::string(left && right ? "both buttons" : left ? "the left button" : "the right button") +
         " from cell " + std::to_string(r0) + "," + std::to_string(c0) + " to " + std::to_string(r1) + "," +
         std::to_string(c1));
    if (!IsWindowVisible(Group(L"Properties")))
        return;
    app_->MouseDrag(GridPanel(), path, left, right);
}

void TRandomUser::ClickLegend()
{
    // The legend's pictures and captions in the grid's panel: a left click sets
    // the left brush, a right click the right one.
    static const std::vector<POINT> places = {{16, 16}, {40, 16}, {128, 16}, {150, 16},
                                              {200, 16}, {220, 16}, {264, 16}, {300, 16}};
    const POINT at = OneOf(places);
    const bool right = Chance(50);
    Note(std::string(right ? "right" : "left") + "-click the legend at " + std::to_string(at.x));
    if (!IsWindowVisible(Group(L"Properties")))
        return;
    if (right)
        app_->RightClickAt(GridPanel(), at.x, at.y);
    else
        app_->MouseClickAt(GridPanel(), at.x, at.y);
}

void TRandomUser::ClickTerrain()
{
    const bool editor = Chance(40);
    const int index = Pick(11);  // nine terrains, then "all" and "none"
    Note(std::string("click ") + (editor ? "map-editor " : "") + "terrain " + std::to_string(index));
    HWND group = editor ? app_->FindAt(L"", 8, 40, Group(L"Useless Properties")) : Group(L"Properties");
    if (!IsWindowVisible(group))
        return;
    if (index < 9) {
        app_->MouseClickAt(app_->FindAt(L"", 8 + 43 * index, editor ? 24 : 48, group), 16, 16);
        return;
    }
    // The red cross and the empty square under "All" are pictures on the group.
    const int left = editor ? (index == 9 ? 395 : 412) : (index == 9 ? 403 : 420);
    app_->MouseClickAt(group, left + 8, (editor ? 41 : 64) + 8);
}

void TRandomUser::ClickPage()
{
    const wchar_t* page = OneOf(kPages);
    Note("click page " + Utf8(page));
    HWND button = app_->Find(L"Button", page);
    if (IsWindowVisible(button) && Chance(50))
        app_->MouseClickAt(button, 8, 8);
    else
        app_->Click(button);
}

void TRandomUser::SwitchEdition()
{
    const wchar_t* edition = OneOf(kEditionCaptions);
    Note("switch to " + Utf8(edition));
    HWND button = app_->Find(L"Button", edition);
    if (Chance(50))
        app_->MouseClickAt(button, 6, 8);
    else
        app_->Click(button);
}

void TRandomUser::LoadOddFormat()
{
    static const std::vector<std::wstring> odd = {
        L"-1", L"-2147483648", L"4294967296", L"99999999999999999999", L"abc", L"", L"28 ", L"0",
        L"\u0434\u0432\u0430\u0434\u0446\u0430\u0442\u044c", std::wstring(300, L'9'), L"21", L"14", L"28"};
    const std::wstring number = OneOf(odd);
    Note("Load Format \"" + Utf8(number.substr(0, 20)) + (number.size() > 20 ? "...\"" : "\""));
    app_->SetText(Edit1(), number);
    app_->Click(app_->Button(L"Load Format"));
}

void TRandomUser::UseHelp()
{
    Note("Help");
    app_->Click(app_->Button(L"Help"));
    HWND help = nullptr;
    if (!WaitUntil([&] { return (help = FindWindowW(L"Kestrin Help Form", L"Kestrin Help")) != nullptr; }, 3s))
        return;  // a box instead (a help file that cannot be read) is answered after the action
    // "RU" is a speed button on the panel under the text; it has no window of
    // its own, so the press and release go to the panel.
    HWND panel = nullptr;
    for (HWND w = FindWindowExW(help, nullptr, nullptr, nullptr); w; w = FindWindowExW(help, w, nullptr, nullptr))
        if (app_->FindAll(L"Button", L"OK", w).size() == 1)
            panel = w;
    for (int i = Pick(4); i > 0 && panel; --i) {
        Note("RU");
        PostMessageW(panel, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(72, 12));
        PostMessageW(panel, WM_LBUTTONUP, 0, MAKELPARAM(72, 12));
        app_->Settle();
        HandleBoxes(0ms);
        if (HWND memo = FindWindowExW(help, nullptr, L"Edit", nullptr); memo && trace_)
            Note("help shows \"" + OneLine(WindowText(memo).substr(0, 30)) + "\"");
    }
    switch (Pick(3)) {
    case 0:
        Note("close help with OK");
        if (panel)
            PostMessageW(app_->Find(L"Button", L"OK", panel), BM_CLICK, 0, 0);
        else
            PostMessageW(help, WM_CLOSE, 0, 0);
        break;
    case 1:
        Note("close help with its close box");
        PostMessageW(help, WM_CLOSE, 0, 0);
        break;
    default:
        Note("close help with its system menu");
        PostMessageW(help, WM_SYSCOMMAND, SC_CLOSE, 0);
        break;
    }
    WaitGone(help, "the help window");
}

void TRandomUser::ToggleTray()
{
    Note("click Tray Icon");
    app_->Click(app_->Find(L"Button", L"Tray Icon"));
}

void TRandomUser::MinimiseAndRestore()
{
    Note("minimise");
    PostMessageW(main_, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    app_->Settle();
    if (!IsWindowVisible(main_)) {
        if (!WaitUntil([&] { return app_->TrayIconWindow() != nullptr; }))
            throw TFailure("the window was hidden without a tray icon");
        if (Chance(50)) {
            Note("restore with a click on the tray icon");
            app_->MouseOnTrayIcon(WM_LBUTTONDOWN);
        } else {
            Note("restore with Show in the tray menu");
            app_->MouseOnTrayIcon(WM_RBUTTONUP);
            HWND menu = app_->WaitForPopupMenu();
            if (!menu)
                throw TFailure("the tray menu did not open");
            PostMessageW(menu, WM_CHAR, L's', 0);
            app_->Settle();
        }
    } else {
        Note("restore");
        PostMessageW(main_, WM_SYSCOMMAND, SC_RESTORE, 0);
        app_->Settle();
    }
    if (!WaitUntil([&] { return IsWindowVisible(main_) && !IsIconic(main_); }))
        throw TFailure("the window did not come back");
}

void TRandomUser::Save()
{
    static const std::vector<std::wstring> names = {
        L"saved", L"saved.kst", L"other.dat", L"\u041a\u0430\u0440\u0442\u0430", L"deep\\er\\thing", L"noext"};
    Note("click Save");
    app_->Click(app_->Button(L"&Save"));
    // The dialog comes only while an object is loaded and the boxes are valid.
    auto box = app_->WaitForMessageBox(IsWindowVisible(Group(L"Appearance")) ? 3s : 100ms);
    if (!box || !FileNameBox(box->Window))
        return;
    if (Chance(15)) {
        Note("cancel the save dialog");
        CancelFileDialog(box->Window);
        return;
    }
    const std::wstring name = OneOf(names);
    if (Chance(20)) {
        // A read-only file of that name is replaced all the same.
        const std::wstring path = dir_ / (name + (name.find(L'.') == std::wstring::npos ? L".kst" : L""));
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY);
    }
    Note("save as " + Utf8(name));
    ChooseInFileDialog(box->Window, dir_ / name);
    saved_.push_back(name);
}

void TRandomUser::Load()
{
    Note("click Load");
    std::wstring name;
    switch (Pick(6)) {
    case 0:
        break;  // cancel
    case 1: case 2:
        if (!saved_.empty())
            name = OneOf(saved_);
        break;
    case 3: {
        // A file of any bytes, written just now.
        name = L"written.kst";
        const std::vector<uint8_t> bytes = RandomBlock();
        testfs::PutFile(dir_ / name, bytes);
        break;
    }
    case 4:
        // There is "bare" but no "bare.kst": the name gets ".kst" and is missing.
        name = L"bare";
        testfs::PutFile(dir_ / name, {1, 2, 3});
        break;
    default:
        name = L"\u0434\u043e\u043c.kst";
        testfs::PutFile(dir_ / name, RandomBlock());
        break;
    }
    if (!name.empty() && name.find(L'.') == std::wstring::npos && name != L"bare")
        name += L".kst";
    if (!name.empty() && !testfs::FileExists(dir_ / name))
        name.clear();
    app_->Click(app_->Button(L"&Load"));
    auto box = app_->WaitForMessageBox(3s);
    if (!box || !FileNameBox(box->Window))
        return;
    if (name.empty()) {
        Note("cancel the open dialog");
        CancelFileDialog(box->Window);
        return;
    }
    Note("open " + Utf8(name));
    ChooseInFileDialog(box->Window, dir_ / name);
}

void TRandomUser::ClipboardBlock()
{
    static const std::vector<std::wstring> numbers = {L"28", L"21", L"14", L"abc"};
    const int kind = Pick(10);
    if (kind == 0) {
        Note("empty the clipboard");
        ClearClipboard();
        return;
    }
    size_t at = 0;
    const std::vector<uint8_t> block = kind <= 4 ? GoodBlock(at) : RandomBlock();
    // Mostly under the number the window shows, as a user with one edition does.
    const std::wstring number = Chance(70) ? WindowText(Edit1()) : OneOf(numbers);
    const bool withText = Chance(10);
    char text[200];
    std::snprintf(text, sizeof text, "put a %s block of %zu bytes, name length %d, format \"%s\"%s",
                  kind <= 4 ? "good" : "odd", block.size(),
                  block.size() >= 4 ? static_cast<int>(block[0] | block[1] << 8 | block[2] << 16 |
                                                       static_cast<uint32_t>(block[3]) << 24)
                                    : -1,
                  Utf8(number.substr(0, 20)).c_str(), withText ? ", with text" : "");
    Note(text);
    PutOnClipboard(block, FormatOf(number), withText);
}

}  // namespace e2e
