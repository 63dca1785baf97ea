#include "framework/Exceptions.h"

const char* Exception::what() const noexcept
{
    if (narrow_.empty()) {
        narrow_.reserve(message_.size());
        for (wchar_t c : message_)
            narrow_.push_back(c < 0x80 ? static_cast<char>(c) : '?');
    }
    return narrow_.c_str();
}
