#include "App_Views.h"

#include "App_StatusBar.h"
#include "Tovi_programfiles.h"

#include <QLabel>
#include <QWidget>

TMainView::TMainView(QWidget* window, QLabel* messageArea, TSimpleStatusBar* statusBar)
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
    FMessages = text;
    // The label breaks lines at "\n"; the kept text has the exact "\r\n" line ends.
    QString shown = TextToQt(text);
    shown.remove(QLatin1Char('\r'));
    FMessageArea->setText(shown);
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
