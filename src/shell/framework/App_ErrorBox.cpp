#include "App_ErrorBox.h"

#include "Tovi_desktop.h"
#include "Tovi_exceptions.h"

#include <new>

namespace
{
std::string ForeignExceptionText(std::exception_ptr exception)
{
    // Never an empty box: a failure from outside the program's family still gets a sentence.
    const std::string unknown = "The program has met an unexpected error.";
    try
    {
        std::rethrow_exception(exception);
    }
    catch (const std::bad_alloc&)
    {
        return "The program has run out of memory.";
    }
    catch (const std::exception& error)
    {
        const std::string text = error.what();
        return text.empty() ? unknown : text;
    }
    catch (...)
    {
        return unknown;
    }
}
} // namespace

std::string ErrorBoxText(const std::string& message)
{
    if (!message.empty() && static_cast<unsigned char>(message.back()) > '.')
        return message + ".";
    return message;
}

void ShowException(std::exception_ptr exception)
{
    try
    {
        std::rethrow_exception(exception);
    }
    catch (const EAbort&)
    {
    }
    catch (const EError& error)
    {
        Desktop().ShowError(ErrorBoxText(error.Message()));
    }
    catch (...)
    {
        Desktop().ShowError(ErrorBoxText(ForeignExceptionText(std::current_exception())));
    }
}
