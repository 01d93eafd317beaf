#pragma once

#include "Tovi_events.h"

#include <string>

class QPlainTextEdit;
class QWidget;
class TSimpleStatusBar;

// The handlers' only access to the window's caption, message area and status bar.
class TMainView : public TObject
{
public:
    TMainView(QWidget* window, QPlainTextEdit* messageArea, TSimpleStatusBar* statusBar);

    virtual void AddMessage(const std::string& text);
    virtual void AddBlankLine();
    virtual void ClearMessages();

    void SetCaption(const std::string& text);
    std::string GetMessages() const;
    void SetMessages(const std::string& text);
    void SetStatus(const std::string& text);

private:
    QWidget* FWindow;
    QPlainTextEdit* FMessageArea;
    TSimpleStatusBar* FStatusBar;
    // The area's text as the handlers wrote it, "\r\n" line ends included.
    std::string FMessages;
};

// Folds any number of refresh requests into one update, delivered later.
class TUpdateNotifier : public TObject
{
public:
    TNotifyEvent OnNotify;
    TNotifyEvent OnUpdate;

    bool IsPending() const { return FPending; }

    virtual void DoNotify();
    virtual void DoUpdate();
    virtual void Notify();
    virtual void Update();
    virtual void ForceUpdate();

private:
    bool FPending = false;
};
