#pragma once
// Lists of text lines: the abstract TStrings that controls and holders share,
// and TStringList, a list of its own that reports its changes. Platform-neutral.
#include <string>
#include <string_view>
#include <vector>

#include "framework/Component.h"
#include "framework/Exceptions.h"

// windows.h makes GetObject a macro (GetObjectW); the member keeps its own name
// in every translation unit, with or without windows.h.
#ifdef GetObject
#undef GetObject
#endif

// A bad index or a forbidden operation on a string list ("List index out of bounds (5)").
class EStringListError : public Exception {
public:
    using Exception::Exception;
};

class TStrings : public TObject {
    CLASS_INFO(TStrings, TObject)

public:
    TStrings() = default;
    TStrings(const TStrings&) = delete;
    TStrings& operator=(const TStrings&) = delete;

    virtual int Count() const = 0;
    virtual std::wstring Get(int index) const = 0;
    // Replaces line `index`, keeping its object. The base deletes and inserts.
    virtual void Put(int index, const std::wstring& s);
    // The object kept with a line; lists without objects keep none.
    virtual TObject* GetObject(int index) const;
    virtual void PutObject(int index, TObject* object);
    virtual void Insert(int index, const std::wstring& s) = 0;
    void InsertObject(int index, const std::wstring& s, TObject* object);
    virtual void Delete(int index) = 0;
    virtual void Clear() = 0;

    // Appends a line (a sorted list puts it in its place); returns its index.
    virtual int Add(const std::wstring& s);
    int AddObject(const std::wstring& s, TObject* object);
    void AddStrings(const TStrings& other);

    // The first line equal to s without regard to case, or -1.
    virtual int IndexOf(std::wstring_view s) const;

    // Every line followed by CR LF.
    std::wstring Text() const;
    // Replaces the lines with the pieces of text between line breaks (CR LF, CR or
    // LF); a break at the very end makes no empty last line.
    void SetText(std::wstring_view text);

    // Makes this list a copy of other's lines and objects (one change).
    virtual void Assign(const TStrings& other);

    // Brackets a batch of changes; nested brackets count, and the outermost
    // EndUpdate ends the batch.
    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return updateCount_; }

    std::wstring Strings(int index) const { return Get(index); }
    std::wstring operator[](int index) const { return Get(index); }
    TObject* Objects(int index) const { return GetObject(index); }

protected:
    // Called with true when the outermost BeginUpdate starts a batch and with false
    // when the matching EndUpdate ends it.
    virtual void SetUpdateState(bool updating);
    [[noreturn]] static void IndexError(int index);

private:
    int updateCount_ = 0;
};

class TStringList : public TStrings {
    CLASS_INFO(TStringList, TStrings)

public:
    TStringList() = default;

    int Count() const override { return static_cast<int>(items_.size()); }
    std::wstring Get(int index) const override;
    void Put(int index, const std::wstring& s) override;
    TObject* GetObject(int index) const override;
    void PutObject(int index, TObject* object) override;
    void Insert(int index, const std::wstring& s) override;
    void Delete(int index) override;
    void Clear() override;
    int Add(const std::wstring& s) override;
    void Assign(const TStrings& other) override;

    // Raised around every change, or once around a batch of changes made between
    // BeginUpdate and EndUpdate (not at all for a batch that changed nothing).
    TNotifyEvent OnChanging;
    TNotifyEvent OnChange;

protected:
    virtual void Changing();
    virtual void Changed();
    void SetUpdateState(bool updating) override;

private:
    struct Item {
        std::wstring text;
        TObject* object = nullptr;
    };
    void CheckIndex(int index) const;
    void InsertItem(int index, const std::wstring& s, TObject* object);
    // Starts a change: raises OnChanging now, or once for the batch in progress.
    void BeginChange();
    // Ends a change: raises OnChange now, or marks the batch as changed.
    void EndChange();

    std::vector<Item> items_;
    bool batchChanging_ = false;  // OnChanging already raised for the running batch
};
