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
// Kinds of file that run code when a desktop opens them, in lower case.
constexpr std::array<std::string_view, 44> LaunchExtensions = {
    ".desktop", ".sh",     ".bash",     ".zsh",        ".csh", ".ksh", ".fish", ".command",
    ".run",     ".bin",    ".appimage", ".py",         ".pyw", ".pl",  ".rb",   ".php",
    ".jar",     ".exe",    ".bat",      ".cmd",        ".com", ".scr", ".pif",  ".msi",
    ".lnk",     ".url",    ".vbs",      ".vbe",        ".js",  ".jse", ".wsf",  ".wsh",
    ".ps1",     ".hta",    ".cpl",      ".reg",        ".deb", ".rpm", ".apk",  ".flatpakref",
    ".snap",    ".action", ".workflow", ".application"};

// Types that start code when opened; their subclasses (scripts in any language, installers
// built on them) are found through the shared MIME database's inheritance.
constexpr std::array<const char*, 8> LaunchTypes = {"application/x-desktop",
                                                    "application/x-executable",
                                                    "application/x-sharedlib",
                                                    "application/x-shellscript",
                                                    "application/x-ms-dos-executable",
                                                    "application/vnd.debian.binary-package",
                                                    "application/x-rpm",
                                                    "application/x-msi"};

std::string LowerExtension(const std::filesystem::path& path)
{
    // "trail.desktop." and "trail.desktop " are the same file to some desktops.
    std::string name = path.filename().string();
    name.erase(name.find_last_not_of(". ") + 1);
    std::string extension = std::filesystem::path(name).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension;
}

bool HasLaunchExtension(const std::filesystem::path& path)
{
    return std::find(LaunchExtensions.begin(), LaunchExtensions.end(), LowerExtension(path)) !=
           LaunchExtensions.end();
}

bool IsLaunchType(const QMimeType& type)
{
    return std::any_of(LaunchTypes.begin(), LaunchTypes.end(),
                       [&](const char* name) { return type.inherits(QString::fromLatin1(name)); });
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
    if (HasLaunchExtension(path))
        return false;
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    if (error || !std::filesystem::exists(status))
        return !std::filesystem::is_symlink(std::filesystem::symlink_status(path, error));
    if (!std::filesystem::is_regular_file(status) || IsExecutable(status))
        return false;
    const std::filesystem::path target = std::filesystem::canonical(path, error);
    return !error && !HasLaunchExtension(target) && !HasLaunchContent(target);
}
