#include "widgets/IACheckControl.h"

#include <algorithm>

#include "framework/Handles.h"
#include "framework/ImageList.h"
#include "framework/OSError.h"
#include "framework/ScopeGuards.h"
#include "framework/Strings.h"

namespace {

bool SystemSmoothsTurnedText()
{
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;  // 148 bytes
    if (!GetVersionExA(&version))
        return false;
    if (version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS)
        return version.dwMajorVersion >= 4 && version.dwMinorVersion > 0;
    return version.dwPlatformId == VER_PLATFORM_WIN32_NT && version.dwMajorVersion >= 4;
}

}  // namespace

const bool AntialiasedFonts = SystemSmoothsTurnedText();

TIACheckControl::TIACheckControl(TComponent* owner)
    : TCustomControl(owner), lines_(std::make_unique<TStringList>())
{
    lines_->OnChange = TNotifyEvent(this, &TIACheckControl::LinesChanged);
    SetControlStyle(ControlStyle() | csOpaque);
    SetBounds(Left(), Top(), 80, 20);
    SetParentFont(false);
    Font()->SetName(L"Times New Roman");
    SetText(L"CheckText");
    SetTabStop(true);
    SetAutoSize(true);
}

TIACheckControl::~TIACheckControl()
{
    Destroying();
    lines_->OnChange = nullptr;
    lines_.reset();
}

// ---- settings ----

void TIACheckControl::SetChecked(bool checked)
{
    if (checked == checked_)
        return;
    checked_ = checked;
    TFreedWatch watch(this);
    if (checked && controlType_ == iacctSelect)
        UncheckGroup();
    if (!watch.Freed() && OnChangeState)
        OnChangeState(this, checked);
    if (watch.Freed())
        return;
    UpdateRegion();
    Invalidate();
}

void TIACheckControl::SetControlType(TIACheckControlType type)
{
    if (type == controlType_)
        return;
    controlType_ = type;
    TFreedWatch watch(this);
    if (checked_ && type == iacctSelect)
        UncheckGroup();
    if (watch.Freed())
        return;
    UpdateRegion();
    Invalidate();
}

void TIACheckControl::UncheckGroup()
{
    TWinControl* parent = Parent();
    if (!parent || !parent->HandleAllocated())
        return;
    // A copy: a sibling's handler may add or free controls.
    std::vector<TIACheckControl*> group;
    for (int i = 0; i < parent->ControlCount(); ++i) {
        auto* sibling = dynamic_cast<TIACheckControl*>(parent->Controls(i));
        if (sibling && sibling != this && sibling->controlType_ == iacctSelect && sibling->groupIndex_ == groupIndex_)
            group.push_back(sibling);
    }
    for (TIACheckControl* sibling : group) {
        // Only siblings still there, freed by no handler before their turn.
        for (int i = 0; i < parent->ControlCount(); ++i) {
            if (parent->Controls(i) == sibling) {
                sibling->SetChecked(false);
                break;
            }
        }
    }
}

void TIACheckControl::SetGroupIndex(uint32_t index)
{
    if (index == groupIndex_)
        return;
    groupIndex_ = index;
    ContentChanged();
}

void TIACheckControl::SetTextAngle(int angle)
{
    angle = NormalizeTextAngle(angle);
    if (angle == textAngle_)
        return;
    textAngle_ = angle;
    ContentChanged();
}

TStrings* TIACheckControl::TextLines() const { return lines_.get(); }

void TIACheckControl::SetTextLines(const TStrings* lines)
{
    // The text is taken first, so that the control's own list can be given.
    const std::wstring text = lines ? lines->Text() : std::wstring();
    lines_->Clear();
    if (lines)
        lines_->SetText(text);
    SetCaptionOnly(text);
    ContentChanged();
}

void TIACheckControl::SetStyle(TIACheckControlStyle style)
{
    if (style == style_)
        return;
    style_ = style;
    ContentChanged();
}

void TIACheckControl::SetImageList(TImageList* list)
{
    if (list == imageList_)
        return;
    if (imageList_)
        imageList_->RemoveFreeNotification(this);
    imageList_ = list;
    if (imageList_)
        imageList_->FreeNotification(this);
    Invalidate();
}

void TIACheckControl::Notification(TComponent* component, TOperation operation)
{
    TCustomControl::Notification(component, operation);
    if (operation == opRemove && component && component == imageList_) {
        imageList_ = nullptr;
        Invalidate();
    }
}

void TIACheckControl::SetGapTextToImage(uint8_t gap)
{
    if (gap == gap_)
        return;
    gap_ = gap;
    ContentChanged();
}

void TIACheckControl::SetTransparent(bool on)
{
    if (on == transparent_)
        return;
    transparent_ = on;
    ContentChanged();
}

void TIACheckControl::SetShowFocus(bool on)
{
    if (on == showFocus_)
        return;
    showFocus_ = on;
    Invalidate();
}

void TIACheckControl::SetText3DStyle(TIACheckControlText3DStyle style)
{
    if (style == text3DStyle_)
        return;
    text3DStyle_ = style;
    Invalidate();
}

void TIACheckControl::SetAutoSize(bool on)
{
    TCustomControl::SetAutoSize(on);
    UpdateRegion();
}

void TIACheckControl::SetCaptionOnly(std::wstring_view text)
{
    const TFlagScope captionOnly(captionOnly_);
    SetText(text);
}

// The caption is the text field: a new caption becomes the lines.
void TIACheckControl::TextChanged()
{
    if (captionOnly_)
        return;
    lines_->SetText(Text());
    ContentChanged();
}

void TIACheckControl::FontChanged()
{
    TCustomControl::FontChanged();
    ContentChanged();
}

void TIACheckControl::EnabledChanged()
{
    TCustomControl::EnabledChanged();
    ContentChanged();
}

void TIACheckControl::VisibleChanged()
{
    TCustomControl::VisibleChanged();
    Invalidate();
}

void TIACheckControl::ContentChanged()
{
    UpdateRegion();
    Invalidate();
}

void TIACheckControl::Assign(const TPersistent* source)
{
    const auto* from = dynamic_cast<const TIACheckControl*>(source);
    if (!from) {
        TCustomControl::Assign(source);
        return;
    }
    SetBounds(Left(), Top(), from->Width(), from->Height());
    SetColor(from->Color());
    SetAutoSize(from->AutoSize());
    SetFont(*from->Font());
    SetCaptionOnly(from->Text());
    lines_->SetText(from->lines_->Text());
    // Type and group are copied plainly; the state goes through SetChecked, so
    // the group and OnChangeState see it.
    controlType_ = from->controlType_;
    groupIndex_ = from->groupIndex_;
    TFreedWatch watch(this);
    SetChecked(from->checked_);
    if (watch.Freed())
        return;
    checkColor1_ = from->checkColor1_;
    checkColor2_ = from->checkColor2_;
    style_ = from->style_;
    textAlign_ = from->textAlign_;
    fieldHAlign_ = from->fieldHAlign_;
    fieldVAlign_ = from->fieldVAlign_;
    SetImageList(from->imageList_);
    gap_ = from->gap_;
    transparent_ = from->transparent_;
    SetTabStop(from->TabStop());
    showFocus_ = from->showFocus_;
    text3DStyle_ = from->text3DStyle_;
    ContentChanged();
}

// ---- geometry ----

std::vector<TIASize> TIACheckControl::MeasureLines() const
{
    std::vector<TIASize> sizes;
    const int count = lines_->Count();
    if (count == 0)
        return sizes;
    // The control's own font, unturned, on a context of the screen's kind.
    TOwnedMemoryDC dc(CreateCompatibleDC(nullptr));
    if (!dc)
        RaiseLastOSError();
    TSelectGuard font(dc.Get(), Font()->Handle());
    sizes.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        const std::wstring line = lines_->Get(i);
        SIZE size{};
        Win32Check(GetTextExtentPoint32W(dc.Get(), line.data(), static_cast<int>(line.size()), &size));
        sizes.push_back({size.cx, size.cy});
    }
    return sizes;
}

namespace {

TIASize BlockOf(const std::vector<TIASize>& lines)
{
    TIASize block;
    for (const TIASize& line : lines) {
        block.Width = std::max(block.Width, line.Width);
        block.Height += line.Height;
    }
    return block;
}

}  // namespace

TIASize TIACheckControl::GetCheckFieldSize() const
{
    switch (style_) {
    case iaccsBitmap:
        if (imageList_)
            return {imageList_->Width(), imageList_->Height()};
        return {20, 20};
    case iaccsStyle1Small:
    case iaccsStyle3:
        return {16, 16};
    case iaccsStyle1:
    case iaccsStyle2:
        break;
    }
    return {20, 20};
}

TIASize TIACheckControl::GetTextExtent() const { return BlockOf(MeasureLines()); }

TIACheckLayout TIACheckControl::Layout(const std::vector<TIASize>& lines) const
{
    return TIACheckLayout(textAngle_, BlockOf(lines), GetCheckFieldSize(), gap_, fieldHAlign_, fieldVAlign_);
}

TIAPoint TIACheckControl::GetLineOffset(int index) const
{
    const std::vector<TIASize> lines = MeasureLines();
    if (index < 0 || index >= static_cast<int>(lines.size()))
        return {0, 0};
    const TIASize block = BlockOf(lines);
    int dy = 0;
    for (int i = 0; i < index; ++i)
        dy += lines[static_cast<size_t>(i)].Height;
    const int dx = LineAlignOffset(textAlign_, block.Width, lines[static_cast<size_t>(index)].Width);
    return Layout(lines).Turn(dx, dy);
}

// ---- window ----

void TIACheckControl::CreateWnd()
{
    TCustomControl::CreateWnd();
    UpdateRegion();
}

void TIACheckControl::UpdateRegion()
{
    if (!HandleAllocated())
        return;
    if (!transparent_) {
        SetWindowRgn(Handle(), nullptr, TRUE);
        return;
    }
    const TIACheckLayout layout = Layout();
    const TIAPoint field = layout.CheckFieldOrigin();
    const TIASize size = GetCheckFieldSize();
    TOwnedRegion shape(CreateRectRgn(field.X, field.Y, field.X + size.Width, field.Y + size.Height));
    if (!shape)
        RaiseLastOSError();
    const TQuad quad = layout.TextQuad();
    POINT corners[4];
    for (size_t i = 0; i < quad.size(); ++i)
        corners[i] = {quad[i].X, quad[i].Y};
    TOwnedRegion text(CreatePolygonRgn(corners, 4, ALTERNATE));
    if (!text)
        RaiseLastOSError();
    if (CombineRgn(static_cast<HRGN>(shape.Get()), static_cast<HRGN>(shape.Get()), static_cast<HRGN>(text.Get()),
                   RGN_OR) == ERROR)
        RaiseLastOSError();
    // The window owns the region once the system took it.
    if (SetWindowRgn(Handle(), static_cast<HRGN>(shape.Get()), TRUE))
        shape.Release();
}

void TIACheckControl::UserToggle() { SetChecked(controlType_ == iacctCheck ? !checked_ : true); }

bool TIACheckControl::DoKeyUp(WORD& key, TShiftState shift)
{
    const bool handled = TCustomControl::DoKeyUp(key, shift);
    releasedKey_ = key;
    return handled;
}

void TIACheckControl::WndProc(TMessage& msg)
{
    switch (msg.Msg) {
    case WM_LBUTTONDOWN: {
        TFreedWatch watch(this);
        TCustomControl::WndProc(msg);
        if (watch.Freed() || !Enabled())
            return;
        UserToggle();
        if (!watch.Freed() && CanFocus())
            SetFocus();
        return;
    }
    case WM_LBUTTONDBLCLK:
        // The second press of a double click is a click like the first.
        Perform(WM_LBUTTONDOWN, 0, 0);
        return;
    case WM_KEYUP: {
        TFreedWatch watch(this);
        releasedKey_ = 0;
        TCustomControl::WndProc(msg);
        if (!watch.Freed() && Enabled() && releasedKey_ == VK_SPACE)
            UserToggle();
        return;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
        TFreedWatch watch(this);
        TCustomControl::WndProc(msg);
        if (!watch.Freed())
            Invalidate();
        return;
    }
    case WM_SIZE: {
        TFreedWatch watch(this);
        TCustomControl::WndProc(msg);
        if (!watch.Freed())
            UpdateRegion();
        return;
    }
    default:
        break;
    }
    TCustomControl::WndProc(msg);
}
