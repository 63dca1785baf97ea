#pragma once
// Window descriptions: a form's components as a flat table of rows (class, name,
// parent, bounds, caption, hint, anchors, tab order, font, events, extras), kept
// apart from the form's handlers and turned into components by one builder.
//
//   const TFormDescription kMain = {
//       {.Class = L"TButton", .Name = L"Button3", .Bounds = {8, 40, 49, 25},
//        .Caption = L"Paste", .TabOrder = 4, .Events = {On(&TControl::OnClick, &TForm1::Button3Click)}},
//       {.Class = L"TRadioButton", .Name = L"RadioButton1", ...,
//        .Setup = Set<TRadioButton>([](TRadioButton& r) { r.SetChecked(true); })},
//   };
//   TForm1::TForm1(TComponent* owner) : TForm(owner) { BuildForm(*this, kMain); }
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "framework/Component.h"
#include "framework/Controls.h"
#include "framework/DesignLayout.h"
#include "framework/Exceptions.h"

class TCustomForm;

// Makes a component of one class, owned by `owner`.
using TComponentFactory = TComponent* (*)(TComponent* owner);

// Registers a class under its run-time name; the library's own classes are there
// from the start. Registering a name again replaces its factory.
void RegisterComponentClass(std::wstring_view className, TComponentFactory factory);
template <class T>
void RegisterComponentClass()
{
    RegisterComponentClass(T::StaticClassName, [](TComponent* owner) -> TComponent* { return new T(owner); });
}
// The factory registered for className, or null.
TComponentFactory FindComponentClass(std::wstring_view className);

// Binds one event field of the component to a handler of the form.
using TBinder = std::function<void(TComponent& component, TComponent& form)>;

// On(&TControl::OnClick, &TForm1::Button1Click): the field's owner class and the
// handler's form class are checked when the binding is made.
template <class C, class R, class... A, class F>
TBinder On(TMethod<R(A...)> C::*field, R (F::*handler)(A...))
{
    return [field, handler](TComponent& component, TComponent& form) {
        auto* c = dynamic_cast<C*>(&component);
        auto* f = dynamic_cast<F*>(&form);
        if (!c || !f)
            throw EComponentError(L"Event of " + component.Name() + L" bound to a handler of another class");
        c->*field = TMethod<R(A...)>(f, handler);
    };
}

// Set<TRadioButton>([](TRadioButton& r) { r.SetChecked(true); }): extra settings of
// a row, run with the component cast to its class.
template <class C, class Fn>
TBinder Set(Fn fn)
{
    return [fn](TComponent& component, TComponent& form) {
        auto* c = dynamic_cast<C*>(&component);
        if (!c)
            throw EComponentError(L"Settings for another class applied to " + component.Name());
        if constexpr (std::is_invocable_v<Fn, C&, TComponent&>)
            fn(*c, form);
        else
            fn(*c);
    };
}

struct TFontSpec {
    const wchar_t* Name = nullptr;  // null: keep
    int Height = 0;                 // 0: keep
    TFontStyles Style = 0;
    TColor Color = clDefault;       // clDefault: keep
};

// A row's bounds, at 96 DPI.
using TBoundsSpec = TDesignBounds;

// One row. A row without Class describes the form itself. A menu item's row
// names its popup menu (or parent item) as Parent; its Caption "-" is a separator.
struct TDescriptionRow {
    const wchar_t* Class = nullptr;
    const wchar_t* Name = nullptr;
    const wchar_t* Parent = nullptr;  // null: the form (controls only)
    std::optional<TBoundsSpec> Bounds;
    const wchar_t* Caption = nullptr;  // null: the class's default
    const wchar_t* Hint = nullptr;
    std::optional<bool> ShowHint;
    std::optional<TAnchors> Anchors;
    int TabOrder = -1;  // -1: in the order of the rows
    bool Visible = true;
    std::optional<bool> Enabled;
    std::optional<TFontSpec> Font;
    std::optional<TColor> Color;
    std::optional<int> ClientWidth;  // the form: its client area
    std::optional<int> ClientHeight;
    std::vector<TBinder> Events;
    // Extra per-class settings, run after every row's component exists.
    TBinder Setup;
};

using TFormDescription = std::vector<TDescriptionRow>;

// Builds the description's components into `form` with csLoading set, then
// clears it (Loaded), then raises the form's OnCreate. Bounds, client sizes and
// font heights are written for 96 DPI; a form keeps them as its design layout and
// is laid out at its DPI before loading ends. A bad row (unknown class or
// parent, a duplicate name) raises EComponentError.
void BuildForm(TCustomForm& form, const TFormDescription& description);
// Builds the rows without the form's OnCreate (for a component other than a form).
void BuildComponents(TComponent& root, const TFormDescription& description);
