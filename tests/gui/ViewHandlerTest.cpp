// The bars, the message area's look and the Customize dialog, on a real main window.
#include "App_MainForm.h"
#include "App_StatusBar.h"
#include "App_ViewDialog.h"
#include "App_ViewHandler.h"
#include "TempFolder.h"
#include "TestDesktop.h"
#include "Tovi_inifiles.h"

#include <QApplication>
#include <QCheckBox>
#include <QFontInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolBar>

#include <gtest/gtest.h>

#include <ostream>

void PrintTo(const TMessageOptions& options, std::ostream* stream)
{
    *stream << "{" << options.BackgroundColor << ", " << options.ForegroundColor << ", \""
            << options.FontName << "\", " << FontStylesToText(options.FontStyles) << ", "
            << options.FontSize << "}";
}

namespace
{
// Counts the changes of look that reach a widget.
class TLookChanges : public QObject
{
public:
    explicit TLookChanges(QWidget* widget) { widget->installEventFilter(this); }
    int Count = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        const QEvent::Type type = event->type();
        if (type == QEvent::PaletteChange || type == QEvent::FontChange ||
            type == QEvent::ShowToParent || type == QEvent::HideToParent)
            ++Count;
        return false;
    }
};

class ViewHandlerTest : public ::testing::Test
{
protected:
    ViewHandlerTest() { FForm.UpdateAllActions(); }

    TViewHandler& View() { return *FForm.GetViewHandler(); }
    QPlainTextEdit& MessageArea() { return *FForm.findChild<QPlainTextEdit*>("MessageArea"); }
    QToolBar& Toolbar() { return *FForm.findChild<QToolBar*>(); }

    // Loads a Settings.ini holding the text into the window.
    void Load(const std::string& text)
    {
        FFolder.Write("Settings.ini", text);
        FForm.ExecuteSettingsLoad();
    }

    std::string Saved()
    {
        FForm.ExecuteSettingsSave();
        return TTempFolder::Read(FFolder.File("Settings.ini"));
    }

    template <typename T> static T& Control(QDialog& dialog, const char* name)
    {
        T* control = dialog.findChild<T*>(name);
        EXPECT_NE(control, nullptr) << name;
        return *control;
    }

    static QLabel& Sample(QDialog& dialog) { return Control<QLabel>(dialog, "SampleLabel"); }

    TTempFolder FFolder;
    TTestDesktop FDesktop;
    TScopedTestDesktop FScope{FDesktop};
    TAppMainForm FForm{FFolder.File("Settings.ini")};
};
} // namespace

TEST_F(ViewHandlerTest, TogglesHideAndShowTheBarsIndependently)
{
    struct TCase
    {
        TAppMainForm::TActionId Action;
        QWidget* Bar;
        QWidget* OtherBar;
        TAppMainForm::TActionId OtherAction;
    };
    const TCase cases[] = {
        {TAppMainForm::ViewToolbarAction, &Toolbar(), FForm.GetStatusBar(),
         TAppMainForm::ViewStatusBarAction},
        {TAppMainForm::ViewStatusBarAction, FForm.GetStatusBar(), &Toolbar(),
         TAppMainForm::ViewToolbarAction},
    };
    for (const TCase& test : cases)
    {
        QAction* action = FForm.Action(test.Action);
        ASSERT_TRUE(action->isChecked());
        FForm.ExecuteAction(test.Action);
        FForm.UpdateAllActions();
        EXPECT_TRUE(test.Bar->isHidden());
        EXPECT_FALSE(action->isChecked());
        EXPECT_FALSE(test.OtherBar->isHidden());
        EXPECT_TRUE(FForm.Action(test.OtherAction)->isChecked());

        FForm.ExecuteAction(test.Action);
        FForm.UpdateAllActions();
        EXPECT_FALSE(test.Bar->isHidden());
        EXPECT_TRUE(action->isChecked());
    }
}

TEST_F(ViewHandlerTest, DesignLookIsTheDefault)
{
    EXPECT_EQ(View().GetViewOptions(), TViewOptions());
    EXPECT_EQ(MessageArea().palette().color(QPalette::Window), QColor(Qt::white));
    EXPECT_EQ(MessageArea().palette().color(QPalette::WindowText),
              QApplication::palette().color(QPalette::WindowText));
    EXPECT_EQ(MessageArea().font().pointSize(), 12);
}

TEST_F(ViewHandlerTest, SettingsRoundTripUnchanged)
{
    const std::string sections = "[ViewHandler.ControlOptions]\r\n"
                                 "ShowToolbar=0\r\n"
                                 "ShowStatusBar=1\r\n"
                                 "\r\n"
                                 "[ViewHandler.MessageOptions]\r\n"
                                 "BackgroundColor=65280\r\n"
                                 "ForegroundColor=16711680\r\n"
                                 "FontName=Serif\r\n"
                                 "FontStyles=1010\r\n"
                                 "FontSize=20\r\n"
                                 "\r\n";
    Load(sections);
    EXPECT_TRUE(Toolbar().isHidden());
    EXPECT_EQ(MessageArea().palette().color(QPalette::Window), QColor(0, 255, 0));
    EXPECT_EQ(MessageArea().palette().color(QPalette::WindowText), QColor(0, 0, 255));
    const QFont font = MessageArea().font();
    EXPECT_EQ(font.family(), "Serif");
    EXPECT_TRUE(font.bold());
    EXPECT_FALSE(font.italic());
    EXPECT_TRUE(font.underline());
    EXPECT_FALSE(font.strikeOut());
    EXPECT_EQ(font.pointSize(), 20);
    EXPECT_NE(Saved().find(sections), std::string::npos);
}

TEST_F(ViewHandlerTest, OnlyTheBackgroundKeyChangesOnlyTheBackground)
{
    Load("[ViewHandler.MessageOptions]\r\nBackgroundColor=255\r\n");
    TMessageOptions expected;
    expected.BackgroundColor = 255;
    EXPECT_EQ(View().GetMessageOptions(), expected);
    EXPECT_EQ(View().GetControlOptions(), TControlOptions());
    EXPECT_EQ(MessageArea().palette().color(QPalette::Window), QColor(255, 0, 0));
    // The text keeps the system's window-text colour, and is saved as that colour.
    EXPECT_NE(Saved().find("ForegroundColor=-2147483640\r\n"), std::string::npos);
}

TEST_F(ViewHandlerTest, FontStylesAreReadLeniently)
{
    struct TCase
    {
        const char* Text;
        TFontStyles Styles;
    };
    const TCase cases[] = {
        {"1", {true, false, false, false}},      {"0111", {false, true, true, true}},
        {"", {false, false, false, false}},      {"x0y", {true, false, true, false}},
        {"00001", {false, false, false, false}},
    };
    for (const TCase& test : cases)
    {
        SCOPED_TRACE(test.Text);
        TMessageOptions all;
        all.FontStyles = {true, true, true, true};
        View().SetMessageOptions(all);
        Load(std::string("[ViewHandler.MessageOptions]\r\nFontStyles=") + test.Text + "\r\n");
        EXPECT_EQ(View().GetMessageOptions().FontStyles, test.Styles);
        const QFont font = MessageArea().font();
        EXPECT_EQ(font.bold(), test.Styles.Bold);
        EXPECT_EQ(font.italic(), test.Styles.Italic);
        EXPECT_EQ(font.underline(), test.Styles.Underline);
        EXPECT_EQ(font.strikeOut(), test.Styles.StrikeOut);
    }
}

TEST_F(ViewHandlerTest, UnusableFontSizeKeepsTheCurrentSize)
{
    for (const char* size : {"large", "0", "-5", "100000"})
    {
        SCOPED_TRACE(size);
        Load(std::string("[ViewHandler.MessageOptions]\r\nFontSize=") + size + "\r\n");
        EXPECT_EQ(View().GetMessageOptions().FontSize, 12);
        EXPECT_EQ(MessageArea().font().pointSize(), 12);
    }
}

TEST_F(ViewHandlerTest, SystemColoursShowThePaletteAndStayStored)
{
    // 5 is the window colour, 18 the button text; both keep their stored value.
    Load("[ViewHandler.MessageOptions]\r\nBackgroundColor=-2147483643\r\n"
         "ForegroundColor=-2147483630\r\n");
    EXPECT_EQ(MessageArea().palette().color(QPalette::Window),
              QApplication::palette().color(QPalette::Base));
    EXPECT_EQ(MessageArea().palette().color(QPalette::WindowText),
              QApplication::palette().color(QPalette::ButtonText));
    const std::string saved = Saved();
    EXPECT_NE(saved.find("BackgroundColor=-2147483643\r\n"), std::string::npos);
    EXPECT_NE(saved.find("ForegroundColor=-2147483630\r\n"), std::string::npos);
}

TEST_F(ViewHandlerTest, ColourEncodingPutsRedInTheLowByte)
{
    EXPECT_EQ(ColorFromQt(QColor(1, 2, 3)), 0x030201);
    EXPECT_EQ(ColorToQt(0x030201), QColor(1, 2, 3));
    EXPECT_EQ(ColorToQt(clWindowText), QApplication::palette().color(QPalette::WindowText));
}

TEST_F(ViewHandlerTest, CustomizeWithoutChangesTouchesNothing)
{
    TLookChanges changes(&MessageArea());
    TLookChanges toolbarChanges(&Toolbar());
    TViewOptions shown;
    FDesktop.OnDialog = [&](QDialog& dialog)
    {
        shown = static_cast<TAppViewDialog&>(dialog).Options;
        EXPECT_EQ(dialog.windowTitle(), "Customize");
        EXPECT_TRUE(Control<QCheckBox>(dialog, "ShowToolbarCheckBox").isChecked());
        EXPECT_EQ(Sample(dialog).text(), "\"Sample\" #1234567890");
        return true;
    };
    FForm.ExecuteAction(TAppMainForm::ViewCustomizeAction);
    EXPECT_EQ(shown, TViewOptions());
    // The system colour of the text stays a system colour: nothing was converted on the way.
    EXPECT_EQ(View().GetViewOptions(), TViewOptions());
    EXPECT_EQ(changes.Count, 0);
    EXPECT_EQ(toolbarChanges.Count, 0);
}

TEST_F(ViewHandlerTest, CustomizeChangesOnlyWhatWasEdited)
{
    Load("[ViewHandler.ControlOptions]\r\nShowStatusBar=0\r\n");
    QColor offered;
    FDesktop.OnColorDialog = [&](QColor& color)
    {
        offered = color;
        color = QColor(10, 20, 30);
        return true;
    };
    FDesktop.OnDialog = [&](QDialog& dialog)
    {
        Control<QPushButton>(dialog, "BackgroundColorButton").click();
        EXPECT_EQ(Sample(dialog).palette().color(QPalette::Window), QColor(10, 20, 30));
        return true;
    };
    FForm.ExecuteAction(TAppMainForm::ViewCustomizeAction);
    EXPECT_EQ(offered, QColor(Qt::white));
    TViewOptions expected;
    expected.ControlOptions.ShowStatusBar = false;
    expected.MessageOptions.BackgroundColor = ColorFromQt(QColor(10, 20, 30));
    EXPECT_EQ(View().GetViewOptions(), expected);
    EXPECT_EQ(MessageArea().palette().color(QPalette::Window), QColor(10, 20, 30));
    EXPECT_TRUE(FForm.GetStatusBar()->isHidden());
    EXPECT_FALSE(Toolbar().isHidden());
}

TEST_F(ViewHandlerTest, CancelLeavesTheWindowAndTheNextUseStartsFromIt)
{
    FDesktop.OnColorDialog = [](QColor& color)
    {
        color = QColor(200, 0, 0);
        return true;
    };
    FDesktop.OnDialog = [&](QDialog& dialog)
    {
        Control<QPushButton>(dialog, "BackgroundColorButton").click();
        Control<QPushButton>(dialog, "ForegroundColorButton").click();
        Control<QCheckBox>(dialog, "ShowToolbarCheckBox").setChecked(false);
        return false;
    };
    TLookChanges changes(&MessageArea());
    EXPECT_THROW(FForm.ExecuteAction(TAppMainForm::ViewCustomizeAction), EAbort);
    EXPECT_EQ(changes.Count, 0);
    EXPECT_EQ(View().GetViewOptions(), TViewOptions());

    FDesktop.OnDialog = [&](QDialog& dialog)
    {
        EXPECT_EQ(Sample(dialog).palette().color(QPalette::Window), QColor(Qt::white));
        EXPECT_TRUE(Control<QCheckBox>(dialog, "ShowToolbarCheckBox").isChecked());
        EXPECT_EQ(static_cast<TAppViewDialog&>(dialog).Options, View().GetViewOptions());
        return true;
    };
    FForm.ExecuteAction(TAppMainForm::ViewCustomizeAction);
    EXPECT_EQ(View().GetViewOptions(), TViewOptions());
}

TEST_F(ViewHandlerTest, CancelledPickersChangeNothingInTheDialog)
{
    FDesktop.OnColorDialog = [](QColor& color)
    {
        color = QColor(1, 1, 1);
        return false;
    };
    FDesktop.OnFontDialog = [](QFont& font)
    {
        font.setPointSize(40);
        return false;
    };
    FDesktop.OnDialog = [&](QDialog& dialog)
    {
        for (const char* button : {"BackgroundColorButton", "ForegroundColorButton", "FontButton"})
            Control<QPushButton>(dialog, button).click();
        return true;
    };
    FForm.ExecuteAction(TAppMainForm::ViewCustomizeAction);
    EXPECT_EQ(View().GetViewOptions(), TViewOptions());
}

TEST_F(ViewHandlerTest, FontPickerSetsTypefaceStylesAndSizeButNotColour)
{
    Load("[ViewHandler.MessageOptions]\r\nForegroundColor=255\r\n");
    QFont offered;
    FDesktop.OnFontDialog = [&](QFont& font)
    {
        offered = font;
        font.setFamily("Serif");
        font.setItalic(true);
        font.setPointSize(16);
        return true;
    };
    FDesktop.OnDialog = [&](QDialog& dialog)
    {
        Control<QPushButton>(dialog, "FontButton").click();
        return true;
    };
    FForm.ExecuteAction(TAppMainForm::ViewCustomizeAction);
    EXPECT_EQ(offered.pointSize(), 12);
    EXPECT_FALSE(offered.italic());
    TMessageOptions expected;
    expected.ForegroundColor = 255;
    expected.FontName = "Serif";
    expected.FontStyles.Italic = true;
    expected.FontSize = 16;
    EXPECT_EQ(View().GetMessageOptions(), expected);
    EXPECT_EQ(MessageArea().palette().color(QPalette::WindowText), QColor(255, 0, 0));
}

TEST_F(ViewHandlerTest, FontPickerKeepsDefaultWhenTheTypefaceStays)
{
    FDesktop.OnFontDialog = [](QFont& font)
    {
        // The picker answers with the typeface the default stands for.
        font.setFamily(QFontInfo(font).family());
        font.setBold(true);
        return true;
    };
    FDesktop.OnDialog = [&](QDialog& dialog)
    {
        Control<QPushButton>(dialog, "FontButton").click();
        return true;
    };
    FForm.ExecuteAction(TAppMainForm::ViewCustomizeAction);
    EXPECT_EQ(View().GetMessageOptions().FontName, "Default");
    EXPECT_TRUE(View().GetMessageOptions().FontStyles.Bold);
}

TEST_F(ViewHandlerTest, DialogStartsOnTheFirstCheckBoxAndTabsInOrder)
{
    std::vector<std::string> order;
    QWidget* focused = nullptr;
    FDesktop.OnDialog = [&](QDialog& dialog)
    {
        focused = dialog.focusWidget();
        QWidget* widget = focused;
        for (int i = 0; i < 7 && widget != nullptr; widget = widget->nextInFocusChain())
        {
            if (widget->focusPolicy() & Qt::TabFocus)
            {
                order.push_back(widget->objectName().toStdString());
                ++i;
            }
        }
        return false;
    };
    EXPECT_THROW(FForm.ExecuteAction(TAppMainForm::ViewCustomizeAction), EAbort);
    ASSERT_NE(focused, nullptr);
    EXPECT_EQ(focused->objectName(), "ShowToolbarCheckBox");
    EXPECT_EQ(order, (std::vector<std::string>{"ShowToolbarCheckBox", "ShowStatusBarCheckBox",
                                               "BackgroundColorButton", "ForegroundColorButton",
                                               "FontButton", "OkButton", "CancelButton"}));
}
