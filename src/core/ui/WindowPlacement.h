#pragma once
// Where a window opens: whole inside the room it has, the main window's area
// for a child window and the screen for a top-level one. A window too big for
// its room opens smaller, though never below its smallest size; one that is
// too big even then keeps its top left corner, and so its title bar, in view.
#include <QList>
#include <QMargins>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QWidget>

// `frame` moved, and made smaller where it must (never below `smallest`), to lie inside `room`.
QRect fittedInside(const QRect& frame, const QSize& smallest, const QRect& room);

// The smallest size `window` takes: the minimum it sets, else the one its layout asks for.
QSize smallestSize(const QWidget* window);

// Installed on the application, keeps every top-level window (the main window,
// a dialog or message box, the help window) on its screen as it opens: where
// Qt places it, unless that would leave the screen.
class ScreenPlacement : public QObject {
public:
    explicit ScreenPlacement(QWidget* mainWindow);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    static bool placedOnTheScreen(const QWidget* window);
    static void keepOnScreen(QWidget* window, const QMargins& frame);
    void placeOnceFramed(QWidget* window);

    QWidget* m_mainWindow;
    // Windows shown before the window system told their frame.
    QList<QPointer<QWidget>> m_awaitingFrame;
};
