#pragma once
// The catalogue on Windows: picture names compared as the user's locale
// compares them, and the catalogue files read from the Data folder of the
// current directory, or from the game's archives there when none exists.
#include <cstddef>

class TGameFiles;

#include "object/Catalogue.h"

// Names in the system code page, compared by the user's locale without regard to case.
class TUserLocaleCollation : public INameCollation {
public:
    std::string CaseBlindKey(std::string_view name) const override;
};

// A catalogue file larger than this is refused (the game's own are about 100 KB).
constexpr std::size_t kMaxCatalogueFileSize = 64u << 20;

// Adds the entries of the catalogue files that exist, in their order. A file
// that cannot be read, or whose count is not a number, raises its error, and
// the files after it are not read. When none of them exists, the catalogue
// text in the game's archives is read as Data\Objects.txt would be: ZOBJCTS.TXT,
// else OBJECTS.TXT. No archive is opened when a catalogue file exists.
void LoadCatalogueFiles(TObjectCatalogue& catalogue);
// The same with the game's files that the program already holds (their tables are kept).
void LoadCatalogueFiles(TObjectCatalogue& catalogue, TGameFiles& gameFiles);
