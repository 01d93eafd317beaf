#pragma once

#include <exception>
#include <string>

// The common exception class: every failure of the program carries one message text.
class EError : public std::exception
{
public:
    explicit EError(std::string message) : FMessage(std::move(message)) {}
    const char* what() const noexcept override { return FMessage.c_str(); }
    const std::string& Message() const noexcept { return FMessage; }

private:
    std::string FMessage;
};

// The silent abort: ends a command without any message (a cancelled dialog or confirmation).
class EAbort : public std::exception
{
public:
    const char* what() const noexcept override { return "Operation aborted"; }
};

// Raised by dialogs for invalid input or placement requests.
class EInvalidOperation : public EError
{
public:
    using EError::EError;
};

// Index out of range in a list.
class EListError : public EError
{
public:
    using EError::EError;
};

// Raises the silent abort.
[[noreturn]] inline void Abort()
{
    throw EAbort();
}
