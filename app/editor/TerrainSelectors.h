#pragma once
// The terrain and page selectors: nine terrain switches in "Properties" (where the
// object may stand) and nine in "Useless Properties" (where the map editor lists
// it), each row with its check-all and check-none pictures, and the six page
// buttons of the map editor. The controls are components of the window, found by name.
#include <optional>
#include <string_view>

class TComponent;

// A row of nine switches, by the number in the name of its first one.
enum class TTerrainRow { Properties = 1, MapEditor = 10 };

class TTerrainSelectors {
public:
    // root owns the switches ("IACheckControl1" ... "IACheckControl18") and the
    // page buttons ("RadioButton8" ... "RadioButton13"), and outlives this object.
    explicit TTerrainSelectors(const TComponent& root);

    // Puts each switch of both rows 10 pixels right of its left neighbour; the
    // first of a row keeps its place.
    void Space() const;
    // Checks or unchecks the nine switches of a row, in the order of their numbers.
    void CheckRow(TTerrainRow row, bool checked) const;

    // The state of a terrain switch or a page button; none when name is neither.
    std::optional<bool> Checked(std::wstring_view name) const;
    // Sets it without raising anything but the control's own change; false when
    // name is neither.
    bool SetChecked(std::wstring_view name, bool checked) const;

private:
    const TComponent& root_;
};
