#include "App_FileHistory.h"
#include "App_FileHistoryDialog.h"
#include "TempFolder.h"
#include "TestDesktop.h"

#include <QAction>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace
{
class FileHistoryDialogTest : public ::testing::Test
{
protected:
    FileHistoryDialogTest() : FScope(FDesktop) {}

    // A history of the given paths, most recent first, saved to History.ini.
    void MakeHistory(const std::vector<std::string>& paths)
    {
        FHistory = std::make_unique<TFileHistory>(HistoryFile());
        FHistory->SetLimit(30);
        for (auto path = paths.rbegin(); path != paths.rend(); ++path)
            FHistory->Add(*path);
        FHistory->Save();
        FDialog.Selection = {FHistory.get(), 0};
    }
    // Paths of existing decks "Deck1.txt" ... in the temporary folder.
    std::vector<std::string> ExistingDecks(int count)
    {
        std::vector<std::string> paths;
        for (int number = 1; number <= count; ++number)
            paths.push_back(FFolder.Write("Deck" + std::to_string(number) + ".txt", ""));
        return paths;
    }
    std::string HistoryFile() const { return FFolder.File("History.ini"); }
    std::string HistoryText() const { return TTempFolder::Read(HistoryFile()); }

    QListWidget* List() { return FDialog.findChild<QListWidget*>("Field11"); }
    QAction* Action(const char* name) { return FDialog.findChild<QAction*>(name); }
    QPushButton* Button(const char* name) { return FDialog.findChild<QPushButton*>(name); }
    bool Enabled(const char* name)
    {
        const QString text(name);
        return text.endsWith("Button") ? Button(name)->isEnabled() : Action(name)->isEnabled();
    }
    // Runs the dialog; inside, the test acts as the user and closes with OK or Cancel.
    bool Execute(const std::function<bool()>& user)
    {
        FDesktop.OnDialog = [&](QDialog& dialog)
        {
            EXPECT_EQ(&dialog, &FDialog);
            return user();
        };
        return FDialog.Execute();
    }

    TTempFolder FFolder;
    TTestDesktop FDesktop;
    TScopedTestDesktop FScope;
    std::unique_ptr<TFileHistory> FHistory;
    TAppFileHistoryDialog FDialog;
};

TEST_F(FileHistoryDialogTest, FormShowsTheHistoryWithTheFirstLinePreselected)
{
    MakeHistory({"/decks/Verbs.txt", "/decks/More/Nouns.txt"});
    EXPECT_TRUE(Execute(
        [&]
        {
            EXPECT_EQ(FDialog.windowTitle(), "History");
            EXPECT_EQ(List()->count(), 2);
            EXPECT_EQ(List()->item(0)->text(), "1. \"Verbs.txt\" (\"/decks/Verbs.txt\")");
            EXPECT_EQ(List()->item(1)->text(), "2. \"Nouns.txt\" (\"/decks/More/Nouns.txt\")");
            EXPECT_EQ(FDialog.GetSelection().ItemIndex, 0);
            EXPECT_TRUE(List()->hasFocus() || FDialog.focusWidget() == List());
            for (const char* name : {"OkButton", "CopyAction", "DeleteAction", "ExploreAction",
                                     "NewAction", "PackAction"})
                EXPECT_TRUE(Enabled(name)) << name;
            FDialog.SetItemIndex(1);
            return true;
        }));
    EXPECT_EQ(FDialog.Selection.ItemIndex, 1);
    EXPECT_EQ(FDialog.Selection.History, FHistory.get());
}

TEST_F(FileHistoryDialogTest, AnEmptyHistoryLeavesOnlyCancel)
{
    MakeHistory({});
    EXPECT_FALSE(Execute(
        [&]
        {
            for (const char* name : {"OkButton", "CopyAction", "DeleteAction", "ExploreAction",
                                     "NewAction", "PackAction"})
                EXPECT_FALSE(Enabled(name)) << name;
            EXPECT_TRUE(Enabled("CancelButton"));
            return false;
        }));
    EXPECT_EQ(FDialog.Selection.ItemIndex, 0);
}

TEST_F(FileHistoryDialogTest, SelectionIsClampedAndCancelKeepsWhatWasGiven)
{
    MakeHistory({"/a.txt", "/b.txt"});
    FDialog.Selection.ItemIndex = 7;
    EXPECT_FALSE(Execute(
        [&]
        {
            EXPECT_EQ(FDialog.GetSelection().ItemIndex, 1);
            FDialog.SetItemIndex(-5);
            EXPECT_EQ(FDialog.GetSelection().ItemIndex, -1);
            EXPECT_FALSE(Enabled("OkButton"));
            EXPECT_FALSE(Enabled("CopyAction"));
            EXPECT_TRUE(Enabled("NewAction"));
            return false;
        }));
    EXPECT_EQ(FDialog.Selection.ItemIndex, 7);
}

TEST_F(FileHistoryDialogTest, CopyAndExploreUseTheSelectedPath)
{
    MakeHistory({"/decks/Verbs.txt", "/other decks/Nouns.txt"});
    Execute(
        [&]
        {
            FDialog.SetItemIndex(1);
            Action("CopyAction")->trigger();
            Action("ExploreAction")->trigger();
            return false;
        });
    EXPECT_EQ(FDesktop.ClipboardTexts, std::vector<std::string>{"/other decks/Nouns.txt"});
    EXPECT_EQ(FDesktop.OpenedDocuments, std::vector<std::string>{"/other decks/"});
}

TEST_F(FileHistoryDialogTest, DeletingTheFifthLineSelectsTheFirstAndRewritesTheFile)
{
    MakeHistory({"/1.txt", "/2.txt", "/3.txt", "/4.txt", "/5.txt", "/6.txt"});
    Execute(
        [&]
        {
            FDialog.SetItemIndex(4);
            Action("DeleteAction")->trigger();
            EXPECT_EQ(FDialog.GetSelection().ItemIndex, 0);
            EXPECT_EQ(List()->count(), 5);
            EXPECT_EQ(List()->item(4)->text(), "5. \"6.txt\" (\"/6.txt\")");
            return false;
        });
    EXPECT_EQ(FDesktop.Confirmations,
              std::vector<std::string>{"The program deletes the selected item."});
    EXPECT_EQ(HistoryText().find("/5.txt"), std::string::npos);
    EXPECT_NE(HistoryText().find("Count=5\r\n"), std::string::npos);
}

TEST_F(FileHistoryDialogTest, PackRemovesAdjacentMissingFilesInOneRun)
{
    std::vector<std::string> paths = ExistingDecks(2);
    paths.insert(paths.begin() + 1, {FFolder.File("Gone1.txt"), FFolder.File("Gone2.txt"),
                                     FFolder.Path().string(), ""});
    MakeHistory(paths);
    Execute(
        [&]
        {
            Action("PackAction")->trigger();
            EXPECT_EQ(List()->count(), 2);
            return false;
        });
    EXPECT_EQ(FDesktop.Confirmations,
              std::vector<std::string>{"The program deletes non-existent files from the list."});
    EXPECT_EQ(HistoryText(), "[History]\r\nCount=2\r\nItem0=" + paths[0] +
                                 "\r\nItem1=" + paths.back() + "\r\n\r\n");
}

TEST_F(FileHistoryDialogTest, PackWithEveryFilePresentWritesNothing)
{
    MakeHistory(ExistingDecks(3));
    const std::string marked = HistoryText() + "[Mark]\r\nUntouched=1\r\n\r\n";
    FFolder.Write("History.ini", marked);
    Execute(
        [&]
        {
            Action("PackAction")->trigger();
            return false;
        });
    EXPECT_EQ(FDesktop.Confirmations.size(), 1u);
    EXPECT_EQ(HistoryText(), marked);
}

TEST_F(FileHistoryDialogTest, NewThenCancelLeavesAnEmptyHistoryFile)
{
    MakeHistory({"/a.txt", "/b.txt"});
    EXPECT_FALSE(Execute(
        [&]
        {
            Action("NewAction")->trigger();
            EXPECT_EQ(List()->count(), 0);
            EXPECT_FALSE(Enabled("OkButton"));
            return false;
        }));
    EXPECT_EQ(FDesktop.Confirmations, std::vector<std::string>{"The program clears the list."});
    EXPECT_EQ(HistoryText(), "[History]\r\nCount=0\r\n\r\n");
    EXPECT_EQ(FHistory->GetCount(), 0);
}

TEST_F(FileHistoryDialogTest, DeclinedConfirmationsChangeNothing)
{
    std::vector<std::string> paths = ExistingDecks(1);
    paths.push_back(FFolder.File("Gone.txt"));
    MakeHistory(paths);
    const std::string before = HistoryText();
    Execute(
        [&]
        {
            for (const char* name : {"NewAction", "DeleteAction", "PackAction"})
            {
                FDesktop.ConfirmAnswers.push_back(false);
                Action(name)->trigger();
                EXPECT_EQ(List()->count(), 2) << name;
                EXPECT_EQ(FDialog.GetSelection().ItemIndex, 0) << name;
            }
            return false;
        });
    EXPECT_EQ(FDesktop.Confirmations.size(), 3u);
    EXPECT_TRUE(FDesktop.Errors.empty());
    EXPECT_EQ(FHistory->GetCount(), 2);
    EXPECT_EQ(HistoryText(), before);
}

TEST_F(FileHistoryDialogTest, AFailedSaveIsShownAndTheListStillMatchesTheHistory)
{
    MakeHistory({"/a.txt", "/b.txt", "/c.txt"});
    Execute(
        [&]
        {
            std::filesystem::remove(HistoryFile());
            std::filesystem::create_directory(HistoryFile());
            FDialog.SetItemIndex(2);
            Action("DeleteAction")->trigger();
            EXPECT_EQ(FDesktop.Errors.size(), 1u);
            EXPECT_EQ(List()->count(), FHistory->GetCount());
            return false;
        });
}

TEST_F(FileHistoryDialogTest, DoubleClickingALineClosesWithOk)
{
    MakeHistory({"/a.txt", "/b.txt", "/c.txt"});
    EXPECT_TRUE(Execute(
        [&]
        {
            FDialog.show();
            QListWidget* list = List();
            const QPoint point = list->visualItemRect(list->item(2)).center();
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, point);
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, point);
            return !FDialog.isVisible() && FDialog.result() == QDialog::Accepted;
        }));
    EXPECT_EQ(FDialog.Selection.ItemIndex, 2);
}

TEST_F(FileHistoryDialogTest, TheWidestLineSetsTheHorizontalScrollRange)
{
    MakeHistory({"/a.txt"});
    Execute(
        [&]
        {
            EXPECT_EQ(List()->horizontalScrollBar()->maximum(), 0);
            return false;
        });
    const std::string longPath = "/decks/" + std::string(300, 'x') + "/Verbs.txt";
    MakeHistory({"/a.txt", longPath});
    Execute(
        [&]
        {
            FDialog.show();
            const int lineWidth = List()->fontMetrics().horizontalAdvance(List()->item(1)->text());
            const int range =
                List()->horizontalScrollBar()->maximum() + List()->viewport()->width();
            EXPECT_GE(range, lineWidth);
            EXPECT_LT(range, lineWidth + 40);
            FDialog.hide();
            return false;
        });
}

TEST_F(FileHistoryDialogTest, ActionsHaveTheirHintsShortcutsAndPopupMenuOrder)
{
    struct TActionCase
    {
        const char* Name;
        const char* Caption;
        const char* Hint;
        const char* Shortcut;
    };
    for (const TActionCase& expected :
         {TActionCase{"NewAction", "&New...", "New", "Ctrl+N"},
          TActionCase{"CopyAction", "&Copy", "Copy", "Ctrl+C"},
          TActionCase{"DeleteAction", "&Delete...", "Delete", "Del"},
          TActionCase{"PackAction", "&Pack...", "Pack", ""},
          TActionCase{"ExploreAction", "&Explore", "Explore", "Ctrl+E"}})
    {
        QAction* action = Action(expected.Name);
        EXPECT_EQ(action->text(), expected.Caption);
        EXPECT_EQ(action->toolTip(), expected.Hint);
        EXPECT_EQ(action->shortcut().toString(), expected.Shortcut);
    }
    QStringList menu;
    for (const QAction* action : List()->actions())
        menu << (action->isSeparator() ? "-" : action->text());
    EXPECT_EQ(menu,
              QStringList({"&New...", "-", "&Copy", "&Delete...", "&Pack...", "-", "&Explore"}));
    QStringList buttons;
    for (const char* name : {"NewButton", "CopyButton", "DeleteButton", "ExploreButton"})
    {
        const QToolButton* button = FDialog.findChild<QToolButton*>(name);
        EXPECT_FALSE(button->icon().isNull()) << name;
        buttons << button->toolTip();
    }
    EXPECT_EQ(buttons, QStringList({"New", "Copy", "Delete", "Explore"}));
}

TEST_F(FileHistoryDialogTest, ShortcutKeysReachTheActionsFromTheList)
{
    MakeHistory({"/decks/a.txt", "/decks/b.txt"});
    Execute(
        [&]
        {
            FDialog.show();
            FDialog.activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(&FDialog));
            QTest::keyClick(List(), Qt::Key_C, Qt::ControlModifier);
            QTest::keyClick(List(), Qt::Key_E, Qt::ControlModifier);
            QTest::keyClick(List(), Qt::Key_Delete);
            QTest::keyClick(List(), Qt::Key_N, Qt::ControlModifier);
            FDialog.hide();
            return false;
        });
    EXPECT_EQ(FDesktop.ClipboardTexts, std::vector<std::string>{"/decks/a.txt"});
    EXPECT_EQ(FDesktop.OpenedDocuments, std::vector<std::string>{"/decks/"});
    EXPECT_EQ(FDesktop.Confirmations,
              (std::vector<std::string>{"The program deletes the selected item.",
                                        "The program clears the list."}));
    EXPECT_EQ(FHistory->GetCount(), 0);
}

TEST(FileHistoryDialogShared, IsCreatedOnceAndKept)
{
    TAppFileHistoryDialog* dialog = GetAppFileHistoryDialog();
    EXPECT_EQ(GetAppFileHistoryDialog(), dialog);
    EXPECT_EQ(dialog->parent(), nullptr);
    EXPECT_EQ(dialog->Selection.History, nullptr);
    EXPECT_EQ(dialog->Selection.ItemIndex, -1);
}
} // namespace
