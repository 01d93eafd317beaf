#include "Tovi_wholefiles.h"

#include "Tovi_hugepages.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <random>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace
{
std::string TemporaryNameBeside(const std::string& fileName)
{
    std::random_device device;
    return fileName + ".tmp" + std::to_string(device() % 1000000u);
}

// Reads at most size bytes in as few calls as the kernel allows; a file that shrank meanwhile
// gives what is left.
bool ReadUpTo(int descriptor, std::size_t size, std::string& bytes)
{
    std::string content;
    ReserveOnHugePages(content, size);
    content.resize(size);
    std::size_t done = 0;
    while (done < size)
    {
        const ssize_t count = ::read(descriptor, content.data() + done, size - done);
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0)
            return false;
        if (count == 0)
            break;
        done += static_cast<std::size_t>(count);
    }
    content.resize(done);
    bytes.swap(content);
    return true;
}

// A write killed between its open and its rename leaves "<name>.tmp<digits>" behind.
void RemoveStaleTemporaries(const std::string& fileName)
{
    const std::filesystem::path target(fileName);
    const std::string prefix = target.filename().string() + ".tmp";
    std::error_code error;
    std::filesystem::directory_iterator entries(
        target.parent_path().empty() ? "." : target.parent_path(), error);
    for (; !error && entries != std::filesystem::directory_iterator(); entries.increment(error))
    {
        const std::string name = entries->path().filename().string();
        if (name.size() > prefix.size() && name.compare(0, prefix.size(), prefix) == 0 &&
            name.find_first_not_of("0123456789", prefix.size()) == std::string::npos)
        {
            std::error_code ignored;
            std::filesystem::remove(entries->path(), ignored);
        }
    }
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
    // Non-blocking, so that a FIFO without a writer does not hang the open; only a regular
    // file is read, and never past the size it had when it was opened (/dev/zero is endless).
    const int descriptor = ::open(fileName.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0)
        return false;
    struct stat status
    {
    };
    bool read = ::fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode) &&
                ReadUpTo(descriptor, static_cast<std::size_t>(status.st_size), bytes);
    read = ::close(descriptor) == 0 && read;
    return read;
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
        {
            RemoveStaleTemporaries(fileName);
            return true;
        }
    }
    std::filesystem::remove(temporaryName, error);
    return false;
}
