#include "FullFolder.h"
#include "TempFolder.h"
#include "Tovi_exceptions.h"
#include "Tovi_inifiles.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace
{
struct TIntegerCase
{
    const char* Stored;
    int Default;
    int Expected;
};

class IniIntegerReading : public ::testing::TestWithParam<TIntegerCase>
{
};

TEST_P(IniIntegerReading, ReadsDecimalHexOrTheDefault)
{
    TMemIniFile ini("");
    ini.SetText(std::string("[S]\r\nKey=") + GetParam().Stored + "\r\n");
    EXPECT_EQ(ini.ReadInteger("S", "Key", GetParam().Default), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IniIntegerReading,
    ::testing::Values(TIntegerCase{"42", 7, 42}, TIntegerCase{"-3000", 7, -3000},
                      TIntegerCase{"0x10", 7, 16}, TIntegerCase{"0X1f", 7, 31},
                      TIntegerCase{"0xFFFFFFFF", 7, -1},
                      TIntegerCase{"-2147483640", 7, -2147483640}, TIntegerCase{"word", 7, 7},
                      TIntegerCase{"", 7, 7}, TIntegerCase{"12abc", 7, 7}, TIntegerCase{"0x", 7, 7},
                      TIntegerCase{"99999999999", 7, 7}, TIntegerCase{"0x1FFFFFFFF", 7, 7}));

struct TBoolCase
{
    const char* Stored;
    bool Default;
    bool Expected;
};

class IniBoolReading : public ::testing::TestWithParam<TBoolCase>
{
};

TEST_P(IniBoolReading, AnyNonZeroIntegerIsTrue)
{
    TMemIniFile ini("");
    ini.SetText(std::string("[S]\r\nFlag=") + GetParam().Stored + "\r\n");
    EXPECT_EQ(ini.ReadBool("S", "Flag", GetParam().Default), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, IniBoolReading,
                         ::testing::Values(TBoolCase{"1", false, true}, TBoolCase{"0", true, false},
                                           TBoolCase{"2", false, true},
                                           TBoolCase{"-1", false, true},
                                           TBoolCase{"word", true, true},
                                           TBoolCase{"word", false, false},
                                           TBoolCase{"0x0", true, false}));

TEST(IniFile, MissingKeysAndSectionsGiveTheDefault)
{
    TMemIniFile ini("");
    ini.SetText("[S]\r\nKey=value\r\n");
    EXPECT_EQ(ini.ReadString("S", "Other", "default"), "default");
    EXPECT_EQ(ini.ReadString("T", "Key", "default"), "default");
    EXPECT_EQ(ini.ReadInteger("T", "Key", 5), 5);
    EXPECT_TRUE(ini.ReadBool("T", "Key", true));
}

TEST(IniFile, NamesAreLookedUpWithoutRegardToCase)
{
    TMemIniFile ini("");
    ini.WriteString("FileHandler.ExamRules", "TimeLimit", "3000");
    EXPECT_EQ(ini.ReadString("filehandler.examrules", "TIMELIMIT", ""), "3000");
    ini.WriteString("FILEHANDLER.EXAMRULES", "timelimit", "10");
    EXPECT_EQ(ini.GetText(), "[FileHandler.ExamRules]\r\nTimeLimit=10\r\n\r\n");
}

TEST(IniFile, WritesSectionsAndKeysInFirstWrittenOrder)
{
    TMemIniFile ini("");
    ini.WriteBool("B", "Flag", true);
    ini.WriteInteger("A", "Number", -7);
    ini.WriteString("B", "Text", "a = b");
    ini.WriteBool("B", "Flag", false);
    EXPECT_EQ(ini.GetText(), "[B]\r\nFlag=0\r\nText=a = b\r\n\r\n[A]\r\nNumber=-7\r\n\r\n");
}

TEST(IniFile, LookupsFollowErasedSectionsAndKeys)
{
    TMemIniFile ini("");
    ini.SetText("[A]\r\nx=1\r\ny=2\r\nX=3\r\n[B]\r\nz=4\r\n[a]\r\ny=5\r\nw=6\r\n[C]\r\nv=7\r\n");
    // The first of repeated keys wins; a repeated section adds to the first.
    EXPECT_EQ(ini.GetText(),
              "[A]\r\nx=1\r\ny=2\r\nw=6\r\n\r\n[B]\r\nz=4\r\n\r\n[C]\r\nv=7\r\n\r\n");
    ini.EraseSection("b");
    ini.DeleteKey("a", "X");
    EXPECT_EQ(ini.ReadString("c", "V", ""), "7");
    EXPECT_EQ(ini.ReadString("A", "w", ""), "6");
    EXPECT_FALSE(ini.ValueExists("A", "x"));
    ini.WriteString("A", "X", "8");
    ini.WriteString("C", "v", "9");
    ini.WriteString("B", "z", "10");
    EXPECT_EQ(ini.GetText(),
              "[A]\r\ny=2\r\nw=6\r\nX=8\r\n\r\n[C]\r\nv=9\r\n\r\n[B]\r\nz=10\r\n\r\n");
}

TEST(IniFile, EmptyDocumentWritesNothing)
{
    TMemIniFile ini("");
    EXPECT_EQ(ini.GetText(), "");
}

TEST(IniFile, ReadsLfAndCrLfTextAndDropsLinesBeforeTheFirstSection)
{
    TMemIniFile ini("");
    ini.SetText("stray=1\n[One]\nA=1\r\n; comment\r\n[Two]\rB = 2 \r");
    EXPECT_FALSE(ini.ValueExists("One", "stray"));
    EXPECT_EQ(ini.ReadInteger("One", "A", 0), 1);
    EXPECT_EQ(ini.ReadInteger("Two", "B", 0), 2);
    EXPECT_EQ(ini.ReadSections(), (std::vector<std::string>{"One", "Two"}));
}

TEST(IniFile, ClearedDocumentDropsForeignSectionsOnSave)
{
    TTempFolder folder;
    const std::string path = folder.Write("Settings.ini", "[Foreign]\r\nX=1\r\n\r\n");
    TMemIniFile ini(path);
    EXPECT_TRUE(ini.SectionExists("Foreign"));
    ini.Clear();
    ini.WriteString("Mine", "Key", "v");
    ini.UpdateFile();
    EXPECT_EQ(TTempFolder::Read(path), "[Mine]\r\nKey=v\r\n\r\n");
}

TEST(IniFile, AFullDiskRaisesAndKeepsThePreviousFile)
{
    TFullFolder folder;
    if (!folder.Available())
        GTEST_SKIP() << "a small file system cannot be mounted here";
    const std::string path = folder.Write("Settings.ini", "[Old]\r\nA=1\r\n\r\n");
    TMemIniFile ini(path);
    ini.WriteString("New", "B", std::string(4096, 'v'));
    folder.Fill();
    EXPECT_THROW(ini.UpdateFile(), EError);
    EXPECT_EQ(TTempFolder::Read(path), "[Old]\r\nA=1\r\n\r\n");
    EXPECT_FALSE(std::filesystem::exists(path + ".tmp"));
}

TEST(IniFile, ATargetThatCannotBeWrittenRaises)
{
    TTempFolder folder;
    TMemIniFile ini(folder.Write("blocked", "") + "/Settings.ini");
    ini.WriteString("S", "K", "v");
    EXPECT_THROW(ini.UpdateFile(), EError);
    std::filesystem::create_directory(folder.File("Folder.ini"));
    EXPECT_THROW(TMemIniFile{folder.File("Folder.ini")}, EError);
}

TEST(IniFile, WritingIntoAMissingFolderRaises)
{
    TTempFolder folder;
    TMemIniFile ini(folder.File("missing/Settings.ini"));
    ini.WriteString("S", "K", "v");
    EXPECT_THROW(ini.UpdateFile(), EError);
}
} // namespace
