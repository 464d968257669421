// The next reminders: the earliest occurrences of all rules, in date and task
// order, produced without expanding everything.
#include "scheduler/NextReminders.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

using namespace sched;

namespace {

const QDate kToday(2026, 12, 8);   // a Tuesday
const QString kMask = QStringLiteral("MM/DD/YY");

MaintSchedRecord row(const QString& task, int type, int subtype, int interval, const QString& detail,
                     const QDate& start, const QDate& end)
{
    MaintSchedRecord r;
    r.SchedTask = task;
    r.SchedRtype = type;
    r.SchedRSubtype = subtype;
    r.SchedInterval = interval;
    r.SchedDetailText = detail;
    r.SchedStartDate = start;
    r.SchedEndDate = end;
    return r;
}

TEST(NextReminders, EntryTextIsWeekdayDateAndTask)
{
    EXPECT_EQ(reminderEntryText(QDate(1998, 8, 17), QStringLiteral("Change filter"), kMask),
              QStringLiteral("Mon 08/17/98 Change filter"));
    EXPECT_EQ(reminderEntryText(QDate(2031, 1, 5), QStringLiteral("x"), QStringLiteral("DD.MM.YY")),
              QStringLiteral("Sun 05.01.31 x"));
}

TEST(NextReminders, TwentyEarliestAndTiesInTaskOrder)
{
    QVector<MaintSchedRecord> rows;
    rows << row("b daily", Daily, 0, 1, "", QDate(2026, 1, 1), QDate(2030, 1, 1));
    rows << row("A weekly", Weekly, 0, 1, "0010000", QDate(2026, 1, 1), QDate(2030, 1, 1));   // Tuesdays
    rows << row("c once", Once, 0, 0, "2026-12-09", QDate(), QDate());
    const QStringList got = nextReminderEntries(rows, kToday, "MMDDYY", kMask);
    ASSERT_EQ(got.size(), 20);
    EXPECT_EQ(got[0], "Tue 12/08/26 A weekly");
    EXPECT_EQ(got[1], "Tue 12/08/26 b daily");
    EXPECT_EQ(got[2], "Wed 12/09/26 b daily");
    EXPECT_EQ(got[3], "Wed 12/09/26 c once");
    EXPECT_EQ(got[19], "Wed 12/23/26 b daily");
}

// The bounded builder gives exactly the first twenty of "every occurrence in
// the window, sorted by date and task".
TEST(NextReminders, EqualsSortingEveryOccurrence)
{
    std::mt19937 gen(8);
    const auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(gen); };
    for (int trial = 0; trial < 200; ++trial) {
        QVector<MaintSchedRecord> rows;
        const int count = pick(1, 25);
        for (int i = 0; i < count; ++i) {
            const int type = pick(0, 4);
            const int subtype = pick(0, 1);
            const QDate start = kToday.addDays(pick(-3000, 900));
            const QDate end = start.addDays(pick(0, 2500));
            QString detail;
            int interval = pick(1, 40);
            if (type == Weekly)
                for (int d = 0; d < 7; ++d)
                    detail += pick(0, 3) == 0 ? '1' : '0';
            if (type == Monthly)
                detail = subtype == 0 ? QString::number(pick(1, 28)) : QStringLiteral("%1%2").arg(pick(0, 4)).arg(pick(0, 6));
            if (type == Yearly) {
                detail = subtype == 0 ? QString::number(pick(0, 11))
                                      : QStringLiteral("%1%2%3").arg(pick(0, 4)).arg(pick(0, 6)).arg(pick(0, 11), 2, 10, QLatin1Char('0'));
                interval = pick(1, 28);
            }
            if (type == Once)
                detail = kToday.addDays(pick(-100, 900)).toString(Qt::ISODate);
            rows << row(QStringLiteral("task %1").arg(pick(0, 1000)) + QString::number(i), type, subtype, interval,
                        detail, start, end);
        }

        struct Occ {
            QDate date;
            QString task;
        };
        std::vector<Occ> all;
        const ExpansionWindow window = ExpansionWindow::between(kToday, kToday.addYears(2));
        for (const MaintSchedRecord& r : rows)
            for (const QDate& d : expandRule(ruleFromRecord(r, "MMDDYY", kToday), window))
                all.push_back({d, r.SchedTask});
        std::stable_sort(all.begin(), all.end(), [](const Occ& a, const Occ& b) {
            return a.date != b.date ? a.date < b.date : taskTextLess(a.task, b.task);
        });
        QStringList expected;
        for (size_t i = 0; i < all.size() && i < 20; ++i)
            expected << reminderEntryText(all[i].date, all[i].task, kMask);

        ASSERT_EQ(nextReminderEntries(rows, kToday, "MMDDYY", kMask).join('\n').toStdString(),
                  expected.join('\n').toStdString())
            << "trial " << trial;
    }
}

} // namespace
