#include "controls/KdMemory.h"

#include <cstring>

void CopyBytes(void* dest, const void* source, std::size_t count)
{
    // memmove chooses the direction by itself; a zero count may come with null pointers.
    if (count == 0 || dest == source)
        return;
    std::memmove(dest, source, count);
}
