#include "App_ViewDialog.h"

#include "Tovi_desktop.h"
#include "ui_App_ViewDialog.h"

#include <QColor>
#include <QFont>
#include <QPalette>

TAppViewDialog::TAppViewDialog(QWidget* parent)
    : QDialog(parent), FUi(std::make_unique<Ui::AppViewDialog>())
{
    FUi->setupUi(this);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    connect(FUi->BackgroundColorButton, &QPushButton::clicked, this,
            [this] { EditColor(QPalette::Window, &TMessageOptions::BackgroundColor); });
    connect(FUi->ForegroundColorButton, &QPushButton::clicked, this,
            [this] { EditColor(QPalette::WindowText, &TMessageOptions::ForegroundColor); });
    connect(FUi->FontButton, &QPushButton::clicked, this, &TAppViewDialog::EditFont);
}

TAppViewDialog::~TAppViewDialog() = default;

bool TAppViewDialog::Execute()
{
    PutOptions();
    if (QWidget* focused = focusWidget())
        focused->clearFocus();
    FUi->ShowToolbarCheckBox->setFocus();
    CentreOnMainWindow(*this);
    if (!Desktop().ExecuteDialog(*this))
        return false;
    Options = TakeOptions();
    return true;
}

void TAppViewDialog::PutOptions()
{
    FUi->ShowToolbarCheckBox->setChecked(Options.ControlOptions.ShowToolbar);
    FUi->ShowStatusBarCheckBox->setChecked(Options.ControlOptions.ShowStatusBar);
    SetMessageLook(*FUi->SampleLabel, Options.MessageOptions);
}

TViewOptions TAppViewDialog::TakeOptions() const
{
    return {{FUi->ShowToolbarCheckBox->isChecked(), FUi->ShowStatusBarCheckBox->isChecked()},
            GetMessageLook(*FUi->SampleLabel)};
}

void TAppViewDialog::EditColor(QPalette::ColorRole role, TColor TMessageOptions::*member)
{
    QColor color = FUi->SampleLabel->palette().color(role);
    if (!Desktop().ExecuteColorDialog(color))
        return;
    TMessageOptions look = GetMessageLook(*FUi->SampleLabel);
    look.*member = ColorFromQt(color);
    SetMessageLook(*FUi->SampleLabel, look);
}

void TAppViewDialog::EditFont()
{
    QFont font = FUi->SampleLabel->font();
    if (Desktop().ExecuteFontDialog(font))
        SetMessageFont(*FUi->SampleLabel, font);
}

TAppViewDialog& GetAppViewDialog()
{
    // Parentless and never freed: it lives until the program ends.
    static TAppViewDialog* dialog = new TAppViewDialog();
    return *dialog;
}
