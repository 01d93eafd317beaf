#pragma once

#include "App_Handlers.h"

class QLabel;
class QMainWindow;
class QToolBar;
class TSimpleStatusBar;

struct TControlOptions
{
    bool ShowToolbar = true;
    bool ShowStatusBar = true;
    bool operator==(const TControlOptions&) const = default;
};

// Owns how the main window looks: bars, message-area look, placement.
class TViewHandler : public THandler
{
public:
    TViewHandler(QMainWindow* window, QToolBar* toolbar, TSimpleStatusBar* statusBar,
                 QLabel* messageArea);

    TControlOptions GetControlOptions() const;

    virtual void SetControlOptions(const TControlOptions& options);
    virtual bool CanSetControlOptions();
    virtual void Customize();
    virtual bool CanCustomize();

private:
    QMainWindow* FWindow;
    QToolBar* FToolbar;
    TSimpleStatusBar* FStatusBar;
    QLabel* FMessageArea;
};
