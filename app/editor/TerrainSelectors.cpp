#include "app/editor/TerrainSelectors.h"

#include <string>

#include "framework/Exceptions.h"
#include "framework/StdCtrls.h"
#include "widgets/IACheckControl.h"

namespace {

constexpr int kRowLength = 9;
constexpr int kGap = 10;

std::wstring SwitchName(int number) { return L"IACheckControl" + std::to_wstring(number); }

bool IsPageButton(std::wstring_view name)
{
    for (int n = 8; n <= 13; ++n)
        if (SameText(name, L"RadioButton" + std::to_wstring(n)))
            return true;
    return false;
}

}  // namespace

TTerrainSelectors::TTerrainSelectors(const TComponent& root) : root_(root) {}

void TTerrainSelectors::Space() const
{
    // The gap is written for 96 DPI, like the switches' sizes.
    const auto* window = dynamic_cast<const TControl*>(&root_);
    const int gap = ScaleForDpi(kGap, window ? window->CurrentDpi() : kDesignDpi);
    for (TTerrainRow row : {TTerrainRow::Properties, TTerrainRow::MapEditor}) {
        const int first = static_cast<int>(row);
        for (int n = first; n < first + kRowLength - 1; ++n) {
            auto* left = FindComponentAs<TControl>(&root_, SwitchName(n));
            auto* next = FindComponentAs<TControl>(&root_, SwitchName(n + 1));
            if (!left || !next)
                throw EComponentError(L"The window has no terrain switch " + SwitchName(left ? n + 1 : n));
            next->SetLeft(left->Left() + left->Width() + gap);
        }
    }
}

void TTerrainSelectors::CheckRow(TTerrainRow row, bool checked) const
{
    const int first = static_cast<int>(row);
    for (int n = first; n < first + kRowLength; ++n)
        if (!SetChecked(SwitchName(n), checked))
            throw EComponentError(L"The window has no terrain switch " + SwitchName(n));
}

std::optional<bool> TTerrainSelectors::Checked(std::wstring_view name) const
{
    TComponent* c = root_.FindComponent(name);
    if (auto* terrain = dynamic_cast<TIACheckControl*>(c))
        return terrain->Checked();
    if (auto* page = dynamic_cast<TRadioButton*>(c); page && IsPageButton(name))
        return page->Checked();
    return std::nullopt;
}

bool TTerrainSelectors::SetChecked(std::wstring_view name, bool checked) const
{
    TComponent* c = root_.FindComponent(name);
    if (auto* terrain = dynamic_cast<TIACheckControl*>(c)) {
        terrain->SetChecked(checked);
        return true;
    }
    if (auto* page = dynamic_cast<TRadioButton*>(c); page && IsPageButton(name)) {
        page->SetChecked(checked);
        return true;
    }
    return false;
}
