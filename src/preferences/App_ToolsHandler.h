#pragma once

#include "App_Handlers.h"

#include <string>

struct TToolsOptions
{
    std::string EditorFile;
    bool operator==(const TToolsOptions&) const = default;
};

// The external editor, the deck template and the tools options.
class TToolsHandler : public THandler
{
public:
    virtual void OpenWithEditor(const std::string& fileName);
    virtual bool CanOpenWithEditor();
    virtual void CreateTemplate();
    virtual bool CanCreateTemplate();
    virtual void SetOptions(const TToolsOptions& options);
    virtual bool CanSetOptions();
    virtual void EditOptions();
    virtual bool CanEditOptions();

    const TToolsOptions& GetOptions() const { return FOptions; }

private:
    TToolsOptions FOptions;
};
