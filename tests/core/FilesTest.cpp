#include "ErrorMessage.h"
#include "TempFolder.h"
#include "Tovi_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace
{
template <typename TFunction> std::string FileErrorOf(TFunction function)
{
    return ErrorMessageOf<EFileError>(function);
}

const char* const CopyMessage = "The program could not copy the file.";
const char* const LongPathMessage = "The program could not get the long path of the file.";

TEST(FileCopy, ReplacesAnExistingFileOnlyWhenAllowed)
{
    TTempFolder folder;
    const std::string source = folder.Write("Default.txt", "[About]\r\nTitle=New\r\n");
    const std::string destination = folder.Write("Deck.txt", "old");

    EXPECT_EQ(FileErrorOf([&] { FileCopy(source, destination, false); }), CopyMessage);
    EXPECT_EQ(TTempFolder::Read(destination), "old");

    FileCopy(source, destination, true);
    EXPECT_EQ(TTempFolder::Read(destination), "[About]\r\nTitle=New\r\n");
    FileCopy(source, folder.File("Fresh.txt"), false);
    EXPECT_EQ(TTempFolder::Read(folder.File("Fresh.txt")), "[About]\r\nTitle=New\r\n");
}

TEST(FileCopy, FailsForAMissingSourceOrAnUnwritableDestination)
{
    TTempFolder folder;
    const std::string source = folder.Write("Default.txt", "deck");
    EXPECT_EQ(FileErrorOf([&] { FileCopy(folder.File("Missing.txt"), folder.File("a"), true); }),
              CopyMessage);
    EXPECT_EQ(FileErrorOf([&] { FileCopy(source, folder.File("No/Such/Folder.txt"), true); }),
              CopyMessage);
    EXPECT_EQ(FileErrorOf([&] { FileCopy(folder.Path().string(), folder.File("b"), true); }),
              CopyMessage);
    EXPECT_FALSE(std::filesystem::exists(folder.File("a")));
}

TEST(GetLongPath, GivesTheAbsoluteCleanedPathOfAnExistingFile)
{
    TTempFolder folder;
    const std::string deck = folder.Write("My Deck.txt", "");
    std::filesystem::create_directory(folder.File("sub"));
    const std::string winding = folder.Path().string() + "/sub/.//../My Deck.txt";
    EXPECT_EQ(GetLongPath(winding), deck);

    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(folder.Path());
    const std::string fromRelative = GetLongPath("My Deck.txt");
    std::filesystem::current_path(previous);
    EXPECT_EQ(fromRelative, deck);
}

TEST(GetLongPath, KeepsBytesThatAreNotValidInTheLocale)
{
    TTempFolder folder;
    const std::string deck = folder.Write("bad\xff\xfename.txt", "");
    EXPECT_EQ(GetLongPath(folder.Path().string() + "/./bad\xff\xfename.txt"), deck);
}

TEST(GetLongPath, FailsForAMissingFileOrAnEmptyPath)
{
    TTempFolder folder;
    EXPECT_EQ(FileErrorOf([&] { GetLongPath(folder.File("Missing.txt")); }), LongPathMessage);
    EXPECT_EQ(FileErrorOf([&] { GetLongPath(""); }), LongPathMessage);
}
} // namespace
