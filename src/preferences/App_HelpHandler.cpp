#include "App_HelpHandler.h"

#include "App_Product.h"
#include "Tovi_desktop.h"
#include "Tovi_programfiles.h"

#include <filesystem>
#include <system_error>

const std::string THelpHandler::AboutText =
    std::string(ProductName) + " " + ProductVersion +
    "\r\n\r\nCopyright (C) 2026 The Orvanta developers. MIT licence.";

THelpHandler::THelpHandler(std::string helpFileName) : FHelpFileName(std::move(helpFileName)) {}

std::string THelpHandler::DefaultHelpFileName()
{
    return ProgramFileName("Help/index.html");
}

void THelpHandler::ShowContents()
{
    Guard(CanShowContents());
    if (!Desktop().Confirm("The program opens the offline help."))
        Abort();
    // The desktop may report success for a page that is not there, so look first.
    std::error_code error;
    if (!std::filesystem::is_regular_file(FHelpFileName, error) ||
        !Desktop().OpenDocument(FHelpFileName))
        throw EHandlerError("The program could not open the help.");
}

bool THelpHandler::CanShowContents()
{
    return true;
}

void THelpHandler::ShowAbout()
{
    Guard(CanShowAbout());
    Desktop().ShowMessage(AboutText);
}

bool THelpHandler::CanShowAbout()
{
    return true;
}
