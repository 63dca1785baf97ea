#pragma once
// A component that holds a list of text lines in a form's description (the
// built-in value lists of the main window). Platform-neutral.
#include "framework/Component.h"
#include "framework/Strings.h"

class TKdStringer : public TComponent {
    CLASS_INFO(TKdStringer, TComponent)

public:
    explicit TKdStringer(TComponent* owner);
    ~TKdStringer() override;

    // The component's own list; the object lives as long as the component.
    TStringList& Items() { return items_; }
    const TStringList& Items() const { return items_; }
    // Copies the lines (and their objects) of items into the own list.
    void SetItems(const TStrings& items);

private:
    TStringList items_;
};
