#include "Tovi_safeopen.h"

#include "Tovi_programfiles.h"

#include <QFile>
#include <QMimeDatabase>
#include <QMimeType>

#include <algorithm>
#include <array>
#include <filesystem>
#include <string_view>
#include <system_error>

#include <fcntl.h>
#include <unistd.h>

namespace
{
// Types that start code when opened; their subclasses (scripts in any language, installers
// built on them) are found through the shared MIME database's inheritance.
constexpr std::array<const char*, 16> LaunchTypes = {"application/x-desktop",
                                                     "application/x-executable",
                                                     "application/x-sharedlib",
                                                     "application/x-shellscript",
                                                     "application/x-ms-dos-executable",
                                                     "application/x-msi",
                                                     "application/vnd.debian.binary-package",
                                                     "application/x-rpm",
                                                     "application/vnd.android.package-archive",
                                                     "application/vnd.flatpak.ref",
                                                     "application/vnd.snap",
                                                     "application/x-java-archive",
                                                     "application/x-php",
                                                     "application/x-mswinurl",
                                                     "text/vbscript",
                                                     "text/x-ms-regedit"};

bool IsLaunchType(const QMimeType& type)
{
    return std::any_of(LaunchTypes.begin(), LaunchTypes.end(),
                       [&](const char* name) { return type.inherits(QString::fromLatin1(name)); });
}

// Names that run code but that the shared MIME database does not know, in lower case.
constexpr std::array<std::string_view, 24> LaunchExtensions = {
    ".bash", ".zsh", ".ksh", ".fish", ".command", ".run",    ".bin",      ".pyw",
    ".bat",  ".cmd", ".com", ".scr",  ".pif",     ".lnk",    ".vbe",      ".jse",
    ".wsf",  ".wsh", ".ps1", ".hta",  ".cpl",     ".action", ".workflow", ".application"};

// "trail.desktop." and "trail.desktop " are the same file to some desktops.
std::string TrimmedName(const std::filesystem::path& path)
{
    std::string name = path.filename().string();
    name.erase(name.find_last_not_of(". ") + 1);
    return name;
}

std::string LowerExtension(const std::string& name)
{
    std::string extension = std::filesystem::path(name).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension;
}

// Judged by the name alone, so that even a file that is not there yet is judged.
bool HasLaunchName(const std::filesystem::path& path)
{
    const std::string name = TrimmedName(path);
    const QMimeDatabase database;
    return std::find(LaunchExtensions.begin(), LaunchExtensions.end(), LowerExtension(name)) !=
               LaunchExtensions.end() ||
           IsLaunchType(database.mimeTypeForFile(PathToQt(name), QMimeDatabase::MatchExtension));
}

// Judged by name and content (the first bytes), as the desktop's opener will judge it.
bool HasLaunchContent(const std::filesystem::path& path)
{
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0)
        return true;
    QFile file;
    if (!file.open(descriptor, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle))
    {
        ::close(descriptor);
        return true;
    }
    // The name alone may win over the content ("README" is a text type): both are asked.
    const QMimeDatabase database;
    return IsLaunchType(database.mimeTypeForFileNameAndData(PathToQt(path.string()), &file)) ||
           IsLaunchType(database.mimeTypeForData(&file));
}

bool IsExecutable(const std::filesystem::file_status& status)
{
    using std::filesystem::perms;
    return (status.permissions() & (perms::owner_exec | perms::group_exec | perms::others_exec)) !=
           perms::none;
}
} // namespace

bool IsSafeToOpen(const std::string& fileName)
{
    const std::filesystem::path path(fileName);
    if (HasLaunchName(path))
        return false;
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    if (error || !std::filesystem::exists(status))
        return !std::filesystem::is_symlink(std::filesystem::symlink_status(path, error));
    if (!std::filesystem::is_regular_file(status) || IsExecutable(status))
        return false;
    const std::filesystem::path target = std::filesystem::canonical(path, error);
    return !error && !HasLaunchName(target) && !HasLaunchContent(target);
}
