// Any bytes as the content of an object file, through the path Load takes:
// the bytes become the current block and are decoded into the window's
// controls. An accepted file is then saved as Save does (4096 bytes, encoded
// into the block itself) and loaded again into a fresh window, which must show
// the same values. A refused file must leave the current block empty and the
// controls untouched.
#include <algorithm>
#include <cstdlib>
#include <map>
#include <span>
#include <string>
#include <vector>

#include "object/ObjectControls.h"
#include "object/ObjectFileFormat.h"

namespace {

// A window with just the controls that carry the fields.
class TFuzzWindow : public IObjectControls {
public:
    TFuzzWindow()
    {
        for (int i = 0; i < 9; ++i) {
            checks_[TerrainControlName(i)] = false;
            checks_[EditorTerrainControlName(i)] = false;
        }
        for (unsigned page = 0; page < kPageCount; ++page)
            checks_[PageButtonName(page)] = false;
        checks_[L"CheckBox17"] = false;
    }

    std::vector<uint8_t>& CurrentBlock() override { return block_; }
    TMaskStore& Masks() override
    {
        touched_ = true;
        return masks_;
    }
    std::string PictureName() const override { return name_; }
    void SetPictureName(std::string_view bytes) override
    {
        touched_ = true;
        name_ = std::string(bytes.substr(0, std::min(bytes.size(), bytes.find('\0'))));
    }
    std::wstring Text(std::wstring_view name) const override
    {
        auto it = texts_.find(std::wstring(name));
        return it == texts_.end() ? std::wstring() : it->second;
    }
    void SelectByValue(std::wstring_view name, int32_t value) override
    {
        touched_ = true;
        texts_[std::wstring(name)] = std::to_wstring(value);
    }
    void RunChange(std::wstring_view) override { touched_ = true; }
    bool Exists(std::wstring_view name) const override { return checks_.count(std::wstring(name)) != 0; }
    bool Checked(std::wstring_view name) const override
    {
        auto it = checks_.find(std::wstring(name));
        return it != checks_.end() && it->second;
    }
    void SetChecked(std::wstring_view name, bool checked) override
    {
        touched_ = true;
        auto it = checks_.find(std::wstring(name));
        if (it == checks_.end())
            std::abort();  // decoding only names controls that exist
        // The page buttons are one radio group.
        if (checked && name.starts_with(L"RadioButton"))
            for (unsigned page = 0; page < kPageCount; ++page)
                checks_[PageButtonName(page)] = false;
        it->second = checked;
    }
    void RepaintGrid() override { touched_ = true; }
    void ShowGroups() override { shown_ = true; }
    void HideGroups() override { shown_ = false; }
    bool ObjectShown() const override { return shown_; }

    bool Touched() const { return touched_; }

private:
    std::vector<uint8_t> block_;
    TMaskStore masks_;
    std::string name_;
    std::map<std::wstring, std::wstring> texts_;
    std::map<std::wstring, bool> checks_;
    bool shown_ = false;
    bool touched_ = false;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > kMaxObjectFileSize)
        return 0;  // reading refuses such files before any decoding

    TFuzzWindow window;
    window.CurrentBlock().assign(data, data + size);
    if (!DecodeIntoControls(window)) {
        if (!window.CurrentBlock().empty() || window.Touched() || window.ObjectShown())
            std::abort();
        return 0;
    }
    if (!window.ObjectShown())
        std::abort();

    // Save: the block grows or shrinks to 4096 bytes and is encoded into itself.
    if (!ValidateControls(window).empty())
        return 0;
    std::vector<uint8_t> file = window.CurrentBlock();
    file.resize(kObjectFileWriteSize, 0);
    const TObjectValues saved = ValuesFromControls(window);
    EncodeObjectBlock(saved, file, std::span<uint8_t, kObjectBlockSize>(file.data(), kObjectBlockSize));

    // Load the saved file again.
    TFuzzWindow again;
    again.CurrentBlock() = file;
    const bool fits = saved.Name.size() + kBlockMinimumSize <= kObjectFileWriteSize;
    if (DecodeIntoControls(again) != fits)
        std::abort();
    if (fits && ValuesFromControls(again) != saved)
        std::abort();
    return 0;
}
