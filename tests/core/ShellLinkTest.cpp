#include "ErrorMessage.h"
#include "TempFolder.h"
#include "Tovi_files.h"
#include "Tovi_shelllinks.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <random>
#include <string>

namespace
{
const char* const LoadMessage = "The program could not load a shell link.";

template <typename TFunction> std::string ShellLinkErrorOf(TFunction function)
{
    return ErrorMessageOf<EShellLinkError>(function);
}

std::string SaveLink(const TTempFolder& folder, const std::string& name, const std::string& target)
{
    TShellLink link;
    link.SetPath(target);
    const std::string fileName = folder.File(name);
    link.SaveToFile(fileName);
    return fileName;
}

TEST(ShellLink, WhatIsSavedLoadsBack)
{
    TTempFolder folder;
    TShellLink link;
    const std::string target = folder.File("D\xc3\xa9"
                                           "cks/Verbs and nouns.txt");
    link.SetPath(target);
    link.SetIconLocation("/usr/share/icons/deck.ico", -3);
    link.SaveToFile(folder.File("Verbs.lnk"));

    TShellLink loaded;
    loaded.LoadFromFile(folder.File("Verbs.lnk"));
    std::string iconPath;
    int iconIndex = 0;
    loaded.GetIconLocation(iconPath, iconIndex);
    EXPECT_EQ(loaded.GetPath(), target);
    EXPECT_EQ(iconPath, "/usr/share/icons/deck.ico");
    EXPECT_EQ(iconIndex, -3);
}

TEST(ShellLink, ANewLinkHasNoPathAndNoIcon)
{
    TShellLink link;
    EXPECT_EQ(ShellLinkErrorOf([&] { link.GetPath(); }),
              "The program could not get a property of a shell link.");
    std::string iconPath = "x";
    int iconIndex = 5;
    link.GetIconLocation(iconPath, iconIndex);
    EXPECT_EQ(iconPath, "");
    EXPECT_EQ(iconIndex, 0);
}

TEST(ShellLink, PropertiesTheFormatCannotHoldAreRefused)
{
    TShellLink link;
    const std::string setMessage = "The program could not set a property of a shell link.";
    EXPECT_EQ(ShellLinkErrorOf([&] { link.SetPath(std::string("/a\0b", 4)); }), setMessage);
    EXPECT_EQ(ShellLinkErrorOf([&] { link.SetIconLocation(std::string(70000, 'i'), 0); }),
              setMessage);
    link.SetIconLocation(std::string(0xFFFF, 'i'), 1);
}

TEST(ShellLink, SavingIntoAMissingFolderFails)
{
    TTempFolder folder;
    TShellLink link;
    link.SetPath("/a.txt");
    EXPECT_EQ(ShellLinkErrorOf([&] { link.SaveToFile(folder.File("missing/a.lnk")); }),
              "The program could not save a shell link.");
}

TEST(ShellLink, AStaleTargetComesBackUnchangedButDoesNotResolve)
{
    TTempFolder folder;
    const std::string target = folder.Write("Deck.txt", "[About]\r\n");
    const std::string linkName = SaveLink(folder, "Deck.lnk", target);
    std::filesystem::remove(target);

    EXPECT_EQ(ResolveFileName(linkName), target);
    EXPECT_EQ(GetShellLinkTarget(linkName), target);
    TShellLink link;
    link.LoadFromFile(linkName);
    EXPECT_EQ(ShellLinkErrorOf([&] { link.Resolve(); }),
              "The program could not resolve a shell link.");
    EXPECT_EQ(ErrorMessageOf<EFileError>([&] { GetLongPath(target); }),
              "The program could not get the long path of the file.");
    folder.Write("Deck.txt", "");
    link.Resolve();
}

TEST(ShellLink, OnlyTheLastExtensionCounts)
{
    TTempFolder folder;
    const std::string target = folder.Write("Deck.txt", "");
    SaveLink(folder, "Deck.LNK", target);
    EXPECT_TRUE(IsShellLink(folder.File("Deck.LNK")));
    EXPECT_TRUE(IsShellLink("relative/Deck.Lnk"));
    EXPECT_EQ(ResolveFileName(folder.File("Deck.LNK")), target);
    for (const char* name : {"Deck.lnk.txt", "Deck.lnk/readme", "Decklnk", "Deck", ""})
        EXPECT_FALSE(IsShellLink(name)) << name;
    // Not opened: a missing file with another extension comes back as it is.
    EXPECT_EQ(ResolveFileName(folder.File("Deck.lnk.txt")), folder.File("Deck.lnk.txt"));
}

TEST(ShellLink, ANonShortcutWithTheExtensionFailsToLoad)
{
    TTempFolder folder;
    const std::string text = folder.Write("Notes.lnk", "[About]\r\nTitle=Not a shortcut\r\n");
    EXPECT_EQ(ShellLinkErrorOf([&] { ResolveFileName(text); }), LoadMessage);
    EXPECT_EQ(ShellLinkErrorOf([&] { ResolveFileName(folder.File("Missing.lnk")); }), LoadMessage);
    std::filesystem::create_directory(folder.File("Folder.lnk"));
    EXPECT_EQ(ShellLinkErrorOf([&] { ResolveFileName(folder.File("Folder.lnk")); }), LoadMessage);
}

TEST(ShellLink, AFailedLoadKeepsTheLinkAsItWas)
{
    TTempFolder folder;
    TShellLink link;
    link.SetPath("/kept.txt");
    EXPECT_EQ(ShellLinkErrorOf([&] { link.LoadFromFile(folder.Write("Bad.lnk", "L")); }),
              LoadMessage);
    EXPECT_EQ(link.GetPath(), "/kept.txt");
}

std::string U32(std::uint32_t value)
{
    std::string bytes;
    for (int i = 0; i < 4; ++i)
        bytes += static_cast<char>(value >> (8 * i) & 0xFF);
    return bytes;
}

std::string Counted(const std::string& text)
{
    const auto size = static_cast<std::uint16_t>(text.size());
    return std::string{static_cast<char>(size & 0xFF), static_cast<char>(size >> 8)} + text;
}

std::string Zero(const std::string& text)
{
    return text + '\0';
}

// Link info in the 8-bit form: header, a fixed volume, the local base path, a network link
// when one is given, and the common path suffix.
std::string LinkInfo(const std::string& base, const std::string& netName, const std::string& suffix)
{
    const std::string volume("\x11\0\0\0\x03\0\0\0\x78\x56\x34\x12\x10\0\0\0\0", 17);
    const std::string network = netName.empty()
                                    ? ""
                                    : U32(0x14 + static_cast<std::uint32_t>(netName.size()) + 1) +
                                          U32(0) + U32(0x14) + U32(0) + U32(0) + Zero(netName);
    const auto baseOffset = static_cast<std::uint32_t>(0x1C + volume.size());
    const auto networkOffset = static_cast<std::uint32_t>(baseOffset + base.size() + 1);
    const auto suffixOffset = static_cast<std::uint32_t>(networkOffset + network.size());
    const auto size = static_cast<std::uint32_t>(suffixOffset + suffix.size() + 1);
    return U32(size) + U32(0x1C) + U32(netName.empty() ? 1 : 3) + U32(0x1C) + U32(baseOffset) +
           U32(netName.empty() ? 0 : networkOffset) + U32(suffixOffset) + volume + Zero(base) +
           network + Zero(suffix);
}

// A shortcut as the shell writes one: an item id list, the link info, then the relative path,
// working folder and icon location.
std::string ShellWrittenLink(const std::string& linkInfo = LinkInfo("C:\\Decks\\", "", "Verbs.txt"))
{
    std::string bytes = U32(0x4C);
    bytes += std::string("\x01\x14\x02\x00\x00\x00\x00\x00\xC0\x00\x00\x00\x00\x00\x00\x46", 16);
    bytes +=
        U32(0x01 | 0x02 | 0x08 | 0x10 | 0x40); // id list, link info, relative path, folder, icon
    bytes.resize(0x38, '\0');
    bytes += U32(2) + U32(1); // icon index, show command
    bytes.resize(0x4C, '\0');
    bytes += Counted(std::string(4, '\x7F')); // the id list, with the same counted layout
    bytes += linkInfo;
    bytes +=
        Counted("..\\Decks\\Verbs.txt") + Counted("C:\\Decks") + Counted("C:\\Icons\\deck.ico");
    return bytes + U32(0);
}

TEST(ShellLink, TheNetworkPathComesFirst)
{
    TTempFolder folder;
    const std::string link =
        ShellWrittenLink(LinkInfo("Z:\\Decks\\Verbs.txt", "\\\\server\\share", "Decks\\Verbs.txt"));
    EXPECT_EQ(GetShellLinkTarget(folder.Write("Verbs.lnk", link)),
              "\\\\server\\share\\Decks\\Verbs.txt");
}

// Random damage to a shortcut may give a link or the load message, never anything else.
TEST(ShellLink, RandomlyDamagedShortcutsLoadOrFailCleanly)
{
    TTempFolder folder;
    std::mt19937 random(20261210);
    for (const std::string& whole :
         {ShellWrittenLink(),
          ShellWrittenLink(LinkInfo("Z:\\", "\\\\server\\share", "Decks\\Verbs.txt"))})
        for (int round = 0; round < 500; ++round)
        {
            std::string bytes = whole;
            for (int hits = 1 + static_cast<int>(random() % 4); hits > 0; --hits)
                bytes[random() % bytes.size()] = static_cast<char>(random() % 256);
            bytes.resize(random() % (bytes.size() + 1));
            const std::string fileName = folder.Write("Damaged.lnk", bytes);
            const std::string error = ShellLinkErrorOf(
                [&]
                {
                    TShellLink link;
                    link.LoadFromFile(fileName);
                });
            EXPECT_TRUE(error == "no error" || error == LoadMessage) << error;
        }
}

TEST(ShellLink, ReadsAnsiLinksWithIdListAndStringData)
{
    TTempFolder folder;
    TShellLink link;
    link.LoadFromFile(folder.Write("Verbs.lnk", ShellWrittenLink()));
    EXPECT_EQ(link.GetPath(), "C:\\Decks\\Verbs.txt");
    std::string iconPath;
    int iconIndex = 0;
    link.GetIconLocation(iconPath, iconIndex);
    EXPECT_EQ(iconPath, "C:\\Icons\\deck.ico");
    EXPECT_EQ(iconIndex, 2);
}

struct TBrokenLink
{
    const char* Name;
    std::string Bytes;
};

std::string Patched(std::string bytes, std::size_t offset, const std::string& patch)
{
    bytes.replace(offset, patch.size(), patch);
    return bytes;
}

std::string Cut(std::size_t length)
{
    return ShellWrittenLink().substr(0, length);
}

const std::size_t LinkInfoAt = 0x4C + 6;

class BrokenShellLink : public ::testing::TestWithParam<TBrokenLink>
{
};

TEST_P(BrokenShellLink, FailsWithTheLoadMessage)
{
    TTempFolder folder;
    const std::string fileName = folder.Write("Broken.lnk", GetParam().Bytes);
    EXPECT_EQ(ShellLinkErrorOf([&] { GetShellLinkTarget(fileName); }), LoadMessage);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BrokenShellLink,
    ::testing::Values(
        TBrokenLink{"Empty", ""}, TBrokenLink{"HeaderOnlyStart", Cut(20)},
        TBrokenLink{"TruncatedHeader", Cut(0x4B)}, TBrokenLink{"NoIdList", Cut(0x4C)},
        TBrokenLink{"TruncatedIdList", Cut(0x4C + 3)},
        TBrokenLink{"TruncatedLinkInfo", Cut(LinkInfoAt + 30)},
        TBrokenLink{"TruncatedStrings", Cut(ShellWrittenLink().size() - 10)},
        TBrokenLink{"WrongHeaderSize", Patched(ShellWrittenLink(), 0, "\x4D")},
        TBrokenLink{"WrongClassId", Patched(ShellWrittenLink(), 4, "\x02")},
        TBrokenLink{"IdListPastTheEnd", Patched(ShellWrittenLink(), 0x4C, "\xFF\xFF")},
        TBrokenLink{"LinkInfoSizeHuge",
                    Patched(ShellWrittenLink(), LinkInfoAt, "\xFF\xFF\xFF\xFF")},
        TBrokenLink{"LinkInfoSizeTooSmall",
                    Patched(ShellWrittenLink(), LinkInfoAt, std::string("\x08\0\0\0", 4))},
        TBrokenLink{"LinkInfoHeaderTooSmall",
                    Patched(ShellWrittenLink(), LinkInfoAt + 4, std::string("\x04\0\0\0", 4))},
        TBrokenLink{"BasePathOffsetPastTheEnd",
                    Patched(ShellWrittenLink(), LinkInfoAt + 16, "\xF0\xFF\xFF\x7F")},
        TBrokenLink{"SuffixUnterminatedInsideLinkInfo",
                    Patched(ShellWrittenLink(), LinkInfoAt + 0x40, "x")},
        TBrokenLink{
            "UnicodeOffsetsPastTheEnd",
            Patched(Patched(ShellWrittenLink(), LinkInfoAt + 4, std::string("\x24\0\0\0", 4)),
                    LinkInfoAt + 28, "\xF0\xFF\xFF\x7F\xF0\xFF\xFF\x7F")},
        TBrokenLink{"NetworkLinkPastTheEnd",
                    Patched(Patched(ShellWrittenLink(), LinkInfoAt + 8, std::string("\x02", 1)),
                            LinkInfoAt + 20, "\xFF\xFF\x00\x10")},
        TBrokenLink{"StringCountPastTheEnd",
                    Patched(ShellWrittenLink(), ShellWrittenLink().size() - 4 - 19, "\xFF\xFF")},
        TBrokenLink{"NotAShortcut", "[About]\r\nTitle=Deck\r\n"}),
    [](const ::testing::TestParamInfo<TBrokenLink>& info) { return info.param.Name; });

TEST(ShellLink, EveryTruncationOfAShortcutFailsCleanly)
{
    TTempFolder folder;
    const std::string whole = ShellWrittenLink();
    // Without the terminal block the strings are still whole; anything shorter is broken.
    for (std::size_t length = 0; length + 4 < whole.size(); ++length)
    {
        const std::string fileName = folder.Write("Cut.lnk", whole.substr(0, length));
        EXPECT_EQ(ShellLinkErrorOf([&] { GetShellLinkTarget(fileName); }), LoadMessage) << length;
    }
}

TEST(ShellLink, AnAbsurdlyLargeFileIsNotReadAsAShortcut)
{
    TTempFolder folder;
    const std::string fileName = folder.Write("Large.lnk", ShellWrittenLink());
    std::filesystem::resize_file(fileName, std::uintmax_t{1} << 32);
    EXPECT_EQ(ShellLinkErrorOf([&] { GetShellLinkTarget(fileName); }), LoadMessage);
}

// An independent reader of the format must find the target we wrote.
TEST(ShellLink, AnotherReaderFindsTheTarget)
{
    if (std::system("command -v lnkinfo > /dev/null 2>&1") != 0)
        GTEST_SKIP() << "lnkinfo is not installed";
    TTempFolder folder;
    const std::string target = folder.File("Decks/Verbs and nouns.txt");
    const std::string linkName = SaveLink(folder, "Verbs.lnk", target);
    const std::string command = "lnkinfo '" + linkName + "' 2>&1";
    const std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    ASSERT_TRUE(pipe);
    std::string output;
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe.get()))
        output += buffer;
    EXPECT_NE(output.find("Local path\t\t\t: " + target + "\n"), std::string::npos) << output;
}
} // namespace
