#include "framework/Strings.h"

#include <algorithm>
#include <cwctype>
#include <utility>

#include "framework/ScopeGuards.h"

namespace {

// Order without regard to case, as the list search compares.
int CompareText(std::wstring_view a, std::wstring_view b)
{
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        const wint_t ca = std::towupper(a[i]);
        const wint_t cb = std::towupper(b[i]);
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    if (a.size() == b.size())
        return 0;
    return a.size() < b.size() ? -1 : 1;
}

}  // namespace

// ---- TStrings ----

void TStrings::IndexError(int index)
{
    throw EStringListError(L"List index out of bounds (" + std::to_wstring(index) + L")");
}

void TStrings::Put(int index, const std::wstring& s)
{
    TObject* object = GetObject(index);
    const TUpdateScope update(*this);
    Delete(index);
    InsertObject(index, s, object);
}

TObject* TStrings::GetObject(int index) const
{
    if (index < 0 || index >= Count())
        IndexError(index);
    return nullptr;
}

void TStrings::PutObject(int, TObject*) {}

void TStrings::InsertObject(int index, const std::wstring& s, TObject* object)
{
    Insert(index, s);
    if (object)
        PutObject(index, object);
}

int TStrings::Add(const std::wstring& s)
{
    const int index = Count();
    Insert(index, s);
    return index;
}

int TStrings::AddObject(const std::wstring& s, TObject* object)
{
    const int index = Add(s);
    if (object)
        PutObject(index, object);
    return index;
}

void TStrings::AddStrings(const TStrings& other)
{
    // Copy first: other may be this list.
    std::vector<std::pair<std::wstring, TObject*>> lines;
    for (int i = 0; i < other.Count(); ++i)
        lines.emplace_back(other.Get(i), other.GetObject(i));
    const TUpdateScope update(*this);
    for (auto& [text, object] : lines)
        AddObject(text, object);
}

int TStrings::IndexOf(std::wstring_view s) const
{
    for (int i = 0; i < Count(); ++i)
        if (SameText(Get(i), s))
            return i;
    return -1;
}

int TStrings::IndexOfObject(const TObject* object) const
{
    for (int i = 0; i < Count(); ++i)
        if (GetObject(i) == object)
            return i;
    return -1;
}

std::wstring TStrings::Text() const
{
    std::wstring text;
    for (int i = 0; i < Count(); ++i) {
        text += Get(i);
        text += L"\r\n";
    }
    return text;
}

void TStrings::SetText(std::wstring_view text)
{
    std::vector<std::wstring> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = start;
        while (end < text.size() && text[end] != L'\r' && text[end] != L'\n')
            ++end;
        lines.emplace_back(text.substr(start, end - start));
        if (end < text.size() && text[end++] == L'\r' && end < text.size() && text[end] == L'\n')
            ++end;
        start = end;
    }
    const TUpdateScope update(*this);
    Clear();
    for (auto& line : lines)
        Add(line);
}

void TStrings::Assign(const TStrings& other)
{
    if (&other == this)
        return;
    const TUpdateScope update(*this);
    Clear();
    AddStrings(other);
}

bool TStrings::Equals(const TStrings& other) const
{
    if (Count() != other.Count())
        return false;
    for (int i = 0; i < Count(); ++i)
        if (Get(i) != other.Get(i))
            return false;
    return true;
}

void TStrings::BeginUpdate()
{
    if (updateCount_++ == 0)
        SetUpdateState(true);
}

void TStrings::EndUpdate()
{
    if (updateCount_ <= 0)
        return;
    if (--updateCount_ == 0)
        SetUpdateState(false);
}

void TStrings::SetUpdateState(bool) {}

// ---- TStringList ----

void TStringList::CheckIndex(int index) const
{
    if (index < 0 || index >= Count())
        IndexError(index);
}

std::wstring TStringList::Get(int index) const
{
    CheckIndex(index);
    return items_[static_cast<size_t>(index)].text;
}

void TStringList::Put(int index, const std::wstring& s)
{
    if (sorted_)
        throw EStringListError(L"Operation not allowed on sorted list");
    CheckIndex(index);
    BeginChange();
    items_[static_cast<size_t>(index)].text = s;
    EndChange();
}

TObject* TStringList::GetObject(int index) const
{
    CheckIndex(index);
    return items_[static_cast<size_t>(index)].object;
}

void TStringList::PutObject(int index, TObject* object)
{
    CheckIndex(index);
    BeginChange();
    items_[static_cast<size_t>(index)].object = object;
    EndChange();
}

void TStringList::InsertItem(int index, const std::wstring& s, TObject* object)
{
    BeginChange();
    items_.insert(items_.begin() + index, Item{s, object});
    EndChange();
}

void TStringList::Insert(int index, const std::wstring& s)
{
    if (sorted_)
        throw EStringListError(L"Operation not allowed on sorted list");
    if (index < 0 || index > Count())
        IndexError(index);
    InsertItem(index, s, nullptr);
}

int TStringList::Add(const std::wstring& s)
{
    int index = Count();
    if (sorted_) {
        if (Find(s, index)) {
            if (duplicates_ == dupIgnore)
                return index;
            if (duplicates_ == dupError)
                throw EStringListError(L"String list does not allow duplicates");
        }
    }
    InsertItem(index, s, nullptr);
    return index;
}

void TStringList::Delete(int index)
{
    CheckIndex(index);
    BeginChange();
    items_.erase(items_.begin() + index);
    EndChange();
}

void TStringList::Clear()
{
    if (items_.empty())
        return;
    BeginChange();
    items_.clear();
    EndChange();
}

void TStringList::Exchange(int index1, int index2)
{
    if (sorted_)
        throw EStringListError(L"Operation not allowed on sorted list");
    CheckIndex(index1);
    CheckIndex(index2);
    if (index1 == index2)
        return;
    BeginChange();
    std::swap(items_[static_cast<size_t>(index1)], items_[static_cast<size_t>(index2)]);
    EndChange();
}

int TStringList::IndexOf(std::wstring_view s) const
{
    if (!sorted_)
        return TStrings::IndexOf(s);
    int index = 0;
    return Find(s, index) ? index : -1;
}

bool TStringList::Find(std::wstring_view s, int& index) const
{
    // Lower bound, so that among equal lines the first is found.
    int lo = 0;
    int hi = Count();
    while (lo < hi) {
        const int mid = lo + (hi - lo) / 2;
        if (CompareText(items_[static_cast<size_t>(mid)].text, s) < 0)
            lo = mid + 1;
        else
            hi = mid;
    }
    index = lo;
    return lo < Count() && CompareText(items_[static_cast<size_t>(lo)].text, s) == 0;
}

void TStringList::Sort()
{
    auto less = [](const Item& a, const Item& b) { return CompareText(a.text, b.text) < 0; };
    if (std::is_sorted(items_.begin(), items_.end(), less))
        return;
    BeginChange();
    std::stable_sort(items_.begin(), items_.end(), less);
    EndChange();
}

void TStringList::SetSorted(bool sorted)
{
    if (sorted == sorted_)
        return;
    if (sorted)
        Sort();
    sorted_ = sorted;
}

void TStringList::Assign(const TStrings& other)
{
    if (&other == this)
        return;
    // Lines are taken as they are, also into a sorted list, which sorts them.
    std::vector<Item> copy;
    copy.reserve(static_cast<size_t>(other.Count()));
    for (int i = 0; i < other.Count(); ++i)
        copy.push_back(Item{other.Get(i), other.GetObject(i)});
    BeginUpdate();
    BeginChange();
    items_ = std::move(copy);
    if (sorted_)
        std::stable_sort(items_.begin(), items_.end(),
                         [](const Item& a, const Item& b) { return CompareText(a.text, b.text) < 0; });
    EndChange();
    EndUpdate();
}

void TStringList::Changing()
{
    if (OnChanging)
        OnChanging(this);
}

void TStringList::Changed()
{
    if (OnChange)
        OnChange(this);
}

void TStringList::BeginChange()
{
    if (UpdateCount() == 0) {
        Changing();
    } else if (!batchChanging_) {
        batchChanging_ = true;
        Changing();
    }
}

void TStringList::EndChange()
{
    if (UpdateCount() == 0)
        Changed();
}

void TStringList::SetUpdateState(bool updating)
{
    if (updating) {
        batchChanging_ = false;
    } else if (batchChanging_) {
        batchChanging_ = false;
        Changed();
    }
}
