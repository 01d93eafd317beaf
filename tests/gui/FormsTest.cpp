// A window's restored rectangle reads back as it was set, whatever the window's state.
#include "App_MainForm.h"
#include "TempFolder.h"
#include "TestDesktop.h"
#include "Tovi_exceptions.h"
#include "Tovi_forms.h"
#include "Tovi_inifiles.h"

#include <QMainWindow>
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
const TRect Rectangles[] = {
    {100, 80, 600, 480},
    {-150, -40, 350, 300},   // partly off the screen: handed over unchanged
    {1000, 900, 1500, 1300}, // mostly beyond the right and bottom edges
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

TEST(FormsTest, AbsurdNumbersFromAnEditedFileGiveAWindowAllTheSame)
{
    const TRect absurd[] = {{INT_MIN, INT_MIN, INT_MAX, INT_MAX}, {50, 60, 10, 20}};
    for (const TRect& bounds : absurd)
    {
        QMainWindow form;
        SetFormNormalBounds(form, bounds);
        const TRect result = GetFormNormalBounds(form);
        EXPECT_LE(result.Left, result.Right);
        EXPECT_LE(result.Top, result.Bottom);
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
