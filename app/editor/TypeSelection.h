#pragma once
// The type and subtype boxes: filling a box from a value list, showing a value
// as its list entry, and the subtype list that follows the type. The value lists
// and the subtype table are components of the window, found by name.
#include <cstdint>

class TComponent;
class TCustomCombo;
class TKdStringer;

class TTypeSelection {
public:
    // root owns the value lists ("ListTypes", "ListSubtypes", "List" + suffix,
    // "Hint" + suffix) and outlives this object.
    explicit TTypeSelection(const TComponent& root);

    // Gives box the list's tag (its matching mode) and the list's lines; the box's
    // text stays. With keepValue a good number in the text is then selected again.
    static void FillBox(TCustomCombo& box, const TKdStringer& list, bool keepValue);
    // Shows value in box: its list entry where the list has one, else the number.
    static void SelectByValue(TCustomCombo& box, int32_t value);

    // Fills the subtype box with the list that the subtype table names for the
    // type shown in the type box (empty when it names none), takes the list's
    // hint, and matches the subtype shown to the new list. Serves any pair of
    // type and subtype boxes.
    void RebuildSubtypes(const TCustomCombo& typeBox, TCustomCombo& subtypeBox) const;

    // Fills box from "ListTypes", keeping its value.
    void FillTypeBox(TCustomCombo& box) const;

private:
    const TComponent& root_;
};
