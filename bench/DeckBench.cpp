#include "App_Cards.h"
#include "App_Data.h"

#include <benchmark/benchmark.h>
#include <cstdint>
#include <map>
#include <string>
#include <sys/resource.h>

namespace
{
// A deck of that many cards in the shape users write: an About section, then cards with
// question and answer texts, and every few cards a hint, a note or a file.
std::string MakeDeck(int cards)
{
    std::string text = "; Generated deck\r\n[About]\r\nTitle=Benchmark deck\r\n"
                       "Description=Generated cards for measuring the loader\r\n\r\n";
    text.reserve(static_cast<std::size_t>(cards) * 128);
    for (int i = 0; i < cards; ++i)
    {
        const std::string n = std::to_string(i);
        text.append("[Card]\r\nQuestion.Text=What is the capital of country number ")
            .append(n)
            .append("?\r\nAnswer.Text=City ")
            .append(n)
            .append("\r\n");
        if (i % 3 == 0)
            text.append("Hint=It starts with C\r\n");
        if (i % 5 == 0)
            text.append("Note=Seen in lesson ").append(std::to_string(i / 5)).append("\r\n");
        if (i % 7 == 0)
            text.append("Question.File=maps/country").append(n).append(".png\r\n");
        text.append("\r\n");
    }
    return text;
}

long MinorPageFaults()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_minflt;
}

// Bytes per second, and the memory pages touched for the first time per iteration: on this
// kind of virtual machine a fresh page costs about ten microseconds, which dominates the
// first load of a large deck.
void Report(benchmark::State& state, std::size_t bytes, long faultsBefore)
{
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
    state.counters["faults"] = benchmark::Counter(
        static_cast<double>(MinorPageFaults() - faultsBefore), benchmark::Counter::kAvgIterations);
}

// Each deck is made once and shared by the benchmarks.
const std::string& Deck(std::int64_t cards)
{
    static std::map<std::int64_t, std::string> decks;
    std::string& text = decks[cards];
    if (text.empty())
        text = MakeDeck(static_cast<int>(cards));
    return text;
}

void BM_SetText(benchmark::State& state)
{
    const std::string& text = Deck(state.range(0));
    const long faults = MinorPageFaults();
    for (auto _ : state)
    {
        TNimbaEntries entries;
        entries.SetText(text);
        benchmark::DoNotOptimize(entries.Count());
    }
    Report(state, text.size(), faults);
}

void BM_LoadDeck(benchmark::State& state)
{
    const std::string& text = Deck(state.range(0));
    const long faults = MinorPageFaults();
    for (auto _ : state)
    {
        TNimbaEntries entries;
        entries.SetText(text);
        TNimbaDeck deck;
        deck.LoadFromEntries(entries);
        benchmark::DoNotOptimize(deck.Cards().Count());
    }
    Report(state, text.size(), faults);
}

void BM_GetText(benchmark::State& state)
{
    TNimbaEntries entries;
    entries.SetText(Deck(state.range(0)));
    std::size_t size = 0;
    const long faults = MinorPageFaults();
    for (auto _ : state)
    {
        const std::string text = entries.GetText();
        size = text.size();
        benchmark::DoNotOptimize(size);
    }
    Report(state, size, faults);
}
} // namespace

BENCHMARK(BM_SetText)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadDeck)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GetText)->Arg(100000)->Unit(benchmark::kMillisecond);
