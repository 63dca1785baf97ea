#pragma once
// The type and subtype boxes: filling a box from a value list, showing a value
// as its list entry, the subtype list that follows the type, and the keys that
// step a bare number or re-align a box with the number typed into it. The value
// lists and the subtype table are components of the window, found by name.
#include <windows.h>

#include <cstdint>

#include "framework/Message.h"

class TComponent;
class TControl;
class TCustomCombo;
class TKdStringer;

class TTypeSelection {
public:
    // root owns the value lists ("ListTypes", "ListTypesA", "ListSubtypes",
    // "List" + suffix, "Hint" + suffix) and outlives this object.
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

    // Fills a type box from "ListTypesA" (by name) or "ListTypes" (by number),
    // keeping its value.
    void FillTypeBox(TCustomCombo& box, bool alphabetical) const;

    // Up and Down step the number of a box whose list is empty (Up stops at 0,
    // Down wraps at the 32-bit limit). The key is left for the box to handle.
    static void StepNumber(TCustomCombo& box, WORD key);

    // A message reaching a type or subtype box window: a key press, or Enter, is
    // kept from the box and re-aligns it with the number in its text instead.
    // Enter and Escape that close an open list still close it first (through
    // next, the box's own handling). True when the message was taken.
    static bool RealignOnKey(TCustomCombo& box, TMessage& msg, const TWndMethod& next);

private:
    const TComponent& root_;
};
