#include "App_StatusBar.h"

#include <QLineEdit>

TSimpleStatusBar::TSimpleStatusBar(QWidget* parent) : QStatusBar(parent), FText(new QLineEdit(this))
{
    setAccessibleName(tr("Status bar"));
    FText->setAccessibleName(tr("Status"));
    FText->setReadOnly(true);
    FText->setFrame(false);
    // Looks like the bar's own text; the keyboard's stops are the window's controls.
    FText->setFocusPolicy(Qt::NoFocus);
    FText->setStyleSheet(QStringLiteral("QLineEdit { background: transparent; }"));
    addWidget(FText, 1);
}

void TSimpleStatusBar::SetText(const QString& text)
{
    FText->setText(text);
    // A text wider than the bar shows its beginning.
    FText->setCursorPosition(0);
}

QString TSimpleStatusBar::Text() const
{
    return FText->text();
}
