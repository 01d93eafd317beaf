#include "App_Views.h"

#include "App_StatusBar.h"
#include "Tovi_programfiles.h"

#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextCursor>
#include <QWidget>

TMainView::TMainView(QWidget* window, QPlainTextEdit* messageArea, TSimpleStatusBar* statusBar)
    : FWindow(window), FMessageArea(messageArea), FStatusBar(statusBar)
{
}

void TMainView::AddMessage(const std::string& text)
{
    SetMessages(GetMessages() + text + "\r\n");
}

void TMainView::AddBlankLine()
{
    AddMessage(std::string());
}

void TMainView::ClearMessages()
{
    SetMessages(std::string());
}

void TMainView::SetCaption(const std::string& text)
{
    // Qt takes "[*]" in a title for its modified mark; a file name may hold it literally.
    FWindow->setWindowTitle(
        TextToQt(text).replace(QStringLiteral("[*]"), QStringLiteral("[*][*]")));
}

std::string TMainView::GetMessages() const
{
    return FMessages;
}

void TMainView::SetMessages(const std::string& text)
{
    // The area shows "\n" line ends; the kept text has the exact "\r\n" ones. Text added at
    // the end is inserted alone, so that a screen reader announces just the new lines.
    const bool appended = text.size() > FMessages.size() && text.starts_with(FMessages);
    QString shown = TextToQt(appended ? text.substr(FMessages.size()) : text);
    shown.remove(QLatin1Char('\r'));
    if (appended)
    {
        QTextCursor cursor(FMessageArea->document());
        cursor.movePosition(QTextCursor::End);
        cursor.insertText(shown);
    }
    else
        FMessageArea->setPlainText(shown);
    FMessages = text;
    // The newest line stays in view, down to the empty line after the last line break.
    FMessageArea->moveCursor(QTextCursor::End);
    QScrollBar* bar = FMessageArea->verticalScrollBar();
    bar->setValue(bar->maximum());
}

void TMainView::SetStatus(const std::string& text)
{
    FStatusBar->SetText(TextToQt(text));
}

void TUpdateNotifier::DoNotify()
{
    if (OnNotify)
        OnNotify(this);
}

void TUpdateNotifier::DoUpdate()
{
    if (OnUpdate)
        OnUpdate(this);
}

void TUpdateNotifier::Notify()
{
    if (FPending)
        return;
    FPending = true;
    DoNotify();
}

void TUpdateNotifier::Update()
{
    if (!FPending)
        return;
    FPending = false;
    DoUpdate();
}

void TUpdateNotifier::ForceUpdate()
{
    FPending = false;
    DoUpdate();
}
