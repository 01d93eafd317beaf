#include "App_Exams.h"

#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <string>
#include <vector>

namespace
{
using TStep = std::function<void(TExamStepNavigator&)>;

// A navigator that logs its events as "Q", "H", "A", each with the steps it saw as shown.
struct TLoggedSteps
{
    TExamStepNavigator Navigator;
    std::string Log;

    TLoggedSteps()
    {
        Navigator.OnQuestion = [this](TObject*) { Record("Q", TExamStep::Question); };
        Navigator.OnHint = [this](TObject*) { Record("H", TExamStep::Hint); };
        Navigator.OnAnswer = [this](TObject*) { Record("A", TExamStep::Answer); };
    }

    // "Q", "H", "A" show a step, "N" moves to the next one, "R" resets.
    void Play(const std::string& path)
    {
        std::istringstream moves(path);
        for (std::string move; moves >> move;)
        {
            if (move == "Q")
                Navigator.ShowQuestion();
            else if (move == "H")
                Navigator.ShowHint();
            else if (move == "A")
                Navigator.ShowAnswer();
            else if (move == "N")
                Navigator.MoveToNextStep();
            else
                Navigator.Reset();
        }
    }

private:
    void Record(const char* name, TExamStep step)
    {
        Log += Log.empty() ? name : std::string(" ") + name;
        if (!Navigator.GetSteps().Contains(step))
            Log += "(not yet recorded)";
    }
};

struct TStepCase
{
    const char* Path;
    TExamSteps Steps;
    const char* Log;
    bool CanQuestion;
    bool CanHint;
    bool CanAnswer;
    bool CanNext;
};

class ExamStepNavigatorStates : public ::testing::TestWithParam<TStepCase>
{
};

TEST_P(ExamStepNavigatorStates, ReachesTheStateAndAllowsOnlyItsNextSteps)
{
    const TStepCase& state = GetParam();
    TLoggedSteps steps;
    steps.Play(state.Path);
    EXPECT_TRUE(steps.Navigator.GetSteps() == state.Steps);
    EXPECT_EQ(steps.Log, state.Log);
    EXPECT_EQ(steps.Navigator.CanShowQuestion(), state.CanQuestion);
    EXPECT_EQ(steps.Navigator.CanShowHint(), state.CanHint);
    EXPECT_EQ(steps.Navigator.CanShowAnswer(), state.CanAnswer);
    EXPECT_EQ(steps.Navigator.CanMoveToNextStep(), state.CanNext);
    EXPECT_EQ(steps.Navigator.IsQuestionShown(), state.Steps.Contains(TExamStep::Question));
    EXPECT_EQ(steps.Navigator.IsHintShown(), state.Steps.Contains(TExamStep::Hint));
    EXPECT_EQ(steps.Navigator.IsAnswerShown(), state.Steps.Contains(TExamStep::Answer));
}

TEST_P(ExamStepNavigatorStates, RefusesEveryStepItDoesNotAllowAndChangesNothing)
{
    const TStepCase& state = GetParam();
    struct TRefusal
    {
        bool Allowed;
        const char* Move;
        const char* Message;
    };
    const TRefusal refusals[] = {
        {state.CanQuestion, "Q", "The program cannot show the question."},
        {state.CanHint, "H", "The program cannot show the hint."},
        {state.CanAnswer, "A", "The program cannot show the answer."},
        {state.CanNext, "N", "The program cannot move to the next step."},
    };
    for (const TRefusal& refusal : refusals)
    {
        if (refusal.Allowed)
            continue;
        SCOPED_TRACE(refusal.Move);
        TLoggedSteps steps;
        steps.Play(state.Path);
        try
        {
            steps.Play(refusal.Move);
            ADD_FAILURE() << "not refused";
        }
        catch (const EExamError& error)
        {
            EXPECT_EQ(error.Message(), refusal.Message);
        }
        EXPECT_TRUE(steps.Navigator.GetSteps() == state.Steps);
        EXPECT_EQ(steps.Log, state.Log);
    }
}

using S = TExamStep;
INSTANTIATE_TEST_SUITE_P(
    Paths, ExamStepNavigatorStates,
    ::testing::Values(
        TStepCase{"", {}, "", true, false, false, true},
        TStepCase{"N", {S::Question}, "Q", false, true, true, true},
        TStepCase{"Q H", {S::Question, S::Hint}, "Q H", false, false, true, true},
        TStepCase{"N N", {S::Question, S::Answer}, "Q A", false, false, false, false},
        TStepCase{"Q H N", {S::Question, S::Hint, S::Answer}, "Q H A", false, false, false, false},
        TStepCase{"Q H A R", {}, "Q H A", true, false, false, true},
        TStepCase{"N N R N", {S::Question}, "Q A Q", false, true, true, true}));
} // namespace
