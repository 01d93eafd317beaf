#include "App_ExamRulesDialog.h"

#include "ui_App_ExamRulesDialog.h"

#include "Tovi_desktop.h"
#include "Tovi_exceptions.h"

#include <QCheckBox>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>

#include <utility>

TAppExamRulesDialog::TAppExamRulesDialog(QWidget* parent)
    : QDialog(parent), FUi(std::make_unique<Ui::AppExamRulesDialog>())
{
    FUi->setupUi(this);
    setFixedSize(size());
    for (QCheckBox* box : {FUi->Field13, FUi->Field14, FUi->Field15})
        connect(box, &QCheckBox::clicked, this, [this] { UpdateControls(); });
    FUi->Field17->installEventFilter(this);
    FUi->Field1A->installEventFilter(this);
    // Accelerators of check boxes and labels move the focus too.
    for (QWidget* control : findChildren<QCheckBox*>())
        control->installEventFilter(this);
    for (QWidget* control : findChildren<QLabel*>())
        control->installEventFilter(this);
    WriteRulesToControls(Rules);
}

TAppExamRulesDialog::~TAppExamRulesDialog() = default;

bool TAppExamRulesDialog::Execute()
{
    WriteRulesToControls(Rules);
    FUi->Field11->setFocus(Qt::OtherFocusReason);
    CentreOnMainWindow(*this);
    return Desktop().ExecuteDialog(*this);
}

void TAppExamRulesDialog::UpdateControls()
{
    const bool limitTime = FUi->Field15->isChecked();
    FUi->Field16->setEnabled(limitTime);
    FUi->Field17->setEnabled(limitTime);
    FUi->Field18->setEnabled(limitTime);
}

void TAppExamRulesDialog::done(int result)
{
    // Closing settles the box just left: OK reads every box, any other result none.
    FLeftBox = nullptr;
    if (result == Accepted && !FormCloseQuery())
        return;
    QDialog::done(result);
}

// Only a move the user made (not a window switch or the dialog's own focusing) checks the box
// left, and only once that move is complete: the check may show a modal error box.
bool TAppExamRulesDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Shortcut && RefuseLeavingInvalidBox())
        return true;
    if (event->type() == QEvent::FocusOut && (watched == FUi->Field17 || watched == FUi->Field1A))
    {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
            reason == Qt::MouseFocusReason || reason == Qt::ShortcutFocusReason)
        {
            FLeftBox = static_cast<QLineEdit*>(watched);
            QMetaObject::invokeMethod(
                this, [this] { CheckLeftBox(); }, Qt::QueuedConnection);
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TAppExamRulesDialog::WriteRulesToControls(const TExamRules& rules)
{
    FUi->Field11->setChecked(rules.Shuffle);
    FUi->Field12->setChecked(rules.Reverse);
    FUi->Field13->setChecked(rules.AutoHint);
    FUi->Field14->setChecked(rules.AutoAnswer);
    FUi->Field15->setChecked(rules.LimitTime);
    FUi->Field17->setText(QString::number(rules.TimeLimit));
    FUi->Field18->setChecked(rules.ChargeRetry);
    FUi->Field1A->setText(QString::number(rules.RetryInterval));
    UpdateControls();
}

// The time-limit box is read before the retry interval, even while it is disabled.
TExamRules TAppExamRulesDialog::ReadRulesFromControls()
{
    TExamRules rules;
    rules.Shuffle = FUi->Field11->isChecked();
    rules.Reverse = FUi->Field12->isChecked();
    rules.AutoHint = FUi->Field13->isChecked();
    rules.AutoAnswer = FUi->Field14->isChecked();
    rules.LimitTime = FUi->Field15->isChecked();
    rules.TimeLimit = ReadNumber(FUi->Field17);
    rules.ChargeRetry = FUi->Field18->isChecked();
    rules.RetryInterval = ReadNumber(FUi->Field1A);
    return rules;
}

int TAppExamRulesDialog::ReadNumber(QLineEdit* box)
{
    bool ok = false;
    const int value = box->text().trimmed().toInt(&ok, 10);
    if (!ok || value < 0)
        RaiseEditError(box);
    return value;
}

void TAppExamRulesDialog::RaiseEditError(QLineEdit* box)
{
    FocusBox(box);
    throw EInvalidOperation("Specify an integer greater than or equal to zero.");
}

// A disabled box cannot take the focus; the check box that enables it takes it instead, so
// the user lands where the number can be mended.
void TAppExamRulesDialog::FocusBox(QLineEdit* box)
{
    if (!box->isEnabled())
    {
        FUi->Field15->setFocus(Qt::OtherFocusReason);
        return;
    }
    box->setFocus(Qt::OtherFocusReason);
    box->selectAll();
}

// An accelerator gives no focus reason of its own; a bad number in the box it would leave is
// reported at once, and the accelerator does nothing, so the focus stays on the number.
bool TAppExamRulesDialog::RefuseLeavingInvalidBox()
{
    auto* box = qobject_cast<QLineEdit*>(focusWidget());
    if (box != FUi->Field17 && box != FUi->Field1A)
        return false;
    try
    {
        ReadNumber(box);
        return false;
    }
    catch (const EInvalidOperation& error)
    {
        Desktop().ShowError(error.Message());
        return true;
    }
}

void TAppExamRulesDialog::CheckLeftBox()
{
    QLineEdit* box = std::exchange(FLeftBox, nullptr);
    // Settled by closing meanwhile, back in the box, or on the way to Cancel (which must not
    // be held up by a number it throws away): nothing to say.
    if (!box || focusWidget() == box || focusWidget() == FUi->Button2)
        return;
    try
    {
        ReadNumber(box);
    }
    catch (const EInvalidOperation& error)
    {
        Desktop().ShowError(error.Message());
    }
}

bool TAppExamRulesDialog::FormCloseQuery()
{
    try
    {
        Rules = ReadRulesFromControls();
        return true;
    }
    catch (const EInvalidOperation& error)
    {
        Desktop().ShowError(error.Message());
        return false;
    }
}

TAppExamRulesDialog* GetAppExamRulesDialog()
{
    static TAppExamRulesDialog* dialog = new TAppExamRulesDialog();
    return dialog;
}
