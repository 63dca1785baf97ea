#include "framework/Strings.h"

#include <utility>

#include "framework/ScopeGuards.h"

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
    if (index < 0 || index > Count())
        IndexError(index);
    InsertItem(index, s, nullptr);
}

int TStringList::Add(const std::wstring& s)
{
    int index = Count();
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

void TStringList::Assign(const TStrings& other)
{
    if (&other == this)
        return;
    std::vector<Item> copy;
    copy.reserve(static_cast<size_t>(other.Count()));
    for (int i = 0; i < other.Count(); ++i)
        copy.push_back(Item{other.Get(i), other.GetObject(i)});
    BeginUpdate();
    BeginChange();
    items_ = std::move(copy);
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
