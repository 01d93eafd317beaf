#include "App_ExamRulesDialog.h"
#include "TestDesktop.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace
{
const char* const NotANumber = "Specify an integer greater than or equal to zero.";

TExamRules SomeRules()
{
    return {true, false, true, false, true, 2500, false, 7};
}

// A dialog answered by a test: the test desktop hands it to Answer instead of showing it
// modally, and Answer shows it, works its controls and says how it closed.
class ExamRulesDialog : public ::testing::Test
{
protected:
    TTestDesktop Desktop;
    TScopedTestDesktop Scope{Desktop};
    TAppExamRulesDialog Dialog;

    template <typename T> T* Control(const char* name)
    {
        T* control = Dialog.findChild<T*>(name);
        EXPECT_NE(control, nullptr) << name;
        return control;
    }
    QLineEdit* TimeLimitBox() { return Control<QLineEdit>("Field17"); }
    QLineEdit* RetryIntervalBox() { return Control<QLineEdit>("Field1A"); }
    QCheckBox* LimitTimeBox() { return Control<QCheckBox>("Field15"); }

    // Runs Execute; answer works the shown dialog and the result is how it closed.
    bool Execute(const std::function<void()>& answer)
    {
        Desktop.OnDialog = [this, answer](QDialog& dialog)
        {
            EXPECT_EQ(&dialog, &Dialog);
            dialog.show();
            dialog.activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
            answer();
            QApplication::processEvents();
            const bool accepted = !dialog.isVisible() && dialog.result() == QDialog::Accepted;
            dialog.hide();
            return accepted;
        };
        return Dialog.Execute();
    }

    void Click(const char* button)
    {
        QTest::mouseClick(Control<QPushButton>(button), Qt::LeftButton);
        QApplication::processEvents();
    }

    // On the indicator: the box reacts only to clicks on its indicator and caption.
    void Tick(QCheckBox* box)
    {
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
    }

    void Type(QLineEdit* box, const QString& text)
    {
        box->setFocus(Qt::OtherFocusReason);
        box->selectAll();
        box->del();
        QTest::keyClicks(box, text);
    }
};

TEST_F(ExamRulesDialog, FreshDialogShowsEveryBoxClearedAndZeroes)
{
    EXPECT_TRUE(Dialog.Rules == TExamRules{});
    Execute(
        [this]
        {
            for (const char* name :
                 {"Field11", "Field12", "Field13", "Field14", "Field15", "Field18"})
                EXPECT_FALSE(Control<QCheckBox>(name)->isChecked()) << name;
            EXPECT_EQ(TimeLimitBox()->text(), "0");
            EXPECT_EQ(RetryIntervalBox()->text(), "0");
            EXPECT_FALSE(TimeLimitBox()->isEnabled());
            EXPECT_EQ(QApplication::focusWidget(), Control<QCheckBox>("Field11"));
            Click("Button2");
        });
}

TEST_F(ExamRulesDialog, OkReturnsTheEditedRulesAndTheNextExecuteShowsThem)
{
    Dialog.Rules = SomeRules();
    const bool accepted = Execute(
        [this]
        {
            EXPECT_EQ(TimeLimitBox()->text(), "2500");
            EXPECT_TRUE(Control<QCheckBox>("Field13")->isChecked());
            Tick(Control<QCheckBox>("Field12"));
            Type(TimeLimitBox(), "0");
            Type(RetryIntervalBox(), "0");
            // Leaving the limit off keeps its values, which are still read.
            Tick(LimitTimeBox());
            EXPECT_FALSE(TimeLimitBox()->isEnabled());
            EXPECT_FALSE(Control<QLabel>("Field16")->isEnabled());
            EXPECT_FALSE(Control<QCheckBox>("Field18")->isEnabled());
            Click("Button1");
        });
    EXPECT_TRUE(accepted);
    EXPECT_TRUE(Desktop.Errors.empty());
    EXPECT_TRUE(Dialog.Rules == (TExamRules{true, true, true, false, false, 0, false, 0}));
    Execute(
        [this]
        {
            EXPECT_TRUE(Control<QCheckBox>("Field12")->isChecked());
            EXPECT_EQ(TimeLimitBox()->text(), "0");
            EXPECT_EQ(QApplication::focusWidget(), Control<QCheckBox>("Field11"));
            Click("Button2");
        });
}

TEST_F(ExamRulesDialog, CancelAndTheCloseBoxKeepTheRules)
{
    Dialog.Rules = SomeRules();
    for (const std::function<void()>& close :
         {std::function<void()>(
              [this]
              {
                  // The focus moves on the press; the check of the box left runs before
                  // the release comes.
                  QPushButton* cancel = Control<QPushButton>("Button2");
                  QTest::mousePress(cancel, Qt::LeftButton);
                  QApplication::processEvents();
                  QTest::mouseRelease(cancel, Qt::LeftButton);
              }),
          std::function<void()>([this] { Dialog.close(); }),
          std::function<void()>([this] { QTest::keyClick(&Dialog, Qt::Key_Escape); })})
    {
        EXPECT_FALSE(Execute(
            [this, close]
            {
                Tick(Control<QCheckBox>("Field11"));
                Type(RetryIntervalBox(), "-3");
                close();
            }));
        EXPECT_TRUE(Dialog.Rules == SomeRules());
    }
    EXPECT_TRUE(Desktop.Errors.empty());
    Execute(
        [this]
        {
            EXPECT_TRUE(Control<QCheckBox>("Field11")->isChecked());
            EXPECT_EQ(RetryIntervalBox()->text(), "7");
            Click("Button2");
        });
}

struct TInvalidCase
{
    const char* TimeLimit;
    const char* RetryInterval;
    bool LimitTime;
    const char* FocusedControl;
};

class ExamRulesDialogNumbers : public ExamRulesDialog,
                               public ::testing::WithParamInterface<TInvalidCase>
{
};

TEST_P(ExamRulesDialogNumbers, OkWithAnInvalidNumberKeepsTheDialogOpenOnTheBox)
{
    Dialog.Rules = SomeRules();
    const bool accepted = Execute(
        [this]
        {
            // Typed as a user would, so the retry-interval box is left by the click on OK.
            Type(TimeLimitBox(), GetParam().TimeLimit);
            Type(RetryIntervalBox(), GetParam().RetryInterval);
            if (!GetParam().LimitTime)
                LimitTimeBox()->click();
            Click("Button1");
            EXPECT_TRUE(Dialog.isVisible());
            EXPECT_EQ(Desktop.Errors, std::vector<std::string>{NotANumber});
            ASSERT_NE(QApplication::focusWidget(), nullptr);
            EXPECT_EQ(QApplication::focusWidget()->objectName(), GetParam().FocusedControl);
            EXPECT_TRUE(Dialog.Rules == SomeRules());

            TimeLimitBox()->setText("10");
            RetryIntervalBox()->setText("0");
            Click("Button1");
        });
    EXPECT_TRUE(accepted);
    EXPECT_EQ(Desktop.Errors.size(), 1u);
    EXPECT_EQ(Dialog.Rules.TimeLimit, 10);
    EXPECT_EQ(Dialog.Rules.RetryInterval, 0);
}

INSTANTIATE_TEST_SUITE_P(Cases, ExamRulesDialogNumbers,
                         ::testing::Values(TInvalidCase{"abc", "4", true, "Field17"},
                                           TInvalidCase{"", "4", true, "Field17"},
                                           TInvalidCase{"-1", "4", true, "Field17"},
                                           TInvalidCase{"2147483648", "4", true, "Field17"},
                                           TInvalidCase{"3000", "x", true, "Field1A"},
                                           TInvalidCase{"3000", "-5", true, "Field1A"},
                                           TInvalidCase{"3000", "", true, "Field1A"},
                                           TInvalidCase{"no", "no", true, "Field17"},
                                           // The disabled box cannot take the focus; the
                                           // check box that enables it does.
                                           TInvalidCase{"no", "no", false, "Field15"}));

TEST_F(ExamRulesDialog, LeavingABoxWithAnInvalidNumberReportsItAndReturnsThere)
{
    Dialog.Rules = SomeRules();
    Execute(
        [this]
        {
            for (QLineEdit* box : {TimeLimitBox(), RetryIntervalBox()})
            {
                SCOPED_TRACE(box->objectName().toStdString());
                Desktop.Errors.clear();
                Type(box, "1x");
                QTest::keyClick(box, Qt::Key_Tab);
                QApplication::processEvents();
                EXPECT_EQ(Desktop.Errors, std::vector<std::string>{NotANumber});
                EXPECT_EQ(QApplication::focusWidget(), box);

                Type(box, "0");
                QTest::keyClick(box, Qt::Key_Backtab);
                QApplication::processEvents();
                EXPECT_EQ(Desktop.Errors.size(), 1u);
                EXPECT_NE(QApplication::focusWidget(), box);
            }
            Click("Button2");
        });
}

TEST_F(ExamRulesDialog, AnAcceleratorDoesNotLeaveABoxWithAnInvalidNumber)
{
    Dialog.Rules = SomeRules(); // the time is limited: both boxes are enabled
    Execute(
        [this]
        {
            Type(TimeLimitBox(), "abc");
            QTest::keyClick(TimeLimitBox(), Qt::Key_L, Qt::AltModifier);
            QApplication::processEvents();
            EXPECT_EQ(Desktop.Errors, std::vector<std::string>{NotANumber});
            EXPECT_EQ(QApplication::focusWidget(), TimeLimitBox());
            EXPECT_TRUE(LimitTimeBox()->isChecked());
            Type(TimeLimitBox(), "10");
            QTest::keyClick(TimeLimitBox(), Qt::Key_L, Qt::AltModifier);
            QApplication::processEvents();
            EXPECT_EQ(Desktop.Errors.size(), 1u);
            EXPECT_NE(QApplication::focusWidget(), TimeLimitBox());
            Click("Button2");
        });
}

TEST_F(ExamRulesDialog, TabOrderAndAcceleratorsFollowTheRows)
{
    Dialog.Rules = SomeRules();
    Execute(
        [this]
        {
            QStringList order;
            for (int i = 0; i < 10; ++i)
            {
                order << QApplication::focusWidget()->objectName();
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            }
            EXPECT_EQ(order.join(' ').toStdString(), "Field11 Field12 Field13 Field14 Field15 "
                                                     "Field17 Field18 Field1A Button1 Button2");
            EXPECT_EQ(Control<QLabel>("Field16")->buddy(), TimeLimitBox());
            EXPECT_EQ(Control<QLabel>("Field19")->buddy(), RetryIntervalBox());
            EXPECT_TRUE(Control<QPushButton>("Button1")->isDefault());
            Click("Button2");
        });
    EXPECT_TRUE(Desktop.Errors.empty());
}

TEST(ExamRulesDialogShared, IsOneDialogCaptionedDetails)
{
    TAppExamRulesDialog* dialog = GetAppExamRulesDialog();
    EXPECT_EQ(dialog, GetAppExamRulesDialog());
    EXPECT_EQ(dialog->windowTitle(), "Details");
    EXPECT_EQ(dialog->size(), QSize(431, 311));
    EXPECT_EQ(dialog->findChild<QGroupBox*>("Field1")->title(), "Rules");
}
} // namespace
