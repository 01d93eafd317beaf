#pragma once

#include <QDialog>

#include <memory>
#include <string>

class TFileHistory;

namespace Ui
{
class AppFileHistoryDialog;
}

// What goes into and comes out of the History dialog.
struct TFileHistorySelection
{
    TFileHistory* History = nullptr; // not owned
    int ItemIndex = -1;              // -1: none
};

// Lists the recent decks for the user to pick one, and clears, edits and prunes the list.
// Changes to the list are written to the history's file at once, also when cancelled later.
class TAppFileHistoryDialog : public QDialog
{
    Q_OBJECT

public:
    explicit TAppFileHistoryDialog(QWidget* parent = nullptr);
    ~TAppFileHistoryDialog() override;

    // Set by the caller before Execute; on OK it holds the chosen line.
    TFileHistorySelection Selection;

    // True when the dialog closed with OK.
    virtual bool Execute();

    void FillList(const TFileHistorySelection& selection);
    static std::string FormatItem(int number, const std::string& path);
    void UpdateActions();
    TFileHistorySelection GetSelection() const;
    void SetItemIndex(int index);

private:
    void FillLines(const TFileHistorySelection& selection);
    int GetItemIndex() const;
    int GetListCount() const;
    TFileHistory& History() const;
    void ConfirmOrAbort(const std::string& text);
    // No exception may leave a slot: errors go to the error box, the dialog stays open.
    void Run(void (TAppFileHistoryDialog::*command)());
    void ConnectAction(QAction* action, void (TAppFileHistoryDialog::*command)());

    void Field11Click();
    void Field11DblClick();
    void NewActionExecute();
    void NewActionUpdate();
    void CopyActionExecute();
    void CopyActionUpdate();
    void DeleteActionExecute();
    void DeleteActionUpdate();
    void PackActionExecute();
    void PackActionUpdate();
    void ExploreActionExecute();
    void ExploreActionUpdate();

    std::unique_ptr<Ui::AppFileHistoryDialog> FUi;
};

// The one History dialog, created on first use and kept until the program ends.
TAppFileHistoryDialog* GetAppFileHistoryDialog();
