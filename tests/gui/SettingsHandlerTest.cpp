// Settings.ini as a whole: which handlers read and write it, in which order, and what happens
// when it cannot be read, written or points at a folder that is gone.
#include "App_ErrorBox.h"
#include "App_MainForm.h"
#include "App_SettingsHandler.h"
#include "App_ViewHandler.h"
#include "TempFolder.h"
#include "TestDesktop.h"
#include "Tovi_forms.h"
#include "Tovi_inifiles.h"

#include <gtest/gtest.h>

#include <sys/mount.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace
{
// Writes one line per call into a shared log; can be told to raise.
class TFakeHandler : public THandler
{
public:
    TFakeHandler(std::string name, std::vector<std::string>& log)
        : FName(std::move(name)), FLog(log)
    {
    }
    bool FailLoad = false;
    bool FailSave = false;

    void LoadSettings(TMemIniFile& settings) override
    {
        FLog.push_back("load " + FName + " " + settings.ReadString(FName, "Value", "-"));
        if (FailLoad)
            throw EHandlerError("The program cannot load " + FName);
    }
    void SaveSettings(TMemIniFile& settings) override
    {
        FLog.push_back("save " + FName);
        if (FailSave)
            throw EHandlerError("The program cannot save " + FName);
        settings.WriteString(FName, "Value", FName + "!");
    }

private:
    std::string FName;
    std::vector<std::string>& FLog;
};

std::vector<std::string> SectionNames(const std::string& text)
{
    TMemIniFile document("");
    document.SetText(text);
    return document.ReadSections();
}

// Keeps the process's current folder as the test found it.
class SettingsHandlerTest : public ::testing::Test
{
protected:
    void TearDown() override { std::filesystem::current_path(FStartFolder); }

    std::filesystem::path FStartFolder = std::filesystem::current_path();
    TTempFolder FFolder;
    TTestDesktop FDesktop;
    TScopedTestDesktop FScope{FDesktop};
    std::vector<std::string> FLog;
};
} // namespace

TEST_F(SettingsHandlerTest, HandlersLoadAndSaveInRegistrationOrder)
{
    const std::string fileName =
        FFolder.Write("Settings.ini", "[a]\r\nValue=1\r\n\r\n[b]\r\nValue=2\r\n\r\n");
    TSettingsHandler settings(fileName);
    TFakeHandler a("a", FLog), b("b", FLog);
    settings.AddHandler(&a);
    settings.AddHandler(&b);
    settings.AddHandler(&a);

    settings.Load();
    settings.Save();

    EXPECT_EQ(FLog, (std::vector<std::string>{"load a 1", "load b 2", "load a 1", "save a",
                                              "save b", "save a"}));
    EXPECT_EQ(TTempFolder::Read(fileName), "[a]\r\nValue=a!\r\n\r\n[b]\r\nValue=b!\r\n\r\n");
}

TEST_F(SettingsHandlerTest, MissingFileLoadsNothing)
{
    TSettingsHandler settings(FFolder.File("Settings.ini"));
    TFakeHandler a("a", FLog);
    settings.AddHandler(&a);
    settings.Load();
    EXPECT_TRUE(FLog.empty());
    EXPECT_FALSE(std::filesystem::exists(FFolder.File("Settings.ini")));
}

TEST_F(SettingsHandlerTest, FailingHandlerStopsTheLoad)
{
    TSettingsHandler settings(FFolder.Write("Settings.ini", "[a]\r\nValue=1\r\n"));
    TFakeHandler a("a", FLog), b("b", FLog), c("c", FLog);
    b.FailLoad = true;
    for (THandler* handler :
         {static_cast<THandler*>(&a), static_cast<THandler*>(&b), static_cast<THandler*>(&c)})
        settings.AddHandler(handler);
    try
    {
        settings.Load();
        FAIL() << "the load went on";
    }
    catch (const EHandlerError& error)
    {
        EXPECT_EQ(error.Message(), "The program cannot load b");
    }
    EXPECT_EQ(FLog, (std::vector<std::string>{"load a 1", "load b -"}));
}

TEST_F(SettingsHandlerTest, StartUpShowsTheFailingHandlersError)
{
    const std::string fileName = FFolder.Write("Settings.ini", "[b]\r\n");
    TAppMainForm form(fileName);
    TFakeHandler b("b", FLog);
    b.FailLoad = true;
    form.GetSettingsHandler()->AddHandler(&b);
    // As the entry point does with an error that leaves the load.
    try
    {
        form.ExecuteSettingsLoad();
    }
    catch (...)
    {
        ShowException(std::current_exception());
    }
    EXPECT_EQ(FDesktop.Errors, std::vector<std::string>{"The program cannot load b."});
}

TEST_F(SettingsHandlerTest, UnreadableFileIsReportedBeforeAnyHandler)
{
    // A folder where the file should be cannot be read as one.
    std::filesystem::create_directory(FFolder.File("Settings.ini"));
    TSettingsHandler settings(FFolder.File("Settings.ini"));
    TFakeHandler a("a", FLog);
    settings.AddHandler(&a);
    EXPECT_THROW(settings.Load(), EError);
    EXPECT_TRUE(FLog.empty());
}

TEST_F(SettingsHandlerTest, FirstRunWritesEverySectionInOrder)
{
    const std::string fileName = FFolder.File("Settings.ini");
    {
        TAppMainForm form(fileName);
        form.UpdateAllActions();
        form.ExecuteSettingsLoad();
        ASSERT_TRUE(form.close());
    }
    const std::string text = TTempFolder::Read(fileName);
    std::vector<std::string> sections = SectionNames(text);
    EXPECT_EQ(sections, (std::vector<std::string>{"FileHandler.ExamRules", "FileHandler.OpenDialog",
                                                  "ViewHandler.Form", "ViewHandler.ControlOptions",
                                                  "ViewHandler.MessageOptions",
                                                  "ToolsHandler.Options", "SettingsHandler"}));
    // Every section ends with an empty line.
    for (std::size_t i = 1; i < sections.size(); ++i)
        EXPECT_NE(text.find("\r\n\r\n[" + sections[i] + "]\r\n"), std::string::npos);
    EXPECT_TRUE(text.ends_with("\r\n\r\n"));
    EXPECT_NE(text.find("[SettingsHandler]\r\nCurrentDirectory=" +
                        std::filesystem::current_path().string() + "\r\n\r\n"),
              std::string::npos);
}

TEST_F(SettingsHandlerTest, OnlyTheFolderSectionChangesOnlyTheFolder)
{
    TTempFolder deckFolder;
    const std::string fileName = FFolder.Write(
        "Settings.ini",
        "[SettingsHandler]\r\nCurrentDirectory=" + deckFolder.Path().string() + "\r\n\r\n");
    TAppMainForm form(fileName);
    form.UpdateAllActions();
    const TRect bounds = GetFormNormalBounds(form);
    form.ExecuteSettingsLoad();

    EXPECT_EQ(std::filesystem::current_path(), deckFolder.Path());
    EXPECT_EQ(form.GetViewHandler()->GetViewOptions(), TViewOptions());
    EXPECT_EQ(GetFormNormalBounds(form), bounds);
    std::filesystem::current_path(FStartFolder); // before the folder goes
}

TEST_F(SettingsHandlerTest, FolderThatIsGoneIsIgnored)
{
    const std::string fileName = FFolder.Write(
        "Settings.ini", "[SettingsHandler]\r\nCurrentDirectory=" + FFolder.File("gone") + "\r\n");
    TAppMainForm form(fileName);
    form.UpdateAllActions();
    EXPECT_NO_THROW(form.ExecuteSettingsLoad());
    EXPECT_EQ(std::filesystem::current_path(), FStartFolder);
}

TEST_F(SettingsHandlerTest, ForeignSectionsAreDroppedOnSave)
{
    const std::string fileName =
        FFolder.Write("Settings.ini", "[Foreign]\r\nKey=1\r\n\r\n[ViewHandler.Extra]\r\nA=2\r\n");
    TAppMainForm form(fileName);
    form.UpdateAllActions();
    form.ExecuteSettingsLoad();
    form.ExecuteSettingsSave();
    const std::vector<std::string> sections = SectionNames(TTempFolder::Read(fileName));
    EXPECT_EQ(std::count(sections.begin(), sections.end(), "Foreign"), 0);
    EXPECT_EQ(std::count(sections.begin(), sections.end(), "ViewHandler.Extra"), 0);
    EXPECT_EQ(sections.back(), "SettingsHandler");
}

TEST_F(SettingsHandlerTest, UnwritableFileKeepsTheWindowOpen)
{
    // The parent of the file is a regular file: no one can write there, not even root.
    const std::string fileName = FFolder.Write("plain", "x") + "/Settings.ini";
    TAppMainForm form(fileName);
    form.UpdateAllActions();
    form.show();
    EXPECT_FALSE(form.close());
    EXPECT_TRUE(form.isVisible());
    ASSERT_EQ(FDesktop.Errors.size(), 1u);
    EXPECT_EQ(FDesktop.Errors[0], "The program could not write the file \"" + fileName + "\".");
}

TEST_F(SettingsHandlerTest, FailingSaveLeavesThePreviousFile)
{
    const std::string previous = "[SettingsHandler]\r\nCurrentDirectory=/\r\n\r\n";
    const std::string fileName = FFolder.Write("Settings.ini", previous);
    TSettingsHandler settings(fileName);
    TFakeHandler a("a", FLog), b("b", FLog);
    b.FailSave = true;
    settings.AddHandler(&a);
    settings.AddHandler(&b);
    EXPECT_THROW(settings.Save(), EHandlerError);
    EXPECT_EQ(TTempFolder::Read(fileName), previous);
}

// A small disk that fills up: the save fails and the file on it stays as it was.
class FullDiskTest : public SettingsHandlerTest
{
protected:
    void SetUp() override
    {
        FDisk = FFolder.Path() / "disk";
        std::filesystem::create_directory(FDisk);
        if (::mount("tmpfs", FDisk.c_str(), "tmpfs", 0, "size=64k") != 0)
            GTEST_SKIP() << "no small disk can be mounted here";
        FMounted = true;
    }
    void TearDown() override
    {
        if (FMounted)
            ::umount(FDisk.c_str());
        SettingsHandlerTest::TearDown();
    }
    void FillDisk() const
    {
        std::ofstream filler(FDisk / "filler", std::ios::binary);
        const std::string block(4096, 'x');
        for (int i = 0; i < 64 && filler; ++i)
            filler.write(block.data(), static_cast<std::streamsize>(block.size()));
    }

    std::filesystem::path FDisk;
    bool FMounted = false;
};

TEST_F(FullDiskTest, SaveOnAFullDiskIsReportedAndKeepsThePreviousFile)
{
    const std::string fileName = (FDisk / "Settings.ini").string();
    const std::string previous = "[Old]\r\nKey=1\r\n\r\n";
    std::ofstream(fileName, std::ios::binary) << previous;
    FillDisk();
    TAppMainForm form(fileName);
    form.UpdateAllActions();
    form.show();
    EXPECT_FALSE(form.close());
    EXPECT_EQ(FDesktop.Errors.size(), 1u);
    EXPECT_EQ(TTempFolder::Read(fileName), previous);
}
