#pragma once

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

// A temporary folder of the test's own, removed with everything in it.
class TTempFolder
{
public:
    TTempFolder()
    {
        std::random_device device;
        FPath = std::filesystem::temp_directory_path() /
                ("orvanta-test-" + std::to_string(device()) + std::to_string(device()));
        std::filesystem::create_directories(FPath);
    }
    ~TTempFolder()
    {
        std::error_code error;
        std::filesystem::permissions(FPath, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, error);
        std::filesystem::remove_all(FPath, error);
    }
    TTempFolder(const TTempFolder&) = delete;
    TTempFolder& operator=(const TTempFolder&) = delete;

    const std::filesystem::path& Path() const { return FPath; }
    std::string File(const std::string& name) const { return (FPath / name).string(); }

    // Writes bytes to a file in the folder and returns its path.
    std::string Write(const std::string& name, const std::string& bytes) const
    {
        const std::string path = File(name);
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }

    static std::string Read(const std::string& path)
    {
        std::ifstream stream(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
    }

private:
    std::filesystem::path FPath;
};
