// Where Settings.ini and History.ini go: beside the program while its folder may be written,
// else in the XDG configuration folder.
#include "TempFolder.h"
#include "Tovi_programfiles.h"

#include <gtest/gtest.h>

#include <sys/mount.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

namespace
{
// A folder nobody may write: its permissions for a user, a read-only mount for root, who may
// write whatever the permissions say. Available() says whether either worked here.
class TReadOnlyFolder
{
public:
    TReadOnlyFolder()
    {
        if (::geteuid() == 0)
            FMounted = ::mount("tmpfs", Path().c_str(), "tmpfs", MS_RDONLY, "size=16k") == 0;
        else
            std::filesystem::permissions(Path(), std::filesystem::perms::owner_read |
                                                     std::filesystem::perms::owner_exec);
    }
    ~TReadOnlyFolder()
    {
        if (FMounted)
            ::umount(Path().c_str());
    }
    TReadOnlyFolder(const TReadOnlyFolder&) = delete;
    TReadOnlyFolder& operator=(const TReadOnlyFolder&) = delete;

    std::string Path() const { return FFolder.Path().string(); }
    bool Available() const { return ::access(Path().c_str(), W_OK) != 0; }

private:
    TTempFolder FFolder;
    bool FMounted = false;
};

// Sets or removes an environment variable for the test's life.
class TScopedVariable
{
public:
    TScopedVariable(const char* name, const std::optional<std::string>& value) : FName(name)
    {
        if (const char* old = std::getenv(name))
            FOld = old;
        Set(value);
    }
    ~TScopedVariable() { Set(FOld); }
    TScopedVariable(const TScopedVariable&) = delete;
    TScopedVariable& operator=(const TScopedVariable&) = delete;

private:
    void Set(const std::optional<std::string>& value) const
    {
        if (value)
            ::setenv(FName, value->c_str(), 1);
        else
            ::unsetenv(FName);
    }

    const char* FName;
    std::optional<std::string> FOld;
};

TEST(ChooseUserFolder, KeepsAWritableProgramFolder)
{
    TTempFolder program;
    TTempFolder config;
    const std::string configFolder = config.File("orvanta");
    EXPECT_EQ(ChooseUserFolder(program.Path().string(), configFolder), program.Path().string());
    EXPECT_FALSE(std::filesystem::exists(configFolder));
}

TEST(ChooseUserFolder, MakesTheConfigurationFolderWhenTheProgramFolderIsReadOnly)
{
    TReadOnlyFolder program;
    if (!program.Available())
        GTEST_SKIP() << "no read-only folder can be made here";
    TTempFolder config;
    const std::string configFolder = config.File("nested/orvanta");
    EXPECT_EQ(ChooseUserFolder(program.Path(), configFolder), configFolder);
    EXPECT_TRUE(std::filesystem::is_directory(configFolder));
}

TEST(ChooseUserFolder, TakesAConfigurationFolderThatExistsAlready)
{
    TReadOnlyFolder program;
    if (!program.Available())
        GTEST_SKIP() << "no read-only folder can be made here";
    TTempFolder config;
    EXPECT_EQ(ChooseUserFolder(program.Path(), config.Path().string()), config.Path().string());
}

TEST(UserConfigFolder, FollowsXdgConfigHomeOrFallsBackToDotConfig)
{
    TTempFolder home;
    const TScopedVariable homeVariable("HOME", home.Path().string());
    const std::string fallback = home.File(".config/orvanta");
    const struct
    {
        std::optional<std::string> Value;
        std::string Expected;
    } cases[] = {
        {home.File("xdg"), home.File("xdg/orvanta")},
        {std::string(), fallback},
        {std::nullopt, fallback},
    };
    for (const auto& c : cases)
    {
        const TScopedVariable xdg("XDG_CONFIG_HOME", c.Value);
        EXPECT_EQ(UserConfigFolder(), c.Expected) << c.Value.value_or("(unset)");
    }
}
} // namespace
