#include "App_ToolsHandler.h"

#include "App_ToolsDialog.h"
#include "Tovi_files.h"
#include "Tovi_inifiles.h"
#include "Tovi_programfiles.h"

namespace
{
const char* const OptionsSection = "ToolsHandler.Options";
const char* const EditorFileKey = "EditorFile";
} // namespace

TToolsHandler::TToolsHandler(std::string templateFileName)
    : FTemplateFileName(std::move(templateFileName))
{
    FSaveDialog.Title = "Create Template";
    FSaveDialog.Filter = "Text (*.txt)|*.txt|All (*.*)|*.*";
    FSaveDialog.FilterIndex = 1;
    FSaveDialog.OverwritePrompt = true;
}

std::string TToolsHandler::DefaultTemplateFileName()
{
    return ProgramFileName("Templates/Default.txt");
}

void TToolsHandler::LoadSettings(TMemIniFile& settings)
{
    TToolsOptions options = FOptions;
    options.EditorFile = settings.ReadString(OptionsSection, EditorFileKey, options.EditorFile);
    SetOptions(options);
}

void TToolsHandler::SaveSettings(TMemIniFile& settings)
{
    settings.WriteString(OptionsSection, EditorFileKey, FOptions.EditorFile);
}

void TToolsHandler::OpenWithEditor(const std::string& fileName)
{
    Guard(CanOpenWithEditor());
    // The deck's path goes over as one argument, so blanks in it need no quoting.
    const bool started = FOptions.EditorFile.empty()
                             ? Desktop().OpenDocument(fileName)
                             : Desktop().StartProgram(FOptions.EditorFile, {fileName});
    if (!started)
        throw EHandlerError("The program could not open the deck with an editor.");
}

bool TToolsHandler::CanOpenWithEditor()
{
    return true;
}

void TToolsHandler::CreateTemplate()
{
    Guard(CanCreateTemplate());
    FSaveDialog.FileName = "Untitled.txt";
    if (!Desktop().ExecuteSaveDialog(FSaveDialog))
        Abort();
    CopyTemplate(FSaveDialog.FileName);
}

bool TToolsHandler::CanCreateTemplate()
{
    return true;
}

// Replaces an existing file (the dialog has asked); the copy writes through a temporary file,
// so a failed copy leaves no new file and no half-written one behind.
void TToolsHandler::CopyTemplate(const std::string& fileName) const
{
    try
    {
        FileCopy(FTemplateFileName, fileName, true);
    }
    catch (const EFileError&)
    {
        throw EHandlerError("The program could not create a template file.");
    }
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
    TAppToolsDialog* dialog = GetAppToolsDialog();
    dialog->Options = FOptions;
    if (!dialog->Execute())
        Abort();
    SetOptions(dialog->Options);
}

bool TToolsHandler::CanEditOptions()
{
    return true;
}
