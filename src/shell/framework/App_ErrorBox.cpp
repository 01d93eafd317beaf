#include "App_ErrorBox.h"

#include "Tovi_desktop.h"
#include "Tovi_exceptions.h"

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
        // Outside the program's exception family: no message text to show.
        Desktop().ShowError(std::string());
    }
}
