#include "ExamCards.h"

#include "App_Exams.h"
#include "Tovi_random.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

namespace
{
using TNavigatorState = TExamCardNavigatorStates;
using N = TExamCardNavigatorState;

std::string Question(const TExamCard* card)
{
    return card->GetQuestion().Text;
}

std::string Join(const TTypedObjectList<TExamCard>& list)
{
    std::string text;
    for (const TExamCard* card : list)
        text += (text.empty() ? "" : " ") + Question(card);
    return text;
}

// A navigator over numbered cards that logs its events: "S" start, "E" end, "C" card change.
struct TNavigated
{
    std::unique_ptr<TNimbaCards> Deck;
    TExamCards Cards;
    TExamCardNavigator Navigator;
    std::string Log;

    explicit TNavigated(int count) : Deck(MakeNumberedCards(count)), Cards(*Deck), Navigator(Cards)
    {
        Navigator.OnStart = [this](TObject* sender) { Record("S", sender); };
        Navigator.OnEnd = [this](TObject* sender) { Record("E", sender); };
        Navigator.OnCardChange = [this](TObject* sender) { Record("C", sender); };
    }

    // "N" next, "P" previous, "R<k>" retry with interval k, "Start", "End".
    void Play(const std::string& moves)
    {
        std::istringstream stream(moves);
        for (std::string move; stream >> move;)
        {
            if (move == "N")
                Navigator.MoveToNextCard();
            else if (move == "P")
                Navigator.MoveToPreviousCard();
            else if (move[0] == 'R')
                Navigator.RetryCard(std::stoi(move.substr(1)));
            else if (move == "Start")
                Navigator.Start();
            else
                Navigator.End();
        }
    }

    std::string Order() const { return Join(Navigator.Order()); }
    std::string History() const { return Join(Navigator.History()); }

private:
    void Record(const char* name, TObject* sender)
    {
        EXPECT_EQ(sender, &Navigator);
        Log += Log.empty() ? name : std::string(" ") + name;
    }
};

struct TMoveCase
{
    const char* Name;
    int Count;
    const char* Moves;
    const char* Order;
    int CardIndex;
    const char* History;
};

class ExamCardNavigatorMoves : public ::testing::TestWithParam<TMoveCase>
{
};

TEST_P(ExamCardNavigatorMoves, GiveTheOrderCurrentCardAndHistory)
{
    const TMoveCase& move = GetParam();
    TNavigated navigated(move.Count);
    navigated.Play("Start");
    navigated.Play(move.Moves);
    EXPECT_EQ(navigated.Order(), move.Order);
    EXPECT_EQ(navigated.Navigator.GetCardIndex(), move.CardIndex);
    EXPECT_EQ(navigated.History(), move.History);
    if (move.CardIndex < move.Count)
    {
        EXPECT_EQ(&navigated.Navigator.GetCard(),
                  navigated.Navigator.Order().Items(move.CardIndex));
    }
    // One card change for the start and one for every move.
    const std::string moves = move.Moves;
    const auto moveCount = std::count(moves.begin(), moves.end(), ' ') + 1;
    EXPECT_EQ(std::count(navigated.Log.begin(), navigated.Log.end(), 'C'), moveCount + 1);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ExamCardNavigatorMoves,
    ::testing::Values(
        TMoveCase{"RetryBy4OnTheFirstOfSix", 6, "R4", "2 3 4 5 1 6", 0, "1"},
        TMoveCase{"AndBackRestoresTheOrder", 6, "R4 P", "1 2 3 4 5 6", 0, ""},
        TMoveCase{"RetryWithInterval0KeepsTheCard", 6, "R0", "1 2 3 4 5 6", 0, "1"},
        TMoveCase{"RetryWithFewerCardsLeftPutsItLast", 6, "N N N R4", "1 2 3 5 6 4", 3, "1 2 3 4"},
        TMoveCase{"RetryOnTheLastCardKeepsIt", 3, "N N R4", "1 2 3", 2, "1 2 3"},
        TMoveCase{"BackUndoesARetryOfTheLastCard", 3, "N N R4 P", "1 2 3", 2, "1 2"},
        TMoveCase{"NextPastTheLastCard", 2, "N N", "1 2", 2, "1 2"},
        TMoveCase{"BackFromAfterTheLastCard", 2, "N N P", "1 2", 1, "1"},
        TMoveCase{"RetriesStackedOnOneCard", 4, "R1 N R1", "2 3 1 4", 1, "1 2 1"},
        TMoveCase{"StackedUndoneOnce", 4, "R1 N R1 P", "2 1 3 4", 1, "1 2"},
        TMoveCase{"StackedUndoneTwice", 4, "R1 N R1 P P", "2 1 3 4", 0, "1"},
        TMoveCase{"StackedUndoneAll", 4, "R1 N R1 P P P", "1 2 3 4", 0, ""},
        TMoveCase{"InPlaceRetriesStacked", 3, "N R0 R0 R0", "1 2 3", 1, "1 2 2 2"},
        TMoveCase{"InPlaceRetriesUndoneOneByOne", 3, "N R0 R0 R0 P P P", "1 2 3", 1, "1"},
        TMoveCase{"MixedMovesUndoneToTheStart", 6, "R2 N R9 N P P P P", "1 2 3 4 5 6", 0, ""}),
    [](const auto& info) { return std::string(info.param.Name); });

// Any run of forward steps and retries, undone step by step, passes back through every
// order and position it went through.
TEST(ExamCardNavigator, StepsBackThroughEveryEarlierStateOfARandomRun)
{
    RandSeed(1234);
    for (int run = 0; run < 50; ++run)
    {
        TNavigated navigated(1 + Random(9));
        navigated.Play("Start");
        std::vector<std::pair<std::string, int>> states;
        while (navigated.Navigator.CanMoveToNextCard() && states.size() < 40)
        {
            states.emplace_back(navigated.Order(), navigated.Navigator.GetCardIndex());
            if (Random(3) == 0)
                navigated.Navigator.MoveToNextCard();
            else
                navigated.Navigator.RetryCard(Random(6));
        }
        while (!states.empty())
        {
            navigated.Navigator.MoveToPreviousCard();
            EXPECT_EQ(navigated.Order(), states.back().first) << "run " << run;
            EXPECT_EQ(navigated.Navigator.GetCardIndex(), states.back().second) << "run " << run;
            states.pop_back();
        }
        EXPECT_FALSE(navigated.Navigator.CanMoveToPreviousCard());
    }
}

struct TRefusal
{
    const char* Name;
    std::function<void(TExamCardNavigator&)> Call;
    const char* Message;
};

const std::vector<TRefusal>& Refusals()
{
    static const std::vector<TRefusal> refusals = {
        {"Start", [](TExamCardNavigator& n) { n.Start(); }, "The pogram cannot start the exam."},
        {"End", [](TExamCardNavigator& n) { n.End(); }, "The pogram cannot end the exam."},
        {"GetCard", [](TExamCardNavigator& n) { n.GetCard(); }, "The pogram cannot get the card."},
        {"RetryCard", [](TExamCardNavigator& n) { n.RetryCard(0); },
         "The pogram cannot retry the card."},
        {"MoveToPreviousCard", [](TExamCardNavigator& n) { n.MoveToPreviousCard(); },
         "The pogram cannot move to the previous card."},
        {"MoveToNextCard", [](TExamCardNavigator& n) { n.MoveToNextCard(); },
         "The pogram cannot move to the next card."},
    };
    return refusals;
}

struct TRefusedCase
{
    const char* Name;
    int Count;
    const char* Moves;
    std::vector<const char*> Refused; // every other operation is allowed
};

class ExamCardNavigatorRefusals : public ::testing::TestWithParam<TRefusedCase>
{
};

TEST_P(ExamCardNavigatorRefusals, RefuseWithTheirTextAndChangeNothing)
{
    const TRefusedCase& refused = GetParam();
    for (const TRefusal& refusal : Refusals())
    {
        SCOPED_TRACE(refusal.Name);
        TNavigated navigated(refused.Count);
        navigated.Play(refused.Moves);
        const bool expectRefused =
            std::any_of(refused.Refused.begin(), refused.Refused.end(),
                        [&](const char* name) { return std::string(name) == refusal.Name; });
        const std::string order = navigated.Order();
        const std::string history = navigated.History();
        const std::string log = navigated.Log;
        const int index = navigated.Navigator.GetCardIndex();
        const TNavigatorState state = navigated.Navigator.GetState();
        try
        {
            refusal.Call(navigated.Navigator);
            EXPECT_FALSE(expectRefused) << "not refused";
            continue;
        }
        catch (const EExamError& error)
        {
            EXPECT_TRUE(expectRefused) << error.Message();
            EXPECT_EQ(error.Message(), refusal.Message);
        }
        EXPECT_EQ(navigated.Order(), order);
        EXPECT_EQ(navigated.History(), history);
        EXPECT_EQ(navigated.Log, log);
        EXPECT_EQ(navigated.Navigator.GetCardIndex(), index);
        EXPECT_TRUE(navigated.Navigator.GetState() == state);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, ExamCardNavigatorRefusals,
    ::testing::Values(
        TRefusedCase{"BeforeStart",
                     3,
                     "",
                     {"End", "GetCard", "RetryCard", "MoveToPreviousCard", "MoveToNextCard"}},
        TRefusedCase{"OnTheFirstCard", 3, "Start", {"Start", "MoveToPreviousCard"}},
        TRefusedCase{"AfterTheLastCard",
                     2,
                     "Start N N",
                     {"Start", "GetCard", "RetryCard", "MoveToNextCard"}},
        TRefusedCase{
            "AfterEnd",
            3,
            "Start N End",
            {"Start", "End", "GetCard", "RetryCard", "MoveToPreviousCard", "MoveToNextCard"}},
        TRefusedCase{"EmptyDeckStarted",
                     0,
                     "Start",
                     {"Start", "GetCard", "RetryCard", "MoveToPreviousCard", "MoveToNextCard"}}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(ExamCardNavigator, QueriesFollowTheRunningState)
{
    TNavigated navigated(2);
    TExamCardNavigator& navigator = navigated.Navigator;
    EXPECT_TRUE(navigator.CanStart());
    EXPECT_FALSE(navigator.CanEnd() || navigator.CanRetryCard() || navigator.CanMoveToNextCard() ||
                 navigator.CanMoveToPreviousCard());
    navigated.Play("Start N N");
    EXPECT_TRUE(navigator.GetState() == TNavigatorState{N::Started});
    EXPECT_FALSE(navigator.CanRetryCard() || navigator.CanMoveToNextCard());
    EXPECT_TRUE(navigator.CanMoveToPreviousCard() && navigator.CanEnd());
    navigated.Play("End");
    EXPECT_TRUE(navigator.GetState() == (TNavigatorState{N::Started, N::Ended}));
    EXPECT_TRUE(navigator.IsStarted() && navigator.IsEnded());
    EXPECT_FALSE(navigator.CanStart() || navigator.CanEnd() || navigator.CanMoveToPreviousCard());
    EXPECT_EQ(navigated.Log, "S C C C E");
}

TEST(ExamCardNavigator, EmptyDeckStartsWithoutACardAndCanOnlyEnd)
{
    TNavigated navigated(0);
    navigated.Play("Start");
    EXPECT_EQ(navigated.Log, "S C");
    EXPECT_EQ(navigated.Navigator.GetCardIndex(), 0);
    EXPECT_EQ(navigated.Navigator.GetCardCount(), 0);
    navigated.Play("End");
    EXPECT_EQ(navigated.Log, "S C E");
}

TEST(ExamCardNavigator, RetryWithANegativeIntervalIsRefused)
{
    TNavigated navigated(3);
    navigated.Play("Start");
    EXPECT_THROW(
        try { navigated.Navigator.RetryCard(-1); } catch (const EExamError& error) {
            EXPECT_EQ(error.Message(), "The pogram cannot retry the card.");
            throw;
        },
        EExamError);
    EXPECT_EQ(navigated.Order(), "1 2 3");
    EXPECT_EQ(navigated.History(), "");
    EXPECT_EQ(navigated.Log, "S C");
}

TEST(ExamCards, BuildInDeckOrderOverTheDeckCards)
{
    const auto deck = MakeNumberedCards(3);
    const TExamCards cards(*deck);
    ASSERT_EQ(cards.Count(), 3);
    for (int i = 0; i < 3; ++i)
    {
        EXPECT_EQ(&cards.Items(i)->Card, deck->Items(i));
        EXPECT_FALSE(cards.Items(i)->Reversed);
        EXPECT_EQ(cards.IndexOf(cards.Items(i)), i);
    }
    EXPECT_THROW(cards.Items(3), EListError);
}

std::string ShuffledOrder(int count, std::uint32_t seed)
{
    RandSeed(seed);
    const auto deck = MakeNumberedCards(count);
    TExamCards cards(*deck);
    cards.Shuffle();
    return Join(TExamCardNavigator(cards).Order());
}

TEST(ExamCards, ShuffleLeavesOneCardAndAlwaysSwapsTwo)
{
    for (std::uint32_t seed = 0; seed < 20; ++seed)
    {
        EXPECT_EQ(ShuffledOrder(1, seed), "1");
        EXPECT_EQ(ShuffledOrder(2, seed), "2 1");
        EXPECT_EQ(ShuffledOrder(0, seed), "");
    }
}

TEST(ExamCards, ShuffleKeepsEveryCardExactlyOnce)
{
    const auto deck = MakeNumberedCards(100);
    TExamCards cards(*deck);
    RandSeed(99);
    cards.Shuffle();
    std::vector<const TNimbaCard*> shuffled;
    std::vector<const TNimbaCard*> dealt;
    for (int i = 0; i < cards.Count(); ++i)
    {
        shuffled.push_back(&cards.Items(i)->Card);
        dealt.push_back(deck->Items(i));
    }
    EXPECT_NE(shuffled, dealt);
    std::sort(shuffled.begin(), shuffled.end());
    std::sort(dealt.begin(), dealt.end());
    EXPECT_EQ(shuffled, dealt);
}

TEST(ExamCard, ReversedSwapsThePagesButNotHintAndNote)
{
    const auto deck = MakeDeckCards({{"Q", "A", "H", "N"}});
    TExamCard card(*deck->Items(0));
    EXPECT_EQ(card.GetQuestion().Text, "Q");
    card.Reversed = true;
    EXPECT_EQ(card.GetQuestion().Text, "A");
    EXPECT_EQ(card.GetAnswer().Text, "Q");
    EXPECT_EQ(card.GetHint(), "H");
    EXPECT_EQ(card.GetNote(), "N");
    EXPECT_TRUE(card.HasHint() && card.HasNote());
}
} // namespace
