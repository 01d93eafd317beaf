#include "App_FileHistoryDialog.h"

#include "App_FileHistory.h"
#include "App_ErrorBox.h"
#include "Tovi_desktop.h"
#include "Tovi_exceptions.h"
#include "Tovi_programfiles.h"
#include "ui_App_FileHistoryDialog.h"

#include <QAction>
#include <QListWidget>

#include <algorithm>
#include <filesystem>

namespace
{
// The folder part of a path, with its trailing separator.
std::string FolderOf(const std::string& path)
{
    return path.substr(0, path.rfind('/') + 1);
}

// A folder or an empty path counts as missing: neither can be opened as a deck.
bool FileExists(const std::string& path)
{
    std::error_code error;
    return !path.empty() && std::filesystem::exists(path, error) &&
           !std::filesystem::is_directory(path, error);
}

QAction* Separator(QObject* parent)
{
    auto* separator = new QAction(parent);
    separator->setSeparator(true);
    return separator;
}

} // namespace

TAppFileHistoryDialog::TAppFileHistoryDialog(QWidget* parent)
    : QDialog(parent), FUi(std::make_unique<Ui::AppFileHistoryDialog>())
{
    Q_INIT_RESOURCE(App_HistoryImages);
    FUi->setupUi(this);
    setWindowFlag(Qt::MSWindowsFixedSizeDialogHint);
    FUi->Field11->addActions({FUi->NewAction, Separator(this), FUi->CopyAction, FUi->DeleteAction,
                              FUi->PackAction, Separator(this), FUi->ExploreAction});
    FUi->NewButton->setDefaultAction(FUi->NewAction);
    FUi->CopyButton->setDefaultAction(FUi->CopyAction);
    FUi->DeleteButton->setDefaultAction(FUi->DeleteAction);
    FUi->ExploreButton->setDefaultAction(FUi->ExploreAction);
    ConnectAction(FUi->NewAction, &TAppFileHistoryDialog::NewActionExecute);
    ConnectAction(FUi->CopyAction, &TAppFileHistoryDialog::CopyActionExecute);
    ConnectAction(FUi->DeleteAction, &TAppFileHistoryDialog::DeleteActionExecute);
    ConnectAction(FUi->PackAction, &TAppFileHistoryDialog::PackActionExecute);
    ConnectAction(FUi->ExploreAction, &TAppFileHistoryDialog::ExploreActionExecute);
    connect(FUi->Field11, &QListWidget::itemSelectionChanged, this,
            [this] { Run(&TAppFileHistoryDialog::Field11Click); });
    connect(FUi->Field11, &QListWidget::itemDoubleClicked, this,
            [this] { Run(&TAppFileHistoryDialog::Field11DblClick); });
    UpdateActions();
}

TAppFileHistoryDialog::~TAppFileHistoryDialog() = default;

void TAppFileHistoryDialog::ConnectAction(QAction* action, void (TAppFileHistoryDialog::*command)())
{
    addAction(action); // so that its shortcut works anywhere in the dialog
    connect(action, &QAction::triggered, this, [this, command] { Run(command); });
}

void TAppFileHistoryDialog::Run(void (TAppFileHistoryDialog::*command)())
{
    try
    {
        (this->*command)();
    }
    catch (...)
    {
        ShowException(std::current_exception());
    }
}

bool TAppFileHistoryDialog::Execute()
{
    FillList(Selection);
    FUi->Field11->setFocus();
    CentreOnMainWindow(*this);
    const bool accepted = Desktop().ExecuteDialog(*this);
    // Only OK hands the chosen line back; Cancel keeps what the caller gave.
    if (accepted)
        Selection = GetSelection();
    return accepted;
}

void TAppFileHistoryDialog::FillList(const TFileHistorySelection& selection)
{
    FUi->Field11->setUpdatesEnabled(false);
    try
    {
        FillLines(selection);
    }
    catch (...)
    {
        FUi->Field11->setUpdatesEnabled(true);
        throw;
    }
    FUi->Field11->setUpdatesEnabled(true);
    UpdateActions();
}

void TAppFileHistoryDialog::FillLines(const TFileHistorySelection& selection)
{
    FUi->Field11->clear();
    const int count = selection.History ? selection.History->GetCount() : 0;
    for (int index = 0; index < count; ++index)
        FUi->Field11->addItem(PathToQt(FormatItem(index + 1, selection.History->GetItem(index))));
    // The view measures every line in its font, so the horizontal scroll range follows the
    // widest line; laying the lines out now makes the range right before the dialog shows.
    FUi->Field11->doItemsLayout();
    SetItemIndex(selection.ItemIndex);
}

std::string TAppFileHistoryDialog::FormatItem(int number, const std::string& path)
{
    const std::string name = path.substr(path.rfind('/') + 1);
    return std::to_string(number) + ". \"" + name + "\" (\"" + path + "\")";
}

void TAppFileHistoryDialog::UpdateActions()
{
    NewActionUpdate();
    CopyActionUpdate();
    DeleteActionUpdate();
    PackActionUpdate();
    ExploreActionUpdate();
    FUi->OkButton->setEnabled(GetItemIndex() >= 0);
}

TFileHistorySelection TAppFileHistoryDialog::GetSelection() const
{
    return {Selection.History, GetItemIndex()};
}

void TAppFileHistoryDialog::SetItemIndex(int index)
{
    if (index == GetItemIndex())
        return;
    const int clamped = std::clamp(index, -1, GetListCount() - 1);
    FUi->Field11->setCurrentRow(clamped);
    if (clamped < 0)
        FUi->Field11->clearSelection();
    UpdateActions();
}

int TAppFileHistoryDialog::GetItemIndex() const
{
    const QList<QListWidgetItem*> selected = FUi->Field11->selectedItems();
    return selected.isEmpty() ? -1 : FUi->Field11->row(selected.constFirst());
}

int TAppFileHistoryDialog::GetListCount() const
{
    return FUi->Field11->count();
}

// The commands that use it are enabled only while the list shows a history's lines.
TFileHistory& TAppFileHistoryDialog::History() const
{
    return *Selection.History;
}

void TAppFileHistoryDialog::ConfirmOrAbort(const std::string& text)
{
    if (!Desktop().Confirm(text))
        Abort();
}

void TAppFileHistoryDialog::Field11Click()
{
    UpdateActions();
}

void TAppFileHistoryDialog::Field11DblClick()
{
    FUi->OkButton->click();
}

// New, Delete and Pack show the changed list before saving, so that the lines always match
// the history even when the file cannot be written.
void TAppFileHistoryDialog::NewActionExecute()
{
    ConfirmOrAbort("The program clears the list.");
    History().Clear();
    FillList(Selection);
    History().Save();
}

void TAppFileHistoryDialog::NewActionUpdate()
{
    FUi->NewAction->setEnabled(GetListCount() > 0);
}

void TAppFileHistoryDialog::CopyActionExecute()
{
    Desktop().SetClipboardText(History().GetItem(GetItemIndex()));
}

void TAppFileHistoryDialog::CopyActionUpdate()
{
    FUi->CopyAction->setEnabled(GetItemIndex() >= 0);
}

void TAppFileHistoryDialog::DeleteActionExecute()
{
    ConfirmOrAbort("The program deletes the selected item.");
    History().Delete(GetItemIndex());
    FillList(Selection);
    History().Save();
}

void TAppFileHistoryDialog::DeleteActionUpdate()
{
    FUi->DeleteAction->setEnabled(GetItemIndex() >= 0);
}

void TAppFileHistoryDialog::PackActionExecute()
{
    ConfirmOrAbort("The program deletes non-existent files from the list.");
    TFileHistory& history = History();
    const int count = history.GetCount();
    // An entry that moves up into a deleted one's place is looked at too.
    for (int index = 0; index < history.GetCount();)
        if (FileExists(history.GetItem(index)))
            ++index;
        else
            history.Delete(index);
    if (history.GetCount() == count)
        return;
    FillList(Selection);
    history.Save();
}

void TAppFileHistoryDialog::PackActionUpdate()
{
    FUi->PackAction->setEnabled(GetListCount() > 0);
}

void TAppFileHistoryDialog::ExploreActionExecute()
{
    // The desktop reports a missing folder itself.
    Desktop().OpenDocument(FolderOf(History().GetItem(GetItemIndex())));
}

void TAppFileHistoryDialog::ExploreActionUpdate()
{
    FUi->ExploreAction->setEnabled(GetItemIndex() >= 0);
}

TAppFileHistoryDialog* GetAppFileHistoryDialog()
{
    // Parentless and never deleted: it lives as long as the program.
    static TAppFileHistoryDialog* dialog = new TAppFileHistoryDialog();
    return dialog;
}
