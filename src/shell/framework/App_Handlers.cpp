#include "App_Handlers.h"

void THandler::Unavailable()
{
    throw EHandlerError("The feature is unavailable.");
}

void THandler::LoadSettings(TMemIniFile&) {}

void THandler::SaveSettings(TMemIniFile&) {}

void THandler::Guard(bool query)
{
    if (!query)
        Unavailable();
}
