#pragma once
// The object block meets the window: decoding a block into the controls in a fixed
// order (the change handlers that order feeds run in between), validating the
// controls and encoding them into a new block. The window is reached only through
// the interface below, which the main form implements; controls are named as in
// the form's description. Platform-neutral.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "object/ObjectBlock.h"

// The main window as the object block sees it.
class IObjectControls {
public:
    virtual ~IObjectControls() = default;

    // The current block (empty: no object loaded) and the mask store.
    virtual std::vector<uint8_t>& CurrentBlock() = 0;
    virtual TMaskStore& Masks() = 0;

    // The picture name box ("ComboName") as 8-bit bytes of the system code page.
    // Setting shows the bytes up to the first byte 0; reading gives back the bytes
    // last set while the text is unchanged.
    virtual std::string PictureName() const = 0;
    virtual void SetPictureName(std::string_view bytes) = 0;

    // Text of a combo box or edit, by component name.
    virtual std::wstring Text(std::wstring_view name) const = 0;
    // Shows value in a type or subtype box, as its list's entry where there is one.
    virtual void SelectByValue(std::wstring_view name, int32_t value) = 0;
    // Runs the change handler of a box ("ComboName", "ComboBox1", ...).
    virtual void RunChange(std::wstring_view name) = 0;

    // Check boxes, radio buttons and image check controls, by component name.
    virtual bool Exists(std::wstring_view name) const = 0;
    virtual bool Checked(std::wstring_view name) const = 0;
    virtual void SetChecked(std::wstring_view name, bool checked) = 0;

    // Repaints the 48 grid cells from the mask store.
    virtual void RepaintGrid() = 0;
    // Shows the three groups, "Properties" or "Useless Properties" in front as the
    // "Useless..." button says.
    virtual void ShowGroups() = 0;
    // Hides "Properties", "Useless Properties" and "Appearance".
    virtual void HideGroups() = 0;
    // True while an object is shown (the "Appearance" group is visible).
    virtual bool ObjectShown() const = 0;
};

// Component names of the controls that carry the fields.
std::wstring TerrainControlName(int index);    // index 0..8: "IACheckControl1".."IACheckControl9"
std::wstring EditorTerrainControlName(int index);  // index 0..8: "IACheckControl10".."IACheckControl18"
std::wstring PageButtonName(unsigned page);    // "RadioButton" + (page + 8)

// Decodes the current block into the controls. A refused block empties the
// current block, changes no control and gives false.
bool DecodeIntoControls(IObjectControls& controls);

// The message that stops Copy and Save; empty when the controls can be encoded.
std::wstring ValidateControls(const IObjectControls& controls);

// The values the controls hold now (type and subtype as read; validation has run).
TObjectValues ValuesFromControls(IObjectControls& controls);

// Encodes the controls into buffer with the tail of the current block. buffer may
// be the current block's own storage. Returns the bytes written.
std::size_t EncodeFromControls(IObjectControls& controls, std::span<uint8_t, kObjectBlockSize> buffer);
