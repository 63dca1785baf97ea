#include "framework/FormDescription.h"

#include <algorithm>
#include <map>

#include "framework/ComboBox.h"
#include "framework/Dialogs.h"
#include "framework/Edits.h"
#include "framework/ExtCtrls.h"
#include "framework/Forms.h"
#include "framework/ImageList.h"
#include "framework/Menus.h"
#include "framework/ScopeGuards.h"
#include "framework/SpeedButton.h"
#include "framework/StdCtrls.h"
#include "framework/Timer.h"

namespace {

template <class T>
TComponent* Make(TComponent* owner)
{
    return new T(owner);
}

std::map<std::wstring, TComponentFactory, std::less<>>& Registry()
{
    static std::map<std::wstring, TComponentFactory, std::less<>> registry = {
        {L"TButton", &Make<TButton>},         {L"TCheckBox", &Make<TCheckBox>},
        {L"TRadioButton", &Make<TRadioButton>}, {L"TGroupBox", &Make<TGroupBox>},
        {L"TLabel", &Make<TLabel>},           {L"TEdit", &Make<TEdit>},
        {L"TMemo", &Make<TMemo>},             {L"TComboBox", &Make<TComboBox>},
        {L"TPanel", &Make<TPanel>},           {L"TImage", &Make<TImage>},
        {L"TSpeedButton", &Make<TSpeedButton>}, {L"TImageList", &Make<TImageList>},
        {L"TOpenDialog", &Make<TOpenDialog>}, {L"TSaveDialog", &Make<TSaveDialog>},
        {L"TPopupMenu", &Make<TPopupMenu>},   {L"TMenuItem", &Make<TMenuItem>},
        {L"TTimer", &Make<TTimer>},
    };
    return registry;
}

std::wstring Str(const wchar_t* s) { return s ? std::wstring(s) : std::wstring(); }

void ApplyFont(TFont& font, const TFontSpec& fontSpec)
{
    if (fontSpec.Name)
        font.SetName(fontSpec.Name);
    if (fontSpec.Height != 0)
        font.SetHeight(fontSpec.Height);
    font.SetStyle(fontSpec.Style);
    if (fontSpec.Color != clDefault)
        font.SetColor(fontSpec.Color);
}

void ApplyControlRow(TControl& control, const TDescriptionRow& row, bool isRoot)
{
    if (row.Bounds)
        control.SetBounds(row.Bounds->Left, row.Bounds->Top, row.Bounds->Width, row.Bounds->Height);
    if (row.Caption)
        control.SetCaption(row.Caption);
    if (row.Hint)
        control.SetHint(row.Hint);
    if (row.ShowHint)
        control.SetShowHint(*row.ShowHint);
    if (row.Anchors)
        control.SetAnchors(*row.Anchors);
    if (row.Font)
        ApplyFont(*control.Font(), *row.Font);
    if (row.Color)
        control.SetColor(*row.Color);
    if (row.Enabled)
        control.SetEnabled(*row.Enabled);
    if (!isRoot)
        control.SetVisible(row.Visible);
}

// A menu item row names the popup menu or item it belongs to as its parent.
void ApplyMenuItemRow(TMenuItem& item, const TDescriptionRow& row, TComponent& root)
{
    if (row.Bounds)
        throw EComponentError(Str(row.Name) + L" is a menu item and has no bounds");
    if (row.Caption)
        item.SetCaption(row.Caption);
    if (row.Enabled)
        item.SetEnabled(*row.Enabled);
    item.SetVisible(row.Visible);
    if (!row.Parent)
        throw EComponentError(L"Menu item " + Str(row.Name) + L" names no menu");
    TComponent* parent = root.FindComponent(row.Parent);
    if (auto* menu = dynamic_cast<TPopupMenu*>(parent))
        menu->Items()->Add(&item);
    else if (auto* owner = dynamic_cast<TMenuItem*>(parent))
        owner->Add(&item);
    else
        throw EComponentError(L"Parent " + Str(row.Parent) + L" of " + Str(row.Name) + L" is not a menu");
}

}  // namespace

void RegisterComponentClass(std::wstring_view className, TComponentFactory factory)
{
    if (className.empty() || !factory)
        throw EComponentError(L"A component class needs a name and a factory");
    Registry()[std::wstring(className)] = factory;
}

TComponentFactory FindComponentClass(std::wstring_view className)
{
    auto& r = Registry();
    auto it = r.find(className);
    return it == r.end() ? nullptr : it->second;
}

namespace {

// What the rows wrote, at 96 DPI: each named control's bounds and own font, and the root's.
TDesignLayout RecordLayout(TComponent& root, const std::vector<std::pair<TComponent*, const TDescriptionRow*>>& built)
{
    TDesignLayout layout;
    for (auto& [component, row] : built) {
        auto* control = dynamic_cast<TControl*>(component);
        if (!control)
            continue;
        if (component == &root) {
            layout.SetFontHeight(control->Font()->Height());
            if (row->ClientWidth || row->ClientHeight)
                layout.SetClientSize(row->ClientWidth, row->ClientHeight);
            continue;
        }
        if (control->Name().empty())
            continue;
        TDesignPlace place{control->Name(), row->Bounds, std::nullopt};
        if (!control->ParentFont())
            place.FontHeight = control->Font()->Height();
        layout.AddPlace(std::move(place));
    }
    return layout;
}

}  // namespace

void BuildComponents(TComponent& root, const TFormDescription& description)
{
    root.SetLoading(true);
    // Loading ends however the building ends: owned components first, then the root.
    const TScopeExit loading([&] { root.SetLoading(false); });
    std::vector<std::pair<TComponent*, const TDescriptionRow*>> built;
    std::vector<std::pair<TWinControl*, int>> tabOrders;
    for (const TDescriptionRow& row : description) {
        TComponent* component = &root;
        if (row.Class) {
            TComponentFactory factory = FindComponentClass(row.Class);
            if (!factory)
                throw EComponentError(L"Class " + Str(row.Class) + L" not found");
            component = factory(&root);
            component->SetLoading(true);
            if (row.Name)
                component->SetName(row.Name);
        } else if (row.Name && root.Name().empty()) {
            root.SetName(row.Name);
        }
        if (auto* control = dynamic_cast<TControl*>(component)) {
            if (component != &root) {
                TWinControl* parent = row.Parent ? FindComponentAs<TWinControl>(&root, row.Parent)
                                                 : dynamic_cast<TWinControl*>(&root);
                if (!parent)
                    throw EComponentError(L"Parent " + Str(row.Parent) + L" of " + Str(row.Name) +
                                          L" is not a windowed control of the form");
                control->SetParent(parent);
            }
            ApplyControlRow(*control, row, component == &root);
            if (auto* w = dynamic_cast<TWinControl*>(component); w && row.TabOrder >= 0 && component != &root)
                tabOrders.emplace_back(w, row.TabOrder);
        } else if (auto* item = dynamic_cast<TMenuItem*>(component)) {
            ApplyMenuItemRow(*item, row, root);
        } else if (row.Parent || row.Bounds || row.Caption) {
            throw EComponentError(Str(row.Name) + L" is not a control and has no parent, bounds or caption");
        }
        built.emplace_back(component, &row);
    }
    // Tab orders are placed lowest first, so each lands where its row says.
    std::stable_sort(tabOrders.begin(), tabOrders.end(),
                     [](const auto& a, const auto& b) { return a.second < b.second; });
    for (auto& [control, order] : tabOrders)
        control->SetTabOrder(order);
    for (auto& [component, row] : built) {
        for (const TBinder& bind : row->Events)
            if (bind)
                bind(*component, root);
        if (row->Setup)
            row->Setup(*component, root);
        // Last, so that a border set up above does not change the client area.
        auto* control = dynamic_cast<TControl*>(component);
        if (control && (row->ClientWidth || row->ClientHeight))
            control->SetClientSize(row->ClientWidth.value_or(control->ClientWidth()),
                                   row->ClientHeight.value_or(control->ClientHeight()));
    }
    // A form keeps its 96-DPI layout and takes its DPI's now, while anchors still wait.
    if (auto* form = dynamic_cast<TCustomForm*>(&root)) {
        form->SetDesignLayout(RecordLayout(root, built));
        if (form->CurrentDpi() != kDesignDpi)
            form->DesignLayout().Apply(*form, form->CurrentDpi());
    }
}

void BuildForm(TCustomForm& form, const TFormDescription& description)
{
    BuildComponents(form, description);
    form.DoCreate();
}
