#include "object/ObjectFileFormat.h"

std::wstring WithObjectFileExtension(std::wstring_view name)
{
    size_t pos = name.find_last_of(L".\\/:");
    std::wstring result(name);
    if (pos == std::wstring_view::npos || name[pos] != L'.')
        result += L".kst";
    return result;
}
