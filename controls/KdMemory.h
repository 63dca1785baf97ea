#pragma once
// Overlap-safe memory copy used where a block is moved inside itself.
#include <cstddef>

// Copies count bytes from source to dest; correct when the two ranges overlap,
// and does nothing when source equals dest or count is 0.
void CopyBytes(void* dest, const void* source, std::size_t count);
