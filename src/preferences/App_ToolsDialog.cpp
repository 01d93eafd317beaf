#include "App_ToolsDialog.h"

#include "Tovi_programfiles.h"
#include "ui_App_ToolsDialog.h"

#include <QPushButton>

namespace
{
// Programs here are plain files without an extension of their own.
#ifdef Q_OS_WIN
const char* const EditorFileFilter = "Programs (*.exe)|*.exe|All (*.*)|*.*";
#else
const char* const EditorFileFilter = "All (*.*)|*.*";
#endif
} // namespace

TAppToolsDialog::TAppToolsDialog(QWidget* parent)
    : QDialog(parent), FUi(std::make_unique<Ui::AppToolsDialog>())
{
    FUi->setupUi(this);
    connect(FUi->BrowseButton, &QPushButton::clicked, this, &TAppToolsDialog::Field13Click);
    FBrowseDialog.Title = "Editor File";
    FBrowseDialog.Filter = EditorFileFilter;
    FBrowseDialog.MustExist = true;
}

TAppToolsDialog::~TAppToolsDialog() = default;

bool TAppToolsDialog::Execute()
{
    SetOptions(Options);
    FUi->EditorFileEdit->setFocus();
    CentreOnMainWindow(*this);
    if (!Desktop().ExecuteDialog(*this))
        return false;
    Options = GetOptions();
    return true;
}

TToolsOptions TAppToolsDialog::GetOptions() const
{
    return TToolsOptions{GetEditorFile()};
}

void TAppToolsDialog::SetOptions(const TToolsOptions& options)
{
    SetEditorFile(options.EditorFile);
}

std::string TAppToolsDialog::GetEditorFile() const
{
    return PathFromQt(FUi->EditorFileEdit->text());
}

void TAppToolsDialog::SetEditorFile(const std::string& editorFile)
{
    FUi->EditorFileEdit->setText(PathToQt(editorFile));
}

void TAppToolsDialog::Field13Click()
{
    FBrowseDialog.FileName = GetEditorFile();
    // Cancelled: the text box keeps its text.
    if (Desktop().ExecuteOpenDialog(FBrowseDialog))
        SetEditorFile(FBrowseDialog.FileName);
}

TAppToolsDialog* GetAppToolsDialog()
{
    // Parentless and never deleted: it outlives the main window and stays reachable.
    static TAppToolsDialog* dialog = new TAppToolsDialog();
    return dialog;
}
