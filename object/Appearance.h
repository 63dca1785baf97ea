#pragma once
// The "Appearance" group's help in choosing a picture: the picture list follows
// the appearance type and subtype, a picture name that the catalogue knows sets
// the appearance type and subtype, and "Copy"/"Paste" keep a picture name of
// their own. The window is reached only through the interface below, which the
// main form implements. Platform-neutral.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "object/Catalogue.h"

// The main window as the appearance group sees it.
class IAppearanceControls {
public:
    virtual ~IAppearanceControls() = default;

    // The picture name box ("ComboName") as 8-bit bytes of the system code page.
    virtual std::string PictureName() const = 0;
    virtual void SetPictureName(std::string_view bytes) = 0;
    // Replaces the lines of the picture box's list in one batch; its text stays.
    virtual void SetPictureList(std::span<const std::string_view> names) = 0;

    // Text of a box, select by value and a box's change handler, by component name.
    virtual std::wstring Text(std::wstring_view name) const = 0;
    virtual void SelectByValue(std::wstring_view name, int32_t value) = 0;
    virtual void RunChange(std::wstring_view name) = 0;
};

enum TAppearanceState {
    asIdle = 0,
    asPictureDriven = 1,  // a picture's type and subtype are being applied
    asListDriven = 2,     // the list follows a change of the appearance type or subtype
};

class TAppearance {
public:
    // Both outlive this object.
    TAppearance(const TObjectCatalogue& catalogue, IAppearanceControls& controls);

    // Lists the catalogue's pictures of the type and subtype that the appearance
    // boxes show (every picture when the type is not a number). A list built for
    // the same type and subtype is kept. Driven by the lists, a picture name that
    // is not listed gives way to the first one listed.
    void RefreshPictureList();
    // The picture name changed: a name that the catalogue knows (without regard
    // to case; the first entry of that name) shows its type and subtype in the
    // appearance boxes and lists its siblings; the name stays as typed.
    void PictureNameChanged();
    // "Copy" keeps the picture name; "Paste" puts a kept name back.
    void CopyPicture();
    void PastePicture();

    TAppearanceState State() const { return state_; }
    // The name, type and subtype for which the picture list was last built.
    const TMyPic& LastQuery() const { return last_; }

private:
    const TObjectCatalogue& catalogue_;
    IAppearanceControls& controls_;
    TAppearanceState state_ = asIdle;
    TMyPic last_{{}, -2147483647, -2147483647};
    std::string stored_;
};
