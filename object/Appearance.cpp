#include "object/Appearance.h"

#include <algorithm>
#include <vector>

#include "object/ObjectBlock.h"

namespace {

constexpr wchar_t kTypeBox[] = L"ComboBox3";
constexpr wchar_t kSubtypeBox[] = L"ComboBox4";

// Puts the state back when a handler ends, also when it ends with an error, so
// that a failure never leaves the group stuck in one state.
class TStateReset {
public:
    TStateReset(TAppearanceState& state, TAppearanceState from) : state_(state), from_(from) {}
    ~TStateReset()
    {
        if (state_ == from_)
            state_ = asIdle;
    }
    TStateReset(const TStateReset&) = delete;
    TStateReset& operator=(const TStateReset&) = delete;

private:
    TAppearanceState& state_;
    TAppearanceState from_;
};

}  // namespace

TAppearance::TAppearance(const TObjectCatalogue& catalogue, IAppearanceControls& controls)
    : catalogue_(catalogue), controls_(controls)
{
}

void TAppearance::RefreshPictureList()
{
    if (state_ != asPictureDriven)
        state_ = asListDriven;
    const TStateReset reset(state_, asListDriven);

    TMyPic query{{}, kAnyValue, kAnyValue};
    if (const TBoxNumber type = ReadBoxNumber(controls_.Text(kTypeBox)); !type.Bad) {
        query.Type = type.Value;
        if (const TBoxNumber subtype = ReadBoxNumber(controls_.Text(kSubtypeBox)); !subtype.Bad)
            query.Subtype = subtype.Value;
    }
    if (query.Type == last_.Type && query.Subtype == last_.Subtype)
        return;

    std::vector<std::string_view> names;
    for (int next = 0;;) {
        TMyPic match = query;
        next = catalogue_.Find(match, next);
        if (next < 0)
            break;
        names.push_back(catalogue_.Entries()[static_cast<size_t>(next - 1)].Name);
    }
    controls_.SetPictureList(names);
    last_ = query;

    const std::string picture = controls_.PictureName();
    if (std::find(names.begin(), names.end(), picture) != names.end()) {
        last_.Name = picture;
        return;
    }
    if (!names.empty() && query.Type != kAnyValue) {
        if (state_ == asListDriven)
            controls_.SetPictureName(names.front());
        last_.Name = controls_.PictureName();
    }
}

void TAppearance::PictureNameChanged()
{
    if (state_ == asListDriven)
        return;
    TMyPic found{controls_.PictureName(), kAnyValue, kAnyValue};
    if (found.Name == last_.Name)
        return;

    state_ = asPictureDriven;
    const TStateReset reset(state_, asPictureDriven);
    if (catalogue_.Find(found, 0) < 0)
        return;
    controls_.SelectByValue(kTypeBox, found.Type);
    // The subtype goes in before the type's change handler runs: the handler
    // rebuilds the subtype list keeping the number, and lists the pictures of
    // the found type and subtype, the siblings of this picture.
    controls_.SelectByValue(kSubtypeBox, found.Subtype);
    controls_.RunChange(kTypeBox);
    controls_.SelectByValue(kSubtypeBox, found.Subtype);
    last_ = found;
}

void TAppearance::CopyPicture() { stored_ = controls_.PictureName(); }

void TAppearance::PastePicture()
{
    if (!stored_.empty())
        controls_.SetPictureName(stored_);
}
