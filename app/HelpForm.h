#pragma once
// The help window: the help text in English or Russian in a read-only box, "RU"
// to switch between them and "OK" to close. The texts are "ReadMe.txt" and
// "ReadMeRU.txt" in the current directory; the language last shown is kept for
// the whole process. Its controls are built from its window description.
#include <string>
#include <string_view>

#include "framework/Exceptions.h"
#include "framework/Forms.h"

// What the help window needs of the window that opens it.
class IHelpHost {
public:
    // "Tray Icon" is checked: minimising hides the windows, leaving the tray icon.
    virtual bool TrayIconChecked() const = 0;
    virtual void SetMainWindowVisible(bool visible) = 0;

protected:
    ~IHelpHost() = default;
};

// The help files, looked up in the current directory.
inline constexpr const wchar_t* kHelpFileEnglish = L"ReadMe.txt";
inline constexpr const wchar_t* kHelpFileRussian = L"ReadMeRU.txt";

// The language of the help for the whole process; English at start.
bool HelpInRussian();
void SetHelpInRussian(bool russian);

class THelpForm : public TForm {
    CLASS_INFO(THelpForm, TForm)

public:
    // Builds the window and shows the help text. With no help file at all the
    // creation fails with the error of opening "ReadMe.txt".
    THelpForm(TComponent* owner, IHelpHost& host);
    ~THelpForm() override;

    // Shows the text of the language the flag says, or of the one file there is
    // (the flag follows it); "RU" is down for Russian and disabled unless both
    // files exist. False, with nothing changed, when neither file exists.
    bool LoadHelp();

    // Handlers bound by the window description.
    void KdSpeedButton1Click(TObject* sender);
    void Button1Click(TObject* sender);

protected:
    // Minimise and restore go through the tray while "Tray Icon" is checked, or
    // minimise the whole application; maximising is refused.
    void WndProc(TMessage& msg) override;

private:
    // The window description (HelpFormDescription.cpp).
    void BuildDescription();
    // The text of a help file, decoded from its code page.
    static std::wstring ReadHelpFile(bool russian);
    // Replaces the memo's lines, with the character set of the language.
    void ShowText(const std::wstring& text, bool russian);

    template <class T>
    T* Control(std::wstring_view name) const
    {
        T* control = FindComponentAs<T>(this, name);
        if (!control)
            throw EComponentError(L"The help window has no control \"" + std::wstring(name) + L"\" of that kind");
        return control;
    }

    IHelpHost& host_;
};
