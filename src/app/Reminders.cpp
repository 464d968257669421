// The reminders box of the main window: the next twenty occurrences of the
// keeper's reminder rules, from today to the same day two years ahead.
#include "app/MainWindow.h"
#include "core/AppContext.h"
#include "scheduler/MaintSchedStore.h"
#include "scheduler/NextReminders.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QPointer>

namespace {

const int kShownReminders = 20;

// Rebuild bookkeeping of one main window: a rebuild asked for while one is
// running (from an event handled while it yields) is run once more after it
// instead of inside it.
class ReminderBoxState : public QObject {
public:
    using QObject::QObject;
    bool running = false;
    bool again = false;
};

ReminderBoxState* boxState(QObject* owner)
{
    auto* state = owner->findChild<ReminderBoxState*>(QStringLiteral("reminderBoxState"),
                                                      Qt::FindDirectChildrenOnly);
    if (!state) {
        state = new ReminderBoxState(owner);
        state->setObjectName(QStringLiteral("reminderBoxState"));
    }
    return state;
}

} // namespace

void MainWindow::rebuildRemindersBox()
{
    ReminderBoxState* state = boxState(this);
    if (state->running) {
        state->again = true;
        return;
    }
    state->running = true;
    QPointer<MainWindow> alive(this);

    do {
        state->again = false;
        setCursor(Qt::WaitCursor);

        sched::MaintSchedStore store(m_ctx.db());
        bool read = true;
        QString error;
        const QVector<sched::MaintSchedRecord> rows = store.list(&read, &error);
        if (!read) {
            // Not "no reminders": the keeper hears that they could not be read.
            unsetCursor();
            m_remindersBox->clear();
            setStatusText(QStringLiteral("Ready."));
            m_ctx.services.tell(QStringLiteral("The reminders could not be read: %1").arg(error),
                                QStringLiteral("Database Error"), MsgIcon::Exclamation);
            if (!alive)
                return;
            continue;
        }
        if (rows.isEmpty()) {
            unsetCursor();
            m_remindersBox->clear();
            m_remindersBox->addItem(QStringLiteral("(No Reminders Available)"));
            m_remindersBox->setCurrentIndex(0);
            setStatusText(QStringLiteral("Ready."));
            continue;
        }

        m_remindersBox->clear();
        const QDate today = m_ctx.services.clock ? m_ctx.services.clock->today() : QDate::currentDate();
        const QStringList entries = sched::nextReminderEntries(
            rows, today, m_ctx.settings.dateOrder, m_ctx.settings.dateMask, kShownReminders,
            [this, &alive](const sched::MaintSchedRecord& row) {
                setStatusText(QStringLiteral("Generating ") + row.SchedTask + QStringLiteral("..."));
                // Let the status line paint and the window answer between rules.
                QCoreApplication::processEvents();
                return !alive.isNull();
            });
        if (!alive)
            return;

        m_remindersBox->addItems(entries);
        if (m_remindersBox->count() > 0)
            m_remindersBox->setCurrentIndex(0);

        unsetCursor();
        setStatusText(QStringLiteral("Ready."));
    } while (state->again);
    state->running = false;
}

void MainWindow::showFirstReminder()
{
    if (m_remindersBox->count() > 0)
        m_remindersBox->setCurrentIndex(0);
}
