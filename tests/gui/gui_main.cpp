// Widget tests run under the offscreen platform inside one application object.
#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QApplication::setApplicationName("Orvanta");
    QApplication::setApplicationDisplayName("Orvanta");
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
