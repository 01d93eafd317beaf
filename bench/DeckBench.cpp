#include "App_Cards.h"
#include "App_Data.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <malloc.h>
#include <map>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

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

// The files the decks are written to, removed when the benchmarks end.
struct TDeckFiles
{
    ~TDeckFiles()
    {
        for (const auto& [cards, name] : Names)
            std::remove(name.c_str());
    }
    std::map<std::int64_t, std::string> Names;
};

// Each deck is also written once to a file of its own.
const std::string& DeckFile(std::int64_t cards)
{
    static TDeckFiles files;
    std::string& name = files.Names[cards];
    if (name.empty())
    {
        name = "/tmp/orvanta-bench-" + std::to_string(::getpid()) + "-" + std::to_string(cards) +
               ".txt";
        std::ofstream(name, std::ios::binary) << Deck(cards);
    }
    return name;
}

// The yardstick: the plainest pass over the same bytes that still looks at every line.
std::size_t CountLines(const std::string& text)
{
    std::size_t lines = 0;
    const char* at = text.data();
    const char* const end = at + text.size();
    while (const void* found = std::memchr(at, '\n', static_cast<std::size_t>(end - at)))
    {
        ++lines;
        at = static_cast<const char*>(found) + 1;
    }
    return lines;
}

// The processor time of this thread, page faults included: on a machine shared with other
// work, wall time says more about the others than about the code.
double CpuSeconds()
{
    timespec now{};
    ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// The fastest of a few memchr line counts over the deck, in seconds.
double MemchrSeconds(const std::string& text)
{
    double best = 1e9;
    for (int i = 0; i < 5; ++i)
    {
        const double start = CpuSeconds();
        benchmark::DoNotOptimize(CountLines(text));
        best = std::min(best, CpuSeconds() - start);
    }
    return best;
}

void BM_MemchrLines(benchmark::State& state)
{
    const std::string& text = Deck(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(CountLines(text));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

// The whole load as opening a deck does it: file read, parse and model. x_memchr is the time
// of one load over the time of a memchr line count over the same bytes in the same run.
void BM_LoadFile(benchmark::State& state)
{
    const std::string& name = DeckFile(state.range(0));
    const std::string& text = Deck(state.range(0));
    double loading = 0;
    for (auto _ : state)
    {
        const double start = CpuSeconds();
        TNimbaDeck deck;
        deck.LoadFromFile(name);
        benchmark::DoNotOptimize(deck.Cards().Count());
        loading += CpuSeconds() - start;
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
    state.counters["x_memchr"] =
        loading / static_cast<double>(state.iterations()) / MemchrSeconds(text);
}

long StatusKilobytes(const char* field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(field, 0) == 0)
            return std::atol(line.c_str() + std::strlen(field));
    return 0;
}

// In a child process of its own, so that no memory freed by earlier benchmarks is reused:
// the resident memory an open deck adds, and the peak while opening it, each over the
// file's size.
void BM_OpenDeckMemory(benchmark::State& state)
{
    const std::string& name = DeckFile(state.range(0));
    const double fileKilobytes = static_cast<double>(Deck(state.range(0)).size()) / 1024;
    double figures[2] = {0, 0};
    for (auto _ : state)
    {
        int channel[2];
        if (::pipe(channel) != 0)
            state.SkipWithError("no pipe");
        const pid_t child = ::fork();
        if (child == 0)
        {
            ::malloc_trim(0);
            const long before = StatusKilobytes("VmRSS:");
            TNimbaDeck deck;
            deck.LoadFromFile(name);
            const double measured[2] = {(StatusKilobytes("VmRSS:") - before) / fileKilobytes,
                                        (StatusKilobytes("VmHWM:") - before) / fileKilobytes};
            const bool written = ::write(channel[1], measured, sizeof measured) > 0;
            ::_exit(written ? 0 : 1);
        }
        ::close(channel[1]);
        const bool read = ::read(channel[0], figures, sizeof figures) == sizeof figures;
        ::close(channel[0]);
        ::waitpid(child, nullptr, 0);
        if (!read)
            state.SkipWithError("no figures from the child");
    }
    state.counters["rss_x_file"] = figures[0];
    state.counters["peak_x_file"] = figures[1];
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

BENCHMARK(BM_MemchrLines)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadFile)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenDeckMemory)
    ->Arg(100000)
    ->Arg(1000000)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SetText)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadDeck)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GetText)->Arg(100000)->Unit(benchmark::kMillisecond);
