#pragma once
// The main window's side of the picture window: the game's files it looks the
// picture up in (kept for the run), the picture of the name the picture box
// shows (read and decoded only when the name changes), when the window opens
// and hides, and the "Picture" item of the main window's system menu. Without a
// Data folder it does nothing at all.
#include <memory>
#include <string>

#include "app/PictureForm.h"
#include "gamedata/GameFiles.h"

class TCustomForm;
class TMaskGrid;

// The "Picture" item of the main window's system menu.
inline constexpr UINT kCmdPictureWindow = 0x0200;

class TPictureWindow : private IPictureFormHost {
public:
    // main: the main window; grid: its mask grid, which the picture paints
    // through; objectLoaded: the current block (not empty: an object is
    // loaded). All outlive this object. The game's files are looked up in the
    // current directory.
    TPictureWindow(TCustomForm& main, TMaskGrid& grid, const std::vector<std::uint8_t>& currentBlock);
    ~TPictureWindow();
    TPictureWindow(const TPictureWindow&) = delete;
    TPictureWindow& operator=(const TPictureWindow&) = delete;

    // The game's files, looked up in the current directory, for the whole run.
    TGameFiles& GameFiles() { return files_; }
    // True when a Data folder was there at start; else nothing here acts.
    bool Active() const { return hasData_; }
    // Adds "Picture" to the main window's system menu (once its window exists).
    void AddMenuItem();

    // The picture box shows `name` now (typed, chosen, or set by decoding).
    void NameChanged(const std::wstring& name);
    // The mask store or the current block may have changed.
    void MasksChanged();
    // An object was decoded: the window opens when its picture is in a source,
    // unless the user closed the window during this run.
    void ObjectDecoded();
    // The main window's WM_SYSCOMMAND; true when it was the "Picture" item.
    bool SystemCommand(TMessage& msg);
    // The main window was shown, hidden, minimised or restored.
    void MainWindowChanged();

    // The picture window, or null before it was first needed.
    TPictureForm* Form() const { return form_.get(); }

private:
    // IPictureFormHost
    void PicturePress(int row, int column, TMouseButton button) override;
    void PictureMove(int row, int column, TShiftState shift) override;
    void PictureClosed() override;

    // Reads and decodes the picture of name_, once per name.
    void Look();
    // Looks, and gives the window what it found.
    void Refresh();
    TPictureForm& EnsureForm();
    void Open();
    void Close();
    // Shown exactly while wanted and the main window is on the screen.
    void UpdateVisibility();
    void CheckMenuItem();
    // Next to the main window's right edge, tops aligned, on the screen.
    void Place();

    TCustomForm& main_;
    TMaskGrid& grid_;
    const std::vector<std::uint8_t>& block_;
    TGameFiles files_;
    bool hasData_ = false;
    bool menuAdded_ = false;

    std::wstring name_;
    bool looked_ = false;
    TFindResult result_ = TFindResult::NotFound;
    TSpriteFrame frame_;
    std::wstring message_;

    bool wanted_ = false;      // open, when the main window is shown
    bool userClosed_ = false;  // the user closed it during this run
    bool placePending_ = false;  // opened, not yet placed beside the main window
    std::unique_ptr<TPictureForm> form_;
};
