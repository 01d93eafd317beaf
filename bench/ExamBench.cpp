#include "App_Cards.h"
#include "App_Data.h"
#include "App_Exams.h"
#include "Tovi_random.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace
{
constexpr int CardCount = 100000;
constexpr int Operations = 100000;

// One deck of CardCount cards, every third with a hint, loaded once for all benchmarks.
const TNimbaCards& DeckCards()
{
    static const std::unique_ptr<TNimbaCards> cards = []
    {
        std::string text;
        for (int i = 0; i < CardCount; ++i)
            text += "[Card]\r\nQuestion.Text=Question " + std::to_string(i) +
                    "\r\nAnswer.Text=Answer " + std::to_string(i) + "\r\n" +
                    (i % 3 == 0 ? "Hint=A hint\r\n" : "");
        TNimbaEntries entries;
        entries.SetText(text);
        auto deckCards = std::make_unique<TNimbaCards>();
        deckCards->LoadFromEntries(entries);
        return deckCards;
    }();
    return *cards;
}

TExamRules ShuffledRules()
{
    TExamRules rules = TExamRules::Defaults();
    rules.AutoHint = true;
    return rules;
}

// Every so often the user retries the card instead of proceeding.
void MixedOperation(TExam& exam, int i)
{
    if (i % 5 == 4 && exam.CanRetryCard())
        exam.RetryCard();
    else
        exam.Proceed();
}

void SetTimePerOperation(benchmark::State& state, int operations)
{
    state.counters["per_op"] = benchmark::Counter(
        operations, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_ExamBuildShuffled(benchmark::State& state)
{
    RandSeed(1);
    for (auto _ : state)
    {
        TExam exam(DeckCards(), ShuffledRules());
        benchmark::DoNotOptimize(exam.GetCardCount());
    }
    SetTimePerOperation(state, CardCount);
}
BENCHMARK(BM_ExamBuildShuffled)->Unit(benchmark::kMillisecond);

std::unique_ptr<TExam> StartedExam()
{
    auto exam = std::make_unique<TExam>(DeckCards(), ShuffledRules());
    exam->Start();
    return exam;
}

void RunMixedOperations(TExam& exam)
{
    for (int i = 0; i < Operations; ++i)
        MixedOperation(exam, i);
}

void BM_ExamProceedWithRetries(benchmark::State& state)
{
    RandSeed(1);
    for (auto _ : state)
    {
        state.PauseTiming();
        auto exam = StartedExam();
        state.ResumeTiming();
        RunMixedOperations(*exam);
        benchmark::DoNotOptimize(exam->GetCardIndex());
        state.PauseTiming();
        exam.reset();
        state.ResumeTiming();
    }
    SetTimePerOperation(state, Operations);
}
BENCHMARK(BM_ExamProceedWithRetries)->Unit(benchmark::kMillisecond);

// Going back undoes forward steps and retries one by one, each without copying the order.
void BM_ExamStepBack(benchmark::State& state)
{
    RandSeed(1);
    int steps = 0;
    for (auto _ : state)
    {
        state.PauseTiming();
        auto exam = StartedExam();
        RunMixedOperations(*exam);
        state.ResumeTiming();
        for (steps = 0; exam->CanMoveToPreviousCard(); ++steps)
            exam->MoveToPreviousCard();
        state.PauseTiming();
        exam.reset();
        state.ResumeTiming();
    }
    SetTimePerOperation(state, steps);
}
BENCHMARK(BM_ExamStepBack)->Unit(benchmark::kMillisecond);
} // namespace
