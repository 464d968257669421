#pragma once
// The reminder rules table maintsched. A rule is found by its task text, which
// is unique regardless of letter case; every value goes in as a bound value.
#include "scheduler/ReminderRule.h"

#include <QSqlDatabase>
#include <QVector>
#include <optional>

namespace sched {

enum class SchedWrite {
    Ok,
    DuplicateTask,   // another rule already has this task text (in any letter case)
    NotFound,        // no rule has the task text that was to be changed or deleted
    Failed,
};

class MaintSchedStore {
public:
    explicit MaintSchedStore(QSqlDatabase db);

    // Every rule, in the order the rows were stored. ok (when given) is false
    // when the table could not be read.
    // ok false (and the database's reason in *error) when the table cannot be read.
    QVector<MaintSchedRecord> list(bool* ok = nullptr, QString* error = nullptr) const;
    std::optional<MaintSchedRecord> findByTask(const QString& task) const;
    // Does a rule other than the row exceptRowid carry this task (letter case
    // aside)? Such a task cannot be stored.
    bool isTaskTaken(const QString& task, qint64 exceptRowid = -1) const;

    // The eight rule columns of rec (its rowid is ignored).
    SchedWrite add(const MaintSchedRecord& rec, QString* error = nullptr);
    // The row whose task is oldTask gets the eight columns of rec, the task
    // text included.
    SchedWrite change(const QString& oldTask, const MaintSchedRecord& rec, QString* error = nullptr);
    SchedWrite remove(const QString& task, QString* error = nullptr);

private:
    QSqlDatabase m_db;
};

} // namespace sched
