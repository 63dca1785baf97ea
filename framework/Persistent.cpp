#include "framework/Persistent.h"

void TPersistent::Assign(const TPersistent* source)
{
    if (!source)
        AssignError(nullptr);
    source->AssignTo(this);
}

void TPersistent::AssignTo(TPersistent* dest) const { dest->AssignError(this); }

void TPersistent::AssignError(const TPersistent* source) const
{
    const std::wstring from = source ? source->ClassName() : L"nil";
    throw EConvertError(L"Cannot assign a " + from + L" to a " + ClassName());
}
