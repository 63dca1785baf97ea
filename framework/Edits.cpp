#include "framework/Edits.h"

#include <algorithm>

TCustomEdit::TCustomEdit(TComponent* owner) : TWinControl(owner)
{
    SetControlStyle(csSetCaption | csDoubleClicks);
    SetColor(clWindow);
    SetTabStop(true);
    SetBounds(0, 0, 121, 21);
}

void TCustomEdit::CreateParams(TCreateParams& p)
{
    TWinControl::CreateParams(p);
    p.SetWinClassName(L"EDIT");
    p.SystemClass = true;
    p.ExStyle |= WS_EX_CLIENTEDGE;
    p.Style |= ES_AUTOHSCROLL;
    if (readOnly_)
        p.Style |= ES_READONLY;
}

// The user may type as many characters as the system allows.
void TCustomEdit::InitializeWindow()
{
    SendMessageW(Handle(), EM_LIMITTEXT, 0, 0);
}

void TCustomEdit::SetReadOnly(bool on)
{
    if (on == readOnly_)
        return;
    readOnly_ = on;
    if (HandleAllocated())
        SendMessageW(Handle(), EM_SETREADONLY, on ? TRUE : FALSE, 0);
}

void TCustomEdit::Change()
{
    if (OnChange)
        OnChange(this);
}

void TCustomEdit::WndProc(TMessage& m)
{
    if (m.Msg == CN_COMMAND && HIWORD(m.WParam) == EN_CHANGE) {
        Change();
        return;
    }
    TWinControl::WndProc(m);
}

// The memo's lines: its window text split at line breaks. Changes inside an
// update bracket collect in a copy and reach the window once at its end.
class TCustomMemo::TMemoStrings : public TStrings {
public:
    explicit TMemoStrings(TCustomMemo& memo) : memo_(memo) {}

    int Count() const override { return static_cast<int>(Lines().size()); }
    std::wstring Get(int index) const override
    {
        auto lines = Lines();
        if (index < 0 || index >= static_cast<int>(lines.size()))
            IndexError(index);
        return lines[static_cast<size_t>(index)];
    }
    void Put(int index, const std::wstring& s) override
    {
        Edit([&](std::vector<std::wstring>& lines) {
            Check(index, lines.size());
            lines[static_cast<size_t>(index)] = s;
        });
    }
    void Insert(int index, const std::wstring& s) override
    {
        Edit([&](std::vector<std::wstring>& lines) {
            Check(index, lines.size() + 1);
            lines.insert(lines.begin() + index, s);
        });
    }
    void Delete(int index) override
    {
        Edit([&](std::vector<std::wstring>& lines) {
            Check(index, lines.size());
            lines.erase(lines.begin() + index);
        });
    }
    void Clear() override
    {
        Edit([](std::vector<std::wstring>& lines) { lines.clear(); });
    }

protected:
    void SetUpdateState(bool updating) override
    {
        if (updating) {
            batch_ = Split(memo_.Text());
            batching_ = true;
        } else {
            batching_ = false;
            Write(batch_);
            batch_.clear();
        }
    }

private:
    static void Check(int index, size_t limit)
    {
        if (index < 0 || static_cast<size_t>(index) >= limit)
            IndexError(index);
    }
    static std::vector<std::wstring> Split(const std::wstring& text)
    {
        std::vector<std::wstring> lines;
        size_t start = 0;
        while (start < text.size()) {
            size_t end = text.find_first_of(L"\r\n", start);
            if (end == std::wstring::npos)
                end = text.size();
            lines.push_back(text.substr(start, end - start));
            if (end < text.size() && text[end] == L'\r' && end + 1 < text.size() && text[end + 1] == L'\n')
                ++end;
            start = end + 1;
        }
        return lines;
    }
    std::vector<std::wstring> Lines() const { return batching_ ? batch_ : Split(memo_.Text()); }
    void Write(const std::vector<std::wstring>& lines)
    {
        std::wstring text;
        for (size_t i = 0; i < lines.size(); ++i) {
            if (i)
                text += L"\r\n";
            text += lines[i];
        }
        memo_.SetText(text);
    }
    template <class F>
    void Edit(F change)
    {
        if (batching_) {
            change(batch_);
            return;
        }
        auto lines = Split(memo_.Text());
        change(lines);
        Write(lines);
    }

    TCustomMemo& memo_;
    std::vector<std::wstring> batch_;
    bool batching_ = false;
};

TCustomMemo::TCustomMemo(TComponent* owner) : TCustomEdit(owner), lines_(std::make_unique<TMemoStrings>(*this))
{
    SetBounds(0, 0, 185, 89);
}

TCustomMemo::~TCustomMemo() { Destroying(); }

TStrings* TCustomMemo::Lines() const { return lines_.get(); }

void TCustomMemo::CreateParams(TCreateParams& p)
{
    TCustomEdit::CreateParams(p);
    p.Style |= ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL;
    if (wordWrap_)
        p.Style &= ~static_cast<DWORD>(ES_AUTOHSCROLL);
    if (scrollBars_ == ssVertical || scrollBars_ == ssBoth)
        p.Style |= WS_VSCROLL;
    if ((scrollBars_ == ssHorizontal || scrollBars_ == ssBoth) && !wordWrap_)
        p.Style |= WS_HSCROLL;
}

void TCustomMemo::SetScrollBars(TScrollStyle s)
{
    if (s == scrollBars_)
        return;
    scrollBars_ = s;
    RecreateWnd();
}

void TCustomMemo::SetWordWrap(bool on)
{
    if (on == wordWrap_)
        return;
    wordWrap_ = on;
    RecreateWnd();
}
