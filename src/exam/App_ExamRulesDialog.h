#pragma once

#include "App_Exams.h"

#include <QDialog>

#include <memory>

class QCheckBox;
class QLineEdit;

namespace Ui
{
class AppExamRulesDialog;
}

// "Details": edits all eight exam rules at once and checks the two numbers itself.
class TAppExamRulesDialog : public QDialog
{
public:
    // The rules shown when the dialog opens and, after OK, the rules as edited.
    TExamRules Rules;

    explicit TAppExamRulesDialog(QWidget* parent = nullptr);
    ~TAppExamRulesDialog() override;

    // Shows Rules, lets the user edit them; true (and Rules updated) only on OK.
    virtual bool Execute();

    void UpdateControls();

protected:
    void done(int result) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::unique_ptr<Ui::AppExamRulesDialog> FUi;
    // The numeric box the user has just left, checked once the focus has settled.
    QLineEdit* FLeftBox = nullptr;
    void WriteRulesToControls(const TExamRules& rules);
    TExamRules ReadRulesFromControls();
    int ReadNumber(QLineEdit* box);
    [[noreturn]] void RaiseEditError(QLineEdit* box);
    void FocusBox(QLineEdit* box);
    void CheckLeftBox();
    bool RefuseLeavingInvalidBox();
    bool FormCloseQuery();
};

// The one shared dialog, created on first use; it lives until the program ends.
TAppExamRulesDialog* GetAppExamRulesDialog();
