#pragma once
// The system's open and save file dialogs as components.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "framework/Component.h"
#include "framework/Exceptions.h"

// The dialog itself failed (not a cancel); carries the dialog's error code.
class ECommonDialogError : public Exception {
public:
    ECommonDialogError(DWORD code, std::wstring message) : Exception(std::move(message)), code_(code) {}
    DWORD ErrorCode() const { return code_; }

private:
    DWORD code_;
};

enum TOpenOption : uint32_t {
    ofReadOnly = 1u << 0,
    ofOverwritePrompt = 1u << 1,
    ofHideReadOnly = 1u << 2,
    ofNoChangeDir = 1u << 3,
    ofShowHelp = 1u << 4,
    ofNoValidate = 1u << 5,
    ofAllowMultiSelect = 1u << 6,
    ofExtensionDifferent = 1u << 7,
    ofPathMustExist = 1u << 8,
    ofFileMustExist = 1u << 9,
    ofCreatePrompt = 1u << 10,
    ofShareAware = 1u << 11,
    ofNoReadOnlyReturn = 1u << 12,
    ofNoTestFileCreate = 1u << 13,
    ofNoNetworkButton = 1u << 14,
    ofNoDereferenceLinks = 1u << 15,
    ofEnableSizing = 1u << 16,
    ofDontAddToRecent = 1u << 17,
    ofForceShowHidden = 1u << 18,
};
using TOpenOptions = uint32_t;

// The OFN_* flags for a set of options.
DWORD OpenOptionsToFlags(TOpenOptions options);

class TOpenDialog : public TComponent {
    CLASS_INFO(TOpenDialog, TComponent)

public:
    explicit TOpenDialog(TComponent* owner);

    // "Description|*.ext|Description|*.*"; a description without a pattern is dropped.
    void SetFilter(const std::wstring& filter) { filter_ = filter; }
    // 1-based; updated to the user's choice after Execute.
    int FilterIndex() const { return filterIndex_; }
    // Preset into the dialog and set to the chosen file after Execute.
    const std::wstring& FileName() const { return fileName_; }
    void SetFileName(const std::wstring& name) { fileName_ = name; }
    // All chosen files (full paths); one for a dialog without multi-select.
    const std::vector<std::wstring>& Files() const { return files_; }
    // Appended (without the dot) when the user types a name without an extension.
    void SetDefaultExt(const std::wstring& ext) { defaultExt_ = ext; }
    const std::wstring& Title() const { return title_; }
    void SetTitle(const std::wstring& title) { title_ = title; }
    void SetOptions(TOpenOptions options) { options_ = options; }

    // Shows the dialog modally. True when the user chose a file, false when
    // cancelled; a failure of the dialog raises ECommonDialogError. With
    // ofNoChangeDir the process's current directory is the same afterwards.
    virtual bool Execute(HWND owner = nullptr);

protected:
    bool DoExecute(bool save, HWND owner);

private:
    std::wstring filter_;
    int filterIndex_ = 1;
    std::wstring fileName_;
    std::vector<std::wstring> files_;
    std::wstring defaultExt_;
    std::wstring title_;
    TOpenOptions options_ = ofHideReadOnly | ofEnableSizing;
};

class TSaveDialog : public TOpenDialog {
    CLASS_INFO(TSaveDialog, TOpenDialog)

public:
    using TOpenDialog::TOpenDialog;
    bool Execute(HWND owner = nullptr) override;
};
