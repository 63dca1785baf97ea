#include "object/CatalogueText.h"

#include <algorithm>

#include "controls/KdStrUtils.h"
#include "framework/Exceptions.h"

namespace {

// Blanks, line ends and the other control characters.
inline bool IsSpace(char c) { return static_cast<unsigned char>(c) <= ' '; }

// The text as lines ended by CR LF, LF or CR.
class TLineReader {
public:
    explicit TLineReader(std::string_view text) : text_(text) {}

    // The count: the first word after blanks and line ends, which must be a
    // decimal number (an empty text counts 0); the rest of its line is skipped.
    int32_t ReadCount()
    {
        while (pos_ < text_.size() && IsSpace(text_[pos_]))
            ++pos_;
        const size_t start = pos_;
        while (pos_ < text_.size() && !IsSpace(text_[pos_]))
            ++pos_;
        const std::string_view word = text_.substr(start, pos_ - start);
        int32_t code = 0;
        const int32_t count = ParseInteger(word, &code);
        // A sign alone is no number either.
        if (!word.empty() && (code != kdpiOk || word.find_first_of("0123456789") == std::string_view::npos))
            throw EInOutError(L"Invalid numeric input");
        NextLine();
        return count;
    }

    // True when nothing but blanks, line ends and control characters is left.
    // The first character after them is remembered, so a run of such lines is
    // looked at once.
    bool OnlySpaceLeft()
    {
        if (!contentKnown_ || content_ < pos_) {
            content_ = pos_;
            while (content_ < text_.size() && IsSpace(text_[content_]))
                ++content_;
            contentKnown_ = true;
        }
        return content_ >= text_.size();
    }

    // The next line without its line end.
    std::string_view NextLine()
    {
        const size_t start = pos_;
        pos_ = std::min(Next(lf_, '\n'), Next(cr_, '\r'));
        const std::string_view line = text_.substr(start, pos_ - start);
        if (pos_ < text_.size() && text_[pos_++] == '\r' && pos_ < text_.size() && text_[pos_] == '\n')
            ++pos_;
        return line;
    }

private:
    // The position of the next c at or after the current one (the text's size
    // when there is none). Kept between calls, so that every byte is searched
    // once for each kind of line end.
    size_t Next(size_t& at, char c)
    {
        if (at < pos_ || at == kUnknown)
            at = std::min(text_.find(c, pos_), text_.size());
        return at;
    }

    static constexpr size_t kUnknown = std::string_view::npos;
    std::string_view text_;
    size_t pos_ = 0;
    size_t content_ = 0;
    bool contentKnown_ = false;
    size_t lf_ = kUnknown;
    size_t cr_ = kUnknown;
};

// A type or subtype field: digits after an optional sign and nothing else (an
// empty field reads as 0).
bool ReadField(std::string_view field, int32_t& value)
{
    int32_t code = 0;
    value = ParseInteger(field, &code);
    return code == kdpiOk;
}

}  // namespace

void ReadCatalogueText(TObjectCatalogue& catalogue, std::string_view text)
{
    // The first file that yields entries is taken whole, duplicates included.
    const bool checked = !catalogue.Empty();
    TLineReader lines(text);
    const int32_t count = lines.ReadCount();
    // Room for the entries at once, but no more than the text can hold: the
    // shortest entry line ("a" and four blanks) takes 5 bytes and a line end.
    if (count > 0)
        catalogue.Reserve(std::min(static_cast<size_t>(count), text.size() / 6 + 1));
    for (int32_t n = 0; n < count; ++n) {
        if (lines.OnlySpaceLeft())
            return;
        const std::string_view line = lines.NextLine();
        const size_t firstBlank = line.find(' ');
        if (firstBlank == std::string_view::npos)
            return;

        // The last four blanks, from the end: the subtype lies between the third
        // and the second, the type between the fourth and the third.
        size_t blanks[4];
        int seen = 0;
        for (size_t i = line.size(); i > 0 && seen < 4;)
            if (line[--i] == ' ')
                blanks[seen++] = i;
        // A line of three blanks or fewer has no type: it is passed over.
        if (seen < 4)
            continue;
        TMyPic entry;
        if (!ReadField(line.substr(blanks[2] + 1, blanks[1] - blanks[2] - 1), entry.Subtype))
            return;
        if (!ReadField(line.substr(blanks[3] + 1, blanks[2] - blanks[3] - 1), entry.Type))
            return;

        entry.Name.assign(line.substr(0, firstBlank));
        if (checked)
            catalogue.AddUnlessPresent(std::move(entry));
        else
            catalogue.Add(std::move(entry));
    }
}
