#include "Tovi_files.h"

#include "Tovi_wholefiles.h"

#include <filesystem>

namespace
{
[[noreturn]] void CopyFailed()
{
    throw EFileError("The program could not copy the file.");
}

bool Exists(const std::string& path)
{
    // A dangling symbolic link still occupies the name.
    std::error_code error;
    return std::filesystem::exists(std::filesystem::symlink_status(path, error));
}
} // namespace

void FileCopy(const std::string& source, const std::string& destination, bool overwrite)
{
    if (!overwrite && Exists(destination))
        CopyFailed();
    std::string bytes;
    if (!TryReadWholeFile(source, bytes) || !TryWriteWholeFile(destination, bytes))
        CopyFailed();
}

std::string GetLongPath(const std::string& path)
{
    // Bytes throughout: a name need not be valid in the locale's encoding.
    std::error_code error;
    std::filesystem::path full = std::filesystem::absolute(path, error);
    if (path.empty() || error || !std::filesystem::exists(full, error))
        throw EFileError("The program could not get the long path of the file.");
    full = full.lexically_normal();
    if (!full.has_filename() && full.has_relative_path())
        full = full.parent_path();
    return full.string();
}
