#pragma once

#include "App_Handlers.h"

#include <string>

// The offline help and the about box.
class THelpHandler : public THandler
{
public:
    // The help beside the program, unless a test names another page.
    explicit THelpHandler(std::string helpFileName = DefaultHelpFileName());

    virtual void ShowContents();
    virtual bool CanShowContents();
    virtual void ShowAbout();
    virtual bool CanShowAbout();

    const std::string& GetHelpFileName() const { return FHelpFileName; }
    static std::string DefaultHelpFileName();
    // Product and version, an empty line, the rights line.
    static const std::string AboutText;

private:
    std::string FHelpFileName;
};
