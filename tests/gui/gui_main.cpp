// Widget tests run under the offscreen platform inside one application object.
#include "TestDesktop.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    Q_INIT_RESOURCE(App_Images);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // GoogleTest takes its own flags out first, so the main window sees no command line.
    ::testing::InitGoogleTest(&argc, argv);
    QApplication application(argc, argv);
    QApplication::setApplicationName("Orvanta");
    QApplication::setApplicationDisplayName("Orvanta");
    // No test may block on a real message box: unanswered ones are recorded and answered OK.
    TTestDesktop fallback;
    SetDesktop(&fallback);
    return RUN_ALL_TESTS();
}
