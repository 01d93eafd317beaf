#pragma once

#include "App_Handlers.h"
#include "Tovi_desktop.h"

#include <string>

struct TToolsOptions
{
    // The editor program as typed: a name found on the search path, or a full path. Empty means
    // the desktop opens the deck with its default program for the file's type.
    std::string EditorFile;
    bool operator==(const TToolsOptions&) const = default;
};

// The external editor, the deck template and the tools options.
class TToolsHandler : public THandler
{
public:
    // The template beside the program, unless a test names another file.
    explicit TToolsHandler(std::string templateFileName = DefaultTemplateFileName());

    void LoadSettings(TMemIniFile& settings) override;
    void SaveSettings(TMemIniFile& settings) override;

    virtual void OpenWithEditor(const std::string& fileName);
    virtual bool CanOpenWithEditor();
    virtual void CreateTemplate();
    virtual bool CanCreateTemplate();
    virtual void SetOptions(const TToolsOptions& options);
    virtual bool CanSetOptions();
    virtual void EditOptions();
    virtual bool CanEditOptions();

    const TToolsOptions& GetOptions() const { return FOptions; }
    const std::string& GetTemplateFileName() const { return FTemplateFileName; }
    static std::string DefaultTemplateFileName();

private:
    void CopyTemplate(const std::string& fileName) const;

    TToolsOptions FOptions;
    TFileDialogRequest FSaveDialog;
    std::string FTemplateFileName;
};
