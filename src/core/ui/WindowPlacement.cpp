#include "core/ui/WindowPlacement.h"

#include <QApplication>
#include <QEvent>
#include <QScreen>
#include <QWidget>
#include <QWindow>

QRect fittedInside(const QRect& frame, const QSize& smallest, const QRect& room)
{
    QRect fitted(frame.topLeft(), frame.size().boundedTo(room.size()).expandedTo(smallest));
    // In from the right and the bottom first: a window bigger than its room
    // then still shows its top left corner.
    if (fitted.right() > room.right())
        fitted.moveRight(room.right());
    if (fitted.bottom() > room.bottom())
        fitted.moveBottom(room.bottom());
    if (fitted.left() < room.left())
        fitted.moveLeft(room.left());
    if (fitted.top() < room.top())
        fitted.moveTop(room.top());
    return fitted;
}

QSize smallestSize(const QWidget* window)
{
    const QSize set = window->minimumSize();
    const QSize asked = window->minimumSizeHint().expandedTo(QSize(0, 0));
    return QSize(set.width() > 0 ? set.width() : asked.width(), set.height() > 0 ? set.height() : asked.height());
}

namespace {
// The title bar and borders the window system draws around `window`.
QMargins frameMargins(const QWidget* window)
{
    const QRect frame = window->frameGeometry();
    const QRect inner = window->geometry();
    return {inner.left() - frame.left(), inner.top() - frame.top(), frame.right() - inner.right(),
            frame.bottom() - inner.bottom()};
}

// The top-level widget whose window `window` is.
QWidget* widgetOf(const QWindow* window)
{
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget* widget : windows)
        if (widget->windowHandle() == window)
            return widget;
    return nullptr;
}
} // namespace

ScreenPlacement::ScreenPlacement(QWidget* mainWindow) : QObject(mainWindow), m_mainWindow(mainWindow) {}

bool ScreenPlacement::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Move && event->spontaneous() && !m_awaitingFrame.isEmpty() && watched->isWidgetType())
        placeOnceFramed(static_cast<QWidget*>(watched));
    if (event->type() != QEvent::Show || !watched->isWindowType())
        return false;
    // The window is about to appear on the screen. Qt has placed it by now as
    // it places every window (a dialog or message box centred over the window
    // that opened it, a message box sized to its wrapped text), so only what
    // would still leave the screen is mended, before the keeper sees it.
    // A window the keeper minimized comes back without being shown anew, and
    // stays where the keeper put it.
    QWidget* window = widgetOf(static_cast<QWindow*>(watched));
    if (!window || !placedOnTheScreen(window))
        return false;
    // Where the window system has not told the window's frame yet, the main
    // window's stands in for it, and the window is looked at again once its
    // own frame is known (the main window itself, under a window manager).
    QMargins margins = frameMargins(window);
    if (margins.isNull()) {
        m_awaitingFrame.removeIf([](const QPointer<QWidget>& w) { return w.isNull(); });
        m_awaitingFrame.append(window);
        margins = frameMargins(m_mainWindow);
    }
    keepOnScreen(window, margins);
    return false;
}

void ScreenPlacement::placeOnceFramed(QWidget* window)
{
    const QMargins margins = frameMargins(window);
    if (margins.isNull() || !m_awaitingFrame.removeOne(window))
        return;
    if (window->isVisible() && placedOnTheScreen(window))
        keepOnScreen(window, margins);
}

bool ScreenPlacement::placedOnTheScreen(const QWidget* window)
{
    const Qt::WindowType type = window->windowType();
    return (type == Qt::Window || type == Qt::Dialog) && window->screen()
           && !(window->windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen | Qt::WindowMinimized));
}

void ScreenPlacement::keepOnScreen(QWidget* window, const QMargins& margins)
{
    const QRect frame = window->geometry().marginsAdded(margins);
    const QRect room = window->screen()->availableGeometry();
    const QRect fitted = fittedInside(frame, smallestSize(window).grownBy(margins), room);
    if (fitted == frame)
        return;
    if (fitted.topLeft() == frame.topLeft()) {
        window->resize(fitted.marginsRemoved(margins).size());
        return;
    }
    // Moved here, a dialog still counts as placed by Qt, and is centred again
    // when it is shown again.
    const bool placedByTheProgram = window->testAttribute(Qt::WA_Moved);
    window->setGeometry(fitted.marginsRemoved(margins));
    window->setAttribute(Qt::WA_Moved, placedByTheProgram);
}
