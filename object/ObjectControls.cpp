#include "object/ObjectControls.h"

namespace {

constexpr wchar_t kPictureBox[] = L"ComboName";
constexpr wchar_t kTypeBox[] = L"ComboBox1";
constexpr wchar_t kSubtypeBox[] = L"ComboBox2";
constexpr wchar_t kGroundBox[] = L"CheckBox17";

}  // namespace

std::wstring TerrainControlName(int index) { return L"IACheckControl" + std::to_wstring(index + 1); }

std::wstring EditorTerrainControlName(int index) { return L"IACheckControl" + std::to_wstring(index + 10); }

std::wstring PageButtonName(unsigned page) { return L"RadioButton" + std::to_wstring(page + 8); }

bool DecodeIntoControls(IObjectControls& controls)
{
    std::vector<uint8_t>& block = controls.CurrentBlock();
    const auto fields = DecodeObjectBlock(block);
    if (!fields) {
        block.clear();
        return false;
    }

    // The order matters: the picture name's handler sets the appearance boxes, and
    // the type box's handler rebuilds the subtype list that the subtype is then
    // matched against.
    controls.SetPictureName(fields->Name);
    controls.RunChange(kPictureBox);

    controls.Masks() = fields->Masks;

    for (int i = 0; i < 8; ++i)
        controls.SetChecked(TerrainControlName(i), (fields->Terrains >> i) & 1);
    controls.SetChecked(TerrainControlName(8), fields->Water & 1);
    for (int i = 0; i < 8; ++i)
        controls.SetChecked(EditorTerrainControlName(i), (fields->EditorTerrains >> i) & 1);
    controls.SetChecked(EditorTerrainControlName(8), fields->EditorWater & 1);

    controls.SelectByValue(kTypeBox, fields->Type);
    controls.RunChange(kTypeBox);
    controls.SelectByValue(kSubtypeBox, fields->Subtype);

    // A page without a button leaves none checked: checking the first and taking
    // it back clears the others of the group.
    const std::wstring page = PageButtonName(fields->Page);
    if (controls.Exists(page)) {
        controls.SetChecked(page, true);
    } else {
        controls.SetChecked(PageButtonName(0), true);
        controls.SetChecked(PageButtonName(0), false);
    }

    controls.SetChecked(kGroundBox, fields->Ground != 0);
    controls.RepaintGrid();
    controls.ShowGroups();
    return true;
}

std::wstring ValidateControls(const IObjectControls& controls)
{
    return ValidationMessage(ReadBoxNumber(controls.Text(kTypeBox)).Bad, ReadBoxNumber(controls.Text(kSubtypeBox)).Bad,
                             controls.PictureName().size());
}

TObjectValues ValuesFromControls(IObjectControls& controls)
{
    TObjectValues v;
    v.Name = controls.PictureName();
    v.Masks = controls.Masks();
    for (int i = 0; i < 9; ++i) {
        v.Terrains[static_cast<std::size_t>(i)] = controls.Checked(TerrainControlName(i));
        v.EditorTerrains[static_cast<std::size_t>(i)] = controls.Checked(EditorTerrainControlName(i));
    }
    v.Type = ReadBoxNumber(controls.Text(kTypeBox)).Value;
    v.Subtype = ReadBoxNumber(controls.Text(kSubtypeBox)).Value;
    v.Page = kNoPage;
    for (unsigned page = 0; page < kPageCount; ++page) {
        if (controls.Checked(PageButtonName(page))) {
            v.Page = static_cast<uint8_t>(page);
            break;
        }
    }
    v.Ground = controls.Checked(kGroundBox);
    return v;
}

std::size_t EncodeFromControls(IObjectControls& controls, std::span<uint8_t, kObjectBlockSize> buffer)
{
    // The values are taken before the tail moves, in case buffer is the current block.
    const TObjectValues values = ValuesFromControls(controls);
    return EncodeObjectBlock(values, controls.CurrentBlock(), buffer);
}
