#pragma once
// Objects that know their class names at run time: the root of the class
// library. Platform-neutral.
#include <string>
#include <string_view>
#include <vector>

// Declares run-time class information for Class, derived from Parent. Put it
// first in the class body; it leaves the access at public.
#define CLASS_INFO(Class, Parent)                                                   \
public:                                                                           \
    static constexpr const wchar_t* StaticClassName = L## #Class;                 \
    const wchar_t* ClassName() const override { return StaticClassName; }        \
    bool InheritsFrom(std::wstring_view name) const override                     \
    {                                                                             \
        return name == StaticClassName || Parent::InheritsFrom(name);            \
    }                                                                             \
    void AncestorNames(std::vector<std::wstring>& out) const override            \
    {                                                                             \
        out.emplace_back(StaticClassName);                                        \
        Parent::AncestorNames(out);                                               \
    }

class TObject {
public:
    static constexpr const wchar_t* StaticClassName = L"TObject";
    virtual ~TObject() = default;
    virtual const wchar_t* ClassName() const { return StaticClassName; }
    // True for this class and every ancestor's name ("TCustomEdit" for an edit).
    virtual bool InheritsFrom(std::wstring_view name) const { return name == StaticClassName; }
    // This class's name followed by its ancestors' names, up to "TObject".
    virtual void AncestorNames(std::vector<std::wstring>& out) const { out.emplace_back(StaticClassName); }
    std::vector<std::wstring> ClassNames() const
    {
        std::vector<std::wstring> names;
        AncestorNames(names);
        return names;
    }
};
