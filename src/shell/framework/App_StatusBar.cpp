#include "App_StatusBar.h"

#include <QLabel>

TSimpleStatusBar::TSimpleStatusBar(QWidget* parent) : QStatusBar(parent), FText(new QLabel(this))
{
    setAccessibleName(tr("Status bar"));
    FText->setAccessibleName(tr("Status"));
    FText->setTextFormat(Qt::PlainText);
    addWidget(FText, 1);
}

void TSimpleStatusBar::SetText(const QString& text)
{
    FText->setText(text);
    FText->setAccessibleDescription(text);
}

QString TSimpleStatusBar::Text() const
{
    return FText->text();
}
