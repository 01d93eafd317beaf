#pragma once

#include "App_Handlers.h"
#include "App_ViewOptions.h"

class QPlainTextEdit;
class QMainWindow;
class QToolBar;
class TSimpleStatusBar;

// Owns how the main window looks: bars, message-area look, placement.
class TViewHandler : public THandler
{
public:
    TViewHandler(QMainWindow* window, QToolBar* toolbar, TSimpleStatusBar* statusBar,
                 QPlainTextEdit* messageArea);

    TControlOptions GetControlOptions() const;
    TMessageOptions GetMessageOptions() const;
    TViewOptions GetViewOptions() const;

    void LoadSettings(TMemIniFile& settings) override;
    void SaveSettings(TMemIniFile& settings) override;

    virtual void SetControlOptions(const TControlOptions& options);
    virtual bool CanSetControlOptions();
    virtual void SetMessageOptions(const TMessageOptions& options);
    virtual bool CanSetMessageOptions();
    virtual void SetViewOptions(const TViewOptions& options);
    virtual bool CanSetViewOptions();
    virtual void Customize();
    virtual bool CanCustomize();

private:
    void LoadForm(const TMemIniFile& settings);
    void LoadControlOptions(const TMemIniFile& settings);
    void LoadMessageOptions(const TMemIniFile& settings);

    QMainWindow* FWindow;
    QToolBar* FToolbar;
    TSimpleStatusBar* FStatusBar;
    QPlainTextEdit* FMessageArea;
};
