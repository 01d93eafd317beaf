#include "App_Cards.h"
#include "App_Data.h"
#include "App_Exams.h"
#include "Tovi_random.h"

#include <benchmark/benchmark.h>

#include <map>
#include <memory>
#include <string>

namespace
{
constexpr int CardCount = 100000;
constexpr int HugeCardCount = 1000000;
constexpr int Operations = 100000;

// A deck of that many cards, every third with a hint.
std::string DeckText(int cards)
{
    std::string text;
    for (int i = 0; i < cards; ++i)
        text += "[Card]\r\nQuestion.Text=Question " + std::to_string(i) +
                "\r\nAnswer.Text=Answer " + std::to_string(i) + "\r\n" +
                (i % 3 == 0 ? "Hint=A hint\r\n" : "");
    return text;
}

std::unique_ptr<TNimbaCards> LoadCards(int cards)
{
    TNimbaEntries entries;
    entries.SetText(DeckText(cards));
    auto deckCards = std::make_unique<TNimbaCards>();
    deckCards->LoadFromEntries(entries);
    return deckCards;
}

// Each deck is loaded once for all benchmarks.
const TNimbaCards& DeckCards(int cards = CardCount)
{
    static std::map<int, std::unique_ptr<TNimbaCards>> decks;
    std::unique_ptr<TNimbaCards>& deck = decks[cards];
    if (!deck)
        deck = LoadCards(cards);
    return *deck;
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

std::unique_ptr<TExam> StartedExam(int cards = CardCount)
{
    auto exam = std::make_unique<TExam>(DeckCards(cards), ShuffledRules());
    exam->Start();
    return exam;
}

// F2: the exam is built, shuffled and started.
void BM_ExamBuildAndStartShuffled(benchmark::State& state)
{
    RandSeed(1);
    const int cards = static_cast<int>(state.range(0));
    benchmark::DoNotOptimize(DeckCards(cards).Count());
    for (auto _ : state)
    {
        auto exam = StartedExam(cards);
        benchmark::DoNotOptimize(exam->GetCardCount());
        state.PauseTiming();
        exam.reset();
        state.ResumeTiming();
    }
    SetTimePerOperation(state, cards);
}
BENCHMARK(BM_ExamBuildAndStartShuffled)
    ->Arg(CardCount)
    ->Arg(HugeCardCount)
    ->Unit(benchmark::kMillisecond);

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
// Esc: the exam is stopped and thrown away.
void BM_ExamStop(benchmark::State& state)
{
    RandSeed(1);
    for (auto _ : state)
    {
        state.PauseTiming();
        auto exam = StartedExam(static_cast<int>(state.range(0)));
        state.ResumeTiming();
        exam->Stop();
        exam.reset();
    }
}
BENCHMARK(BM_ExamStop)->Arg(HugeCardCount)->Unit(benchmark::kMillisecond);

// Closing a deck: its cards are destroyed.
void BM_DeckClose(benchmark::State& state)
{
    for (auto _ : state)
    {
        state.PauseTiming();
        auto cards = LoadCards(static_cast<int>(state.range(0)));
        state.ResumeTiming();
        cards.reset();
    }
}
BENCHMARK(BM_DeckClose)->Arg(HugeCardCount)->Iterations(5)->Unit(benchmark::kMillisecond);
} // namespace
