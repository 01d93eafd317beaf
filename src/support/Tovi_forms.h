#pragma once

#include <Qt>

class QWidget;

// A rectangle in screen pixels; right and bottom are exclusive.
struct TRect
{
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    bool operator==(const TRect&) const = default;
};

// A top-level window's placement as the window system keeps it: whether it is maximised,
// minimised or full screen, and the rectangle it takes when restored.
struct TWindowPlacement
{
    Qt::WindowStates ShowState = Qt::WindowNoState;
    TRect NormalPosition;
};

// Each raises EInvalidOperation when the form is not a top-level window or its window cannot
// be created. The form's window is created first when it does not exist yet.
TWindowPlacement GetFormPlacement(QWidget& form);
void SetFormPlacement(QWidget& form, const TWindowPlacement& placement);
TRect GetFormNormalBounds(QWidget& form);
// Only the restored rectangle changes: a maximised window stays maximised.
void SetFormNormalBounds(QWidget& form, const TRect& bounds);
