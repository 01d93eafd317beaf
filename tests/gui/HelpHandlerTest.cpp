// The offline help and the about box.
#include "App_HelpHandler.h"
#include "App_MainForm.h"
#include "ErrorMessage.h"
#include "TempFolder.h"
#include "TestDesktop.h"

#include <QAction>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace
{
const char* const OpenHelpMessage = "The program could not open the help.";

class Help : public ::testing::Test
{
protected:
    Help() : FScopedDesktop(FDesktop) {}

    TTempFolder FTemp;
    TTestDesktop FDesktop;
    TScopedTestDesktop FScopedDesktop;
};
} // namespace

TEST_F(Help, ContentsAsksFirstAndOpensThePage)
{
    std::filesystem::create_directory(FTemp.Path() / "Help");
    const std::string page = FTemp.Write("Help/index.html", "<html></html>");
    THelpHandler handler(page);
    handler.ShowContents();
    EXPECT_EQ(FDesktop.Confirmations,
              std::vector<std::string>{"The program opens the offline help."});
    EXPECT_EQ(FDesktop.OpenedDocuments, std::vector<std::string>{page});
}

TEST_F(Help, CancelOpensNothingAndShowsNoError)
{
    TAppMainForm form(FTemp.File("Settings.ini"));
    form.UpdateAllActions();
    FDesktop.ConfirmAnswers = {false};
    form.Action(TAppMainForm::HelpContentsAction)->trigger();
    EXPECT_EQ(FDesktop.Confirmations.size(), 1u);
    EXPECT_TRUE(FDesktop.OpenedDocuments.empty());
    EXPECT_TRUE(FDesktop.Errors.empty());
}

TEST_F(Help, AMissingPageOrAFailedOpenIsReported)
{
    THelpHandler missing(FTemp.File("Help/index.html"));
    EXPECT_EQ(ErrorMessageOf<EHandlerError>([&] { missing.ShowContents(); }), OpenHelpMessage);
    EXPECT_TRUE(FDesktop.OpenedDocuments.empty());

    THelpHandler present(FTemp.Write("index.html", "<html></html>"));
    FDesktop.OpenDocumentResult = false;
    EXPECT_EQ(ErrorMessageOf<EHandlerError>([&] { present.ShowContents(); }), OpenHelpMessage);
}

TEST_F(Help, AboutShowsNameAndVersionAnEmptyLineAndTheRights)
{
    THelpHandler handler;
    handler.ShowAbout();
    ASSERT_EQ(FDesktop.Messages.size(), 1u);
    const std::string& text = FDesktop.Messages[0];
    const std::string head = "Orvanta 1.0.0\r\n\r\n";
    ASSERT_EQ(text.substr(0, head.size()), head);
    const std::string rights = text.substr(head.size());
    EXPECT_FALSE(rights.empty());
    EXPECT_EQ(rights.find_first_of("\r\n"), std::string::npos) << "one rights line";
    EXPECT_NE(rights.find("Orvanta"), std::string::npos);
}
