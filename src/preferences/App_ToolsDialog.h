#pragma once

#include "App_ToolsHandler.h"

#include <QDialog>

#include <memory>
#include <string>

namespace Ui
{
class AppToolsDialog;
}

// The Options dialog: the editor program that "Open with Editor" starts.
class TAppToolsDialog : public QDialog
{
    Q_OBJECT

public:
    explicit TAppToolsDialog(QWidget* parent = nullptr);
    ~TAppToolsDialog() override;

    // What the dialog shows when it opens; replaced by the controls' values only on OK.
    TToolsOptions Options;

    // Shows the dialog modally over the main window; true when it closed with OK.
    virtual bool Execute();

    // The controls' values.
    TToolsOptions GetOptions() const;
    void SetOptions(const TToolsOptions& options);
    std::string GetEditorFile() const;
    void SetEditorFile(const std::string& editorFile);

private:
    // The "..." button: browse for the editor program.
    void Field13Click();

    std::unique_ptr<Ui::AppToolsDialog> FUi;
    TFileDialogRequest FBrowseDialog;
};

// The one Options dialog, created on first use; it lives until the program ends.
TAppToolsDialog* GetAppToolsDialog();
