#include "App_FileHandler.h"
#include "App_ErrorBox.h"
#include "App_MainForm.h"
#include "App_StatusBar.h"
#include "App_Views.h"
#include "TempFolder.h"
#include "TestDesktop.h"

#include <QAction>
#include <QApplication>
#include <QMenuBar>
#include <QToolBar>
#include <filesystem>
#include <gtest/gtest.h>
#include <new>
#include <stdexcept>

namespace
{
// Records the private messages in the order the window receives them.
class TRecordingForm : public TAppMainForm
{
public:
    using TAppMainForm::TAppMainForm;
    std::vector<int> PrivateMessages;

protected:
    bool event(QEvent* event) override
    {
        if (event->type() == WM_PROCESSPARAMS || event->type() == WM_UPDATEACTIONS)
            PrivateMessages.push_back(event->type());
        return TAppMainForm::event(event);
    }
};

class MainFormTest : public ::testing::Test
{
protected:
    TTempFolder Folder;
    TTestDesktop Desktop;
    TScopedTestDesktop Scope{Desktop};
};

TEST_F(MainFormTest, StartsWithTitleStatusAndEveryActionEnabledUntilTheFirstUpdate)
{
    TAppMainForm form(Folder.File("Settings.ini"));
    EXPECT_EQ(form.windowTitle(), "Orvanta");
    EXPECT_EQ(form.GetStatusBar()->Text(), "Ready to open a deck");
    for (int id = 0; id < TAppMainForm::ActionCount; ++id)
        EXPECT_TRUE(form.Action(static_cast<TAppMainForm::TActionId>(id))->isEnabled());
    EXPECT_TRUE(form.GetUpdateNotifier()->IsPending());
}

TEST_F(MainFormTest, RefreshIsPostedBeforeTheCommandLine)
{
    TRecordingForm form(Folder.File("Settings.ini"));
    QCoreApplication::sendPostedEvents(&form);
    EXPECT_EQ(form.PrivateMessages,
              (std::vector<int>{TAppMainForm::WM_UPDATEACTIONS, TAppMainForm::WM_PROCESSPARAMS}));
    EXPECT_FALSE(form.GetUpdateNotifier()->IsPending());
}

TEST_F(MainFormTest, ActionsCarryTheirCaptionsHintsAndShortcuts)
{
    TAppMainForm form(Folder.File("Settings.ini"));
    struct TExpected
    {
        TAppMainForm::TActionId Id;
        const char* Name;
        const char* Caption;
        const char* Hint;
        const char* Shortcut;
    };
    const TExpected table[] = {
        {TAppMainForm::FileOpenAction, "FileOpenAction", "&Open...", "Open", "Ctrl+O"},
        {TAppMainForm::EditCopyMessagesAction, "EditCopyMessagesAction", "Copy &Messages", "Copy",
         "Ctrl+C"},
        {TAppMainForm::ExamStopAction, "ExamStopAction", "S&top", "Stop", "Esc"},
        {TAppMainForm::ExamMoveGoBackAction, "ExamMoveGoBackAction", "Go &Back", "Go back",
         "Alt+Left"},
        {TAppMainForm::HelpContentsAction, "HelpContentsAction", "&Contents...", "Contents", "F1"},
        {TAppMainForm::ExamRulesDetailsAction, "ExamRulesDetailsAction", "&Details...", "Details",
         "Ctrl+R"},
    };
    for (const TExpected& expected : table)
    {
        QAction* action = form.Action(expected.Id);
        EXPECT_EQ(action->objectName(), expected.Name);
        EXPECT_EQ(action->text(), expected.Caption);
        EXPECT_EQ(action->toolTip(), expected.Hint);
        EXPECT_EQ(action->shortcut(), QKeySequence(expected.Shortcut));
    }
    QStringList menus;
    for (QAction* menu : form.menuBar()->actions())
        menus << menu->text();
    EXPECT_EQ(menus, QStringList({"&File", "&Edit", "&View", "E&xam", "&Tools", "&Help"}));
    EXPECT_EQ(form.findChild<QToolBar*>()->actions().size(), 15); // 11 buttons, 4 separators
}

TEST_F(MainFormTest, AFailingCommandStillRefreshesAndRestoresTheCursor)
{
    TAppMainForm form(Folder.File("Settings.ini"));
    QCoreApplication::sendPostedEvents(&form);
    ASSERT_FALSE(form.GetUpdateNotifier()->IsPending());
    // Enabled as of the last update, refused by its handler: the route still notifies.
    form.Action(TAppMainForm::FileReopenAction)->setEnabled(true);
    EXPECT_THROW(form.ExecuteAction(TAppMainForm::FileReopenAction), EHandlerError);
    EXPECT_TRUE(form.GetUpdateNotifier()->IsPending());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    QCoreApplication::sendPostedEvents(&form);
    EXPECT_FALSE(form.Action(TAppMainForm::FileReopenAction)->isEnabled());
}

TEST_F(MainFormTest, ACommandFromTheUserShowsItsErrorInTheErrorBox)
{
    TAppMainForm form(Folder.File("Settings.ini"));
    form.Action(TAppMainForm::FileReopenAction)->trigger();
    EXPECT_EQ(Desktop.Errors, (std::vector<std::string>{"The feature is unavailable."}));
}

TEST_F(MainFormTest, ADisabledActionDoesNotRun)
{
    TAppMainForm form(Folder.File("Settings.ini"));
    QCoreApplication::sendPostedEvents(&form);
    ASSERT_FALSE(form.Action(TAppMainForm::ExamStopAction)->isEnabled());
    form.ExecuteAction(TAppMainForm::ExamStopAction);
    EXPECT_FALSE(form.GetUpdateNotifier()->IsPending());
    EXPECT_TRUE(Desktop.Errors.empty());
}

TEST_F(MainFormTest, ARuleToggleTwiceRestoresTheRecord)
{
    TAppMainForm form(Folder.File("Settings.ini"));
    QCoreApplication::sendPostedEvents(&form);
    if (!form.Action(TAppMainForm::ExamRulesReverseAction)->isEnabled())
        GTEST_SKIP() << "rules cannot be set yet";
    const TExamRules before = form.GetFileHandler()->GetExamRules();
    form.Action(TAppMainForm::ExamRulesReverseAction)->trigger();
    QCoreApplication::sendPostedEvents(&form);
    EXPECT_TRUE(form.Action(TAppMainForm::ExamRulesReverseAction)->isChecked());
    EXPECT_NE(form.GetFileHandler()->GetExamRules(), before);
    form.Action(TAppMainForm::ExamRulesReverseAction)->trigger();
    EXPECT_EQ(form.GetFileHandler()->GetExamRules(), before);
}

TEST_F(MainFormTest, TheBarTogglesHideAndShowTheBarsIndependently)
{
    TAppMainForm form(Folder.File("Settings.ini"));
    QCoreApplication::sendPostedEvents(&form);
    form.Action(TAppMainForm::ViewToolbarAction)->trigger();
    QCoreApplication::sendPostedEvents(&form);
    EXPECT_TRUE(form.findChild<QToolBar*>()->isHidden());
    EXPECT_FALSE(form.GetStatusBar()->isHidden());
    EXPECT_FALSE(form.Action(TAppMainForm::ViewToolbarAction)->isChecked());
    EXPECT_TRUE(form.Action(TAppMainForm::ViewStatusBarAction)->isChecked());
}

TEST_F(MainFormTest, ClosingWithoutADeckSavesTheSettings)
{
    const std::string settings = Folder.File("Settings.ini");
    TAppMainForm form(settings);
    QCoreApplication::sendPostedEvents(&form);
    form.show();
    EXPECT_TRUE(form.close());
    EXPECT_NE(TTempFolder::Read(settings).find("[SettingsHandler]\r\n"), std::string::npos);
    EXPECT_TRUE(Desktop.Confirmations.empty());
}

TEST_F(MainFormTest, DecliningToStopTheExamKeepsEverythingAndSavesNothing)
{
    const std::string settings = Folder.File("Settings.ini");
    TAppMainForm form(settings);
    form.GetFileHandler()->OpenFile(Folder.Write("Deck.txt", "[Card]\nQuestion.Text=Q\n"));
    form.GetFileHandler()->StartExam();
    QCoreApplication::sendPostedEvents(&form);
    form.show();
    Desktop.ConfirmAnswers = {false};
    EXPECT_FALSE(form.close());
    EXPECT_TRUE(form.isVisible());
    EXPECT_TRUE(form.GetFileHandler()->IsExamRunning());
    EXPECT_FALSE(std::filesystem::exists(settings));
    EXPECT_TRUE(Desktop.Errors.empty());
    Desktop.ConfirmAnswers = {true};
    EXPECT_TRUE(form.close());
    EXPECT_FALSE(form.GetFileHandler()->IsOpen());
    EXPECT_TRUE(std::filesystem::exists(settings));
}

TEST_F(MainFormTest, TheCommandLineOpensOneDeckAndRefusesTwo)
{
    TAppMainForm form(Folder.File("Settings.ini"));
    form.SetCommandLine({Folder.Write("a.txt", ""), Folder.Write("b.txt", "")});
    QCoreApplication::sendPostedEvents(&form);
    EXPECT_EQ(Desktop.Errors, (std::vector<std::string>{"Specify one file."}));
    EXPECT_FALSE(form.GetFileHandler()->IsOpen());
    EXPECT_TRUE(form.GetDroppedFiles().empty());

    TAppMainForm other(Folder.File("Settings.ini"));
    other.SetCommandLine({Folder.Write("Deck.txt", "[About]\nTitle=T\n")});
    QCoreApplication::sendPostedEvents(&other);
    EXPECT_EQ(other.GetFileHandler()->GetFileName(), Folder.File("Deck.txt"));
    EXPECT_EQ(other.windowTitle(), "Orvanta - Deck.txt");
}

TEST_F(MainFormTest, OnlyTheViewHandlerHidesTheBars)
{
    TAppMainForm form(Folder.File("Settings.ini"));
    EXPECT_EQ(form.createPopupMenu(), nullptr);
}

TEST_F(MainFormTest, ASettingsFileThatCannotBeWrittenKeepsTheWindowOpenOnce)
{
    const std::string settings = Folder.Write("file", "") + "/Settings.ini";
    TAppMainForm form(settings);
    QCoreApplication::sendPostedEvents(&form);
    form.show();
    EXPECT_FALSE(form.close());
    EXPECT_TRUE(form.isVisible());
    ASSERT_EQ(Desktop.Errors.size(), 1u);
    EXPECT_EQ(Desktop.Errors[0].back(), '.');
    // Asked again, the window goes: an unwritable folder must not trap the user.
    EXPECT_TRUE(form.close());
    EXPECT_EQ(Desktop.Errors.size(), 2u);
}

struct TDotCase
{
    std::string Message;
    std::string Shown;
};

TEST(ErrorBox, AppendsAFullStopWhenTheLastByteSortsAfterIt)
{
    const TDotCase cases[] = {
        {"Specify one file", "Specify one file."},
        {"Done.", "Done."},
        {"Why?", "Why?."},
        {"Stop!", "Stop!"},
        {"(x)", "(x)"},
        {"a/", "a/."},
        {"3000", "3000."},
        {"caf\xE9", "caf\xE9."},
        {"", ""},
    };
    for (const TDotCase& c : cases)
        EXPECT_EQ(ErrorBoxText(c.Message), c.Shown) << c.Message;
}

struct TForeignCase
{
    std::exception_ptr Exception;
    std::string Shown;
};

// Not derived from std::exception at all.
struct TOddThrow
{
};

TEST(ErrorBox, TheSilentAbortShowsNothingAndNoExceptionShowsAnEmptyBox)
{
    TTestDesktop desktop;
    TScopedTestDesktop scope(desktop);
    ShowException(std::make_exception_ptr(EAbort()));
    EXPECT_TRUE(desktop.Errors.empty());
    const TForeignCase cases[] = {
        {std::make_exception_ptr(EError("The program could not load the data.")),
         "The program could not load the data."},
        {std::make_exception_ptr(std::bad_alloc()), "The program has run out of memory."},
        {std::make_exception_ptr(std::length_error("vector too long")), "vector too long."},
        {std::make_exception_ptr(std::runtime_error("")),
         "The program has met an unexpected error."},
        {std::make_exception_ptr(TOddThrow()), "The program has met an unexpected error."},
    };
    for (const TForeignCase& c : cases)
    {
        desktop.Errors.clear();
        ShowException(c.Exception);
        EXPECT_EQ(desktop.Errors, std::vector<std::string>{c.Shown});
    }
}
} // namespace
