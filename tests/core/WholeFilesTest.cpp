// Every unit that reads a whole file refuses what is not a regular file at once, with its
// own message: a FIFO without a writer, an endless device, a folder, a socket.
#include "App_Cards.h"
#include "App_FileHistory.h"
#include "TempFolder.h"
#include "Tovi_exceptions.h"
#include "Tovi_inifiles.h"
#include "Tovi_shelllinks.h"
#include "Tovi_wholefiles.h"

#include <functional>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace
{
using TMaker = std::function<void(const std::string& path)>;

struct TFileKind
{
    const char* Name;
    TMaker Make;
};

void MakeSocket(const std::string& path)
{
    const int socket = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(socket, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    ASSERT_LT(path.size(), sizeof address.sun_path);
    path.copy(address.sun_path, path.size());
    ASSERT_EQ(::bind(socket, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    ::close(socket);
}

const TFileKind Kinds[] = {
    {"FIFO", [](const std::string& path) { ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0); }},
    {"/dev/zero",
     [](const std::string& path) { std::filesystem::create_symlink("/dev/zero", path); }},
    {"folder", [](const std::string& path) { std::filesystem::create_directory(path); }},
    {"socket", MakeSocket},
};

struct TReader
{
    const char* Unit;
    std::function<void(const std::string& path)> Read;
    // The message for the file at the path.
    std::function<std::string(const std::string& path)> Message;
};

const TReader Readers[] = {
    {"deck", [](const std::string& path) { TNimbaDeck().LoadFromFile(path); },
     [](const std::string&) { return std::string("The program could not load the data."); }},
    {"settings", [](const std::string& path) { TMemIniFile settings(path); },
     [](const std::string& path)
     { return "The program could not read the file \"" + path + "\"."; }},
    {"history", [](const std::string& path) { TFileHistory(path).Load(); },
     [](const std::string& path)
     { return "The program could not read the file \"" + path + "\"."; }},
    {"shortcut", [](const std::string& path) { TShellLink().LoadFromFile(path); },
     [](const std::string&) { return std::string("The program could not load a shell link."); }},
};

TEST(WholeFiles, EveryReaderRefusesWhatIsNotARegularFileWithoutWaiting)
{
    for (const TReader& reader : Readers)
        for (const TFileKind& kind : Kinds)
        {
            SCOPED_TRACE(testing::Message() << reader.Unit << " from a " << kind.Name);
            TTempFolder folder;
            // Short: a socket's name must fit its address.
            const std::string path = folder.File("f");
            kind.Make(path);
            try
            {
                reader.Read(path);
                ADD_FAILURE() << "read without an error";
            }
            catch (const EError& error)
            {
                EXPECT_EQ(error.Message(), reader.Message(path));
            }
        }
}

TEST(WholeFiles, ALinkToARegularFileIsRead)
{
    TTempFolder folder;
    const std::string target = folder.Write("real.ini", "[a]\r\nb=c\r\n");
    std::filesystem::create_symlink(target, folder.File("link.ini"));
    std::string bytes;
    ASSERT_TRUE(TryReadWholeFile(folder.File("link.ini"), bytes));
    EXPECT_EQ(bytes, "[a]\r\nb=c\r\n");
}

TEST(WholeFiles, ASuccessfulWriteRemovesOnlyTheStaleTemporariesOfItsFile)
{
    TTempFolder folder;
    const char* stale[] = {"Settings.ini.tmp851755", "Settings.ini.tmp1"};
    const char* kept[] = {"Settings.ini.tmp", "Settings.ini.tmpx1", "Settings.ini.tmp1.bak",
                          "History.ini.tmp851755", "Settings.ini"};
    for (const char* name : stale)
        folder.Write(name, "half");
    for (const char* name : kept)
        folder.Write(name, "keep");
    ASSERT_TRUE(TryWriteWholeFile(folder.File("Settings.ini"), "whole"));
    for (const char* name : stale)
        EXPECT_FALSE(std::filesystem::exists(folder.File(name))) << name;
    for (const char* name : kept)
        EXPECT_TRUE(std::filesystem::exists(folder.File(name))) << name;
    EXPECT_EQ(TTempFolder::Read(folder.File("Settings.ini")), "whole");
}
} // namespace
