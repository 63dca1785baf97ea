#pragma once
// The built-in value lists of the main window: the names of the object types and
// of the subtypes of some types ("5  Artifact": number, two blanks, name), the
// subtype table that names the subtype list of a type ("5<TAB>A1" for "ListA1"),
// and the hint lines of the artifact list. Data only; platform-neutral.
#include <span>

struct TValueListData {
    const wchar_t* Name;  // the holder's component name
    int Tag;              // 0: line i stands for value i; 1: search by leading number
    std::span<const wchar_t* const> Lines;
};

// The sixteen holders, in the order the window creates them.
std::span<const TValueListData> BuiltInValueLists();
