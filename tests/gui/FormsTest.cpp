// A window's restored rectangle reads back as it was set, whatever the window's state.
#include "App_MainForm.h"
#include "TempFolder.h"
#include "TestDesktop.h"
#include "Tovi_exceptions.h"
#include "Tovi_forms.h"
#include "Tovi_inifiles.h"

#include <QGuiApplication>
#include <QMainWindow>
#include <QScreen>
#include <QTest>

#include <climits>
#include <gtest/gtest.h>

// Readable rectangles in failure messages.
void PrintTo(const TRect& rect, std::ostream* stream)
{
    *stream << "{" << rect.Left << ", " << rect.Top << ", " << rect.Right << ", " << rect.Bottom
            << "}";
}

namespace
{
// Rectangles that fit the offscreen screen (800 x 600) well enough: kept exactly.
const TRect Rectangles[] = {
    {100, 80, 600, 480},
    {-150, 40, 350, 380},  // partly off the screen, its title reachable
    {500, 300, 1000, 700}, // beyond the right and bottom edges, its title reachable
};

void ExpectGeometry(const QWidget& form, const TRect& bounds)
{
    const QRect geometry = form.geometry();
    EXPECT_EQ(geometry.left(), bounds.Left);
    EXPECT_EQ(geometry.top(), bounds.Top);
    EXPECT_EQ(geometry.left() + geometry.width(), bounds.Right);
    EXPECT_EQ(geometry.top() + geometry.height(), bounds.Bottom);
}
} // namespace

TEST(FormsTest, SetThenGetGivesTheSameRectangle)
{
    for (bool shown : {false, true})
    {
        for (const TRect& bounds : Rectangles)
        {
            SCOPED_TRACE(testing::Message() << "shown " << shown << ", left " << bounds.Left);
            QMainWindow form;
            if (shown)
                form.show();
            SetFormNormalBounds(form, bounds);
            EXPECT_EQ(GetFormNormalBounds(form), bounds);
            ExpectGeometry(form, bounds);
            EXPECT_EQ(GetFormPlacement(form).ShowState, Qt::WindowNoState);
        }
    }
}

TEST(FormsTest, AbsurdRectanglesGiveAWindowWhollyOnTheScreen)
{
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const TRect absurd[] = {
        {INT_MIN, INT_MIN, INT_MAX, INT_MAX},
        {-32767, -32767, 0, 0},
        {50, 60, 10, 20},
        {1000, 900, 1500, 1300},   // wholly beyond the right and bottom edges
        {100, -400, 500, 100},     // title above the screen
        {100, 100, 100000, 90000}, // larger than the screen
    };
    for (const TRect& bounds : absurd)
    {
        SCOPED_TRACE(testing::Message() << "left " << bounds.Left << ", top " << bounds.Top);
        QMainWindow form;
        SetFormNormalBounds(form, bounds);
        const QRect placed = form.geometry();
        EXPECT_GE(placed.left(), screen.left());
        EXPECT_GE(placed.top(), screen.top());
        EXPECT_LE(placed.left() + placed.width(), screen.left() + screen.width());
        EXPECT_LE(placed.top() + placed.height(), screen.top() + screen.height());
        // What is read back is where the window really is, so it is saved as it is.
        ExpectGeometry(form, GetFormNormalBounds(form));
        const TRect once = GetFormNormalBounds(form);
        SetFormNormalBounds(form, once);
        EXPECT_EQ(GetFormNormalBounds(form), once);
    }
}

TEST(FormsTest, WindowIsCreatedForItsPlacement)
{
    QMainWindow form;
    form.resize(300, 200);
    const TRect bounds = GetFormNormalBounds(form);
    EXPECT_NE(form.windowHandle(), nullptr);
    EXPECT_EQ(bounds.Right - bounds.Left, 300);
    EXPECT_EQ(bounds.Bottom - bounds.Top, 200);
}

TEST(FormsTest, MaximisedWindowStaysMaximisedAndRestoresToTheNewRectangle)
{
    QMainWindow form;
    form.setGeometry(50, 60, 300, 200);
    form.showMaximized();
    QCoreApplication::processEvents();
    ASSERT_TRUE(form.isMaximized());
    EXPECT_EQ(GetFormNormalBounds(form), (TRect{50, 60, 350, 260}));

    const TRect bounds{120, 110, 520, 410};
    SetFormNormalBounds(form, bounds);
    QCoreApplication::processEvents();
    EXPECT_TRUE(form.isMaximized());
    EXPECT_TRUE(GetFormPlacement(form).ShowState.testFlag(Qt::WindowMaximized));
    EXPECT_EQ(GetFormNormalBounds(form), bounds);

    form.showNormal();
    QCoreApplication::processEvents();
    EXPECT_FALSE(form.isMaximized());
    ExpectGeometry(form, bounds);
}

TEST(FormsTest, PlacementKeepsTheShowState)
{
    QMainWindow form;
    form.show();
    TWindowPlacement placement = GetFormPlacement(form);
    placement.ShowState = Qt::WindowMaximized;
    placement.NormalPosition = {10, 20, 410, 320};
    SetFormPlacement(form, placement);
    QCoreApplication::processEvents();
    EXPECT_TRUE(form.isMaximized());
    EXPECT_EQ(GetFormNormalBounds(form), placement.NormalPosition);
}

TEST(FormsTest, ChildWidgetHasNoPlacement)
{
    QMainWindow form;
    QWidget child(&form);
    auto expectMessage = [](auto call, const char* message)
    {
        try
        {
            call();
            ADD_FAILURE() << "no error";
        }
        catch (const EInvalidOperation& error)
        {
            EXPECT_EQ(error.Message(), message);
        }
    };
    const char* getMessage = "The program could not get the placement of the form.";
    expectMessage([&] { GetFormPlacement(child); }, getMessage);
    expectMessage([&] { GetFormNormalBounds(child); }, getMessage);
    expectMessage([&] { SetFormNormalBounds(child, {0, 0, 10, 10}); }, getMessage);
    expectMessage([&] { SetFormPlacement(child, {}); },
                  "The program could not set the placement of the form.");
}

TEST(FormsTest, MainWindowClosedMaximisedSavesItsRestoredRectangle)
{
    TTempFolder folder;
    TTestDesktop desktop;
    TScopedTestDesktop scope(desktop);
    const std::string fileName = folder.File("Settings.ini");
    const TRect bounds{70, 90, 640, 520};
    {
        TAppMainForm form(fileName);
        form.UpdateAllActions();
        form.ExecuteSettingsLoad();
        form.show();
        SetFormNormalBounds(form, bounds);
        form.showMaximized();
        QCoreApplication::processEvents();
        ASSERT_TRUE(form.close());
    }
    TMemIniFile settings(fileName);
    EXPECT_EQ(settings.ReadInteger("ViewHandler.Form", "Left", 0), bounds.Left);
    EXPECT_EQ(settings.ReadInteger("ViewHandler.Form", "Top", 0), bounds.Top);
    EXPECT_EQ(settings.ReadInteger("ViewHandler.Form", "Right", 0), bounds.Right);
    EXPECT_EQ(settings.ReadInteger("ViewHandler.Form", "Bottom", 0), bounds.Bottom);

    // The next start places the window there, and a start and close later the numbers stay.
    TAppMainForm form(fileName);
    form.UpdateAllActions();
    form.ExecuteSettingsLoad();
    form.show();
    QCoreApplication::processEvents();
    EXPECT_FALSE(form.isMaximized());
    ExpectGeometry(form, bounds);
    const std::string before = TTempFolder::Read(fileName);
    ASSERT_TRUE(form.close());
    EXPECT_EQ(TTempFolder::Read(fileName), before);
}
