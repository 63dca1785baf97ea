#pragma once
// The clipboard exchange with the map editor: the private format it registers
// (one per edition, told apart by a number at the end of the name), reading a
// block from the clipboard into the window ("Paste") and putting a new block
// made from the window on it ("&Copy").
#include <windows.h>

#include <array>
#include <string>
#include <string_view>

#include "object/ObjectControls.h"

// The format name is this prefix followed by a number text.
inline constexpr std::string_view kClipboardFormatPrefix =
    "Heroes of Might and Magic III Map Editor Object Clipboard Format ";

// The editions offered by the radio buttons, in button order.
struct TEdition {
    const wchar_t* Caption;
    const wchar_t* Hint;
    const wchar_t* Number;
};
inline constexpr std::array<TEdition, 3> kEditions = {{
    {L"WOG, SOD", L"Heroes3: In The Wake Of Gods\r\nHeroes3: Shadow Of Death", L"28"},
    {L"AB", L"Heroes3: Armageddon's Blade", L"21"},
    {L"ROE", L"Heroes3: Restoration Of Erathia", L"14"},
}};
inline constexpr const wchar_t* kDefaultFormatNumber = L"28";

// The messages of the exchange.
inline constexpr const wchar_t* kClipboardEmptyMessage = L"The clipboard is empty";
inline constexpr const wchar_t* kWrongDataMessage = L"Wrong data";

// The full format name for a number text, as 8-bit text of the system code page.
// Whatever the user typed is appended unchecked.
std::string ClipboardFormatName(std::wstring_view numberText);

// A modal error box with one OK button, captioned "Error".
void ShowErrorBox(HWND owner, const std::wstring& text);

class TClipboardExchange {
public:
    // The current format id; 0 until a name is registered, and after a refused one.
    UINT Format() const { return format_; }
    void ResetFormat() { format_ = 0; }
    // Registers the name ending in numberText and makes its id current.
    void RegisterFormat(std::wstring_view numberText);

    // Takes the block in the current format from the clipboard and decodes it into
    // the controls. Without one: "The clipboard is empty" while an object is shown,
    // else nothing. A refused block hides the groups and says "Wrong data".
    // Errors of the system are raised (the clipboard is closed again).
    void Paste(IObjectControls& controls, HWND owner);

    // Puts a new 4096-byte block made from the controls on the clipboard as its
    // only format. Does nothing while no object is loaded; shows the validation
    // message instead when the controls cannot be encoded. The block is freed on
    // every failure, also when the clipboard refuses it.
    void Copy(IObjectControls& controls, HWND owner);

private:
    UINT format_ = 0;
};
