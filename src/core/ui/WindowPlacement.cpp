#include "core/ui/WindowPlacement.h"

#include <QEvent>
#include <QScreen>
#include <QWidget>

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
} // namespace

ScreenPlacement::ScreenPlacement(QWidget* mainWindow) : QObject(mainWindow), m_mainWindow(mainWindow) {}

bool ScreenPlacement::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::Show || !watched->isWidgetType())
        return false;
    auto* window = static_cast<QWidget*>(watched);
    const Qt::WindowType type = window->windowType();
    if (window == m_mainWindow || !window->isWindow() || (type != Qt::Window && type != Qt::Dialog)
        || (window->windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)) || !window->screen())
        return false;
    // The window is not on the screen yet: placed now, it appears where it
    // belongs. Where the window system has not told its frame yet, the main
    // window's stands in for it.
    QMargins margins = frameMargins(window);
    if (margins.isNull())
        margins = frameMargins(m_mainWindow);
    const QRect frame = window->geometry().marginsAdded(margins);
    const QRect fitted = fittedInside(frame, smallestSize(window).grownBy(margins), window->screen()->availableGeometry());
    if (fitted != frame)
        window->setGeometry(fitted.marginsRemoved(margins));
    return false;
}
