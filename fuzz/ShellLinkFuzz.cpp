// Any bytes in a ".lnk" file either load as a shortcut or fail with the shortcut error.
#include "Tovi_shelllinks.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

namespace
{
std::string InputFileName()
{
    return "/tmp/orvanta-fuzz-" + std::to_string(::getpid()) + ".lnk";
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::string fileName = InputFileName();
    std::FILE* file = std::fopen(fileName.c_str(), "wb");
    if (file == nullptr)
        return 0;
    std::fwrite(data, 1, size, file);
    std::fclose(file);
    try
    {
        TShellLink link;
        link.LoadFromFile(fileName);
        std::string iconPath;
        int iconIndex = 0;
        link.GetIconLocation(iconPath, iconIndex);
        link.GetPath();
    }
    catch (const EShellLinkError&)
    {
    }
    return 0;
}
