#pragma once
// The object catalogue: every picture that the game's catalogue files list,
// with its type and subtype, in the order read. Lookups scan in that order, so
// the first entry of a name wins and a list of matches keeps file order; only
// the check for an entry already present goes through an index. Names are
// compared without regard to case by a collation that the platform supplies.
// Platform-neutral.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// A catalogue entry, also used as a query.
struct TMyPic {
    std::string Name;  // 8-bit bytes of the system code page, as the file has them
    int32_t Type = 0;
    int32_t Subtype = 0;
    bool operator==(const TMyPic&) const = default;
};

// As a query's type or subtype this matches any; an empty query name matches any name.
constexpr int32_t kAnyValue = 2147483647;

// How picture names compare without regard to case: two names are the same
// exactly when their keys are equal.
class INameCollation {
public:
    virtual ~INameCollation() = default;
    virtual std::string CaseBlindKey(std::string_view name) const = 0;
};

// Folds A-Z to a-z and nothing else: the collation of the platform-neutral
// builds (tests, fuzzing, benchmarks).
class TAsciiCollation : public INameCollation {
public:
    std::string CaseBlindKey(std::string_view name) const override;
};

class TObjectCatalogue {
public:
    // collation outlives the catalogue.
    explicit TObjectCatalogue(const INameCollation& collation) : collation_(collation) {}
    TObjectCatalogue(const TObjectCatalogue&) = delete;
    TObjectCatalogue& operator=(const TObjectCatalogue&) = delete;

    const std::vector<TMyPic>& Entries() const { return entries_; }
    bool Empty() const { return entries_.empty(); }
    void Clear();

    // Makes room for more entries, so that adding them moves and rehashes nothing.
    void Reserve(size_t more);

    // Appends the entry without any check.
    void Add(TMyPic entry);
    // Appends the entry unless one with the same name (without regard to case),
    // type and subtype is there. True when it was appended.
    bool AddUnlessPresent(TMyPic entry);

    // Compares the entries from index start on, in order. An entry matches when
    // the query's name is empty or the same as the entry's without regard to
    // case, and its type and subtype are kAnyValue or equal. On the first match
    // the query takes the entry's name, type and subtype, and the result is the
    // index after the match; without one it is -1.
    int Find(TMyPic& query, int start) const;

private:
    // Appends the entry; with unlessPresent only when it is not there yet.
    bool Append(TMyPic entry, bool unlessPresent);
    // Enters the last entry, whose key, type and subtype hash to hash, in the
    // index of present entries, unless the same is there already.
    bool IndexLast(uint32_t hash);
    // Rehashes the index into at least slots slots (a power of two).
    void GrowIndex(size_t slots);

    const INameCollation& collation_;
    std::vector<TMyPic> entries_;
    std::vector<std::string> nameKeys_;  // the case-blind key of each entry's name
    // Open addressing: each slot holds an entry's hash in its upper half and the
    // entry's number + 1 in its lower half, 0 when empty. A power of two in
    // size, at most half full; a probe looks at an entry only when the hashes match.
    std::vector<uint64_t> index_;
    size_t indexed_ = 0;
};
