#pragma once
// Object blocks as the map editor makes them, built from named fields, and a
// window stand-in that only keeps what the object codec tells it.
#include <array>
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "object/ObjectControls.h"

namespace testblocks {

// The fields of a block; the defaults are a monster on Dirt and Grass.
struct TBlockFields {
    std::string Name = "AVWmrnd0";
    std::array<uint8_t, 6> Pass = {0x81, 0xFF, 0xFF, 0xFF, 0xFF, 0x00};
    std::array<uint8_t, 6> Act = {0x01, 0, 0, 0, 0, 0x10};
    uint8_t Terrains = 0x05;  // Dirt, Grass
    uint8_t Water = 0xFF;
    uint8_t EditorTerrains = 0x81;  // Dirt, Lava
    uint8_t EditorWater = 0;
    int32_t Type = 54;
    int32_t Subtype = 3;
    uint8_t Page = 2;  // Monsters
    uint8_t Ground = 1;
    size_t Size = 300;  // the whole block; the bytes after the fields are its tail
    // Byte i of the block before the fields are written: a recognisable tail.
    uint8_t (*Fill)(size_t i) = [](size_t i) { return static_cast<uint8_t>(0x30 + i * 7); };
};

// The size of a block with this name and no tail.
inline size_t HeadSize(const std::string& name) { return 4 + name.size() + 26; }

inline void PutInt(std::vector<uint8_t>& b, size_t at, int32_t v)
{
    const auto u = static_cast<uint32_t>(v);
    for (int i = 0; i < 4; ++i)
        b[at + static_cast<size_t>(i)] = static_cast<uint8_t>(u >> (8 * i));
}

inline std::vector<uint8_t> MakeBlock(const TBlockFields& s)
{
    std::vector<uint8_t> b(s.Size);
    for (size_t i = 0; i < b.size(); ++i)
        b[i] = s.Fill(i);
    PutInt(b, 0, static_cast<int32_t>(s.Name.size()));
    std::copy(s.Name.begin(), s.Name.end(), b.begin() + 4);
    const size_t at = 4 + s.Name.size();
    std::copy(s.Pass.begin(), s.Pass.end(), b.begin() + static_cast<std::ptrdiff_t>(at));
    std::copy(s.Act.begin(), s.Act.end(), b.begin() + static_cast<std::ptrdiff_t>(at + 6));
    b[at + 12] = s.Terrains;
    b[at + 13] = s.Water;
    b[at + 14] = s.EditorTerrains;
    b[at + 15] = s.EditorWater;
    PutInt(b, at + 16, s.Type);
    PutInt(b, at + 20, s.Subtype);
    b[at + 24] = s.Page;
    b[at + 25] = s.Ground;
    return b;
}

// The main window as plain values: the controls of the form's description by
// name, type and subtype boxes showing the bare number, and a log of the steps.
class TFakeObjectControls : public IObjectControls {
public:
    TFakeObjectControls()
    {
        for (int i = 1; i <= 18; ++i)
            names.insert(L"IACheckControl" + std::to_wstring(i));
        for (int i = 8; i <= 13; ++i)
            names.insert(L"RadioButton" + std::to_wstring(i));
        names.insert(L"CheckBox17");
    }

    std::vector<uint8_t>& CurrentBlock() override { return block; }
    TMaskStore& Masks() override { return masks; }
    std::string PictureName() const override { return name; }
    void SetPictureName(std::string_view bytes) override
    {
        name = std::string(bytes.substr(0, bytes.find('\0')));
        log.push_back(L"name");
    }
    std::wstring Text(std::wstring_view box) const override
    {
        auto it = texts.find(std::wstring(box));
        return it == texts.end() ? L"" : it->second;
    }
    void SelectByValue(std::wstring_view box, int32_t value) override
    {
        texts[std::wstring(box)] = std::to_wstring(value);
        log.push_back(L"select " + std::wstring(box));
    }
    void RunChange(std::wstring_view box) override { log.push_back(L"change " + std::wstring(box)); }
    bool Exists(std::wstring_view control) const override { return names.count(std::wstring(control)) != 0; }
    bool Checked(std::wstring_view control) const override
    {
        auto it = checked.find(std::wstring(control));
        return it != checked.end() && it->second;
    }
    void SetChecked(std::wstring_view control, bool on) override
    {
        std::wstring key(control);
        // The page buttons form one radio group.
        if (on && key.rfind(L"RadioButton", 0) == 0)
            for (int i = 8; i <= 13; ++i)
                checked[L"RadioButton" + std::to_wstring(i)] = false;
        checked[key] = on;
        if (key == L"IACheckControl1" || key == L"RadioButton8" || key == L"CheckBox17")
            log.push_back(L"check " + key);
    }
    void RepaintGrid() override { log.push_back(L"grid"); }
    void ShowGroups() override
    {
        shown = true;
        log.push_back(L"show");
    }
    void HideGroups() override { shown = false; }
    bool ObjectShown() const override { return shown; }

    std::vector<uint8_t> block;
    TMaskStore masks;
    std::string name;
    std::map<std::wstring, std::wstring> texts;
    std::map<std::wstring, bool> checked;
    std::set<std::wstring> names;
    std::vector<std::wstring> log;
    bool shown = false;
};

}  // namespace testblocks
