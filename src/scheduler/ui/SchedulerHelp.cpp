#include "scheduler/ui/SchedulerHelp.h"

#include "core/ui/HelpWindow.h"

#include <QEvent>
#include <QKeyEvent>
#include <QWidget>

namespace {

// Sees F1 when it reaches the window: pressed on the window itself or on a
// control that has no use for it.
class HelpKey : public QObject {
public:
    HelpKey(QWidget* window, const QString& page) : QObject(window), m_window(window), m_page(page)
    {
        setObjectName(QStringLiteral("helpKey"));
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == m_window && event->type() == QEvent::KeyPress
            && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1) {
            showHelp();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    void showHelp()
    {
        auto* help = m_window->findChild<HelpWindow*>(QString(), Qt::FindDirectChildrenOnly);
        if (!help)
            help = new HelpWindow(m_window);
        help->showPage(m_page);
        help->show();
        help->raise();
        help->activateWindow();
    }

    QWidget* m_window;
    QString m_page;
};

} // namespace

void addHelpKey(QWidget* window, const QString& page)
{
    new HelpKey(window, page);
}
