#pragma once

#include <string>

// The message of the TError that the function raises; "no error" when it raises none.
template <typename TError, typename TFunction> std::string ErrorMessageOf(TFunction function)
{
    try
    {
        function();
    }
    catch (const TError& error)
    {
        return error.Message();
    }
    return "no error";
}
