#include "app/PictureWindow.h"

#include <algorithm>
#include <exception>
#include <vector>

#include "app/editor/MaskGrid.h"
#include "framework/CodePage.h"
#include "framework/Forms.h"
#include "gamedata/DefSprite.h"

namespace {

std::wstring Widen(const std::string& text) { return std::wstring(text.begin(), text.end()); }

}  // namespace

TPictureWindow::TPictureWindow(TCustomForm& main, TMaskGrid& grid, const std::vector<std::uint8_t>& currentBlock)
    : main_(main), grid_(grid), block_(currentBlock), files_(CurrentFolder())
{
    hasData_ = files_.HasData();
}

TPictureWindow::~TPictureWindow() = default;

void TPictureWindow::AddMenuItem()
{
    if (!hasData_ || menuAdded_ || !main_.HandleAllocated())
        return;
    HMENU menu = GetSystemMenu(main_.Handle(), FALSE);
    if (!menu)
        return;
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, kCmdPictureWindow, L"Picture");
    menuAdded_ = true;
    CheckMenuItem();
}

void TPictureWindow::NameChanged(const std::wstring& name)
{
    if (!hasData_ || (looked_ && name == name_))
        return;
    name_ = name;
    looked_ = false;
    // Read while the window is open; else when it may open (after a decode).
    if (wanted_)
        Refresh();
}

void TPictureWindow::Refresh()
{
    Look();
    if (form_)
        form_->ShowPicture(name_, result_ == TFindResult::Found ? &frame_ : nullptr, message_);
}

void TPictureWindow::Look()
{
    if (looked_)
        return;
    looked_ = true;
    frame_ = TSpriteFrame{};
    message_.clear();
    result_ = TFindResult::NotFound;
    if (!name_.empty()) {
        // A picture name is a file name in a source, never a path.
        const bool plainName = name_.find_first_of(L"\\/:") == std::wstring::npos;
        std::vector<std::uint8_t> bytes;
        std::string reason;
        try {
            result_ = plainName ? files_.Read(ToCodePage(name_), kMaxSpriteFileSize, bytes, reason)
                                : TFindResult::NotFound;
            if (result_ == TFindResult::Found && !DecodeSpriteFrame(bytes, frame_, reason)) {
                result_ = TFindResult::Unreadable;
                frame_ = TSpriteFrame{};
            }
        } catch (const std::exception& e) {
            // Whatever goes wrong, the window says so; no box interrupts the user.
            result_ = TFindResult::Unreadable;
            reason = e.what();
            frame_ = TSpriteFrame{};
        }
        if (result_ == TFindResult::NotFound)
            message_ = L"No picture named " + name_ + L" in Data";
        else if (result_ == TFindResult::Unreadable)
            message_ = L"The picture " + name_ + L" cannot be read: " + Widen(reason);
    }
}

void TPictureWindow::MasksChanged()
{
    if (form_)
        form_->ShowMasks(block_.empty() ? nullptr : &grid_.Masks());
}

void TPictureWindow::ObjectDecoded()
{
    if (!hasData_)
        return;
    MasksChanged();
    if (wanted_) {
        Refresh();
        return;
    }
    if (userClosed_)
        return;
    Look();
    if (!name_.empty() && result_ != TFindResult::NotFound)
        Open();
}

bool TPictureWindow::SystemCommand(TMessage& msg)
{
    if (!hasData_ || (msg.WParam & 0xFFF0) != kCmdPictureWindow)
        return false;
    msg.Result = 0;
    if (wanted_) {
        userClosed_ = true;
        Close();
    } else {
        userClosed_ = false;
        Open();
    }
    return true;
}

void TPictureWindow::MainWindowChanged() { UpdateVisibility(); }

TPictureForm& TPictureWindow::EnsureForm()
{
    if (!form_) {
        form_ = std::make_unique<TPictureForm>(nullptr, main_.Handle(), static_cast<IPictureFormHost&>(*this));
        MasksChanged();
    }
    return *form_;
}

void TPictureWindow::Open()
{
    TPictureForm& form = EnsureForm();
    Refresh();
    wanted_ = true;
    // Placed as it comes on the screen: the main window may not be there yet.
    if (!form.Visible())
        placePending_ = true;
    UpdateVisibility();
    CheckMenuItem();
}

void TPictureWindow::Close()
{
    wanted_ = false;
    UpdateVisibility();
    CheckMenuItem();
}

void TPictureWindow::UpdateVisibility()
{
    if (!form_)
        return;
    const bool mainShown =
        main_.HandleAllocated() && IsWindowVisible(main_.Handle()) && !IsIconic(main_.Handle());
    const bool show = wanted_ && mainShown;
    if (show && placePending_) {
        placePending_ = false;
        Place();
    }
    form_->SetVisible(show);
}

void TPictureWindow::CheckMenuItem()
{
    if (!menuAdded_)
        return;
    if (HMENU menu = GetSystemMenu(main_.Handle(), FALSE))
        ::CheckMenuItem(menu, kCmdPictureWindow, MF_BYCOMMAND | (wanted_ ? MF_CHECKED : MF_UNCHECKED));
}

void TPictureWindow::Place()
{
    RECT mainRect{};
    if (!GetWindowRect(main_.Handle(), &mainRect))
        return;
    int left = mainRect.right;
    int top = mainRect.top;
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (GetMonitorInfoW(MonitorFromWindow(main_.Handle(), MONITOR_DEFAULTTONEAREST), &monitor)) {
        const RECT& work = monitor.rcWork;
        left = std::max<int>(work.left, std::min<int>(left, work.right - form_->Width()));
        top = std::max<int>(work.top, std::min<int>(top, work.bottom - form_->Height()));
    }
    form_->SetBounds(left, top, form_->Width(), form_->Height());
}

void TPictureWindow::PicturePress(int row, int column, TMouseButton button)
{
    grid_.PressCell(row, column, button);
    MasksChanged();
}

void TPictureWindow::PictureMove(int row, int column, TShiftState shift)
{
    grid_.MoveOverCell(row, column, shift);
    MasksChanged();
}

void TPictureWindow::PictureClosed()
{
    userClosed_ = true;
    Close();
}
