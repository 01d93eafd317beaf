#pragma once

#include <QStatusBar>

class QLabel;

// A status bar with one simple panel of text. The text lives in a label of its own, so the
// menus' hover tips never wipe it.
class TSimpleStatusBar : public QStatusBar
{
    Q_OBJECT

public:
    explicit TSimpleStatusBar(QWidget* parent = nullptr);

    void SetText(const QString& text);
    QString Text() const;

private:
    QLabel* FText;
};
