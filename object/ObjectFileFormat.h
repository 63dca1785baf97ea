#pragma once
// What an object file (".kst") is: one object block with nothing before or
// after it. The limits and the naming rule shared by Save, Load and start-up.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "object/ObjectBlock.h"

// Kestrin always writes object files of exactly this many bytes.
constexpr std::size_t kObjectFileWriteSize = kObjectBlockSize;

// Files larger than this are refused before anything is read. Object blocks
// are 4 KiB, so no real object file comes near it; the limit keeps a stray
// huge file from exhausting memory.
constexpr std::uint64_t kMaxObjectFileSize = std::uint64_t{64} << 20;

// The name under which a chosen file is saved or loaded: a name without a "."
// after its last path delimiter ('\\', '/' or ':') gets ".kst" appended.
std::wstring WithObjectFileExtension(std::wstring_view name);
