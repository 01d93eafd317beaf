// Keyboard and screen-reader access to the main window and the dialogs.
#include "App_ExamRulesDialog.h"
#include "App_FileHandler.h"
#include "App_FileHistoryDialog.h"
#include "App_HelpHandler.h"
#include "App_MainForm.h"
#include "App_StatusBar.h"
#include "App_ToolsDialog.h"
#include "App_ViewDialog.h"
#include "App_ViewHandler.h"
#include "App_Views.h"
#include "TempFolder.h"
#include "TestDesktop.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPalette>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <vector>

namespace
{
const char* const TwoCards = "[Card]\r\n"
                             "Question.Text=France\r\n"
                             "Answer.Text=Paris\r\n"
                             "Hint=Seine\r\n"
                             "[Card]\r\n"
                             "Question.Text=Norway\r\n"
                             "Answer.Text=Oslo\r\n";

// The Alt letter a caption claims, or 0.
int AltLetter(const QString& text)
{
    const QKeySequence key = QKeySequence::mnemonic(text);
    return key.isEmpty() ? 0 : key[0].toCombined();
}

// Every enabled control of the window that claims an Alt letter, by letter.
std::map<int, QStringList> AltLetters(QWidget& window)
{
    std::map<int, QStringList> owners;
    auto claim = [&owners](const QString& text, const QString& owner)
    {
        if (const int letter = AltLetter(text))
            owners[letter] << owner + " \"" + text + "\"";
    };
    auto usable = [&window](QWidget* widget)
    { return widget->isEnabled() && widget->isVisibleTo(&window); };
    for (QAbstractButton* button : window.findChildren<QAbstractButton*>())
        if (usable(button))
            claim(button->text(), button->objectName() + " (button)");
    for (QLabel* label : window.findChildren<QLabel*>())
        if (label->buddy() && usable(label->buddy()) && usable(label))
            claim(label->text(), label->objectName() + " (label)");
    for (QGroupBox* box : window.findChildren<QGroupBox*>())
        if (box->isCheckable() && usable(box))
            claim(box->title(), box->objectName() + " (group)");
    for (QMenuBar* bar : window.findChildren<QMenuBar*>())
        for (QAction* menu : bar->actions())
            if (menu->isVisible() && menu->isEnabled())
                claim(menu->text(), "menu");
    return owners;
}

void ExpectNoSharedAltLetter(QWidget& window)
{
    for (const auto& [letter, owners] : AltLetters(window))
        EXPECT_EQ(owners.size(), 1)
            << window.objectName().toStdString() << ": " << owners.join(", ").toStdString();
}

QString AccessibleText(QWidget* widget)
{
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
    QAccessibleTextInterface* text = face ? face->textInterface() : nullptr;
    return text ? text->text(0, text->characterCount()) : QString();
}

class AccessibilityTest : public ::testing::Test
{
protected:
    TTempFolder Folder;
    TTestDesktop Desktop;
    TScopedTestDesktop Scope{Desktop};
    // A History.ini of its own: tests running at once must not share the one beside them.
    TAppMainForm Form{Folder.File("Settings.ini"), Folder.File("History.ini")};

    AccessibilityTest()
    {
        TExamRules rules = Form.GetFileHandler()->GetExamRules();
        rules.Shuffle = false;
        Form.GetFileHandler()->SetExamRules(rules);
        Form.UpdateAllActions();
    }

    QPlainTextEdit* Area() { return Form.findChild<QPlainTextEdit*>("MessageArea"); }
    QLineEdit* StatusText() { return Form.GetStatusBar()->findChild<QLineEdit*>(); }

    void Show()
    {
        Form.show();
        Form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&Form));
    }

    void StartExam()
    {
        Form.GetFileHandler()->OpenFile(Folder.Write("Deck.txt", TwoCards));
        Form.UpdateAllActions();
        Form.ExecuteAction(TAppMainForm::ExamStartAction);
        Form.UpdateAllActions();
    }

    void ExpectEveryMenuOpensByItsLetter()
    {
        for (const char* menu : {"&File", "&Edit", "&View", "E&xam", "&Tools", "&Help"})
        {
            QTest::keyClick(&Form, static_cast<Qt::Key>(AltLetter(menu) & ~Qt::AltModifier),
                            Qt::AltModifier);
            auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            ASSERT_NE(popup, nullptr) << menu;
            EXPECT_EQ(popup->title(), menu);
            popup->close();
        }
    }

    // How often the action ran while the keys were pressed.
    int Runs(TAppMainForm::TActionId id, Qt::Key key, Qt::KeyboardModifiers modifiers)
    {
        int runs = 0;
        const QMetaObject::Connection counter =
            QObject::connect(Form.Action(id), &QAction::triggered, [&runs] { ++runs; });
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
        QObject::disconnect(counter);
        Form.UpdateAllActions();
        return runs;
    }
};

TEST_F(AccessibilityTest, NoTwoEnabledControlsShareAnAltLetterWithOrWithoutAnExam)
{
    Show(); // the toolbar lays out its buttons only when shown
    Form.setObjectName("no deck");
    ExpectNoSharedAltLetter(Form);
    StartExam();
    Form.setObjectName("exam");
    ASSERT_TRUE(Form.Action(TAppMainForm::ExamMoveGoForwardAction)->isEnabled());
    ExpectNoSharedAltLetter(Form);
    // The exam buttons show their letters; the toolbar's buttons show images and claim none.
    EXPECT_EQ(AltLetters(Form).count(AltLetter("&Retry")), 1);
    EXPECT_EQ(AltLetters(Form).count(AltLetter("Hi&nt")), 1);
}

// Each dialog: no shared Alt letter, and every control a screen reader can name.
TEST_F(AccessibilityTest, DialogControlsHaveOwnLettersAndNames)
{
    QDialog* dialogs[] = {GetAppExamRulesDialog(), GetAppFileHistoryDialog(), GetAppToolsDialog(),
                          &GetAppViewDialog()};
    for (QDialog* dialog : dialogs)
    {
        ExpectNoSharedAltLetter(*dialog);
        for (QWidget* control : dialog->findChildren<QWidget*>())
        {
            if (!(control->focusPolicy() & Qt::TabFocus) || !control->isVisibleTo(dialog))
                continue;
            QAccessibleInterface* face = QAccessible::queryAccessibleInterface(control);
            ASSERT_NE(face, nullptr);
            EXPECT_FALSE(face->text(QAccessible::Name).isEmpty())
                << dialog->objectName().toStdString() << ": "
                << control->objectName().toStdString();
        }
    }
}

TEST_F(AccessibilityTest, MenusOpenWithOrWithoutAnExamAndExamKeysActAtOnce)
{
    Show();
    ExpectEveryMenuOpensByItsLetter();
    StartExam();
    ExpectEveryMenuOpensByItsLetter();
    EXPECT_EQ(Runs(TAppMainForm::ExamHintAction, Qt::Key_N, Qt::AltModifier), 1);
    EXPECT_EQ(Runs(TAppMainForm::ExamRetryAction, Qt::Key_R, Qt::AltModifier), 1);
    EXPECT_EQ(Runs(TAppMainForm::ExamProceedAction, Qt::Key_P, Qt::AltModifier), 1);
    // Ctrl+C copies the whole text even from inside the area, with a selection there.
    Area()->setFocus();
    Area()->selectAll();
    EXPECT_EQ(Runs(TAppMainForm::EditCopyMessagesAction, Qt::Key_C, Qt::ControlModifier), 1);
    ASSERT_FALSE(Desktop.ClipboardTexts.empty());
    EXPECT_EQ(Desktop.ClipboardTexts.back(), Form.GetMainView()->GetMessages());
    // The area keeps none of the window's keys for itself.
    EXPECT_EQ(Runs(TAppMainForm::ExamMoveGoBackAction, Qt::Key_Left, Qt::AltModifier), 1);
    EXPECT_EQ(Runs(TAppMainForm::ExamStopAction, Qt::Key_Escape, Qt::NoModifier), 1);
}

// What a screen reader reads. The offscreen platform has no accessibility bridge, so Qt sends
// no change events here; the screen-reader check end to end hears them announced.
TEST_F(AccessibilityTest, MessageAreaAndStatusLineHandTheirTextToAScreenReader)
{
    StartExam();
    EXPECT_EQ(AccessibleText(Area()), "Q. France\n");
    const QString status = Form.GetStatusBar()->Text();
    EXPECT_EQ(status, "Card 1 of 2");
    EXPECT_EQ(AccessibleText(StatusText()), status);
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(StatusText());
    EXPECT_EQ(face->text(QAccessible::Value), status);
    EXPECT_EQ(face->text(QAccessible::Name), "Status");
}

TEST_F(AccessibilityTest, LongTextScrollsWithTheNewestLineInView)
{
    Form.resize(500, 350);
    Show();
    TMainView& view = *Form.GetMainView();
    for (int line = 0; line < 200; ++line)
        view.AddMessage("Line " + std::to_string(line));
    QScrollBar* bar = Area()->verticalScrollBar();
    EXPECT_GT(bar->maximum(), 0);
    EXPECT_EQ(bar->value(), bar->maximum());
    EXPECT_EQ(Area()->toPlainText().count('\n'), 200);
}

TEST_F(AccessibilityTest, MessageAreaContextMenuIsTheProgramsOwn)
{
    Show();
    emit Area()->customContextMenuRequested(QPoint(5, 5));
    auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(popup, nullptr);
    EXPECT_TRUE(popup->actions().contains(Form.Action(TAppMainForm::EditCopyMessagesAction)));
    popup->close();
}

// The three exam buttons come first on Tab; the message area can be reached after them.
TEST_F(AccessibilityTest, TabReachesTheButtonsFirstAndThenTheMessageArea)
{
    Show();
    StartExam();
    QTest::keyClick(&Form, Qt::Key_Tab);
    QStringList order;
    for (int stop = 0; stop < 4; ++stop)
    {
        order << QApplication::focusWidget()->objectName();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    EXPECT_EQ(order.join(' ').toStdString(), "ProceedButton RetryButton HintButton MessageArea");
}
// The real boxes, as the About command and a confirmation show them: the text as lines with no
// "\r", buttons with letters of their own.
TEST_F(AccessibilityTest, MessageBoxTextReadsAsLines)
{
    const std::function<void(TDesktop&)> boxes[] = {
        [](TDesktop& desktop) { desktop.ShowMessage(THelpHandler::AboutText); },
        [](TDesktop& desktop) { desktop.Confirm("One line.\r\nTwo lines.\r\nThree lines."); }};
    for (const auto& show : boxes)
    {
        QString name;
        QTimer::singleShot(
            0, &Form,
            [&name]
            {
                auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget());
                ASSERT_NE(box, nullptr);
                ExpectNoSharedAltLetter(*box);
                auto* label = box->findChild<QLabel*>("qt_msgbox_label");
                ASSERT_NE(label, nullptr);
                name = QAccessible::queryAccessibleInterface(label)->text(QAccessible::Name);
                box->done(0);
            });
        TDesktop desktop;
        show(desktop);
        EXPECT_FALSE(name.contains('\r'));
        EXPECT_EQ(name.split('\n').size(), 3) << name.toStdString();
    }
}

// A dark palette's window text is white: on the area's white it gives way to black, while the
// settings keep naming the system colour. A colour chosen by the user is shown as chosen.
TEST(MessageLook, SystemTextColourStaysReadableOnEveryPalette)
{
    const QPalette original = QApplication::palette();
    QPalette dark = original;
    dark.setColor(QPalette::Window, QColor(0x30, 0x30, 0x30));
    dark.setColor(QPalette::WindowText, Qt::white);
    QApplication::setPalette(dark);
    {
        TTempFolder folder;
        TAppMainForm form(folder.File("Settings.ini"));
        auto* area = form.findChild<QPlainTextEdit*>("MessageArea");
        EXPECT_EQ(area->palette().color(QPalette::Base), QColor(Qt::white));
        EXPECT_EQ(area->palette().color(QPalette::Text), QColor(Qt::black));
        TMessageOptions options = form.GetViewHandler()->GetMessageOptions();
        EXPECT_EQ(options.ForegroundColor, clWindowText);
        options.BackgroundColor = 0x202020;
        form.GetViewHandler()->SetMessageOptions(options);
        EXPECT_EQ(area->palette().color(QPalette::Text), QColor(Qt::white));
        options.ForegroundColor = 0x303030; // chosen: kept although hard to read
        form.GetViewHandler()->SetMessageOptions(options);
        EXPECT_EQ(area->palette().color(QPalette::Text), QColor(0x30, 0x30, 0x30));
        EXPECT_EQ(form.GetViewHandler()->GetMessageOptions(), options);
    }
    QApplication::setPalette(original);
}
} // namespace
