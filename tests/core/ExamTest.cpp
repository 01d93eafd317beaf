#include "ExamCards.h"
#include "ManualExamClock.h"

#include "App_Exams.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace
{
const std::vector<TTestCard> ThreeCards = {
    {"Q1", "A1", "h1", ""}, {"Q2", "A2", "", ""}, {"Q3", "A3", "h3", "n3"}};

TExamRules Rules(void (*change)(TExamRules&))
{
    TExamRules rules;
    rules.RetryInterval = 4;
    change(rules);
    return rules;
}

// An exam whose events are written to a log as the owner would read them: "S" start,
// "E" end, "C<position>", "Q:<question>", "H:<hint>", "A:<answer>", "T" time up.
struct TRecordedExam
{
    TManualExamClock Clock;
    std::unique_ptr<TNimbaCards> Deck;
    TExam Exam;
    std::string Log;

    TRecordedExam(const std::vector<TTestCard>& cards, const TExamRules& rules)
        : Deck(MakeDeckCards(cards)), Exam(*Deck, rules)
    {
        Exam.OnStart = [this](TObject* sender) { Record(sender, "S"); };
        Exam.OnEnd = [this](TObject* sender) { Record(sender, "E"); };
        Exam.OnCardChange = [this](TObject* sender)
        { Record(sender, "C" + std::to_string(Exam.GetCardIndex())); };
        Exam.OnQuestion = [this](TObject* sender)
        { Record(sender, "Q:" + Exam.GetCard().GetQuestion().Text); };
        Exam.OnHint = [this](TObject* sender) { Record(sender, "H:" + Exam.GetCard().GetHint()); };
        Exam.OnAnswer = [this](TObject* sender)
        { Record(sender, "A:" + Exam.GetCard().GetAnswer().Text); };
        Exam.OnTimeUp = [this](TObject* sender) { Record(sender, "T"); };
    }

    // Runs one user command, or lets the time run on ("Wait" past any limit, "Idle" for less
    // than the limits the cases use); returns what it logged.
    std::string Run(const std::string& action)
    {
        Log.clear();
        if (action == "Start")
            Exam.Start();
        else if (action == "Stop")
            Exam.Stop();
        else if (action == "Proceed")
            Exam.Proceed();
        else if (action == "Retry")
            Exam.RetryCard();
        else if (action == "Hint")
            Exam.ShowHint();
        else if (action == "Answer")
            Exam.ShowAnswer();
        else if (action == "Back")
            Exam.MoveToPreviousCard();
        else if (action == "Next")
            Exam.MoveToNextCard();
        else
            Clock.Advance(action == "Wait" ? 5000 : 100);
        return Log;
    }

private:
    void Record(TObject* sender, const std::string& event)
    {
        EXPECT_EQ(sender, &Exam);
        Log += (Log.empty() ? "" : " ") + event;
    }
};

struct TStep
{
    const char* Action;
    const char* Events;
};

struct TEventCase
{
    const char* Name;
    TExamRules Rules;
    std::vector<TTestCard> Cards;
    std::vector<TStep> Steps;
};

class ExamEvents : public ::testing::TestWithParam<TEventCase>
{
};

TEST_P(ExamEvents, FireInOrder)
{
    TRecordedExam recorded(GetParam().Cards, GetParam().Rules);
    for (const TStep& step : GetParam().Steps)
        EXPECT_EQ(recorded.Run(step.Action), step.Events) << step.Action;
}

INSTANTIATE_TEST_SUITE_P(
    Rules, ExamEvents,
    ::testing::Values(
        TEventCase{"NoRules",
                   Rules([](TExamRules&) {}),
                   ThreeCards,
                   {{"Start", "S C0 Q:Q1"},
                    {"Proceed", "A:A1"},
                    {"Proceed", "C1 Q:Q2"},
                    {"Proceed", "A:A2"},
                    {"Proceed", "C2 Q:Q3"},
                    {"Hint", "H:h3"},
                    {"Proceed", "A:A3"},
                    {"Proceed", "C3"},
                    {"Proceed", "E"}}},
        TEventCase{"AutoHintOnlyForCardsWithHints",
                   Rules([](TExamRules& r) { r.AutoHint = true; }),
                   ThreeCards,
                   {{"Start", "S C0 Q:Q1 H:h1"},
                    {"Proceed", "A:A1"},
                    {"Proceed", "C1 Q:Q2"},
                    {"Proceed", "A:A2"},
                    {"Proceed", "C2 Q:Q3 H:h3"}}},
        TEventCase{"AutoAnswer",
                   Rules([](TExamRules& r) { r.AutoAnswer = true; }),
                   ThreeCards,
                   {{"Start", "S C0 Q:Q1 A:A1"},
                    {"Proceed", "C1 Q:Q2 A:A2"},
                    {"Proceed", "C2 Q:Q3 A:A3"},
                    {"Proceed", "C3"},
                    {"Proceed", "E"}}},
        TEventCase{"AutoHintAndAutoAnswer",
                   Rules([](TExamRules& r) { r.AutoHint = r.AutoAnswer = true; }),
                   ThreeCards,
                   {{"Start", "S C0 Q:Q1 H:h1 A:A1"},
                    {"Proceed", "C1 Q:Q2 A:A2"},
                    {"Proceed", "C2 Q:Q3 H:h3 A:A3"}}},
        TEventCase{"BackStartsTheCardAgainFromItsQuestion",
                   Rules([](TExamRules&) {}),
                   ThreeCards,
                   {{"Start", "S C0 Q:Q1"},
                    {"Proceed", "A:A1"},
                    {"Next", "C1 Q:Q2"},
                    {"Back", "C0 Q:Q1"},
                    {"Retry", "C0 Q:Q2"},
                    {"Next", "C1 Q:Q3"},
                    {"Next", "C2 Q:Q1"},
                    {"Back", "C1 Q:Q3"}}},
        TEventCase{"TimeLimit0ChargesARetryPastTheAnswer",
                   Rules([](TExamRules& r) { r.LimitTime = r.ChargeRetry = true; }),
                   ThreeCards,
                   {{"Start", "S C0 Q:Q1 T"},
                    {"Proceed", "A:A1"},
                    {"Proceed", "C0 Q:Q2 T"},
                    {"Back", "C0 Q:Q1 T"},
                    {"Next", "C1 Q:Q2 T"}}},
        TEventCase{"TimeLimit0WithoutChargeMovesOn",
                   Rules([](TExamRules& r) { r.LimitTime = true; }),
                   ThreeCards,
                   {{"Start", "S C0 Q:Q1 T"}, {"Proceed", "A:A1"}, {"Proceed", "C1 Q:Q2 T"}}},
        TEventCase{"TimeLimit0RetriesTheLastCardInPlace",
                   Rules([](TExamRules& r) { r.LimitTime = r.ChargeRetry = true; }),
                   {{"Q1", "A1", "", ""}},
                   {{"Start", "S C0 Q:Q1 T"},
                    {"Proceed", "A:A1"},
                    {"Proceed", "C0 Q:Q1 T"},
                    {"Proceed", "A:A1"},
                    {"Proceed", "C0 Q:Q1 T"},
                    {"Next", "C1"},
                    {"Proceed", "E"}}},
        TEventCase{"TimeLimit0WithAutoAnswer",
                   Rules([](TExamRules& r) { r.LimitTime = r.ChargeRetry = r.AutoAnswer = true; }),
                   ThreeCards,
                   {{"Start", "S C0 Q:Q1 T A:A1"}, {"Proceed", "C0 Q:Q2 T A:A2"}, {"Stop", "E"}}},
        TEventCase{"NegativeTimeLimitCountsAsZero",
                   Rules([](TExamRules& r) { r.LimitTime = true, r.TimeLimit = -1; }),
                   ThreeCards,
                   {{"Start", "S C0 Q:Q1 T"}}},
        TEventCase{
            "TimeRunningOutThroughTheEventLoopChargesARetry",
            Rules([](TExamRules& r) { r.LimitTime = r.ChargeRetry = true, r.TimeLimit = 20; }),
            ThreeCards,
            {{"Start", "S C0 Q:Q1"},
             {"Wait", "T"},
             {"Proceed", "A:A1"},
             {"Proceed", "C0 Q:Q2"},
             {"Proceed", "A:A2"},
             {"Idle", ""},
             {"Proceed", "C1 Q:Q3"}}},
        TEventCase{
            "TimeRunningOutWithoutChargeMovesOn",
            Rules([](TExamRules& r) { r.LimitTime = true, r.TimeLimit = 20; }),
            ThreeCards,
            {{"Start", "S C0 Q:Q1"}, {"Wait", "T"}, {"Proceed", "A:A1"}, {"Proceed", "C1 Q:Q2"}}},
        TEventCase{"ReverseSwapsThePagesButNotTheHint",
                   Rules([](TExamRules& r) { r.Reverse = r.AutoHint = true; }),
                   ThreeCards,
                   {{"Start", "S C0 Q:A1 H:h1"}, {"Proceed", "A:Q1"}}},
        TEventCase{"ShuffleOfTwoCardsSwapsThem",
                   Rules([](TExamRules& r) { r.Shuffle = true; }),
                   {{"Q1", "A1", "", ""}, {"Q2", "A2", "", ""}},
                   {{"Start", "S C0 Q:Q2"}, {"Next", "C1 Q:Q1"}}},
        TEventCase{
            "EmptyDeck", Rules([](TExamRules&) {}), {}, {{"Start", "S C0"}, {"Proceed", "E"}}},
        TEventCase{"StopOnACard",
                   Rules([](TExamRules& r) { r.LimitTime = true, r.TimeLimit = 20; }),
                   ThreeCards,
                   {{"Start", "S C0 Q:Q1"}, {"Stop", "E"}, {"Idle", ""}}}),
    [](const auto& info) { return std::string(info.param.Name); });

struct TRefusedCase
{
    const char* Name;
    TExamRules Rules;
    std::vector<const char*> Setup;
    std::vector<std::pair<const char*, const char*>> Refusals; // action, message
};

class ExamRefusals : public ::testing::TestWithParam<TRefusedCase>
{
};

TEST_P(ExamRefusals, ChangeNothingAndFireNothing)
{
    for (const auto& [action, message] : GetParam().Refusals)
    {
        SCOPED_TRACE(action);
        TRecordedExam recorded(ThreeCards, GetParam().Rules);
        for (const char* setup : GetParam().Setup)
            recorded.Run(setup);
        const int index = recorded.Exam.GetCardIndex();
        const bool started = recorded.Exam.IsStarted();
        const bool ended = recorded.Exam.IsEnded();
        try
        {
            recorded.Run(action);
            ADD_FAILURE() << "not refused";
        }
        catch (const EExamError& error)
        {
            EXPECT_EQ(error.Message(), message);
        }
        EXPECT_EQ(recorded.Log, "");
        EXPECT_EQ(recorded.Exam.GetCardIndex(), index);
        EXPECT_EQ(recorded.Exam.IsStarted(), started);
        EXPECT_EQ(recorded.Exam.IsEnded(), ended);
    }
}

const char* const CannotStop = "The program cannot stop the exam.";
const char* const CannotStart = "The program cannot start the exam.";
const char* const CannotProceed = "The program cannot move to the next step.";
const char* const CannotHint = "The program cannot show the hint.";
const char* const CannotAnswer = "The program cannot show the answer.";
const char* const CannotGoBack = "The program cannot move to the previous card.";
const char* const CannotGoOn = "The program cannot move to the next card.";
const char* const CannotRetry = "The program cannot retry the card.";
const char* const NavigatorCannotRetry = "The pogram cannot retry the card.";

INSTANTIATE_TEST_SUITE_P(
    States, ExamRefusals,
    ::testing::Values(TRefusedCase{"BeforeStart",
                                   Rules([](TExamRules&) {}),
                                   {},
                                   {{"Stop", CannotStop},
                                    {"Proceed", CannotProceed},
                                    {"Retry", NavigatorCannotRetry},
                                    {"Hint", CannotHint},
                                    {"Answer", CannotAnswer},
                                    {"Back", CannotGoBack},
                                    {"Next", CannotGoOn}}},
                      TRefusedCase{"OnACardWithoutHint",
                                   Rules([](TExamRules&) {}),
                                   {"Start", "Next"},
                                   {{"Start", CannotStart}, {"Hint", CannotHint}}},
                      TRefusedCase{"AnswerShown",
                                   Rules([](TExamRules&) {}),
                                   {"Start", "Proceed"},
                                   {{"Hint", CannotHint}, {"Answer", CannotAnswer}}},
                      TRefusedCase{"AfterTheLastCard",
                                   Rules([](TExamRules&) {}),
                                   {"Start", "Next", "Next", "Next"},
                                   {{"Retry", CannotRetry},
                                    {"Hint", CannotHint},
                                    {"Answer", CannotAnswer},
                                    {"Next", CannotGoOn}}},
                      TRefusedCase{"Finished",
                                   Rules([](TExamRules&) {}),
                                   {"Start", "Next", "Next", "Next", "Proceed"},
                                   {{"Start", CannotStart},
                                    {"Stop", CannotStop},
                                    {"Proceed", CannotProceed},
                                    {"Retry", CannotRetry},
                                    {"Hint", CannotHint},
                                    {"Answer", CannotAnswer},
                                    {"Back", CannotGoBack},
                                    {"Next", CannotGoOn}}},
                      TRefusedCase{"StoppedOnACard",
                                   Rules([](TExamRules&) {}),
                                   {"Start", "Stop"},
                                   {{"Start", CannotStart},
                                    {"Stop", CannotStop},
                                    {"Proceed", CannotProceed},
                                    {"Retry", NavigatorCannotRetry},
                                    {"Hint", CannotHint},
                                    {"Answer", CannotAnswer},
                                    {"Next", CannotGoOn}}},
                      TRefusedCase{
                          "NegativeRetryInterval",
                          Rules([](TExamRules& r)
                                { r.LimitTime = r.ChargeRetry = true, r.RetryInterval = -1; }),
                          {"Start", "Proceed"},
                          {{"Proceed", NavigatorCannotRetry}, {"Retry", NavigatorCannotRetry}}}),
    [](const auto& info) { return std::string(info.param.Name); });

struct TQueries
{
    bool CanStart, CanStop, CanProceed, CanRetryCard, CanShowHint, CanShowAnswer,
        CanMoveToPreviousCard, CanMoveToNextCard;
    bool operator==(const TQueries&) const = default;
};

TQueries Ask(const TExam& exam)
{
    return {exam.CanStart(),
            exam.CanStop(),
            exam.CanProceed(),
            exam.CanRetryCard(),
            exam.CanShowHint(),
            exam.CanShowAnswer(),
            exam.CanMoveToPreviousCard(),
            exam.CanMoveToNextCard()};
}

TEST(Exam, QueriesAfterStopOnACardAnswerWithoutFailing)
{
    TRecordedExam recorded(ThreeCards, Rules([](TExamRules&) {}));
    recorded.Run("Start");
    recorded.Run("Next");
    EXPECT_TRUE(Ask(recorded.Exam) == (TQueries{false, true, true, true, false, true, true, true}));
    recorded.Run("Back");
    EXPECT_TRUE(recorded.Exam.CanShowHint());
    EXPECT_EQ(recorded.Run("Stop"), "E");
    EXPECT_LT(recorded.Exam.GetCardIndex(), recorded.Exam.GetCardCount());
    // Only retrying keeps looking at the position alone; the card navigator then refuses it.
    EXPECT_TRUE(Ask(recorded.Exam) ==
                (TQueries{false, false, false, true, false, false, false, false}));
}

TEST(Exam, QueriesAfterTheEndAreAllFalse)
{
    TRecordedExam recorded(ThreeCards, Rules([](TExamRules& r) { r.AutoAnswer = true; }));
    recorded.Run("Start");
    for (int i = 0; i < 3; ++i)
        recorded.Run("Proceed");
    EXPECT_EQ(recorded.Run("Proceed"), "E");
    EXPECT_EQ(recorded.Exam.GetCardIndex(), recorded.Exam.GetCardCount());
    EXPECT_TRUE(recorded.Exam.IsEnded());
    EXPECT_TRUE(Ask(recorded.Exam) == TQueries{});
    EXPECT_THROW(recorded.Exam.GetCard(), EExamError);
}

TEST(Exam, CurrentCardLeadsBackToTheDeckCard)
{
    TRecordedExam recorded(ThreeCards, Rules([](TExamRules& r) { r.Reverse = true; }));
    recorded.Run("Start");
    const TExamCard& card = recorded.Exam.GetCard();
    EXPECT_EQ(&card.Card, recorded.Deck->Items(0));
    EXPECT_EQ(card.Card.Question.Text, "Q1");
    EXPECT_EQ(card.GetQuestion().Text, "A1");
}
} // namespace
