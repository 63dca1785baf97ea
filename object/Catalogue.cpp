#include "object/Catalogue.h"

#include <algorithm>
#include <functional>

std::string TAsciiCollation::CaseBlindKey(std::string_view name) const
{
    std::string key(name);
    for (char& c : key)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return key;
}

// The storage stays for the next load: a reload then fills memory it already has.
void TObjectCatalogue::Clear()
{
    entries_.clear();
    nameKeys_.clear();
    std::fill(index_.begin(), index_.end(), 0);
    indexed_ = 0;
}

void TObjectCatalogue::Reserve(size_t more)
{
    const size_t total = entries_.size() + more;
    if (total > entries_.capacity()) {
        const size_t room = std::max(total, 2 * entries_.capacity());
        entries_.reserve(room);
        nameKeys_.reserve(room);
    }
    size_t slots = std::max<size_t>(index_.size(), 64);
    while (2 * (indexed_ + more + 1) > slots)
        slots *= 2;
    if (slots > index_.size())
        GrowIndex(slots);
}

void TObjectCatalogue::Add(TMyPic entry) { Append(std::move(entry), false); }

bool TObjectCatalogue::AddUnlessPresent(TMyPic entry) { return Append(std::move(entry), true); }

bool TObjectCatalogue::Append(TMyPic entry, bool unlessPresent)
{
    std::string nameKey = collation_.CaseBlindKey(entry.Name);
    const uint64_t numbers = uint64_t(uint32_t(entry.Type)) << 32 | uint32_t(entry.Subtype);
    const uint64_t hash = std::hash<std::string_view>{}(nameKey) ^ (numbers * 0x9E3779B97F4A7C15ull);
    nameKeys_.push_back(std::move(nameKey));
    entries_.push_back(std::move(entry));
    // A duplicate added without the check needs no place of its own in the index.
    if (IndexLast(static_cast<uint32_t>(hash ^ hash >> 32)) || !unlessPresent)
        return true;
    nameKeys_.pop_back();
    entries_.pop_back();
    return false;
}

bool TObjectCatalogue::IndexLast(uint32_t hash)
{
    if (2 * (indexed_ + 1) > index_.size())
        GrowIndex(index_.empty() ? 64 : 2 * index_.size());
    const size_t last = entries_.size() - 1;
    const size_t mask = index_.size() - 1;
    for (size_t slot = hash & mask;; slot = (slot + 1) & mask) {
        const uint64_t held = index_[slot];
        if (held == 0) {
            index_[slot] = uint64_t(hash) << 32 | (last + 1);
            ++indexed_;
            return true;
        }
        const size_t other = static_cast<uint32_t>(held) - 1;
        if (held >> 32 == hash && nameKeys_[other] == nameKeys_[last] && entries_[other].Type == entries_[last].Type &&
            entries_[other].Subtype == entries_[last].Subtype)
            return false;
    }
}

void TObjectCatalogue::GrowIndex(size_t slots)
{
    std::vector<uint64_t> old = std::move(index_);
    index_.assign(slots, 0);
    const size_t mask = index_.size() - 1;
    for (const uint64_t held : old) {
        if (held == 0)
            continue;
        size_t slot = (held >> 32) & mask;
        while (index_[slot] != 0)
            slot = (slot + 1) & mask;
        index_[slot] = held;
    }
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
