#include "DeckRoundTrip.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>

namespace
{
// Inputs that once broke the parser or its writer, and a few the fuzzer found interesting.
TEST(DeckFuzzRegression, ParseWriteParseAgreesForEveryKeptInput)
{
    int checked = 0;
    for (const auto& file :
         std::filesystem::directory_iterator(std::string(ORVANTA_TEST_DATA) + "/deck-fuzz"))
    {
        std::ifstream stream(file.path(), std::ios::binary);
        const std::string bytes{std::istreambuf_iterator<char>(stream),
                                std::istreambuf_iterator<char>()};
        EXPECT_EQ(DeckRoundTripFault(bytes), "") << file.path();
        ++checked;
    }
    EXPECT_GT(checked, 0);
}
} // namespace
