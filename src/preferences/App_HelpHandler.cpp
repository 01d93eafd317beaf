#include "App_HelpHandler.h"

void THelpHandler::ShowContents()
{
    Guard(CanShowContents());
}

bool THelpHandler::CanShowContents()
{
    return false;
}

void THelpHandler::ShowAbout()
{
    Guard(CanShowAbout());
}

bool THelpHandler::CanShowAbout()
{
    return false;
}
