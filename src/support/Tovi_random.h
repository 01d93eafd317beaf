#pragma once

#include <cstdint>

// The program's one pseudo-random generator, seeded once at start-up.
void RandSeed(std::uint32_t seed);

// A number in [0, range); 0 when range is not positive.
int Random(int range);

// The seed taken at start-up: the time of day in milliseconds, in universal time.
std::uint32_t TimeOfDayMilliseconds();
