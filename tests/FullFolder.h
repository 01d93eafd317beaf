#pragma once

#include "TempFolder.h"

#include <cstdio>
#include <string>
#include <sys/mount.h>
#include <unistd.h>
#include <vector>

// A folder on a tiny file system of its own that a test can fill up, to see what a full
// disk does to a write. Mounting needs root; Available() says whether it worked here.
class TFullFolder
{
public:
    TFullFolder()
    {
        FMounted = ::geteuid() == 0 &&
                   ::mount("tmpfs", FFolder.Path().c_str(), "tmpfs", 0, "size=64k") == 0;
    }
    ~TFullFolder()
    {
        if (FMounted)
            ::umount(FFolder.Path().c_str());
    }
    TFullFolder(const TFullFolder&) = delete;
    TFullFolder& operator=(const TFullFolder&) = delete;

    bool Available() const { return FMounted; }
    std::string File(const std::string& name) const { return FFolder.File(name); }
    std::string Write(const std::string& name, const std::string& bytes) const
    {
        return FFolder.Write(name, bytes);
    }

    // Takes every free block, so that the next write of any size fails.
    void Fill() const
    {
        std::FILE* filler = std::fopen(File("filler").c_str(), "wb");
        const std::vector<char> block(1024, 'x');
        while (filler && std::fwrite(block.data(), 1, block.size(), filler) == block.size() &&
               std::fflush(filler) == 0)
        {
        }
        if (filler)
            std::fclose(filler);
    }

private:
    TTempFolder FFolder;
    bool FMounted = false;
};
