#include "object/Catalogue.h"

#include <cstring>

std::string TAsciiCollation::CaseBlindKey(std::string_view name) const
{
    std::string key(name);
    for (char& c : key)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return key;
}

void TObjectCatalogue::Clear()
{
    entries_.clear();
    nameKeys_.clear();
    present_.clear();
}

std::string TObjectCatalogue::PresenceKey(const std::string& nameKey, const TMyPic& entry) const
{
    std::string key = nameKey;
    char numbers[2 * sizeof(int32_t)];
    std::memcpy(numbers, &entry.Type, sizeof entry.Type);
    std::memcpy(numbers + sizeof entry.Type, &entry.Subtype, sizeof entry.Subtype);
    key.append(numbers, sizeof numbers);
    return key;
}

void TObjectCatalogue::Add(TMyPic entry)
{
    std::string nameKey = collation_.CaseBlindKey(entry.Name);
    present_.insert(PresenceKey(nameKey, entry));
    nameKeys_.push_back(std::move(nameKey));
    entries_.push_back(std::move(entry));
}

bool TObjectCatalogue::AddUnlessPresent(TMyPic entry)
{
    std::string nameKey = collation_.CaseBlindKey(entry.Name);
    if (!present_.insert(PresenceKey(nameKey, entry)).second)
        return false;
    nameKeys_.push_back(std::move(nameKey));
    entries_.push_back(std::move(entry));
    return true;
}

int TObjectCatalogue::Find(TMyPic& query, int start) const
{
    const bool anyName = query.Name.empty();
    const std::string nameKey = anyName ? std::string() : collation_.CaseBlindKey(query.Name);
    for (size_t i = start < 0 ? 0 : static_cast<size_t>(start); i < entries_.size(); ++i) {
        const TMyPic& entry = entries_[i];
        if ((query.Type == kAnyValue || query.Type == entry.Type) &&
            (query.Subtype == kAnyValue || query.Subtype == entry.Subtype) && (anyName || nameKeys_[i] == nameKey)) {
            query = entry;
            return static_cast<int>(i + 1);
        }
    }
    return -1;
}
