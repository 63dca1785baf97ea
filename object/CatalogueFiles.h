#pragma once
// The catalogue on Windows: picture names compared as the user's locale
// compares them, and the catalogue files read from the Data folder of the
// current directory.
#include <cstddef>

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
// the files after it are not read.
void LoadCatalogueFiles(TObjectCatalogue& catalogue);
