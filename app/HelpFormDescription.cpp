// The help window's description: the text box, and "OK" and "RU" on a panel
// that stays centred at the bottom. Positions are in pixels at 96 dots per inch.
#include "app/FlatStyleSettings.h"
#include "app/HelpForm.h"
#include "controls/KdFlatStyle.h"
#include "controls/KdSpeedButton.h"
#include "framework/Edits.h"
#include "framework/ExtCtrls.h"
#include "framework/FormDescription.h"
#include "framework/StdCtrls.h"

namespace {

TFormDescription HelpDescription()
{
    using F = THelpForm;
    return {
        {.Caption = L"Kestrin Help",
         .Font = TFontSpec{L"MS Sans Serif", -11},
         .ClientWidth = 471,
         .ClientHeight = 505,
         .Setup = Set<THelpForm>([](THelpForm& f) {
             f.SetWindowClassName(L"Kestrin Help Form");
             f.SetBorderStyle(bsSizeable);
             f.SetBorderIcons(biSystemMenu | biMinimize);
             f.SetPosition(poScreenCenter);
         })},
        {.Class = L"TMemo", .Name = L"Memo1", .Bounds = TBoundsSpec{4, 4, 463, 466},
         .Anchors = akLeft | akTop | akRight | akBottom, .TabOrder = 0,
         .Setup = Set<TMemo>([](TMemo& m) {
             m.SetReadOnly(true);
             m.SetWordWrap(true);
             m.SetScrollBars(ssVertical);
         })},
        {.Class = L"TPanel", .Name = L"Panel1", .Bounds = TBoundsSpec{188, 475, 96, 25}, .Caption = L"",
         .Anchors = akBottom, .TabOrder = 1},
        {.Class = L"TButton", .Name = L"Button1", .Parent = L"Panel1", .Bounds = TBoundsSpec{0, 0, 48, 25},
         .Caption = L"OK", .TabOrder = 0, .Events = {On(&TControl::OnClick, &F::Button1Click)}},
        {.Class = L"TKdSpeedButton", .Name = L"KdSpeedButton1", .Parent = L"Panel1",
         .Bounds = TBoundsSpec{48, 0, 48, 25}, .Caption = L"RU",
         .Events = {On(&TControl::OnClick, &F::KdSpeedButton1Click)},
         .Setup = Set<TKdSpeedButton>([](TKdSpeedButton& b) {
             // A group of its own in which all buttons may be up: a toggle.
             b.SetGroupIndex(1);
             b.SetAllowAllUp(true);
             b.SetStyle(KdsbStandard);
         })},
        // A flat frame over the text box while the visual-styles theme is off.
        {.Class = L"TKdFlatStyle", .Name = L"KdFlatStyle1",
         .Setup = FlatStyleSettings(KdepsFlat, {clBtnShadow, clWindow, clWindow, clBtnShadow})},
    };
}

}  // namespace

void THelpForm::BuildDescription()
{
    RegisterComponentClass<TKdSpeedButton>();
    RegisterComponentClass<TKdFlatStyle>();
    static const TFormDescription description = HelpDescription();
    BuildForm(*this, description);
}
