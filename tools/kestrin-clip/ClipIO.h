#pragma once
// What kestrin-clip does with the system: the map editor's clipboard format,
// the block on the clipboard, files, and text on the standard handles.
#include <windows.h>

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// Registers the map editor's format for a number text. Raises an Exception when
// the system refuses the name.
UINT RegisterMapEditorFormat(const std::wstring& number);

// Puts bytes on the clipboard as its one and only format.
void PutBlock(UINT format, std::span<const uint8_t> bytes);
// The whole block of the format (GlobalSize bytes). Raises an Exception with a
// clear text when the clipboard is empty or lacks the format.
std::vector<uint8_t> GetBlock(UINT format, const std::wstring& formatName);
// The formats on offer with their names ("CF_UNICODETEXT", registered names,
// or "#id" for unnamed ones).
std::vector<std::pair<UINT, std::wstring>> ClipboardFormats();

// Makes bytes the whole content of the file. The bytes go to a temporary file
// beside it first, which then replaces the file in one step, so a failure
// leaves the old file as it was. Raises EOSError.
void WriteWholeFile(const std::wstring& fileName, std::span<const uint8_t> bytes);

// Writes text to a standard handle: UTF-16 to a console, UTF-8 to a file or pipe.
void WriteText(DWORD stdHandle, std::wstring_view text);
std::wstring Widen(std::string_view ascii);
