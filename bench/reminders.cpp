// Rebuilding the main window's reminders box for 200 rules of every kind, and
// expanding the same rules over the next two years.
#include "BenchSupport.h"
#include "app/MainWindow.h"
#include "core/AppContext.h"
#include "core/Database.h"
#include "core/Dates.h"
#include "core/Settings.h"
#include "scheduler/MaintSchedStore.h"
#include "scheduler/NextReminders.h"
#include "scheduler/RuleExpansion.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QComboBox>
#include <QTemporaryDir>
#include <algorithm>
#include <memory>

namespace {

const QDate kToday(2026, 12, 8);

// 200 rules: 25 of each of the eight kinds, with starts up to sixteen years
// back and ends up to four years ahead.
QVector<sched::MaintSchedRecord> benchRules()
{
    QVector<sched::MaintSchedRecord> rows;
    for (int i = 0; i < 200; ++i) {
        sched::MaintSchedRecord r;
        r.SchedTask = QStringLiteral("Task %1").arg(i, 3, 10, QLatin1Char('0'));
        r.SchedStartDate = QDate(2010 + i % 17, 1 + i % 12, 1 + i % 28);
        r.SchedEndDate = QDate(2027 + i % 4, 1 + (i * 7) % 12, 1 + (i * 3) % 28);
        switch (i % 8) {
        case 0: r.SchedRtype = 0; r.SchedRSubtype = 0; r.SchedInterval = 1 + i % 5; break;
        case 1: r.SchedRtype = 0; r.SchedRSubtype = 1; r.SchedInterval = 1; break;
        case 2:
            r.SchedRtype = 1; r.SchedInterval = 1 + i % 3;
            r.SchedDetailText = QStringLiteral("0101010");
            break;
        case 3:
            r.SchedRtype = 2; r.SchedRSubtype = 0; r.SchedInterval = 1 + i % 4;
            r.SchedDetailText = QString::number(1 + i % 28);
            break;
        case 4:
            r.SchedRtype = 2; r.SchedRSubtype = 1; r.SchedInterval = 1 + i % 3;
            r.SchedDetailText = QStringLiteral("%1%2").arg(i % 5).arg(i % 7);
            break;
        case 5:
            r.SchedRtype = 3; r.SchedRSubtype = 0; r.SchedInterval = 1 + i % 28;
            r.SchedDetailText = QString::number(i % 12);
            break;
        case 6:
            r.SchedRtype = 3; r.SchedRSubtype = 1;
            r.SchedDetailText = QStringLiteral("%1%2%3").arg(i % 5).arg(i % 7).arg(i % 12, 2, 10, QLatin1Char('0'));
            break;
        default:
            r.SchedRtype = 4;
            r.SchedDetailText = toIsoDate(kToday.addDays(i * 3));
            break;
        }
        rows << r;
    }
    return rows;
}

struct Fixture {
    QTemporaryDir dir;
    bench::FixedClock clock{QTime(9, 0)};
    bench::SilentMessages messages;
    std::unique_ptr<ISettingsStore> store;
    AppContext ctx;
    std::unique_ptr<MainWindow> main;
    QComboBox* remindersBox = nullptr;

    Fixture()
    {
        store = makeQSettingsStore(dir.filePath(QStringLiteral("settings.ini")));
        ctx.services.clock = &clock;
        ctx.services.messages = &messages;
        ctx.settingsStore = store.get();
        ctx.startDir = dir.path();
        if (!openDatabase(ctx).ok())
            qFatal("benchmark database could not be opened");
        loadSettings(ctx);
        sched::MaintSchedStore rules(ctx.db());
        for (const auto& r : benchRules())
            rules.add(r);
        main = std::make_unique<MainWindow>(ctx);
        remindersBox = main->findChild<QComboBox*>(QStringLiteral("remindersBox"));
        if (!remindersBox)
            qFatal("the main window has no reminders box");
    }
};

void BM_RebuildRemindersBox(benchmark::State& state)
{
    Fixture f;
    for (auto _ : state) {
        f.main->rebuildRemindersBox();
        benchmark::DoNotOptimize(f.remindersBox->count());
    }
    if (f.remindersBox->count() != 20)
        state.SkipWithError("the box does not hold twenty reminders");
}
BENCHMARK(BM_RebuildRemindersBox)->Unit(benchmark::kMillisecond);

// The box's logic alone: the twenty earliest of 200 rules, no table, no window.
void BM_NextTwentyReminders(benchmark::State& state)
{
    const auto rows = benchRules();
    for (auto _ : state) {
        const QStringList entries = sched::nextReminderEntries(rows, kToday, QStringLiteral("MMDDYY"),
                                                               QStringLiteral("MM/DD/YY"));
        benchmark::DoNotOptimize(entries.size());
    }
}
BENCHMARK(BM_NextTwentyReminders)->Unit(benchmark::kMicrosecond);

// Every occurrence of the 200 rules from today to two years ahead.
void BM_ExpandTwoYears(benchmark::State& state)
{
    const auto rows = benchRules();
    const auto window = sched::ExpansionWindow::between(kToday, addYearsKeepingDay(kToday, 2));
    qsizetype total = 0;
    for (auto _ : state) {
        total = 0;
        for (const auto& r : rows)
            total += sched::expandRule(sched::ruleFromRecord(r, QStringLiteral("MMDDYY"), kToday), window)
                         .size();
        benchmark::DoNotOptimize(total);
    }
    state.counters["occurrences"] = double(total);
}
BENCHMARK(BM_ExpandTwoYears)->Unit(benchmark::kMillisecond);

// For comparison: expanding everything, sorting it and keeping twenty.
void BM_ExpandAllAndSortForTwenty(benchmark::State& state)
{
    const auto rows = benchRules();
    const auto window = sched::ExpansionWindow::between(kToday, addYearsKeepingDay(kToday, 2));
    for (auto _ : state) {
        std::vector<std::pair<QDate, QString>> all;
        for (const auto& r : rows)
            for (const QDate& d :
                 sched::expandRule(sched::ruleFromRecord(r, QStringLiteral("MMDDYY"), kToday), window))
                all.emplace_back(d, r.SchedTask);
        const auto cut = all.begin() + std::min<std::ptrdiff_t>(20, std::ptrdiff_t(all.size()));
        std::partial_sort(all.begin(), cut, all.end(), [](const auto& a, const auto& b) {
            return a.first != b.first ? a.first < b.first : sched::taskTextLess(a.second, b.second);
        });
        QStringList entries;
        for (auto it = all.begin(); it != cut; ++it)
            entries << sched::reminderEntryText(it->first, it->second, QStringLiteral("MM/DD/YY"));
        benchmark::DoNotOptimize(entries.size());
    }
}
BENCHMARK(BM_ExpandAllAndSortForTwenty)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return bench::runBenchmarks(argc, argv);
}
