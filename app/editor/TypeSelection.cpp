#include "app/editor/TypeSelection.h"

#include <string>

#include "controls/KdStringer.h"
#include "controls/KdSysUtils.h"
#include "framework/ComboBox.h"
#include "framework/Exceptions.h"
#include "framework/ScopeGuards.h"
#include "object/ObjectBlock.h"

namespace {

const TKdStringer& List(const TComponent& root, const wchar_t* name)
{
    const auto* list = FindComponentAs<TKdStringer>(&root, name);
    if (!list)
        throw EComponentError(L"The window has no value list \"" + std::wstring(name) + L"\"");
    return *list;
}

// The lines of a hint list joined into one hint, first line first.
std::wstring JoinedLines(const TStrings& lines)
{
    std::wstring text;
    for (int i = 0; i < lines.Count(); ++i) {
        if (i > 0)
            text += L"\r\n";
        text += lines.Get(i);
    }
    return text;
}

}  // namespace

TTypeSelection::TTypeSelection(const TComponent& root) : root_(root) {}

void TTypeSelection::FillBox(TCustomCombo& box, const TKdStringer& list, bool keepValue)
{
    box.SetTag(list.Tag());
    TStrings& items = *box.Items();
    {
        const TUpdateScope update(items);
        items.Clear();
        for (int i = 0; i < list.Items().Count(); ++i)
            items.Add(list.Items().Get(i));
    }
    if (keepValue) {
        if (const TBoxNumber n = ReadBoxNumber(box.Text()); !n.Bad)
            SelectByValue(box, n.Value);
    }
}

void TTypeSelection::SelectByValue(TCustomCombo& box, int32_t value)
{
    TStrings& items = *box.Items();
    if (box.Tag() != 0) {
        // Number mode: the first entry that starts with the value.
        for (int i = 0; i < items.Count(); ++i) {
            if (ReadBoxNumber(items.Get(i)).Value == value) {
                box.SetItemIndex(i);
                box.SetText(items.Get(i));
                return;
            }
        }
    } else if (value >= 0 && value < items.Count()) {
        // Index mode: entry v stands for value v.
        box.SetItemIndex(value);
        box.SetText(items.Get(value));
        return;
    }
    box.SetItemIndex(-1);
    box.SetText(std::to_wstring(value));
}

void TTypeSelection::RebuildSubtypes(const TCustomCombo& typeBox, TCustomCombo& subtypeBox) const
{
    subtypeBox.Items()->Clear();
    const TBoxNumber type = ReadBoxNumber(typeBox.Text());
    const TStrings& table = List(root_, L"ListSubtypes").Items();
    for (int line = 0; !type.Bad && line < table.Count(); ++line) {
        const std::wstring entry = table.Get(line);
        const TBoxNumber number = ReadBoxNumber(entry);
        if (number.Value != type.Value)
            continue;
        // A faulty table line is reported and ends the search; the subtype shown
        // is still matched below.
        if (number.Bad) {
            MsgBox(L"Internal Error: Wrong list " + std::to_wstring(line));
        } else if (const size_t tab = entry.find(L'\t'); tab == std::wstring::npos) {
            MsgBox(L"Internal Error: Wrong List End " + std::to_wstring(line));
        } else {
            const std::wstring suffix = entry.substr(tab + 1);
            const auto* list = FindComponentAs<TKdStringer>(&root_, L"List" + suffix);
            if (!list) {
                MsgBox(L"Internal Error: No List" + suffix);
            } else {
                FillBox(subtypeBox, *list, false);
                // Without a hint list the box keeps the hint it had.
                const auto* hints = FindComponentAs<TKdStringer>(&root_, L"Hint" + suffix);
                if (hints && hints->Items().Count() > 0)
                    subtypeBox.SetHint(JoinedLines(hints->Items()));
            }
        }
        break;
    }
    // The subtype shown is matched to the new list, or reduced to its number.
    if (const TBoxNumber subtype = ReadBoxNumber(subtypeBox.Text()); !subtype.Bad)
        SelectByValue(subtypeBox, subtype.Value);
}

void TTypeSelection::FillTypeBox(TCustomCombo& box, bool alphabetical) const
{
    FillBox(box, List(root_, alphabetical ? L"ListTypesA" : L"ListTypes"), true);
}

void TTypeSelection::StepNumber(TCustomCombo& box, WORD key)
{
    if (box.Items()->Count() != 0 || (key != VK_UP && key != VK_DOWN))
        return;
    const TBoxNumber n = ReadBoxNumber(box.Text());
    if (n.Bad)
        return;
    // Steps wrap around in 32 bits, as the block stores the number.
    const auto value = static_cast<uint32_t>(n.Value);
    if (key == VK_UP && n.Value != 0)
        box.SetText(std::to_wstring(static_cast<int32_t>(value - 1u)));
    else if (key == VK_DOWN)
        box.SetText(std::to_wstring(static_cast<int32_t>(value + 1u)));
}

bool TTypeSelection::RealignOnKey(TCustomCombo& box, TMessage& msg, const TWndMethod& next)
{
    if (msg.Msg != WM_KEYDOWN && !(msg.Msg == WM_CHAR && msg.WParam == VK_RETURN))
        return false;
    // Enter and Escape close an open list when they reach the box window as a
    // key press. Enter typed into the text field comes as a character instead
    // (the text field would pass it on as that key press, but it is kept from
    // the text field here), so the box is given the key press itself.
    if (box.DroppedDown() && next) {
        if (msg.Msg == WM_KEYDOWN && (msg.WParam == VK_RETURN || msg.WParam == VK_ESCAPE)) {
            next(msg);
        } else if (msg.Msg == WM_CHAR) {
            TMessage close{};
            close.Msg = WM_KEYDOWN;
            close.WParam = VK_RETURN;
            next(close);
        }
    }
    if (const TBoxNumber n = ReadBoxNumber(box.Text()); !n.Bad)
        SelectByValue(box, n.Value);
    return true;
}
