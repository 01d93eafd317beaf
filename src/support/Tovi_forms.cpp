#include "Tovi_forms.h"

#include "Tovi_exceptions.h"

#include <algorithm>

#include <QCoreApplication>
#include <QRect>
#include <QWidget>
#include <QWindow>

namespace
{
const Qt::WindowStates PlacedStates =
    Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen;

// Creates the form's window when it has none yet; raises with the message when impossible.
void ProvideWindow(QWidget& form, const char* message)
{
    if (!form.isWindow())
        throw EInvalidOperation(message);
    form.winId();
    if (form.windowHandle() == nullptr)
        throw EInvalidOperation(message);
}

// Changes the window state and takes in the window system's answer at once: an answer that
// came late would make Qt record the maximised rectangle as the restored one.
void SettleWindowState(QWidget& form, Qt::WindowStates state)
{
    form.setWindowState(state);
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

TRect RectFromQt(const QRect& rect)
{
    return {rect.x(), rect.y(), rect.x() + rect.width(), rect.y() + rect.height()};
}

QRect RectToQt(const TRect& rect)
{
    // A hand-edited Settings.ini may hold any numbers: no overflow, no negative size.
    const auto extent = [](int from, int to)
    {
        return static_cast<int>(
            std::clamp<long long>(static_cast<long long>(to) - from, 0, QWIDGETSIZE_MAX));
    };
    return QRect(rect.Left, rect.Top, extent(rect.Left, rect.Right), extent(rect.Top, rect.Bottom));
}
} // namespace

TWindowPlacement GetFormPlacement(QWidget& form)
{
    ProvideWindow(form, "The program could not get the placement of the form.");
    // normalGeometry() is the client area, as setGeometry() takes it back: no drift by the frame.
    return {form.windowState() & ~Qt::WindowActive, RectFromQt(form.normalGeometry())};
}

void SetFormPlacement(QWidget& form, const TWindowPlacement& placement)
{
    ProvideWindow(form, "The program could not set the placement of the form.");
    const Qt::WindowStates active = form.windowState() & Qt::WindowActive;
    // The window system takes a restored rectangle only from a window in its normal state.
    if (form.windowState() & PlacedStates)
        SettleWindowState(form, active);
    form.setGeometry(RectToQt(placement.NormalPosition));
    if (placement.ShowState & PlacedStates)
        SettleWindowState(form, active | (placement.ShowState & ~Qt::WindowActive));
}

TRect GetFormNormalBounds(QWidget& form)
{
    return GetFormPlacement(form).NormalPosition;
}

void SetFormNormalBounds(QWidget& form, const TRect& bounds)
{
    TWindowPlacement placement = GetFormPlacement(form);
    placement.NormalPosition = bounds;
    SetFormPlacement(form, placement);
}
