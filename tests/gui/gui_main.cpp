// Widget tests run under the offscreen platform inside one application object.
#include "TestDesktop.h"

#include <QApplication>
#include <gtest/gtest.h>

#include <filesystem>

namespace
{
// Opening a deck makes its folder current; each test gets back the folder it started in,
// so no test runs in a temporary folder that another one has removed.
class TCurrentFolderKeeper : public ::testing::EmptyTestEventListener
{
    void OnTestStart(const ::testing::TestInfo&) override
    {
        FFolder = std::filesystem::current_path();
    }
    void OnTestEnd(const ::testing::TestInfo&) override { std::filesystem::current_path(FFolder); }

    std::filesystem::path FFolder;
};
} // namespace

int main(int argc, char** argv)
{
    Q_INIT_RESOURCE(App_Images);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // GoogleTest takes its own flags out first, so the main window sees no command line.
    ::testing::InitGoogleTest(&argc, argv);
    QApplication application(argc, argv);
    QApplication::setApplicationName("Orvanta");
    // No test may block on a real message box: unanswered ones are recorded and answered OK.
    TTestDesktop fallback;
    SetDesktop(&fallback);
    ::testing::UnitTest::GetInstance()->listeners().Append(new TCurrentFolderKeeper);
    return RUN_ALL_TESTS();
}
