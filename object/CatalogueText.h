#pragma once
// Reading one catalogue file: a count line, then entry lines of which only the
// picture name (before the first blank) and the type and subtype (the fourth-
// and third-last blank-separated fields) are taken. Platform-neutral.
#include <array>
#include <string_view>

#include "object/Catalogue.h"

// The catalogue files, relative to the current directory, in the order read.
inline constexpr std::array<const wchar_t*, 6> kCatalogueFiles = {
    L"Data\\Objects.txt",  L"Data\\Objects1.txt", L"Data\\Objects2.txt",
    L"Data\\Objects3.txt", L"Data\\Objects4.txt", L"Data\\Objects5.txt"};

// Adds the entries of one file's text to catalogue: every entry as it is when
// the catalogue is empty at the start, otherwise each unless present. Reading
// stops after the count, at the end of the text, at a line without a blank and
// at a type or subtype that is not a clean number; a line of three blanks or
// fewer is passed over. Entries added before a stop are kept. A count that is
// not a number raises EInOutError "Invalid numeric input" before anything is added.
void ReadCatalogueText(TObjectCatalogue& catalogue, std::string_view text);
