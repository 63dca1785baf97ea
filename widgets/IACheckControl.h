#pragma once
// The image check control: a check box or radio button whose check mark is
// vector art in one of four looks or a picture from an image list, beside a block
// of text lines that may be turned by any angle and drawn flat, raised or sunken.
// Its window can be shaped to exactly the check field and the text.
#include <memory>
#include <vector>

#include "framework/Controls.h"
#include "widgets/IACheckLayout.h"
#include "widgets/IACheckTypes.h"

class TImageList;
class TStringList;
class TStrings;

// True where the system smooths turned text (Windows 98/ME and NT 4 on), decided
// once at start from the system's version.
extern const bool AntialiasedFonts;

// Gives `font` a turned copy of itself: escapement and orientation set to angle
// (tenths of a degree), smoothed where AntialiasedFonts says so.
void RotateFont(TFont& font, int angle);

class TIACheckControl : public TCustomControl {
    CLASS_INFO(TIACheckControl, TCustomControl)

public:
    explicit TIACheckControl(TComponent* owner);
    ~TIACheckControl() override;

    // Copies another image check control's settings; the text angle, the enabled
    // and visible states and OnChangeState stay. Any other source is refused.
    void Assign(const TPersistent* source) override;

    // Setting the state of a radio control unchecks the radio siblings of its group
    // first; OnChangeState follows every change.
    bool Checked() const { return checked_; }
    void SetChecked(bool checked);
    TIACheckControlType ControlType() const { return controlType_; }
    void SetControlType(TIACheckControlType type);
    uint32_t GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(uint32_t index);

    // Tenths of a degree, counter-clockwise, kept in -1799 ... 1800.
    int TextAngle() const { return textAngle_; }
    void SetTextAngle(int angle);
    // The lines of the text field; changing them updates the control.
    TStrings* TextLines() const;
    // Copies the lines of `lines` (none: empties them) and makes them the caption.
    void SetTextLines(const TStrings* lines);

    TIACheckControlStyle Style() const { return style_; }
    void SetStyle(TIACheckControlStyle style);
    // The pictures of the picture style; not owned, and forgotten when it is freed.
    TImageList* ImageList() const { return imageList_; }
    void SetImageList(TImageList* list);
    uint8_t GapTextToImage() const { return gap_; }
    void SetGapTextToImage(uint8_t gap);
    // The window is shaped to the check field and the text.
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool on);
    bool ShowFocus() const { return showFocus_; }
    void SetShowFocus(bool on);
    void SetText3DStyle(TIACheckControlText3DStyle style);
    // The control takes its needed size when it next paints.
    void SetAutoSize(bool on) override;

    TIACheckControlChangeStateProcedure OnChangeState;

    void Notification(TComponent* component, TOperation operation) override;

    // Geometry in client pixels, from the current settings and font.
    TIASize GetCheckFieldSize() const;
    // The unturned text block: the widest line by the sum of the line heights.
    TIASize GetTextExtent() const;
    TIAPoint GetTextFieldOrigin() const { return Layout().TextFieldOrigin(); }
    TIAPoint GetRotationOffset() const { return Layout().RotationOffset(); }
    // Line i's offset from the block's top-left corner, turned; (0, 0) past the end.
    TIAPoint GetLineOffset(int index) const;
    TIASize GetNeededSize() const { return Layout().NeededSize(); }

protected:
    void CreateWnd() override;
    void WndProc(TMessage& msg) override;
    void Paint() override;
    // Sizing happens while painting; the library's own step does nothing here.
    void AdjustSize() override {}
    bool DoKeyUp(WORD& key, TShiftState shift) override;
    void TextChanged() override;
    void FontChanged() override;
    void EnabledChanged() override;
    void VisibleChanged() override;

private:
    // The sizes of the text lines in the control's font.
    std::vector<TIASize> MeasureLines() const;
    TIACheckLayout Layout(const std::vector<TIASize>& lines) const;
    TIACheckLayout Layout() const { return Layout(MeasureLines()); }
    // Shapes the window to the check field and the text quadrilateral.
    void UpdateRegion();
    void ContentChanged();
    void LinesChanged(TObject*) { ContentChanged(); }
    // Unchecks the radio siblings of the same group (only while the parent has a window).
    void UncheckGroup();
    // A click or the space bar: a check box toggles, a radio control checks.
    void UserToggle();
    // Sets the caption without splitting it into the lines again.
    void SetCaptionOnly(std::wstring_view text);

    // Painting (IACheckControlPaint.cpp).
    void PaintText(const TIACheckLayout& layout, const std::vector<TIASize>& lines);
    void DrawFocusFrame(const TIACheckLayout& layout);
    void DrawCheckField(const TIACheckLayout& layout);

    int textAngle_ = 0;
    TIACheckControlType controlType_ = iacctCheck;
    std::unique_ptr<TStringList> lines_;
    uint32_t groupIndex_ = 0;
    bool checked_ = false;
    TColor checkColor1_ = 0x808080;
    TColor checkColor2_ = 0xC0C0C0;
    TIACheckControlStyle style_ = iaccsStyle1Small;
    TIACheckControlTextHAlign textAlign_ = iaccthaLeft;
    TIACheckControlTextHAlign fieldHAlign_ = iaccthaLeft;
    TIACheckControlTextVAlign fieldVAlign_ = iacctvaTop;
    TImageList* imageList_ = nullptr;  // not owned
    uint8_t gap_ = 4;
    bool transparent_ = true;
    bool showFocus_ = true;
    TIACheckControlText3DStyle text3DStyle_ = iscct3dsSimple;
    bool captionOnly_ = false;  // a caption set that leaves the lines alone
    WORD releasedKey_ = 0;      // the key of the WM_KEYUP in progress, after OnKeyUp
};
