#include "App_Data.h"
#include "DeckRoundTrip.h"
#include "TempFolder.h"
#include "Tovi_autopointers.h"
#include "Tovi_exceptions.h"

#include <functional>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <unistd.h>

namespace
{
using TLines = std::vector<std::string>;

// The sections of a parsed list as (name, lines) pairs.
std::vector<std::pair<std::string, TLines>> Sections(const TNimbaEntries& entries)
{
    std::vector<std::pair<std::string, TLines>> sections;
    for (int i = 0; i < entries.Count(); ++i)
        sections.emplace_back(entries.Names(i), entries.Entries(i).Lines);
    return sections;
}

std::vector<std::pair<std::string, TLines>> Parse(std::string_view text)
{
    TNimbaEntries entries;
    entries.SetText(text);
    return Sections(entries);
}

struct TLineCase
{
    const char* Input;
    const char* Stored; // nullptr: the line is not stored
};

class SectionLines : public ::testing::TestWithParam<TLineCase>
{
};

TEST_P(SectionLines, AreStoredTrimmedWithKeysWithoutBlanks)
{
    const auto sections = Parse(std::string("[S]\r\n") + GetParam().Input + "\r\n");
    ASSERT_EQ(sections.size(), 1u);
    const TLines expected = GetParam().Stored ? TLines{GetParam().Stored} : TLines{};
    EXPECT_EQ(sections[0].second, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SectionLines,
    ::testing::Values(TLineCase{"Title", "Title"}, TLineCase{"Title=", "Title="},
                      TLineCase{" \tQuestion.Text = 2 + 2 = ?  ", "Question.Text=2 + 2 = ?"},
                      TLineCase{";Title=A", nullptr}, TLineCase{"  ; indented comment", nullptr},
                      TLineCase{"Title=A ; not a comment", "Title=A ; not a comment"},
                      TLineCase{"# note", "# note"},
                      TLineCase{"[About] ; comment", "[About] ; comment"},
                      TLineCase{"Value=[x]", "Value=[x]"}, TLineCase{"= v", "=v"},
                      TLineCase{"\x01\x1f Key\x7f=\x02", "Key\x7f="},
                      TLineCase{"\xa0Key=\xe9t\xe9\xa0", "\xa0Key=\xe9t\xe9\xa0"},
                      TLineCase{" \t ", nullptr}));

TEST(NimbaEntriesParsing, HeadersNameSectionsTrimmedAndRepeatedSectionsSurvive)
{
    const auto sections = Parse("Title=lost\r\n[About] ; comment\r\n[ Card ]\r\nA=1\r\n[]\r\n"
                                "[card]\r\nA=2\r\n[ [x] ]\r\n[\r\n");
    const std::vector<std::pair<std::string, TLines>> expected = {
        {"Card", {"A=1"}}, {"", {}}, {"card", {"A=2"}}, {"[x]", {"["}}};
    EXPECT_EQ(sections, expected);
}

TEST(NimbaEntriesParsing, EveryLineBreakEndsALine)
{
    TNimbaEntry entry;
    entry.SetText("a\r\nb\nc\rd\n\re\r\n");
    EXPECT_EQ(entry.Lines, (TLines{"a", "b", "c", "d", "", "e"}));
    EXPECT_EQ(Parse("[S]\rA=1\r\rB=2\r[T]\rC=3"),
              (std::vector<std::pair<std::string, TLines>>{{"S", {"A=1", "B=2"}}, {"T", {"C=3"}}}));
}

TEST(NimbaEntriesParsing, NulEndsTheText)
{
    using namespace std::string_literals;
    EXPECT_EQ(Parse("[S]\r\nA=1\0\r\nB=2\r\n[T]\r\n"s),
              (std::vector<std::pair<std::string, TLines>>{{"S", {"A=1"}}}));
    TNimbaEntry entry;
    entry.SetText("x\ny\0z"s);
    EXPECT_EQ(entry.Lines, (TLines{"x", "y"}));
}

TEST(NimbaEntriesParsing, ByteOrderMarkHidesTheFirstHeader)
{
    const auto sections = Parse("\xef\xbb\xbf[About]\r\nTitle=T\r\n[Card]\r\nHint=H\r\n");
    EXPECT_EQ(sections, (std::vector<std::pair<std::string, TLines>>{{"Card", {"Hint=H"}}}));
}

TEST(NimbaEntriesParsing, TextsWithoutSectionsYieldNone)
{
    EXPECT_TRUE(Parse("").empty());
    EXPECT_TRUE(Parse("; only a comment\r\n\r\n   \r\nKey=before any header\r\n").empty());
}

TEST(NimbaEntriesParsing, HugeLinesAndManySectionsParse)
{
    const std::string value(50 << 20, 'x');
    TNimbaEntries entries;
    entries.SetText("[Card]\r\nHint = " + value);
    TAutoPointer<TNimbaEntry> card(entries.Extract("card"));
    EXPECT_EQ(card->ReadString("Hint", ""), value);

    std::string headers;
    for (int i = 0; i < 1000000; ++i)
        headers += "[]\r";
    entries.SetText(headers);
    EXPECT_EQ(entries.Count(), 1000000);
    EXPECT_EQ(entries.GetText().size(), 6000000u);
}

TEST(NimbaEntry, LookupSeesTheFirstKeyIgnoringCase)
{
    TNimbaEntry entry;
    entry.SetText("Title\r\nTitle=A\r\ntitle=B\r\nEmpty=\r\n");
    EXPECT_EQ(entry.ReadString("TITLE", "d"), "A");
    EXPECT_EQ(entry.ReadString("Empty", "d"), "");
    EXPECT_TRUE(entry.ValueExists("empty"));
    EXPECT_EQ(entry.ReadString("Missing", "d"), "d");
    EXPECT_FALSE(entry.ValueExists("Titl"));
    EXPECT_FALSE(entry.ValueExists("Title=A"));

    TNimbaEntry bare;
    bare.SetText("Title\r\n");
    EXPECT_FALSE(bare.ValueExists("Title"));
    EXPECT_EQ(bare.ReadString("Title", "d"), "d");
}

// Taking the values in one go gives what ReadString gives, short values and long ones alike.
TEST(NimbaEntry, TakeValuesAgreesWithReadString)
{
    const std::string text =
        "Title\r\nTitle=A\r\ntitle=B\r\nEmpty=\r\nNote=" + std::string(100, 'n') +
        "\r\nnote=second\r\nA=B=C\r\n";
    const std::vector<std::string> keys = {"TITLE", "Empty", "Missing", "note", "A", "B=C"};
    TNimbaEntry reference;
    reference.SetText(text);
    TNimbaEntry taken;
    taken.SetText(text);
    std::vector<std::string> values(keys.size());
    taken.TakeValues(keys, values);
    for (std::size_t i = 0; i < keys.size(); ++i)
        EXPECT_EQ(values[i], reference.ReadString(keys[i], std::string())) << keys[i];
}

TEST(NimbaEntry, WriteStringReplacesAppendsAndRemovesTheFirstKey)
{
    TNimbaEntry entry;
    entry.WriteString("Hint", "");
    EXPECT_TRUE(entry.Lines.empty());

    entry.SetText("hint=old\r\nNote=N\r\nHint=second\r\n");
    entry.WriteString("HINT", "new");
    entry.WriteString("Title", "T");
    EXPECT_EQ(entry.Lines, (TLines{"HINT=new", "Note=N", "Hint=second", "Title=T"}));
    entry.WriteString("hint", "");
    EXPECT_EQ(entry.Lines, (TLines{"Note=N", "Hint=second", "Title=T"}));
    EXPECT_EQ(entry.GetText(), "Note=N\r\nHint=second\r\nTitle=T\r\n");
}

TEST(NimbaEntries, WritesEachSectionWithAnEmptyLineAfterIt)
{
    TNimbaEntries entries;
    EXPECT_EQ(entries.GetText(), "");
    TAutoPointer<TNimbaEntry> about(new TNimbaEntry);
    about->WriteString("Title", "T");
    entries.Add("About", about.Release());
    TAutoPointer<TNimbaEntry> card(new TNimbaEntry);
    card->WriteString("Question.Text", "Q");
    card->WriteString("Answer.Text", "A");
    entries.Add("Card", card.Release());
    entries.Add("Empty", new TNimbaEntry);

    const std::string text = entries.GetText();
    EXPECT_EQ(text, "[About]\r\nTitle=T\r\n\r\n[Card]\r\nQuestion.Text=Q\r\nAnswer.Text=A\r\n\r\n"
                    "[Empty]\r\n\r\n");
    EXPECT_EQ(Parse(text), Sections(entries));
    EXPECT_EQ(DeckRoundTripFault(text), "");
}

TEST(NimbaEntries, ExtractTakesSectionsOutInOrderAndThenGivesEmptyEntries)
{
    TNimbaEntries entries;
    entries.SetText("[About]\r\nTitle=1\r\n[Card]\r\n[about]\r\nTitle=2\r\n");
    EXPECT_TRUE(entries.SectionExists("ABOUT"));
    for (const char* title : {"1", "2", ""})
    {
        TAutoPointer<TNimbaEntry> about(entries.Extract("About"));
        EXPECT_EQ(about->ReadString("Title", ""), title);
    }
    EXPECT_FALSE(entries.SectionExists("About"));
    EXPECT_EQ(entries.GetText(), "[Card]\r\n\r\n");
}

TEST(NimbaEntries, ExtractAndAddInTurnKeepTheOrderOfTheRest)
{
    TNimbaEntries entries;
    entries.SetText("[A]\r\n1\r\n[B]\r\n1\r\n[A]\r\n2\r\n[B]\r\n2\r\n[A]\r\n3\r\n[C]\r\n");
    const auto take = [&entries](const char* name)
    {
        TAutoPointer<TNimbaEntry> entry(entries.Extract(name));
        return entry->GetText();
    };
    EXPECT_EQ(take("A"), "1\r\n");
    TAutoPointer<TNimbaEntry> added(new TNimbaEntry);
    added->Lines = {"4"};
    entries.Add("a", added.Release());
    EXPECT_EQ(take("B"), "1\r\n");
    EXPECT_EQ(entries.Count(), 5);
    EXPECT_EQ(entries.Names(0), "A");
    EXPECT_EQ(entries.Names(4), "a");
    for (const char* lines : {"2\r\n", "3\r\n", "4\r\n", ""})
        EXPECT_EQ(take("a"), lines);
    EXPECT_EQ(entries.GetText(), "[B]\r\n2\r\n\r\n[C]\r\n\r\n");
    EXPECT_THROW(entries.Names(2), EListError);
}

TEST(NimbaEntries, SetTextReplacesTheWholeList)
{
    TNimbaEntries entries;
    entries.SetText("[Old]\r\n");
    TAutoPointer<TNimbaEntry> taken(entries.Extract("Old"));
    entries.SetText("[New]\r\nK=V\r\n");
    EXPECT_EQ(entries.GetText(), "[New]\r\nK=V\r\n\r\n");
    EXPECT_FALSE(entries.SectionExists("Old"));
}

class NimbaEntriesFiles : public ::testing::Test
{
protected:
    void SetUp() override { Entries.SetText(Previous); }

    void ExpectFailure(const std::function<void()>& operation, const std::string& message)
    {
        try
        {
            operation();
            ADD_FAILURE() << "no error";
        }
        catch (const EError& error)
        {
            EXPECT_EQ(error.Message(), message);
        }
        EXPECT_EQ(Entries.GetText(), Previous);
    }

    void ExpectLoadFailure(const std::string& path)
    {
        ExpectFailure([&] { Entries.LoadFromFile(path); }, "The program could not load the data.");
    }

    void ExpectSaveFailure(const std::string& path)
    {
        ExpectFailure([&] { Entries.SaveToFile(path); }, "The program could not save the data.");
    }

    const std::string Previous = "[About]\r\nTitle=Previous\r\n\r\n";
    TTempFolder Folder;
    TNimbaEntries Entries;
};

TEST_F(NimbaEntriesFiles, SavesAndLoadsTheExactBytes)
{
    const std::string path = Folder.File("deck.txt");
    Entries.SaveToFile(path);
    EXPECT_EQ(TTempFolder::Read(path), Previous);

    const std::string bytes = "\xef\xbb\xbfjunk\r\n[Card]\nHint = \xe9\r\n";
    TNimbaEntries loaded;
    loaded.LoadFromFile(Folder.Write("other.txt", bytes));
    EXPECT_EQ(loaded.GetText(), "[Card]\r\nHint=\xe9\r\n\r\n");
}

TEST_F(NimbaEntriesFiles, UnreadableFileKeepsTheList)
{
    ExpectLoadFailure(Folder.File("missing.txt"));
    ExpectLoadFailure(Folder.Path().string());
    if (::geteuid() != 0)
    {
        const std::string locked = Folder.Write("locked.txt", "[Card]\r\n");
        std::filesystem::permissions(locked, std::filesystem::perms::none);
        ExpectLoadFailure(locked);
    }
}

TEST_F(NimbaEntriesFiles, UnwritableFileFailsWithTheSaveMessage)
{
    const std::string plain = Folder.Write("plain.txt", "x");
    ExpectSaveFailure(plain + "/deck.txt");
    ExpectSaveFailure(Folder.Path().string());
    EXPECT_EQ(TTempFolder::Read(plain), "x");
}

TEST_F(NimbaEntriesFiles, FullDiskKeepsThePreviousFile)
{
    const std::string mountPoint = Folder.File("small");
    std::filesystem::create_directory(mountPoint);
    if (::mount("tmpfs", mountPoint.c_str(), "tmpfs", 0, "size=64k") != 0)
        GTEST_SKIP() << "cannot mount a small file system here";
    const std::string path = mountPoint + "/deck.txt";
    Entries.SaveToFile(path);
    TAutoPointer<TNimbaEntry> big(new TNimbaEntry);
    big->Lines.assign(10000, std::string(40, 'x'));
    TNimbaEntries large;
    large.Add("Card", big.Release());
    try
    {
        large.SaveToFile(path);
        ADD_FAILURE() << "no error on a full disk";
    }
    catch (const EError& error)
    {
        EXPECT_EQ(error.Message(), "The program could not save the data.");
    }
    EXPECT_EQ(TTempFolder::Read(path), Previous);
    ::umount2(mountPoint.c_str(), MNT_DETACH);
}
} // namespace
