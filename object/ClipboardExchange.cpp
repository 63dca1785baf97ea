#include "object/ClipboardExchange.h"

#include <cstring>
#include <vector>

#include "framework/Clipboard.h"
#include "framework/CodePage.h"
#include "framework/OSError.h"

namespace {

// Moveable and shareable as the map editor expects; zero-filled so that no stale
// memory of ours reaches the clipboard after the tail.
constexpr UINT kBlockFlags = GMEM_MOVEABLE | GMEM_DDESHARE | GMEM_ZEROINIT;

}  // namespace

std::string ClipboardFormatName(std::wstring_view numberText)
{
    return std::string(kClipboardFormatPrefix) + ToCodePage(numberText);
}

void ShowErrorBox(HWND owner, const std::wstring& text)
{
    MessageBoxW(owner, text.c_str(), L"Error", MB_ICONERROR | MB_OK);
}

void TClipboardExchange::RegisterFormat(std::wstring_view numberText)
{
    // A name the system refuses gives 0, which no clipboard content matches.
    format_ = RegisterClipboardFormatName(ClipboardFormatName(numberText));
}

void TClipboardExchange::Paste(IObjectControls& controls, HWND owner)
{
    if (!ClipboardHasFormat(format_)) {
        if (controls.ObjectShown())
            ShowErrorBox(owner, kClipboardEmptyMessage);
        return;
    }
    {
        // Closed again before decoding, so the handlers decoding runs never see an
        // open clipboard.
        TClipboardSession clipboard(owner);
        HANDLE data = clipboard.GetAsHandle(format_);
        if (!data)
            RaiseLastOSError();
        // An empty block cannot be locked; it is simply a block too short to decode.
        if (GlobalSize(data) == 0) {
            controls.CurrentBlock().clear();
        } else {
            TGlobalLock lock(data);
            const auto bytes = lock.Bytes();
            controls.CurrentBlock().assign(bytes.begin(), bytes.end());
        }
    }
    if (!DecodeIntoControls(controls)) {
        controls.HideGroups();
        ShowErrorBox(owner, kWrongDataMessage);
    }
}

void TClipboardExchange::Copy(IObjectControls& controls, HWND owner)
{
    if (controls.CurrentBlock().empty())
        return;
    if (const std::wstring message = ValidateControls(controls); !message.empty()) {
        ShowErrorBox(owner, message);
        return;
    }
    {
        TClipboardSession clipboard(owner);
        clipboard.Clear();
    }
    // Freed by its owner on every way out unless the clipboard accepted it.
    TGlobalMemory block(kObjectBlockSize, kBlockFlags);
    {
        TGlobalLock lock(block.Get());
        if (lock.Size() < kObjectBlockSize)
            RaiseOSError(ERROR_NOT_ENOUGH_MEMORY);
        EncodeFromControls(controls, std::span<uint8_t, kObjectBlockSize>(static_cast<uint8_t*>(lock.Data()),
                                                                          kObjectBlockSize));
    }
    TClipboardSession clipboard(owner);
    clipboard.Clear();
    // A refused hand-over (a format id of 0, for one) is reported, and the block,
    // still ours, is freed.
    clipboard.SetAsHandle(format_, block);
}
