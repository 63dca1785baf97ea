#include "app/FlatStyleSettings.h"

#include "controls/KdFlatStyle.h"

namespace {

void SetLines(TStringList& list, std::initializer_list<const wchar_t*> lines)
{
    TStringList copy;
    for (const wchar_t* line : lines)
        copy.Add(line);
    list.Assign(copy);
}

void SetPainter(TKdEditPainter& painter, TKdEditPaintStyle style, const std::array<TColor, 4>& colors)
{
    painter.SetPaintStyle(style);
    for (int i = 0; i < 4; ++i)
        painter.SetColor(i, colors[static_cast<size_t>(i)]);
    painter.SetEnabledOnXP(false);
}

}  // namespace

TBinder FlatStyleSettings(TKdEditPaintStyle frameStyle, const std::array<TColor, 4>& frameColors)
{
    return Set<TKdFlatStyle>([frameStyle, frameColors](TKdFlatStyle& style, TComponent& window) {
        TStringList targets, excepting;
        SetLines(targets, {L"TCustomEdit", L"TCustomCombo", L"TCustomListBox", L"TCustomTreeView",
                           L"TCustomListView", L"TDateTimePicker", L"TDirectoryOutline"});
        SetLines(excepting, {L"TKdSpinEdit", L"TCustomComboBoxEx", L"TShellComboBox"});
        style.SetIncludeControl(false);
        style.SetControl(dynamic_cast<TControl*>(&window));
        style.SetTargets(targets);
        style.SetExcepting(excepting);
        SetPainter(*style.Frame(), frameStyle, frameColors);
        style.Frame()->SetEnabled(true);
        SetPainter(*style.FrameHotTrack(), KdepsFlat, {clBtnShadow, clWindow, clWindow, clBtnShadow});
        style.FrameHotTrack()->SetEnabled(false);
        style.SetPriority(100);
        style.SetActive(true);
    });
}
