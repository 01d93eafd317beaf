#include "App_ToolsHandler.h"

void TToolsHandler::OpenWithEditor(const std::string&)
{
    Guard(CanOpenWithEditor());
}

bool TToolsHandler::CanOpenWithEditor()
{
    return false;
}

void TToolsHandler::CreateTemplate()
{
    Guard(CanCreateTemplate());
}

bool TToolsHandler::CanCreateTemplate()
{
    return false;
}

void TToolsHandler::SetOptions(const TToolsOptions& options)
{
    Guard(CanSetOptions());
    FOptions = options;
}

bool TToolsHandler::CanSetOptions()
{
    return true;
}

void TToolsHandler::EditOptions()
{
    Guard(CanEditOptions());
}

bool TToolsHandler::CanEditOptions()
{
    return false;
}
