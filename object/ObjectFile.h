#pragma once
// Reading an object file into memory and writing one so that a failed save
// never destroys the file that was there.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "controls/KdSysUtils.h"
#include "object/ObjectFileFormat.h"

// The whole content of the file, read with no sharing. An empty file gives no
// bytes. Raises EOSError when the file cannot be opened, sized or read, or
// ends before its size was read; EInOutError when it is larger than
// kMaxObjectFileSize.
std::vector<std::uint8_t> ReadObjectFile(const std::wstring& fileName);

// Makes block, exactly kObjectFileWriteSize bytes, the content of fileName.
// Missing directories of the path are made. The bytes go to a temporary file
// in the same folder, which is flushed and then moved over the target in one
// step, clearing the target's read-only attribute first. On any failure an
// EOSError is raised, the temporary file is removed and the target keeps its
// content and attributes. A block of another size is a caller's error
// (std::invalid_argument) and touches nothing.
void WriteObjectFile(const std::wstring& fileName, std::span<const std::uint8_t> block);

// The calls through which object files are read and written: the system's own
// in normal use. Tests put stand-ins in place to play a disk that fills up
// during a write or a file that gets shorter while it is read.
struct TObjectFileDisk {
    TReadFileCall Read = ::ReadFile;
    TWriteFileCall Write = ::WriteFile;
};
// Makes disk the one used from now on; returns the one used before.
TObjectFileDisk SetObjectFileDisk(const TObjectFileDisk& disk);
