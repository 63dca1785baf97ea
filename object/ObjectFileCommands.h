#pragma once
// "&Save" and "&Load" of the main window and the object file named on the
// command line: the file dialogs' settings, the file name the two commands
// share, and reading a file into the window's controls.
#include <windows.h>

#include <optional>
#include <string>

#include "framework/Dialogs.h"
#include "object/ObjectControls.h"

// The settings of the form's two file dialogs. Neither moves the current
// directory, where the help texts and the catalogue are looked up.
inline constexpr const wchar_t* kObjectFileFilter = L"Kestrin Files (kst)|*.kst|All files|*.*";
// The save dialog neither adds an extension nor asks about replacing: Save
// decides the final name itself (dialogs of some Windows versions would add
// ".kst" to "tower.v2") and asks about that name.
inline constexpr TOpenOptions kSaveDialogOptions = ofHideReadOnly | ofNoChangeDir | ofEnableSizing;
inline constexpr TOpenOptions kOpenDialogOptions =
    ofHideReadOnly | ofNoChangeDir | ofPathMustExist | ofFileMustExist | ofEnableSizing;
inline constexpr const wchar_t* kFileWrongDataMessage = L"The file contains wrong data";

// The first argument of a command line (as the system splits it), when there is
// one and it is not empty.
std::optional<std::wstring> CommandLineFile(const wchar_t* commandLine);

class TObjectFileCommands {
public:
    // The name last chosen in either dialog, with ".kst" added when it had no
    // extension; empty until a dialog was answered.
    const std::wstring& FileName() const { return fileName_; }

    virtual ~TObjectFileCommands() = default;

    // Writes the object the controls show to a file the user chooses. Does nothing
    // while no object is loaded; shows the validation message instead of the
    // dialog when the controls cannot be encoded. A file already under the final
    // name is replaced only when the user says so; otherwise the dialog opens
    // again. Afterwards the current block is the 4096 bytes written. Errors of
    // the system are raised; the current block and any file already there are
    // then left as they were.
    void Save(IObjectControls& controls, TSaveDialog& dialog, HWND owner);

    // Reads a file the user chooses (see ReadFile). Works with no object loaded.
    void Load(IObjectControls& controls, TOpenDialog& dialog, HWND owner);

    // Reads fileName, used as given, into the current block and decodes it. Bad
    // contents (an empty file too) hide the groups and say "The file contains
    // wrong data". A file that cannot be read raises the system's error and
    // leaves the current block and the controls alone. The remembered name is
    // not touched.
    void ReadFile(IObjectControls& controls, const std::wstring& fileName, HWND owner);

protected:
    // Asks whether the existing fileName may be replaced ("Confirm Save As").
    virtual bool ConfirmReplace(HWND owner, const std::wstring& fileName);

private:
    std::wstring fileName_;
};
