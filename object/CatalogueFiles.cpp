#include "object/CatalogueFiles.h"

#include <windows.h>

#include "controls/KdSysUtils.h"
#include "framework/Exceptions.h"
#include "framework/CodePage.h"
#include "framework/LocaleText.h"
#include "gamedata/GameFiles.h"
#include "object/CatalogueText.h"

std::string TUserLocaleCollation::CaseBlindKey(std::string_view name) const
{
    return CaseBlindSortKey(FromCodePage(name));
}

namespace {

// The catalogue text the game keeps in its archives: the edition with its own
// catalogue names it ZOBJCTS.TXT, the base game OBJECTS.TXT.
void LoadArchivedCatalogue(TObjectCatalogue& catalogue, TGameFiles& gameFiles)
{
    for (const char* name : {"ZOBJCTS.TXT", "OBJECTS.TXT"}) {
        std::vector<std::uint8_t> bytes;
        std::string reason;
        switch (gameFiles.ReadFromArchives(name, kMaxCatalogueFileSize, bytes, reason)) {
        case TFindResult::Found:
            ReadCatalogueText(catalogue, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
            return;
        case TFindResult::Unreadable:
            throw EInOutError(L"The catalogue " + FromCodePage(name) + L" in the game's archives cannot be read: " +
                              FromCodePage(reason, CP_UTF8));
        case TFindResult::NotFound:
            break;
        }
    }
}

}  // namespace

void LoadCatalogueFiles(TObjectCatalogue& catalogue, TGameFiles& gameFiles)
{
    bool anyFile = false;
    for (const wchar_t* name : kCatalogueFiles) {
        // A missing file (or a folder of that name) is passed over.
        const DWORD attributes = GetFileAttributesW(name);
        if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY))
            continue;
        anyFile = true;
        ReadCatalogueText(catalogue, ReadFileBytes(name, kMaxCatalogueFileSize));
    }
    if (!anyFile && gameFiles.HasData())
        LoadArchivedCatalogue(catalogue, gameFiles);
}

void LoadCatalogueFiles(TObjectCatalogue& catalogue)
{
    TGameFiles gameFiles(CurrentFolder());
    LoadCatalogueFiles(catalogue, gameFiles);
}
