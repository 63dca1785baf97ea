#pragma once
// The persistent base: objects whose settings can be copied from another object
// of a compatible class with Assign. Platform-neutral.
#include "framework/Object.h"
#include "framework/Exceptions.h"

// The assignment error: the source's class cannot be copied into the target's.
class EConvertError : public Exception {
public:
    using Exception::Exception;
};

class TPersistent : public TObject {
    CLASS_INFO(TPersistent, TObject)

public:
    // Copies source's settings into this object. The base asks the source to copy
    // itself here (AssignTo); when neither side knows the other, it raises
    // EConvertError. A null source cannot be assigned either.
    virtual void Assign(const TPersistent* source);

protected:
    // Copies this object's settings into dest; the base knows no class and raises
    // the assignment error.
    virtual void AssignTo(TPersistent* dest) const;
    // Raises "Cannot assign a <source class> to a <this class>".
    [[noreturn]] void AssignError(const TPersistent* source) const;
};
