#include "scheduler/ui/SchedulerHelp.h"

#include "core/ui/HelpWindow.h"

#include <QShortcut>
#include <QWidget>

void addHelpKey(QWidget* window, const QString& page)
{
    auto* key = new QShortcut(QKeySequence(Qt::Key_F1), window);
    key->setObjectName(QStringLiteral("helpKey"));
    key->setContext(Qt::WidgetWithChildrenShortcut);
    QObject::connect(key, &QShortcut::activated, window, [window, page] {
        auto* help = window->findChild<HelpWindow*>(QString(), Qt::FindDirectChildrenOnly);
        if (!help)
            help = new HelpWindow(window);
        help->showPage(page);
        help->show();
        help->raise();
        help->activateWindow();
    });
}
