#pragma once

#include <string>

// The message of the error of type E that the action raises; "(no error)" when it raises none.
template <typename E, typename Action> std::string ErrorText(Action action)
{
    try
    {
        action();
    }
    catch (const E& error)
    {
        return error.Message();
    }
    return "(no error)";
}
