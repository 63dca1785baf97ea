#pragma once
// Errors raised by the program and its class library. Messages are UTF-16 text,
// shown as they stand by the application's default error display.
#include <exception>
#include <string>

class Exception : public std::exception {
public:
    explicit Exception(std::wstring message) : message_(std::move(message)) {}
    const std::wstring& Message() const { return message_; }
    // Narrow text for diagnostics only (non-ASCII characters become '?').
    const char* what() const noexcept override;

private:
    std::wstring message_;
    mutable std::string narrow_;
};

// An input/output error with the runtime's message ("Invalid numeric input").
class EInOutError : public Exception {
public:
    using Exception::Exception;
};

// A misuse of the class library (duplicate component name, bad index, ...).
class EComponentError : public Exception {
public:
    using Exception::Exception;
};
