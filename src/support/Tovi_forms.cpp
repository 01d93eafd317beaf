#include "Tovi_forms.h"

#include "Tovi_exceptions.h"

#include <algorithm>

#include <QCoreApplication>
#include <QGuiApplication>
#include <QRect>
#include <QScreen>
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

// How much of the title area must lie on a screen for the window to be reachable.
constexpr int MinVisible = 48;

QRect RectToQt(const TRect& rect)
{
    // A hand-edited Settings.ini may hold any numbers: no overflow, no negative size.
    const auto extent = [](int from, int to)
    {
        return static_cast<int>(
            std::clamp<long long>(static_cast<long long>(to) - from, 0, QWIDGETSIZE_MAX));
    };
    const auto origin = [](int at) { return std::clamp(at, -QWIDGETSIZE_MAX, QWIDGETSIZE_MAX); };
    return QRect(origin(rect.Left), origin(rect.Top), extent(rect.Left, rect.Right),
                 extent(rect.Top, rect.Bottom));
}

long long OverlapArea(const QRect& a, const QRect& b)
{
    const QRect common = a.intersected(b);
    return common.isEmpty() ? 0 : static_cast<long long>(common.width()) * common.height();
}

// The available area of the screen the rectangle lies on most, else of the primary screen.
QRect AvailableAreaFor(const QRect& frame)
{
    QRect best = QGuiApplication::primaryScreen()->availableGeometry();
    long long bestArea = 0;
    for (const QScreen* screen : QGuiApplication::screens())
    {
        const long long area = OverlapArea(frame, screen->availableGeometry());
        if (area > bestArea)
        {
            bestArea = area;
            best = screen->availableGeometry();
        }
    }
    return best;
}

// The window's top row on the screen, wide enough to grab: the window can be reached and moved.
bool TitleReachable(const QRect& window, const QRect& area)
{
    const int overlap =
        std::min(window.right(), area.right()) - std::max(window.left(), area.left());
    return window.top() >= area.top() && window.top() <= area.bottom() - MinVisible &&
           overlap >= std::min(MinVisible, window.width() - 1);
}

// A rectangle that fits (the frame no larger than the screen, the top of the window in reach)
// is kept exactly; any other is made at most the screen's size and moved wholly onto it.
QRect UsableRect(const QWidget& form, const QRect& wanted)
{
    const QMargins frameMargins(form.geometry().left() - form.frameGeometry().left(),
                                form.geometry().top() - form.frameGeometry().top(),
                                form.frameGeometry().right() - form.geometry().right(),
                                form.frameGeometry().bottom() - form.geometry().bottom());
    QRect frame = wanted.marginsAdded(frameMargins);
    const QRect area = AvailableAreaFor(frame);
    if (frame.width() <= area.width() && frame.height() <= area.height() &&
        TitleReachable(wanted, area))
        return wanted;
    frame.setSize(frame.size().boundedTo(area.size()));
    frame.moveTo(std::clamp(frame.left(), area.left(), area.right() + 1 - frame.width()),
                 std::clamp(frame.top(), area.top(), area.bottom() + 1 - frame.height()));
    return frame.marginsRemoved(frameMargins);
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
    form.setGeometry(UsableRect(form, RectToQt(placement.NormalPosition)));
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
