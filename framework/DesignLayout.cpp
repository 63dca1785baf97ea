#include "framework/DesignLayout.h"

#include <algorithm>

#include "framework/Control.h"
#include "framework/DpiScale.h"

void TDesignLayout::SetClientSize(std::optional<int> width, std::optional<int> height)
{
    clientWidth_ = width;
    clientHeight_ = height;
}

void TDesignLayout::Apply(TControl& root, int dpi, int fromDpi) const
{
    if (clientWidth_ || clientHeight_)
        root.SetClientSize(clientWidth_ ? ScaleForDpi(*clientWidth_, dpi) : root.ClientWidth(),
                           clientHeight_ ? ScaleForDpi(*clientHeight_, dpi) : root.ClientHeight());
    std::vector<std::pair<TControl*, const TDesignPlace*>> controls;
    for (const TDesignPlace& place : places_) {
        auto* control = dynamic_cast<TControl*>(root.FindComponent(place.Name));
        if (!control)
            continue;  // freed since the form was built
        controls.emplace_back(control, &place);
        if (place.Bounds)
            control->SetBounds(ScaleForDpi(place.Bounds->Left, dpi), ScaleForDpi(place.Bounds->Top, dpi),
                               ScaleForDpi(place.Bounds->Width, dpi), ScaleForDpi(place.Bounds->Height, dpi));
    }
    // Fonts last: a control that sizes itself to its text does so in its new font.
    // Away from 96 DPI the font is an outline one, which has every size.
    const bool outline = dpi != kDesignDpi;
    if (fontHeight_) {
        root.Font()->SetOutlinePreferred(outline);
        root.Font()->SetHeight(FontHeightForDpi(*fontHeight_, dpi));
    }
    for (auto [control, place] : controls)
        if (place->FontHeight) {
            control->Font()->SetOutlinePreferred(outline);
            control->Font()->SetHeight(FontHeightForDpi(*place->FontHeight, dpi));
        }
    const auto described = [&](const TControl* control) {
        return std::any_of(controls.begin(), controls.end(),
                           [&](const auto& c) { return c.first == control && c.second->FontHeight; });
    };
    for (int i = 0; i < root.ComponentCount(); ++i) {
        auto* control = dynamic_cast<TControl*>(root.Components(i));
        if (!control || control->ParentFont() || described(control))
            continue;
        control->Font()->SetOutlinePreferred(outline);
        control->Font()->SetHeight(RescaleFontHeight(control->Font()->Height(), fromDpi, dpi));
    }
}
