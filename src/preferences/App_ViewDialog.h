#pragma once

#include "App_ViewOptions.h"

#include <QDialog>
#include <QPalette>

#include <memory>

namespace Ui
{
class AppViewDialog;
}

// "Customize": the bars and the look of the message area, edited together on a sample.
class TAppViewDialog : public QDialog
{
    Q_OBJECT

public:
    explicit TAppViewDialog(QWidget* parent = nullptr);
    ~TAppViewDialog() override;

    // The options being edited: put into the controls by Execute, read back only on OK.
    TViewOptions Options;

    // True when the dialog closed with OK.
    virtual bool Execute();

private:
    void PutOptions();
    TViewOptions TakeOptions() const;
    void EditColor(QPalette::ColorRole role, TColor TMessageOptions::*member);
    void EditFont();

    std::unique_ptr<Ui::AppViewDialog> FUi;
};

// The shared dialog, created on first use and kept until the program ends.
TAppViewDialog& GetAppViewDialog();
