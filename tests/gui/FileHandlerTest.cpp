#include "App_Cards.h"
#include "App_FileHandler.h"
#include "App_FileHistory.h"
#include "App_StatusBar.h"
#include "App_Views.h"
#include "TempFolder.h"
#include "TestDesktop.h"
#include "Tovi_files.h"
#include "Tovi_inifiles.h"
#include "Tovi_programfiles.h"
#include "Tovi_shelllinks.h"

#include <QPlainTextEdit>
#include <QWidget>
#include <gtest/gtest.h>

#include <filesystem>

namespace
{
const char* const ThreeCards = "[About]\r\n"
                               "Title=Capitals\r\n"
                               "Description=Name the capital.\r\n"
                               "[Card]\r\n"
                               "Question.Text=France\r\n"
                               "Answer.Text=Paris\r\n"
                               "Hint=Seine\r\n"
                               "Note=Since the 10th century\r\n"
                               "[Card]\r\n"
                               "Question.Text=Norway\r\n"
                               "Answer.Text=Oslo\r\n"
                               "[Card]\r\n"
                               "Question.Text=Poland\r\n"
                               "Answer.Text=Warsaw\r\n";

class FileHandlerTest : public ::testing::Test
{
protected:
    TTempFolder Folder;
    TTestDesktop Desktop;
    TScopedTestDesktop Scope{Desktop};
    QWidget Window;
    QPlainTextEdit* Area = new QPlainTextEdit(&Window);
    TSimpleStatusBar* Status = new TSimpleStatusBar(&Window);
    TMainView View{&Window, Area, Status};
    TFileHandler Handler{&View, Folder.File("History.ini")};
    std::filesystem::path StartFolder = std::filesystem::current_path();

    FileHandlerTest()
    {
        TExamRules rules = Handler.GetExamRules();
        rules.Shuffle = false; // a known order
        Handler.SetExamRules(rules);
    }

    std::string Deck(const std::string& name = "Capitals.txt", const char* text = ThreeCards)
    {
        return Folder.Write(name, text);
    }
    std::string Caption() const { return Window.windowTitle().toStdString(); }
    std::string StatusText() const { return Status->Text().toStdString(); }
    template <typename T> void SetRule(T TExamRules::*flag, T value)
    {
        TExamRules rules = Handler.GetExamRules();
        rules.*flag = value;
        Handler.SetExamRules(rules);
    }
};

TEST_F(FileHandlerTest, OpeningShowsTheDeckAndClosingForgetsIt)
{
    EXPECT_FALSE(Handler.IsOpen());
    EXPECT_FALSE(Handler.CanReopen());
    EXPECT_FALSE(Handler.CanCopyMessages());
    Handler.OpenFile(Deck());
    EXPECT_TRUE(Handler.IsOpen());
    EXPECT_EQ(Caption(), "Orvanta - Capitals.txt");
    EXPECT_EQ(View.GetMessages(), "Capitals\r\n\r\nName the capital.\r\n");
    EXPECT_EQ(StatusText(), "3 cards");
    EXPECT_EQ(std::filesystem::current_path(), Folder.Path());
    Handler.Close();
    EXPECT_FALSE(Handler.IsOpen());
    EXPECT_EQ(Caption(), "Orvanta");
    EXPECT_EQ(View.GetMessages(), "");
    EXPECT_EQ(StatusText(), "No deck");
    EXPECT_FALSE(Handler.CanCopyMessages());
    EXPECT_TRUE(Desktop.Confirmations.empty());
}

TEST_F(FileHandlerTest, ADeckWithoutAboutOrCardsSaysSo)
{
    Handler.OpenFile(Deck("Empty.txt", "; nothing here\r\n"));
    EXPECT_EQ(View.GetMessages(), "(No title)\r\n\r\n(No description)\r\n");
    EXPECT_EQ(StatusText(), "0 cards");
    EXPECT_FALSE(Handler.CanStartExam());
}

TEST_F(FileHandlerTest, AFailedOpenLeavesNoDeck)
{
    Handler.OpenFile(Deck());
    EXPECT_THROW(Handler.OpenFile(Folder.File("missing.txt")), EError);
    EXPECT_FALSE(Handler.IsOpen());
    EXPECT_EQ(Caption(), "Orvanta");
    EXPECT_EQ(View.GetMessages(), "");
    EXPECT_EQ(StatusText(), "No deck");
    TFileHistory history(Folder.File("History.ini"));
    history.Load();
    EXPECT_EQ(history.GetCount(), 1);
}

TEST_F(FileHandlerTest, OpeningTheSamePathTwiceKeepsOneHistoryEntry)
{
    const std::string other = Deck("Other.txt");
    Handler.OpenFile(Deck());
    Handler.OpenFile(other);
    Handler.Reopen();
    Handler.OpenFile(Folder.File("Capitals.txt"));
    TFileHistory history(Folder.File("History.ini"));
    history.Load();
    ASSERT_EQ(history.GetCount(), 2);
    EXPECT_EQ(history.GetItem(0), Folder.File("Capitals.txt"));
    EXPECT_EQ(history.GetItem(1), other);
}

TEST_F(FileHandlerTest, DropsTakeExactlyOneFileAndFollowShortcuts)
{
    EXPECT_THROW(
        {
            try
            {
                Handler.DropFiles({Deck(), Deck("Other.txt")});
            }
            catch (const EHandlerError& error)
            {
                EXPECT_STREQ(error.what(), "Specify one file.");
                throw;
            }
        },
        EHandlerError);
    EXPECT_THROW(Handler.DropFiles({}), EHandlerError);
    EXPECT_FALSE(Handler.IsOpen());

    const std::string deck = Deck();
    TShellLink link;
    link.SetPath(deck);
    link.SaveToFile(Folder.File("Capitals.lnk"));
    Handler.DropFiles({Folder.File("Capitals.lnk")});
    EXPECT_EQ(Handler.GetFileName(), deck);
    const std::string history = TTempFolder::Read(Folder.File("History.ini"));
    EXPECT_NE(history.find("Item0=" + deck + "\r\n"), std::string::npos) << history;
    EXPECT_EQ(history.find(".lnk"), std::string::npos);
}

TEST_F(FileHandlerTest, NamesKeepTheirBytesFromEveryRouteIntoTheHistory)
{
    // Made under a Latin-1 locale: not valid UTF-8.
    const std::string deck = Deck("bad\xff\xfename.txt");
    // Through Qt and back, as a file dialog or the tools options hand it over.
    ASSERT_EQ(PathFromQt(PathToQt(deck)), deck);
    Handler.DropFiles({deck});
    EXPECT_EQ(Handler.GetFileName(), deck);
    EXPECT_NE(TTempFolder::Read(Folder.File("History.ini")).find("Item0=" + deck + "\r\n"),
              std::string::npos);
    Handler.Close();
    TFileHistory history(Folder.File("History.ini"));
    Handler.OpenFile(history.GetItem(0));
    EXPECT_TRUE(Handler.IsOpen());
}

TEST_F(FileHandlerTest, APathWithALineBreakOpensButStaysOutOfTheHistory)
{
    Handler.OpenFile(Deck());
    for (const char* name : {"line\nbreak.txt", "carriage\rreturn.txt"})
    {
        Handler.DropFiles({Deck(name)});
        EXPECT_EQ(Handler.GetFileName(), Folder.File(name));
    }
    TFileHistory history(Folder.File("History.ini"));
    ASSERT_EQ(history.GetCount(), 1);
    EXPECT_EQ(history.GetItem(0), Folder.File("Capitals.txt"));
}

TEST_F(FileHandlerTest, ADroppedFileThatDoesNotExistIsReported)
{
    EXPECT_THROW(Handler.DropFiles({Folder.File("missing.txt")}), EFileError);
    EXPECT_FALSE(Handler.IsOpen());
}

TEST_F(FileHandlerTest, ClosingDuringAnExamAsksFirst)
{
    Handler.OpenFile(Deck());
    Handler.StartExam();
    const std::string shown = View.GetMessages();
    Desktop.ConfirmAnswers = {false};
    EXPECT_THROW(Handler.Close(), EAbort);
    EXPECT_TRUE(Handler.IsExamRunning());
    EXPECT_EQ(View.GetMessages(), shown);
    EXPECT_EQ(Desktop.Confirmations,
              (std::vector<std::string>{"The program stops the current exam."}));
    Desktop.ConfirmAnswers = {true};
    Handler.Close();
    EXPECT_FALSE(Handler.IsOpen());
    EXPECT_FALSE(Handler.IsExamRunning());
    EXPECT_EQ(StatusText(), "No deck");
}

TEST_F(FileHandlerTest, OpeningAnotherDeckDuringAnExamDeclinedChangesNothing)
{
    Handler.OpenFile(Deck());
    Handler.StartExam();
    Desktop.ConfirmAnswers = {false};
    EXPECT_THROW(Handler.OpenFile(Deck("Other.txt")), EAbort);
    EXPECT_EQ(Caption(), "Orvanta - Capitals.txt");
    EXPECT_TRUE(Handler.IsExamRunning());
}

TEST_F(FileHandlerTest, CopyDataPutsDeckTextOnTheClipboard)
{
    Handler.OpenFile(
        Deck("Small.txt", "[card]\nQuestion.Text=Q\nAnswer.Text=A\n[About]\nTitle=T\n"));
    Handler.CopyDataDeck();
    Handler.CopyDataInformation();
    Handler.CopyDataCards();
    Handler.CopyMessages();
    EXPECT_EQ(
        Desktop.ClipboardTexts,
        (std::vector<std::string>{
            "[About]\r\nTitle=T\r\n\r\n[Card]\r\nQuestion.Text=Q\r\nAnswer.Text=A\r\n\r\n",
            "[About]\r\nTitle=T\r\n\r\n", "[Card]\r\nQuestion.Text=Q\r\nAnswer.Text=A\r\n\r\n",
            "T\r\n\r\n(No description)\r\n"}));
}

TEST_F(FileHandlerTest, TheCurrentCardOfAReversedExamIsCopiedAsTheDeckHasIt)
{
    Handler.OpenFile(Deck());
    EXPECT_FALSE(Handler.CanCopyDataCurrentCard());
    SetRule(&TExamRules::Reverse, true);
    Handler.StartExam();
    EXPECT_EQ(View.GetMessages(), "Q. Paris\r\n");
    Handler.CopyDataCurrentCard();
    EXPECT_EQ(Desktop.ClipboardTexts.back(),
              "[Card]\r\nQuestion.Text=France\r\nAnswer.Text=Paris\r\n"
              "Hint=Seine\r\nNote=Since the 10th century\r\n\r\n");
}

struct TDrillStep
{
    const char* Command;
    const char* Messages;
    const char* Status;
};

void RunCommand(TFileHandler& handler, const std::string& command)
{
    if (command == "start")
        handler.StartExam();
    else if (command == "proceed")
        handler.Proceed();
    else if (command == "hint")
        handler.Hint();
    else if (command == "retry")
        handler.Retry();
    else if (command == "back")
        handler.GoBack();
    else if (command == "forward")
        handler.GoForward();
    else if (command == "stop")
        handler.StopExam();
    else
        FAIL() << "unknown command " << command;
}

TEST_F(FileHandlerTest, AFullDrillShowsEveryText)
{
    SetRule(&TExamRules::RetryInterval, 1);
    Handler.OpenFile(Deck());
    const TDrillStep steps[] = {
        {"start", "Q. France\r\n", "Card 1 of 3"},
        {"hint", "Q. France\r\n\r\nHint: Seine\r\n", "Card 1 of 3"},
        {"proceed",
         "Q. France\r\n\r\nHint: Seine\r\n\r\nA. Paris\r\n\r\nNote: Since the 10th century\r\n",
         "Card 1 of 3"},
        {"retry", "Q. Norway\r\n", "Card 1 of 3"},
        {"proceed", "Q. Norway\r\n\r\nA. Oslo\r\n", "Card 1 of 3"},
        {"proceed", "Q. France\r\n", "Card 2 of 3"},
        {"back", "Q. Norway\r\n", "Card 1 of 3"},
        {"forward", "Q. France\r\n", "Card 2 of 3"},
        {"forward", "Q. Poland\r\n", "Card 3 of 3"},
        {"proceed", "Q. Poland\r\n\r\nA. Warsaw\r\n", "Card 3 of 3"},
        {"proceed", "No more cards.\r\n", "Proceed to end the exam"},
        {"proceed", "Done.\r\n", "Ready to start an exam"},
    };
    for (const TDrillStep& step : steps)
    {
        RunCommand(Handler, step.Command);
        EXPECT_EQ(View.GetMessages(), step.Messages) << step.Command;
        EXPECT_EQ(StatusText(), step.Status) << step.Command;
    }
    EXPECT_FALSE(Handler.IsExamRunning());
    EXPECT_TRUE(Handler.CanStartExam());
    EXPECT_TRUE(Handler.CanShowInformation());
}

TEST_F(FileHandlerTest, StoppingSaysStoppedOrDoneWhenPastTheLastCard)
{
    Handler.OpenFile(Deck());
    Handler.StartExam();
    Handler.StopExam();
    EXPECT_EQ(View.GetMessages(), "Stopped.\r\n");
    EXPECT_EQ(StatusText(), "Ready to start an exam");
    EXPECT_EQ(Handler.GetExam(), nullptr);

    Handler.StartExam();
    for (int i = 0; i < 3; ++i)
        Handler.GoForward();
    EXPECT_EQ(View.GetMessages(), "No more cards.\r\n");
    Handler.StopExam();
    EXPECT_EQ(View.GetMessages(), "Done.\r\n");
}

TEST_F(FileHandlerTest, AutoAnswerShowsAnswerAndNoteAtOnce)
{
    SetRule(&TExamRules::AutoAnswer, true);
    Handler.OpenFile(Deck());
    Handler.StartExam();
    EXPECT_EQ(View.GetMessages(),
              "Q. France\r\n\r\nA. Paris\r\n\r\nNote: Since the 10th century\r\n");
}

TEST_F(FileHandlerTest, TimeUpIsAddedBelowWhatTheAreaShows)
{
    SetRule(&TExamRules::LimitTime, true);
    SetRule(&TExamRules::TimeLimit, 0); // fires within the question
    Handler.OpenFile(Deck());
    Handler.StartExam();
    EXPECT_EQ(View.GetMessages(), "Q. France\r\n\r\nTime is up!\r\n");
    EXPECT_EQ(StatusText(), "Card 1 of 3");
}

TEST_F(FileHandlerTest, RulesAreLockedDuringAnExamAndApplyToTheNextOnly)
{
    Handler.OpenFile(Deck());
    Handler.StartExam();
    EXPECT_FALSE(Handler.CanSetExamRules());
    EXPECT_FALSE(Handler.CanEditExamRules());
    EXPECT_FALSE(Handler.CanShowInformation());
    TExamRules reversed = Handler.GetExamRules();
    reversed.Reverse = true;
    EXPECT_THROW(Handler.SetExamRules(reversed), EHandlerError);
    Handler.StopExam();
    Handler.SetExamRules(reversed);
    Handler.StartExam();
    EXPECT_EQ(View.GetMessages(), "Q. Paris\r\n");
}

TEST_F(FileHandlerTest, TheDetailsDialogCancelledKeepsTheRules)
{
    const TExamRules before = Handler.GetExamRules();
    Desktop.OnDialog = [](QDialog&) { return false; };
    EXPECT_THROW(Handler.EditExamRules(), EAbort);
    EXPECT_EQ(Handler.GetExamRules(), before);
}

TEST_F(FileHandlerTest, SettingsAreReadWithTheCurrentValuesAsDefaults)
{
    TMemIniFile settings(Folder.File("Settings.ini"));
    settings.SetText("[FileHandler.ExamRules]\r\nReverse=1\r\nRetryInterval=word\r\n"
                     "[FileHandler.OpenDialog]\r\nFilterIndex=2\r\n");
    Handler.LoadSettings(settings);
    TExamRules expected = TExamRules::Defaults();
    expected.Shuffle = false; // as the fixture set it
    expected.Reverse = true;
    EXPECT_EQ(Handler.GetExamRules(), expected);
    EXPECT_EQ(Handler.GetExamRules().TimeLimit, 3000);
    EXPECT_EQ(Handler.GetOpenDialog().FilterIndex, 2);

    TMemIniFile saved(Folder.File("Saved.ini"));
    Handler.SaveSettings(saved);
    EXPECT_EQ(saved.GetText(),
              "[FileHandler.ExamRules]\r\nShuffle=0\r\nReverse=1\r\nAutoHint=0\r\n"
              "AutoAnswer=0\r\nLimitTime=0\r\nTimeLimit=3000\r\nChargeRetry=1\r\n"
              "RetryInterval=4\r\n\r\n[FileHandler.OpenDialog]\r\nFilterIndex=2\r\n"
              "\r\n");
}

TEST_F(FileHandlerTest, TheOpenDialogIsAskedAndCancelOpensNothing)
{
    Desktop.OnFileDialog = [](TFileDialogRequest&) { return false; };
    EXPECT_THROW(Handler.Open(), EAbort);
    ASSERT_EQ(Desktop.FileDialogs.size(), 1u);
    EXPECT_EQ(Desktop.FileDialogs[0].Title, "Open");
    EXPECT_EQ(Desktop.FileDialogs[0].Filter, "Text (*.txt)|*.txt|All (*.*)|*.*");
    EXPECT_TRUE(Desktop.FileDialogs[0].MustExist);
    const std::string deck = Deck();
    Desktop.OnFileDialog = [&](TFileDialogRequest& request)
    {
        request.FileName = deck;
        return true;
    };
    Handler.Open();
    EXPECT_EQ(Handler.GetFileName(), deck);
}

TEST_F(FileHandlerTest, AttachedFilesOpenFromTheDeckFolderButCodeDoesNot)
{
    std::filesystem::create_directories(Folder.Path() / "media");
    Folder.Write("media/flag.png", "png");
    const std::string tool = Folder.Write("media/tool", "#!/bin/sh\n");
    std::filesystem::permissions(tool, std::filesystem::perms::owner_all);
    Folder.Write("media/run.desktop", "[Desktop Entry]\n");
    Handler.OpenFile(Deck("Files.txt",
                          "[Card]\nQuestion.File=media/flag.png\nAnswer.File=media/tool\n"
                          "[Card]\nQuestion.File=media/run.desktop\n"
                          "Answer.File=media/../media/flag.png\n"));
    std::filesystem::current_path(StartFolder); // the deck's folder counts, not the current one
    Handler.StartExam();
    EXPECT_EQ(View.GetMessages(), "Q. \r\n");
    Handler.Proceed();
    Handler.Proceed();
    Handler.Proceed();
    EXPECT_EQ(Desktop.OpenedDocuments, (std::vector<std::string>{Folder.File("media/flag.png"),
                                                                 Folder.File("media/flag.png")}));
}

TEST_F(FileHandlerTest, ClosingReleasesAnEndedExam)
{
    Handler.OpenFile(Deck());
    Handler.StartExam();
    Handler.StopExam();
    Handler.StartExam();
    for (int i = 0; i < 3; ++i)
        Handler.GoForward();
    Handler.Proceed();
    ASSERT_NE(Handler.GetExam(), nullptr);
    Handler.Close();
    EXPECT_EQ(Handler.GetExam(), nullptr);
}
} // namespace
