#include "Tovi_safeopen.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <string_view>
#include <system_error>

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

std::string LowerExtension(const std::filesystem::path& path)
{
    std::string extension = path.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension;
}

bool HasLaunchExtension(const std::filesystem::path& path)
{
    return std::find(LaunchExtensions.begin(), LaunchExtensions.end(), LowerExtension(path)) !=
           LaunchExtensions.end();
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
    return !error && !HasLaunchExtension(target);
}
