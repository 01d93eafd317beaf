#include "Tovi_files.h"

#include "Tovi_programfiles.h"
#include "Tovi_wholefiles.h"

#include <QDir>
#include <QFileInfo>

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
    const QFileInfo info(PathToQt(path));
    if (path.empty() || !info.exists())
        throw EFileError("The program could not get the long path of the file.");
    return PathFromQt(QDir::cleanPath(info.absoluteFilePath()));
}
