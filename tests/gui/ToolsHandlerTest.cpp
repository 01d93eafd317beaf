// The external editor, the deck template and the Options dialog.
#include "App_MainForm.h"
#include "App_ToolsDialog.h"
#include "App_ToolsHandler.h"
#include "ErrorMessage.h"
#include "TempFolder.h"
#include "TestDesktop.h"
#include "Tovi_inifiles.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace
{
const char* const TemplateText = "[About]\r\nTitle=Template\r\n\r\n[Card]\r\nQuestion.Text=Q\r\n";

class Tools : public ::testing::Test
{
protected:
    Tools() : FScopedDesktop(FDesktop), FHandler(FTemp.Write("Default.txt", TemplateText)) {}

    void SetEditor(const std::string& editorFile) { FHandler.SetOptions({editorFile}); }

    // The save dialog answers with the path, or is cancelled when the path is empty.
    void AnswerSaveDialog(const std::string& path)
    {
        FDesktop.OnFileDialog = [path](TFileDialogRequest& request)
        {
            request.FileName = path;
            return !path.empty();
        };
    }

    static QLineEdit* EditorFileEdit(QDialog& dialog)
    {
        return dialog.findChild<QLineEdit*>("EditorFileEdit");
    }

    TTempFolder FTemp;
    TTestDesktop FDesktop;
    TScopedTestDesktop FScopedDesktop;
    TToolsHandler FHandler;
};
} // namespace

TEST_F(Tools, EditorGetsTheDeckPathAsItsOneArgument)
{
    struct TCase
    {
        std::string Editor;
        std::string Deck;
    };
    const TCase cases[] = {
        {"gedit", "/home/user/decks/verbs.txt"},
        {"/opt/My Editor/bin/edit", "/home/user/My Decks/irregular verbs.txt"},
    };
    for (const TCase& c : cases)
    {
        FDesktop.StartedPrograms.clear();
        SetEditor(c.Editor);
        FHandler.OpenWithEditor(c.Deck);
        EXPECT_EQ(FDesktop.StartedPrograms,
                  (std::vector<std::vector<std::string>>{{c.Editor, c.Deck}}));
    }
    EXPECT_TRUE(FDesktop.OpenedDocuments.empty());
}

TEST_F(Tools, WithoutAnEditorTheDesktopOpensTheDeck)
{
    FHandler.OpenWithEditor("/home/user/My Decks/verbs.txt");
    EXPECT_EQ(FDesktop.OpenedDocuments, std::vector<std::string>{"/home/user/My Decks/verbs.txt"});
    EXPECT_TRUE(FDesktop.StartedPrograms.empty());
}

TEST_F(Tools, AnEditorThatCannotStartIsReported)
{
    const char* const message = "The program could not open the deck with an editor.";
    FDesktop.OpenDocumentResult = false;
    EXPECT_EQ(ErrorMessageOf<EHandlerError>([&] { FHandler.OpenWithEditor("/decks/a.txt"); }),
              message);
    SetEditor("no-such-editor");
    FDesktop.StartProgramResult = false;
    EXPECT_EQ(ErrorMessageOf<EHandlerError>([&] { FHandler.OpenWithEditor("/decks/a.txt"); }),
              message);
}

TEST_F(Tools, CreateTemplateCopiesTheTemplateWhereTheUserSays)
{
    const std::string target = FTemp.File("New deck.txt");
    AnswerSaveDialog(target);
    FHandler.CreateTemplate();
    EXPECT_EQ(TTempFolder::Read(target), TemplateText);
    ASSERT_EQ(FDesktop.FileDialogs.size(), 1u);
    const TFileDialogRequest& asked = FDesktop.FileDialogs[0];
    EXPECT_EQ(asked.Title, "Create Template");
    EXPECT_EQ(asked.FileName, "Untitled.txt");
    EXPECT_EQ(asked.Filter, "Text (*.txt)|*.txt|All (*.*)|*.*");
    EXPECT_EQ(asked.FilterIndex, 1);
    EXPECT_TRUE(asked.OverwritePrompt);
}

TEST_F(Tools, CreateTemplateReplacesAnExistingFile)
{
    const std::string target = FTemp.Write("deck.txt", "an older and much longer deck text\r\n");
    AnswerSaveDialog(target);
    FHandler.CreateTemplate();
    EXPECT_EQ(TTempFolder::Read(target), TemplateText);
    // The dialog proposes the same name again next time.
    FHandler.CreateTemplate();
    EXPECT_EQ(FDesktop.FileDialogs.at(1).FileName, "Untitled.txt");
}

TEST_F(Tools, AMissingTemplateCreatesNothingAndKeepsAnExistingFile)
{
    TToolsHandler handler(FTemp.File("Templates/Default.txt"));
    const std::string fresh = FTemp.File("fresh.txt");
    const std::string existing = FTemp.Write("existing.txt", "keep me");
    for (const std::string& target : {fresh, existing})
    {
        AnswerSaveDialog(target);
        EXPECT_EQ(ErrorMessageOf<EHandlerError>([&] { handler.CreateTemplate(); }),
                  "The program could not create a template file.");
    }
    EXPECT_FALSE(std::filesystem::exists(fresh));
    EXPECT_EQ(TTempFolder::Read(existing), "keep me");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(FTemp.Path()), {}), 2)
        << "only the template and the existing file";
}

TEST_F(Tools, AnUnwritableTargetIsReported)
{
    AnswerSaveDialog(FTemp.File("no such folder/deck.txt"));
    EXPECT_EQ(ErrorMessageOf<EHandlerError>([&] { FHandler.CreateTemplate(); }),
              "The program could not create a template file.");
}

TEST_F(Tools, CancellingTheSaveDialogEndsSilently)
{
    AnswerSaveDialog("");
    EXPECT_THROW(FHandler.CreateTemplate(), EAbort);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(FTemp.Path()), {}), 1);
}

TEST_F(Tools, TheEditorIsKeptInTheSettings)
{
    const std::string fileName = FTemp.File("Settings.ini");
    for (const std::string editor : {"/opt/My Editor/edit", ""})
    {
        SetEditor(editor);
        TMemIniFile written(fileName);
        FHandler.SaveSettings(written);
        written.UpdateFile();

        TToolsHandler reader;
        reader.SetOptions({"an editor from before"});
        TMemIniFile read(fileName);
        reader.LoadSettings(read);
        EXPECT_EQ(reader.GetOptions().EditorFile, editor);
        EXPECT_EQ(read.ReadString("ToolsHandler.Options", "EditorFile", "(missing)"), editor);
    }
}

TEST_F(Tools, MissingSettingsKeepTheEditor)
{
    SetEditor("vim");
    TMemIniFile empty(FTemp.File("Settings.ini"));
    FHandler.LoadSettings(empty);
    EXPECT_EQ(FHandler.GetOptions().EditorFile, "vim");
}

TEST_F(Tools, OptionsDialogShowsAndStoresTheEditorOnOk)
{
    SetEditor("gedit");
    // Typed with blanks around it, and then cleared again.
    for (const std::string typed : {" /opt/My Editor/edit ", ""})
    {
        const std::string before = FHandler.GetOptions().EditorFile;
        std::string shown;
        FDesktop.OnDialog = [&](QDialog& dialog)
        {
            shown = EditorFileEdit(dialog)->text().toStdString();
            EditorFileEdit(dialog)->setText(QString::fromStdString(typed));
            return true;
        };
        FHandler.EditOptions();
        EXPECT_EQ(shown, before);
        EXPECT_EQ(FHandler.GetOptions().EditorFile, typed) << "kept as typed";
    }
    EXPECT_EQ(GetAppToolsDialog(), GetAppToolsDialog());
}

TEST_F(Tools, BrowsingFillsTheTextBoxAndCancelKeepsTheEditor)
{
    SetEditor("gedit");
    std::string afterBrowse;
    std::string afterCancelledBrowse;
    FDesktop.OnDialog = [&](QDialog& dialog)
    {
        auto* browse = dialog.findChild<QPushButton*>("BrowseButton");
        FDesktop.OnFileDialog = [](TFileDialogRequest& request)
        {
            request.FileName = "/usr/bin/vi";
            return true;
        };
        browse->click();
        afterBrowse = EditorFileEdit(dialog)->text().toStdString();
        FDesktop.OnFileDialog = nullptr;
        browse->click();
        afterCancelledBrowse = EditorFileEdit(dialog)->text().toStdString();
        return false;
    };
    EXPECT_THROW(FHandler.EditOptions(), EAbort);
    EXPECT_EQ(afterBrowse, "/usr/bin/vi");
    EXPECT_EQ(afterCancelledBrowse, "/usr/bin/vi");
    EXPECT_EQ(FHandler.GetOptions().EditorFile, "gedit");
    ASSERT_EQ(FDesktop.FileDialogs.size(), 2u);
    EXPECT_EQ(FDesktop.FileDialogs[0].Title, "Editor File");
    EXPECT_EQ(FDesktop.FileDialogs[0].FileName, "gedit") << "starts from the text box";
    EXPECT_TRUE(FDesktop.FileDialogs[0].MustExist);
}

TEST(ToolsInMainWindow, EditorChosenInOptionsSurvivesARestart)
{
    TTempFolder temp;
    TTestDesktop desktop;
    TScopedTestDesktop scoped(desktop);
    const std::string settings = temp.File("Settings.ini");
    {
        TAppMainForm form(settings);
        form.UpdateAllActions();
        EXPECT_FALSE(form.Action(TAppMainForm::ToolsOpenWithEditorAction)->isEnabled())
            << "no deck is open";
        EXPECT_TRUE(form.Action(TAppMainForm::ToolsCreateTemplateAction)->isEnabled());
        desktop.OnDialog = [](QDialog& dialog)
        {
            dialog.findChild<QLineEdit*>("EditorFileEdit")->setText("kate");
            return true;
        };
        form.Action(TAppMainForm::ToolsOptionsAction)->trigger();
        form.ExecuteSettingsSave();
    }
    TAppMainForm form(settings);
    form.ExecuteSettingsLoad();
    EXPECT_EQ(form.GetToolsHandler()->GetOptions().EditorFile, "kate");
    EXPECT_TRUE(desktop.Errors.empty());
}
