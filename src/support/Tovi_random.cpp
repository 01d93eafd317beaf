#include "Tovi_random.h"

#include <chrono>
#include <random>

namespace
{
std::mt19937& Generator()
{
    static std::mt19937 generator;
    return generator;
}
} // namespace

void RandSeed(std::uint32_t seed)
{
    Generator().seed(seed);
}

int Random(int range)
{
    if (range <= 0)
        return 0;
    std::uniform_int_distribution<int> distribution(0, range - 1);
    return distribution(Generator());
}

std::uint32_t TimeOfDayMilliseconds()
{
    using namespace std::chrono;
    const auto now = system_clock::now();
    const auto sinceMidnight = now - floor<days>(now);
    // ((hour * 60 + minute) * 60 + second) * 1000 + millisecond
    return static_cast<std::uint32_t>(duration_cast<milliseconds>(sinceMidnight).count());
}
