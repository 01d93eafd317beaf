#include "App_Cards.h"
#include "App_Data.h"
#include "TempFolder.h"
#include "Tovi_exceptions.h"

#include <gtest/gtest.h>

namespace
{
// What a card holds, in the order of its keys.
std::vector<std::string> Fields(const TNimbaCard& card)
{
    return {card.Question.Text, card.Question.File, card.Answer.Text,
            card.Answer.File,   card.Hint,          card.Note};
}

void Load(TNimbaDeck& deck, std::string_view text)
{
    TNimbaEntries entries;
    entries.SetText(text);
    deck.LoadFromEntries(entries);
}

// The text that a model object writes into a new, empty list.
template <typename TWriter> std::string CopyText(const TWriter& writer)
{
    TNimbaEntries entries;
    writer.SaveToEntries(entries);
    return entries.GetText();
}

const char* const SampleDeck = "; a deck\r\n"
                               "[card]\r\nQuestion.Text=Q1\r\nAnswer.Text=A1\r\n"
                               "[CARD]\r\nHint=only a hint\r\n"
                               "[About]\r\nDescription=D\r\nTitle=T\r\nColor=red\r\n"
                               "[Other]\r\nQuestion.Text=not a card\r\n"
                               "[Card]\r\nquestion.file=q.png\r\nAnswer.File=a.wav\r\n"
                               "Note=N\r\nHint=\r\nExtra=x\r\n"
                               "[About]\r\nTitle=second\r\n";

TEST(NimbaDeck, LoadsAboutAndCardsInFileOrder)
{
    TNimbaDeck deck;
    Load(deck, SampleDeck);
    EXPECT_EQ(deck.About().Title, "T");
    EXPECT_EQ(deck.About().Description, "D");
    ASSERT_EQ(deck.Cards().Count(), 3);
    using TFields = std::vector<std::string>;
    EXPECT_EQ(Fields(*deck.Cards().Items(0)), (TFields{"Q1", "", "A1", "", "", ""}));
    EXPECT_EQ(Fields(*deck.Cards().Items(1)), (TFields{"", "", "", "", "only a hint", ""}));
    EXPECT_EQ(Fields(*deck.Cards().Items(2)), (TFields{"", "q.png", "", "a.wav", "", "N"}));

    const TNimbaCard& hinted = *deck.Cards().Items(1);
    EXPECT_TRUE(hinted.HasHint());
    EXPECT_FALSE(hinted.HasNote());
    const TNimbaCard& filed = *deck.Cards().Items(2);
    EXPECT_TRUE(filed.Question.HasFile());
    EXPECT_TRUE(filed.Question.Text.empty());
    EXPECT_TRUE(filed.HasNote());
    EXPECT_EQ(deck.Cards().IndexOf(&filed), 2);
    EXPECT_THROW(deck.Cards().Items(3), EListError);
}

TEST(NimbaDeck, MissingSectionsAndKeysLeaveFieldsEmpty)
{
    TNimbaDeck deck;
    Load(deck, "[Card]\r\n[Card]\r\nQuestion.Text\r\n");
    EXPECT_FALSE(deck.About().HasTitle());
    EXPECT_FALSE(deck.About().HasDescription());
    ASSERT_EQ(deck.Cards().Count(), 2);
    EXPECT_EQ(Fields(*deck.Cards().Items(1)), std::vector<std::string>(6));

    Load(deck, "[About]\r\nTitle=T\r\n");
    EXPECT_EQ(deck.About().Title, "T");
    EXPECT_EQ(deck.Cards().Count(), 0);
}

TEST(NimbaDeck, LoadingConsumesOnlyTheSectionsItReads)
{
    TNimbaEntries entries;
    entries.SetText(SampleDeck);
    TNimbaDeck deck;
    deck.LoadFromEntries(entries);
    EXPECT_EQ(entries.GetText(),
              "[Other]\r\nQuestion.Text=not a card\r\n\r\n[About]\r\nTitle=second\r\n\r\n");
}

TEST(NimbaDeck, CopyTextsOfDeckAboutCardsAndOneCard)
{
    TNimbaDeck deck;
    Load(deck, SampleDeck);
    const std::string about = "[About]\r\nTitle=T\r\nDescription=D\r\n\r\n";
    const std::string cards =
        "[Card]\r\nQuestion.Text=Q1\r\nAnswer.Text=A1\r\n\r\n"
        "[Card]\r\nHint=only a hint\r\n\r\n"
        "[Card]\r\nQuestion.File=q.png\r\nAnswer.File=a.wav\r\nNote=N\r\n\r\n";
    EXPECT_EQ(CopyText(deck), about + cards);
    EXPECT_EQ(CopyText(deck.About()), about);
    EXPECT_EQ(CopyText(deck.Cards()), cards);
    EXPECT_EQ(CopyText(*deck.Cards().Items(1)), "[Card]\r\nHint=only a hint\r\n\r\n");

    TNimbaDeck empty;
    EXPECT_EQ(CopyText(empty.Cards()), "");
    EXPECT_EQ(CopyText(empty), "[About]\r\n\r\n");
    Load(empty, "[Card]\r\n");
    EXPECT_EQ(CopyText(empty.Cards()), "[Card]\r\n\r\n");
}

TEST(NimbaDeck, SavedDeckLoadsBackTheSame)
{
    TTempFolder folder;
    TNimbaDeck deck;
    Load(deck, SampleDeck);
    const std::string path = folder.File("deck.txt");
    deck.SaveToFile(path);
    TNimbaDeck loaded;
    loaded.LoadFromFile(path);
    EXPECT_EQ(CopyText(loaded), CopyText(deck));
    EXPECT_EQ(TTempFolder::Read(path), CopyText(deck));
}

TEST(NimbaDeck, AssignCopiesFieldsAndIgnoresItself)
{
    TNimbaDeck deck;
    Load(deck, SampleDeck);
    TNimbaCard card;
    card.Assign(*deck.Cards().Items(2));
    card.Assign(card);
    EXPECT_EQ(Fields(card), Fields(*deck.Cards().Items(2)));

    TNimbaAbout about;
    about.Assign(deck.About());
    about.Assign(about);
    EXPECT_EQ(CopyText(about), CopyText(deck.About()));
}

// Fails on the n-th extraction, as a load that runs out of memory part-way would.
class TFailingEntries : public TNimbaEntries
{
public:
    explicit TFailingEntries(int failAt) : FLeft(failAt) {}
    TNimbaEntry* Extract(const std::string& name) override
    {
        if (--FLeft == 0)
            throw EError("failed");
        return TNimbaEntries::Extract(name);
    }

private:
    int FLeft;
};

TEST(NimbaDeck, FailedLoadKeepsThePreviousDeck)
{
    TNimbaDeck deck;
    Load(deck, SampleDeck);
    const std::string before = CopyText(deck);
    const TNimbaCard* const firstCard = deck.Cards().Items(0);

    for (int failAt : {1, 2, 4})
    {
        TFailingEntries entries(failAt);
        entries.SetText("[About]\r\nTitle=new\r\n[Card]\r\n[Card]\r\n[Card]\r\n");
        EXPECT_THROW(deck.LoadFromEntries(entries), EError);
        EXPECT_EQ(CopyText(deck), before);
        EXPECT_EQ(deck.Cards().Items(0), firstCard);
    }
    try
    {
        TTempFolder folder;
        deck.LoadFromFile(folder.File("missing.txt"));
        ADD_FAILURE() << "no error for a missing file";
    }
    catch (const EError& error)
    {
        EXPECT_EQ(error.Message(), "The program could not load the data.");
    }
    EXPECT_EQ(CopyText(deck), before);
}

TEST(NimbaDeck, UnwritableFileFailsWithTheSaveMessage)
{
    TTempFolder folder;
    const std::string plain = folder.Write("plain.txt", "x");
    TNimbaDeck deck;
    try
    {
        deck.SaveToFile(plain + "/deck.txt");
        ADD_FAILURE() << "no error";
    }
    catch (const EError& error)
    {
        EXPECT_EQ(error.Message(), "The program could not save the data.");
    }
}
} // namespace
