#include "Tovi_wholefiles.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <system_error>
#include <unistd.h>

namespace
{
std::string TemporaryNameBeside(const std::string& fileName)
{
    std::random_device device;
    return fileName + ".tmp" + std::to_string(device() % 1000000u);
}

bool WriteAndSync(std::FILE* file, const std::string& bytes)
{
    if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size())
        return false;
    // A full disk may only show at the flush or the sync.
    return std::fflush(file) == 0 && ::fsync(::fileno(file)) == 0;
}
} // namespace

bool TryReadWholeFile(const std::string& fileName, std::string& bytes)
{
    std::error_code error;
    if (std::filesystem::is_directory(fileName, error))
        return false;
    std::ifstream stream(fileName, std::ios::binary);
    if (!stream)
        return false;
    std::string content((std::istreambuf_iterator<char>(stream)), std::istreambuf_iterator<char>());
    if (stream.bad())
        return false;
    bytes.swap(content);
    return true;
}

bool TryWriteWholeFile(const std::string& fileName, const std::string& bytes)
{
    std::error_code error;
    if (std::filesystem::is_directory(fileName, error))
        return false;
    const std::string temporaryName = TemporaryNameBeside(fileName);
    std::FILE* file = std::fopen(temporaryName.c_str(), "wb");
    if (file == nullptr)
        return false;
    const bool written = WriteAndSync(file, bytes);
    const bool closed = std::fclose(file) == 0;
    if (written && closed)
    {
        std::filesystem::rename(temporaryName, fileName, error);
        if (!error)
            return true;
    }
    std::filesystem::remove(temporaryName, error);
    return false;
}
