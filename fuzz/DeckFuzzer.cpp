#include "DeckRoundTrip.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

// Any bytes parse; writing the sections and parsing that text again gives the same sections.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string fault =
        DeckRoundTripFault(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!fault.empty())
    {
        std::fprintf(stderr, "parse-write-parse disagrees: %s\n", fault.c_str());
        std::abort();
    }
    return 0;
}
