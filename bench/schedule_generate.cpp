// Generating the maintenance schedule for 200 rules of every kind over two
// years: the schedule window's Generate (rules read from the table, one rule
// at a time with the window answering between rules, the list filled at the
// end), beside the expansion of the same rules alone and the expansion with
// the date-order sort.
#include "BenchSupport.h"
#include "core/AppContext.h"
#include "core/Database.h"
#include "core/Dates.h"
#include "core/Settings.h"
#include "scheduler/MaintSchedStore.h"
#include "scheduler/RuleExpansion.h"
#include "scheduler/ScheduleGeneration.h"
#include "scheduler/ui/ScheduleWindow.h"

#include <benchmark/benchmark.h>

#include <QAbstractItemModel>
#include <QApplication>
#include <QTemporaryDir>
#include <QTreeView>
#include <memory>

namespace {

const QDate kToday(2026, 12, 8);
const QString kOrder = QStringLiteral("MMDDYY");

// 200 rules, 25 of each of the eight kinds, all running through the two years
// (the every-weekday ones end after half a year).
QVector<sched::MaintSchedRecord> benchRules()
{
    QVector<sched::MaintSchedRecord> rows;
    for (int i = 0; i < 200; ++i) {
        sched::MaintSchedRecord r;
        r.SchedTask = QStringLiteral("Task %1").arg(199 - i, 3, 10, QLatin1Char('0'));
        r.SchedStartDate = QDate(2020 + i % 6, 1 + i % 12, 1 + i % 28);
        r.SchedEndDate = QDate(2029 + i % 3, 1 + (i * 7) % 12, 1 + (i * 3) % 28);
        switch (i % 8) {
        case 0: r.SchedRtype = 0; r.SchedRSubtype = 0; r.SchedInterval = 2 + i % 3; break;
        case 1:
            r.SchedRtype = 0; r.SchedRSubtype = 1; r.SchedInterval = 1;
            r.SchedEndDate = QDate(2027, 6, 8);
            break;
        case 2:
            r.SchedRtype = 1; r.SchedInterval = 1 + i % 2;
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

// The expansion alone: every occurrence of every rule in the two years.
void BM_ExpandTwoYears(benchmark::State& state)
{
    const auto rows = benchRules();
    const auto window = sched::ExpansionWindow::between(kToday, addYearsKeepingDay(kToday, 2));
    qsizetype total = 0;
    for (auto _ : state) {
        total = 0;
        for (const auto& r : rows)
            total += sched::expandRule(sched::ruleFromRecord(r, kOrder, kToday), window).size();
        benchmark::DoNotOptimize(total);
    }
    state.counters["rows"] = double(total);
}
BENCHMARK(BM_ExpandTwoYears)->Unit(benchmark::kMillisecond);

// The schedule's logic: the expansion and the sort into date and task order.
void BM_BuildSchedule(benchmark::State& state)
{
    const auto rows = benchRules();
    const auto range = sched::twoYearsFrom(kToday);
    qsizetype total = 0;
    for (auto _ : state) {
        const auto schedule = sched::buildSchedule(rows, range.low, range.upper, kOrder, kToday);
        total = schedule.size();
        benchmark::DoNotOptimize(total);
    }
    state.counters["rows"] = double(total);
}
BENCHMARK(BM_BuildSchedule)->Unit(benchmark::kMillisecond);

struct WindowFixture {
    QTemporaryDir dir;
    bench::FixedClock clock{QTime(9, 0)};
    bench::SilentMessages messages;
    std::unique_ptr<ISettingsStore> store;
    AppContext ctx;
    std::unique_ptr<ScheduleWindow> window;

    WindowFixture()
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
        window = std::make_unique<ScheduleWindow>(ctx, nullptr);
        window->resize(500, 500);
        window->show();
    }
};

// Generate in the window, as the keeper presses it: the table read, the
// status line and progress bar after each rule with the window answering,
// then the list filled and its first row selected, and the list painted once.
void BM_GenerateInWindow(benchmark::State& state)
{
    WindowFixture f;
    auto* view = f.window->findChild<QTreeView*>(QStringLiteral("scheduleList"));
    for (auto _ : state) {
        f.window->generateSchedule();
        view->viewport()->repaint();
        benchmark::DoNotOptimize(view->model()->rowCount());
    }
    state.counters["rows"] = double(view->model()->rowCount());
}
BENCHMARK(BM_GenerateInWindow)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return bench::runBenchmarks(argc, argv);
}
