// Loading a History.ini of 100,000 items (written by another program or by hand) and saving it:
// both must stay linear in the file, well under a second.
#include "App_FileHistory.h"
#include "Tovi_inifiles.h"
#include "Tovi_wholefiles.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <string>

namespace
{
std::string MakeHistory(int items)
{
    std::string text = "[History]\r\nCount=" + std::to_string(items) + "\r\n";
    for (int i = 0; i < items; ++i)
        text += "Item" + std::to_string(i) + "=/home/user/decks/lesson " + std::to_string(i) +
                "/Deck.txt\r\n";
    return text + "\r\n";
}

class THistoryFile
{
public:
    explicit THistoryFile(int items)
        : FName((std::filesystem::temp_directory_path() / "orvanta-bench-History.ini").string())
    {
        TryWriteWholeFile(FName, MakeHistory(items));
    }
    ~THistoryFile() { std::filesystem::remove(FName); }
    const std::string& Name() const { return FName; }

private:
    std::string FName;
};

void BM_LoadHistory(benchmark::State& state)
{
    const THistoryFile file(static_cast<int>(state.range(0)));
    for (auto _ : state)
    {
        TFileHistory history(file.Name());
        benchmark::DoNotOptimize(history.GetCount());
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_LoadHistory)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

// The settings document alone: every key read back, as a reader of the whole file would.
void BM_ReadEveryKey(benchmark::State& state)
{
    const int items = static_cast<int>(state.range(0));
    const THistoryFile file(items);
    for (auto _ : state)
    {
        const TMemIniFile ini(file.Name());
        std::size_t total = 0;
        for (int i = 0; i < items; ++i)
            total += ini.ReadString("history", "ITEM" + std::to_string(i), "").size();
        benchmark::DoNotOptimize(total);
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_ReadEveryKey)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);
} // namespace
