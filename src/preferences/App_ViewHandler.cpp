#include "App_ViewHandler.h"

#include "App_StatusBar.h"

#include <QLabel>
#include <QMainWindow>
#include <QToolBar>

TViewHandler::TViewHandler(QMainWindow* window, QToolBar* toolbar, TSimpleStatusBar* statusBar,
                           QLabel* messageArea)
    : FWindow(window), FToolbar(toolbar), FStatusBar(statusBar), FMessageArea(messageArea)
{
}

TControlOptions TViewHandler::GetControlOptions() const
{
    return {!FToolbar->isHidden(), !FStatusBar->isHidden()};
}

void TViewHandler::SetControlOptions(const TControlOptions& options)
{
    Guard(CanSetControlOptions());
    if (options == GetControlOptions())
        return;
    FToolbar->setVisible(options.ShowToolbar);
    FStatusBar->setVisible(options.ShowStatusBar);
}

bool TViewHandler::CanSetControlOptions()
{
    return true;
}

void TViewHandler::Customize()
{
    Guard(CanCustomize());
}

bool TViewHandler::CanCustomize()
{
    return false;
}
