#pragma once
// A form's layout as its window description wrote it, at 96 DPI: each described
// control's bounds and font height, and the form's client size and font. Applied
// at a DPI by the one scaling rule, when the form is built and whenever its DPI
// changes; what the form derives from these sizes it derives again itself.
#include <optional>
#include <string>
#include <vector>

#include "framework/DpiScale.h"

class TControl;

struct TDesignBounds {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
};

struct TDesignPlace {
    std::wstring Name;                    // the control, found by name in the form
    std::optional<TDesignBounds> Bounds;  // at 96 DPI
    std::optional<int> FontHeight;        // the control's own font at 96 DPI
};

class TDesignLayout {
public:
    void AddPlace(TDesignPlace place) { places_.push_back(std::move(place)); }
    void SetClientSize(std::optional<int> width, std::optional<int> height);
    void SetFontHeight(int height) { fontHeight_ = height; }
    const std::vector<TDesignPlace>& Places() const { return places_; }

    // Gives the root (a form) and its described controls their places at `dpi`:
    // the root's client size first, then the controls in description order (parents
    // before their children, so each keeps its place from its parent's edges), then
    // the fonts (so that a control sized to its text takes its new text's size).
    // Controls that took a font of their own after the form was built (not
    // described) keep its point size from `fromDpi`.
    void Apply(TControl& root, int dpi, int fromDpi = kDesignDpi) const;

private:
    std::vector<TDesignPlace> places_;
    std::optional<int> clientWidth_;
    std::optional<int> clientHeight_;
    std::optional<int> fontHeight_;
};
