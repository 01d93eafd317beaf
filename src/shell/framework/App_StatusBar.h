#pragma once

#include <QStatusBar>

class QLineEdit;

// A status bar with one simple panel of text. The text lives in a field of its own, so the
// menus' hover tips never wipe it; a read-only line field hands it to a screen reader as text
// and announces each change.
class TSimpleStatusBar : public QStatusBar
{
    Q_OBJECT

public:
    explicit TSimpleStatusBar(QWidget* parent = nullptr);

    void SetText(const QString& text);
    QString Text() const;

private:
    QLineEdit* FText;
};
