// Any bytes as up to six catalogue files (split at the byte 0xFE), read one
// after another: only the count's input error may be raised, names carry no
// blank or line end, later files add nothing already present, and every entry
// is found again by its name, no later than where it stands.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "framework/Exceptions.h"
#include "object/CatalogueText.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const TAsciiCollation collation;
    TObjectCatalogue catalogue(collation);
    size_t firstChecked = SIZE_MAX;  // the first entry added with the duplicate check
    size_t at = 0;
    for (int file = 0; file < 6 && at <= input.size(); ++file) {
        const size_t end = std::min(input.find('\xFE', at), input.size());
        if (firstChecked == SIZE_MAX && !catalogue.Empty())
            firstChecked = catalogue.Entries().size();
        try {
            ReadCatalogueText(catalogue, input.substr(at, end - at));
        } catch (const EInOutError& e) {
            if (e.Message() != L"Invalid numeric input")
                std::abort();
            break;
        }
        at = end + 1;
    }

    const std::vector<TMyPic>& entries = catalogue.Entries();
    std::vector<std::string> keys;
    for (size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].Name.find_first_of(" \r\n") != std::string::npos)
            std::abort();
        TMyPic query{entries[i].Name, kAnyValue, kAnyValue};
        const int found = catalogue.Find(query, 0);
        if (found < 1 || static_cast<size_t>(found) > i + 1)
            std::abort();
        keys.push_back(collation.CaseBlindKey(entries[i].Name));
        for (size_t j = 0; i >= firstChecked && j < i; ++j)
            if (keys[j] == keys[i] && entries[j].Type == entries[i].Type && entries[j].Subtype == entries[i].Subtype)
                std::abort();  // a duplicate got in
    }
    return 0;
}
