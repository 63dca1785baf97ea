#include "object/CatalogueFiles.h"

#include <windows.h>

#include "controls/KdSysUtils.h"
#include "framework/CodePage.h"
#include "framework/LocaleText.h"
#include "object/CatalogueText.h"

std::string TUserLocaleCollation::CaseBlindKey(std::string_view name) const
{
    return CaseBlindSortKey(FromCodePage(name));
}

void LoadCatalogueFiles(TObjectCatalogue& catalogue)
{
    for (const wchar_t* name : kCatalogueFiles) {
        // A missing file (or a folder of that name) is passed over.
        const DWORD attributes = GetFileAttributesW(name);
        if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY))
            continue;
        ReadCatalogueText(catalogue, ReadFileBytes(name, kMaxCatalogueFileSize));
    }
}
