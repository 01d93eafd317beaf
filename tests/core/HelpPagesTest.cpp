// The offline help that ships beside the program: every link stays inside it and leads to a
// page and place that exist, and nothing is fetched from the network.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <set>
#include <string>

namespace
{
// The test data lie in tests/data; the help in data/Help of the same source tree.
const std::filesystem::path HelpFolder =
    std::filesystem::path(ORVANTA_TEST_DATA).parent_path().parent_path() / "data" / "Help";

std::string ReadPage(const std::filesystem::path& path)
{
    std::ifstream stream(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
}

std::set<std::string> Ids(const std::string& page)
{
    std::set<std::string> ids;
    const std::regex id(R"re(\bid="([^"]+)")re");
    for (auto it = std::sregex_iterator(page.begin(), page.end(), id); it != std::sregex_iterator();
         ++it)
        ids.insert((*it)[1]);
    return ids;
}
// A link leads to a page of the help, and to a place on it that exists.
void CheckLink(const std::filesystem::path& page, const std::string& target)
{
    SCOPED_TRACE(page.filename().string() + ": " + target);
    EXPECT_EQ(target.find(':'), std::string::npos) << "no scheme, so nothing from the network";
    EXPECT_NE(target.rfind("//", 0), 0u);
    const std::string::size_type hash = target.find('#');
    const std::string file = target.substr(0, hash);
    const std::filesystem::path linked = file.empty() ? page : HelpFolder / file;
    ASSERT_TRUE(std::filesystem::is_regular_file(linked));
    if (hash != std::string::npos)
    {
        EXPECT_EQ(Ids(ReadPage(linked)).count(target.substr(hash + 1)), 1u);
    }
}
} // namespace

TEST(HelpPages, LinksStayInsideTheHelpAndLeadSomewhere)
{
    ASSERT_TRUE(std::filesystem::is_regular_file(HelpFolder / "index.html"));
    const std::regex reference(R"re(\b(?:href|src)="([^"]*)")re");
    int links = 0;
    for (const auto& entry : std::filesystem::directory_iterator(HelpFolder))
    {
        if (entry.path().extension() != ".html")
            continue;
        const std::string page = ReadPage(entry.path());
        const std::string name = entry.path().filename().string();
        EXPECT_EQ(page.find("url("), std::string::npos) << name;
        for (auto it = std::sregex_iterator(page.begin(), page.end(), reference);
             it != std::sregex_iterator(); ++it, ++links)
        {
            CheckLink(entry.path(), (*it)[1]);
        }
    }
    EXPECT_GT(links, 0);
}

TEST(HelpPages, TheStyleSheetLoadsNothingFromElsewhere)
{
    const std::string style = ReadPage(HelpFolder / "style.css");
    ASSERT_FALSE(style.empty());
    for (const char* fetch : {"@import", "url("})
        EXPECT_EQ(style.find(fetch), std::string::npos) << fetch;
}
