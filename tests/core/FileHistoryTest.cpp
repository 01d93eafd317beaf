#include "App_FileHistory.h"
#include "ErrorMessage.h"
#include "TempFolder.h"
#include "Tovi_exceptions.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <string>
#include <vector>

namespace
{
std::vector<std::string> Items(const TFileHistory& history)
{
    std::vector<std::string> items;
    for (int index = 0; index < history.GetCount(); ++index)
        items.push_back(history.GetItem(index));
    return items;
}

std::string Path(int number)
{
    return "/decks/Deck" + std::to_string(number) + ".txt";
}

class FileHistoryTest : public ::testing::Test
{
protected:
    std::string FileName() const { return FFolder.File("History.ini"); }
    std::string WriteFile(const std::string& text) const
    {
        return FFolder.Write("History.ini", text);
    }
    // A history holding Path(count) ... Path(1), newest first.
    void Fill(TFileHistory& history, int count)
    {
        for (int number = 1; number <= count; ++number)
            history.Add(Path(number));
    }

    TTempFolder FFolder;
};

TEST_F(FileHistoryTest, NewHistoryOverAMissingFileIsEmptyWithLimitNine)
{
    TFileHistory history(FileName());
    EXPECT_EQ(history.GetCount(), 0);
    EXPECT_EQ(history.GetLimit(), 9);
}

TEST_F(FileHistoryTest, AddingAListedPathInAnyCaseMovesItToTheTopInTheNewForm)
{
    TFileHistory history(FileName());
    EXPECT_EQ(history.Add("/decks/Verbs.txt"), 0);
    history.Add("/decks/Nouns.txt");
    EXPECT_EQ(history.Add("/decks/Verbs.txt"), 0);
    EXPECT_EQ(Items(history), (std::vector<std::string>{"/decks/Verbs.txt", "/decks/Nouns.txt"}));

    history.Add("/DECKS/nouns.TXT");
    EXPECT_EQ(Items(history), (std::vector<std::string>{"/DECKS/nouns.TXT", "/decks/Verbs.txt"}));
    EXPECT_EQ(history.IndexOf("/Decks/Verbs.TXT"), 1);
    EXPECT_EQ(history.IndexOf("/decks/Other.txt"), -1);
}

TEST_F(FileHistoryTest, CaseIsIgnoredBeyondAscii)
{
    TFileHistory history(FileName());
    history.Add("/decks/\xc3\x89t\xc3\xa9.txt"); // "Été.txt" in UTF-8
    history.Add("/decks/\xc3\xa9T\xc3\x89.txt");
    EXPECT_EQ(history.GetCount(), 1);
}

TEST_F(FileHistoryTest, AFullListDropsOnlyTheOldestAndOnlyForANewPath)
{
    TFileHistory history(FileName());
    history.SetLimit(30);
    Fill(history, 30);

    history.Add(Path(10));
    EXPECT_EQ(history.GetCount(), 30);
    EXPECT_EQ(history.GetItem(0), Path(10));
    EXPECT_EQ(history.GetItem(29), Path(1));

    history.Add(Path(31));
    EXPECT_EQ(history.GetCount(), 30);
    EXPECT_EQ(history.GetItem(0), Path(31));
    EXPECT_EQ(history.IndexOf(Path(1)), -1);
    EXPECT_EQ(history.GetItem(29), Path(2));
}

TEST_F(FileHistoryTest, ALongerListFromTheFileKeepsItsItemsUntilTheNextAdd)
{
    std::string text = "[History]\r\nCount=12\r\n";
    for (int index = 0; index < 12; ++index)
        text += "Item" + std::to_string(index) + "=" + Path(12 - index) + "\r\n";
    WriteFile(text);
    TFileHistory history(FileName());
    EXPECT_EQ(history.GetCount(), 12);

    history.Add(Path(13));
    EXPECT_EQ(history.GetCount(), 9);
    EXPECT_EQ(history.GetItem(0), Path(13));
    EXPECT_EQ(history.GetItem(8), Path(5));
}

TEST_F(FileHistoryTest, PathsAreBytesButALineBreakCannotBeStored)
{
    TFileHistory history(FileName());
    EXPECT_EQ(history.Add("/decks/bad\xff\xfename.txt"), 0);
    EXPECT_EQ(history.Add("/decks/two\nlines.txt"), -1);
    EXPECT_EQ(history.Add("/decks/two\rlines.txt"), -1);
    history.Save();
    EXPECT_EQ(Items(TFileHistory(FileName())),
              std::vector<std::string>{"/decks/bad\xff\xfename.txt"});
}

TEST_F(FileHistoryTest, LimitZeroAddsNothing)
{
    TFileHistory history(FileName());
    history.SetLimit(0);
    EXPECT_EQ(history.Add(Path(1)), -1);
    EXPECT_EQ(history.GetCount(), 0);
}

TEST_F(FileHistoryTest, RemoveAndDeleteReportAndCheckTheIndex)
{
    TFileHistory history(FileName());
    Fill(history, 3);
    EXPECT_EQ(history.Remove("/DECKS/deck2.txt"), 1);
    EXPECT_EQ(history.Remove(Path(2)), -1);
    EXPECT_EQ(Items(history), (std::vector<std::string>{Path(3), Path(1)}));

    for (int bad : {-1, 2})
    {
        EXPECT_THROW(history.Delete(bad), EListError);
        EXPECT_THROW(history.GetItem(bad), EListError);
    }
    history.Delete(1);
    EXPECT_EQ(Items(history), std::vector<std::string>{Path(3)});
}

TEST_F(FileHistoryTest, SetLimitCutsToTheNewestAndRefusesNegatives)
{
    TFileHistory history(FileName());
    Fill(history, 8);
    history.SetLimit(5);
    EXPECT_EQ(Items(history),
              (std::vector<std::string>{Path(8), Path(7), Path(6), Path(5), Path(4)}));
    EXPECT_EQ(history.GetLimit(), 5);

    EXPECT_EQ(ErrorMessageOf<EListError>([&] { history.SetLimit(-1); }),
              "The program cannot set the limit.");
    EXPECT_EQ(history.GetLimit(), 5);
    EXPECT_EQ(history.GetCount(), 5);
}

TEST_F(FileHistoryTest, SetCountOnlyShortens)
{
    TFileHistory history(FileName());
    Fill(history, 8);
    for (int bad : {9, -1})
    {
        EXPECT_EQ(ErrorMessageOf<EListError>([&] { history.SetCount(bad); }),
                  "The program cannot set the number of items.")
            << bad;
        EXPECT_EQ(history.GetCount(), 8);
    }
    history.SetCount(2);
    EXPECT_EQ(Items(history), (std::vector<std::string>{Path(8), Path(7)}));
}

TEST_F(FileHistoryTest, SaveWritesExactlyTheSectionAndDropsOtherContent)
{
    WriteFile("[Other]\r\nKey=1\r\n\r\n[History]\r\nCount=7\r\n");
    TFileHistory history(FileName());
    history.Clear();
    history.Save();
    EXPECT_EQ(TTempFolder::Read(FileName()), "[History]\r\nCount=0\r\n\r\n");

    history.Add("/decks/Old deck.txt");
    history.Add("/decks/New deck.txt");
    history.Save();
    EXPECT_EQ(TTempFolder::Read(FileName()), "[History]\r\n"
                                             "Count=2\r\n"
                                             "Item0=/decks/New deck.txt\r\n"
                                             "Item1=/decks/Old deck.txt\r\n"
                                             "\r\n");
}

struct TLoadCase
{
    const char* Name;
    std::string Text;
    std::vector<std::string> Expected;
};

class FileHistoryLoad : public ::testing::TestWithParam<TLoadCase>
{
};

TEST_P(FileHistoryLoad, ReadsWhatTheCountPromises)
{
    TTempFolder folder;
    TFileHistory history(folder.Write("History.ini", GetParam().Text));
    EXPECT_EQ(Items(history), GetParam().Expected);
}

std::vector<std::string> EmptyItems(std::size_t count)
{
    return std::vector<std::string>(count);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FileHistoryLoad,
    ::testing::Values(
        TLoadCase{"NoCount", "[History]\r\nItem0=/a.txt\r\n", {}},
        TLoadCase{"NoSection", "[Other]\r\nCount=1\r\nItem0=/a.txt\r\n", {}},
        TLoadCase{"UnreadableCount", "[History]\r\nCount=two\r\nItem0=/a.txt\r\n", {}},
        TLoadCase{"NegativeCount", "[history]\r\nCOUNT=-4\r\nItem0=/a.txt\r\n", {}},
        TLoadCase{"Gap",
                  "[History]\r\nCount=3\r\nItem0=/a.txt\r\nItem2=/c.txt\r\n",
                  {"/a.txt", "", "/c.txt"}},
        TLoadCase{"MissingLastKey", "[History]\r\nCount=2\r\nItem0=/a.txt\r\n", {"/a.txt", ""}},
        TLoadCase{"MoreThanTheLimit", "[History]\r\nCount=12\r\n", EmptyItems(12)},
        TLoadCase{"CaseOfNames", "[HISTORY]\r\ncount=1\r\nitem0=/a.txt\r\n", {"/a.txt"}},
        TLoadCase{
            "HugeCountStopsAtTheFirstMissingKey",
            "[History]\r\nCount=2000000000\r\nItem0=/a.txt\r\nItem1=/b.txt\r\nItem3=/d.txt\r\n",
            {"/a.txt", "/b.txt"}},
        TLoadCase{"MaximumCount", "[History]\r\nCount=2147483647\r\nItem0=/a.txt\r\n", {"/a.txt"}}),
    [](const ::testing::TestParamInfo<TLoadCase>& info) { return info.param.Name; });

TEST(FileHistoryLoadBound, AHugeCountWithEveryKeyStopsAtAThousand)
{
    TTempFolder folder;
    std::string text = "[History]\r\nCount=2000000000\r\n";
    for (int index = 0; index < 1500; ++index)
        text += "Item" + std::to_string(index) + "=/d" + std::to_string(index) + "\r\n";
    TFileHistory history(folder.Write("History.ini", text));
    EXPECT_EQ(history.GetCount(), 1000);
    EXPECT_EQ(history.GetItem(999), "/d999");
}

TEST_F(FileHistoryTest, LoadReplacesTheListAndAFailedLoadKeepsIt)
{
    TFileHistory history(FileName());
    history.Add(Path(1));
    WriteFile("[History]\r\nCount=1\r\nItem0=/other.txt\r\n");
    history.Load();
    EXPECT_EQ(Items(history), std::vector<std::string>{"/other.txt"});

    std::filesystem::remove(FileName());
    std::filesystem::create_directory(FileName());
    EXPECT_THROW(history.Load(), EError);
    EXPECT_EQ(Items(history), std::vector<std::string>{"/other.txt"});
    // A damaged file does not keep the program from starting: the history starts empty.
    TFileHistory fresh(FileName());
    EXPECT_EQ(fresh.GetCount(), 0);
}

TEST_F(FileHistoryTest, TwoCopiesSharingTheFileKeepEachOthersEntries)
{
    TFileHistory first(FileName());
    TFileHistory second(FileName());
    const auto openDeck = [](TFileHistory& history, const std::string& path)
    {
        history.Load();
        history.Add(path);
        history.Save();
    };
    openDeck(first, "/a.txt");
    openDeck(second, "/b.txt");
    openDeck(first, "/c.txt");
    second.Load();
    EXPECT_EQ(Items(second), (std::vector<std::string>{"/c.txt", "/b.txt", "/a.txt"}));
}

TEST_F(FileHistoryTest, AFailedSaveRaisesAndKeepsTheList)
{
    TFileHistory history(FFolder.File("Missing folder/History.ini"));
    history.Add(Path(1));
    history.Add(Path(2));
    EXPECT_THROW(history.Save(), EError);
    EXPECT_EQ(Items(history), (std::vector<std::string>{Path(2), Path(1)}));
}
} // namespace
