// The appearance group's rules against a stand-in window: the picture list that
// follows the appearance boxes, and a known picture name that sets them.
#include <gtest/gtest.h>

#include <map>
#include <stdexcept>

#include "object/Appearance.h"

namespace {

// Boxes hold plain texts; select by value writes the number; the appearance
// type's change handler refreshes the list as the window's does.
class TStandInWindow : public IAppearanceControls {
public:
    std::string Picture;
    std::vector<std::string> List;
    std::map<std::wstring, std::wstring, std::less<>> Boxes{{L"ComboBox3", L"0  <none>"}, {L"ComboBox4", L""}};
    int ListBuilds = 0;
    TAppearance* Appearance = nullptr;
    bool FailTypeChange = false;

    std::string PictureName() const override { return Picture; }
    void SetPictureName(std::string_view bytes) override { Picture = bytes; }
    void SetPictureList(std::span<const std::string_view> names) override
    {
        List.assign(names.begin(), names.end());
        ++ListBuilds;
    }
    std::wstring Text(std::wstring_view name) const override { return Boxes.find(name)->second; }
    void SelectByValue(std::wstring_view name, int32_t value) override
    {
        Boxes.find(name)->second = std::to_wstring(value);
    }
    void RunChange(std::wstring_view name) override
    {
        if (FailTypeChange)
            throw std::runtime_error("handler failed");
        if (name == L"ComboBox3")
            Appearance->RefreshPictureList();
    }
};

class AppearanceTest : public ::testing::Test {
protected:
    AppearanceTest()
    {
        for (TMyPic e : std::vector<TMyPic>{
                 {"Shared", 5, 1}, {"AVWangl0", 54, 12}, {"AVWpike", 54, 0}, {"Shared", 54, 12}, {"AVWangl1", 54, 12}})
            catalogue.Add(e);
        window.Appearance = &appearance;
    }

    // The user picks an appearance type and subtype.
    void Choose(const wchar_t* type, const wchar_t* subtype)
    {
        window.Boxes[L"ComboBox3"] = type;
        window.Boxes[L"ComboBox4"] = subtype;
        appearance.RefreshPictureList();
    }
    // The user types a picture name.
    void Type(const std::string& name)
    {
        window.Picture = name;
        appearance.PictureNameChanged();
    }

    TAsciiCollation collation;
    TObjectCatalogue catalogue{collation};
    TStandInWindow window;
    TAppearance appearance{catalogue, window};
};

TEST_F(AppearanceTest, ListFollowsTypeAndSubtype)
{
    // Listed in file order; a picture among them stays.
    window.Picture = "AVWangl1";
    Choose(L"54  Monster", L"12  Angel");
    EXPECT_EQ(window.List, (std::vector<std::string>{"AVWangl0", "Shared", "AVWangl1"}));
    EXPECT_EQ(window.Picture, "AVWangl1");
    EXPECT_EQ(appearance.State(), asIdle);

    // Another subtype: the picture gives way to the first one listed.
    Choose(L"54  Monster", L"0  Pikeman");
    EXPECT_EQ(window.List, std::vector<std::string>{"AVWpike"});
    EXPECT_EQ(window.Picture, "AVWpike");

    // The same type and subtype again do not rebuild the list or touch the name.
    window.Picture = "typed";
    const int builds = window.ListBuilds;
    Choose(L"54", L"0");
    EXPECT_EQ(window.ListBuilds, builds);
    EXPECT_EQ(window.Picture, "typed");

    // A type that is no number lists every picture and keeps the name.
    Choose(L"99999999999", L"0");
    EXPECT_EQ(window.List.size(), 5u);
    EXPECT_EQ(window.Picture, "typed");
}

TEST_F(AppearanceTest, KnownPictureNameSetsTheBoxes)
{
    // Typed in another case: the boxes take the catalogue's type and subtype,
    // the list shows its siblings, and the name stays as typed.
    Type("avwANGL1");
    EXPECT_EQ(window.Boxes[L"ComboBox3"], L"54");
    EXPECT_EQ(window.Boxes[L"ComboBox4"], L"12");
    EXPECT_EQ(window.List, (std::vector<std::string>{"AVWangl0", "Shared", "AVWangl1"}));
    EXPECT_EQ(window.Picture, "avwANGL1");
    EXPECT_EQ(appearance.LastQuery(), (TMyPic{"AVWangl1", 54, 12}));
    EXPECT_EQ(appearance.State(), asIdle);

    // A name two entries share takes the one read first.
    Type("shared");
    EXPECT_EQ(window.Boxes[L"ComboBox3"], L"5");
    EXPECT_EQ(window.Boxes[L"ComboBox4"], L"1");
    EXPECT_EQ(window.List, std::vector<std::string>{"Shared"});

    // An unknown name changes nothing.
    const int builds = window.ListBuilds;
    Type("Unknown");
    EXPECT_EQ(window.Boxes[L"ComboBox3"], L"5");
    EXPECT_EQ(window.ListBuilds, builds);
    EXPECT_EQ(window.Picture, "Unknown");

    // A failing handler leaves the group idle, so the next name is looked up.
    window.FailTypeChange = true;
    EXPECT_THROW(Type("AVWpike"), std::runtime_error);
    EXPECT_EQ(appearance.State(), asIdle);
    window.FailTypeChange = false;
    Type("AVWPIKE");
    EXPECT_EQ(window.Boxes[L"ComboBox4"], L"0");
}

}  // namespace
