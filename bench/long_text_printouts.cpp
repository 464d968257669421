// How long printouts of very long stored texts take to a PDF file: a schedule
// whose one reminder's task is 100,000 characters long, shown on every row
// (a daily reminder over the range asked), and a maintenance log whose notes
// are 100,000 characters each. A text longer than a page is cut where the
// page ends, so the time should follow the pages, not the characters.
//   bench_long_text_printouts --benchmark_filter=Schedule
#include "BenchSupport.h"
#include "core/AppContext.h"
#include "core/Database.h"
#include "core/TankStore.h"
#include "core/ui/QtPrinting.h"
#include "logbook/LogStore.h"
#include "reports/LogPrintout.h"
#include "scheduler/SchedulePrintout.h"

#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

// About 100,000 characters of words.
QString longText()
{
    return QStringLiteral("Clean the filter sponge in tank water, never under the tap. ").repeated(1640);
}

// The schedule's rows, each with the long task.
void BM_ScheduleWithLongTaskToPdf(benchmark::State& state)
{
    const QVector<sched::SchedulePrintRow> rows(int(state.range(0)),
                                                sched::SchedulePrintRow{QStringLiteral("Monday 12/14/26"), longText()});
    QTemporaryDir dir;
    int pages = 0;
    for (auto _ : state) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath(QStringLiteral("schedule.pdf")));
        QPainter painter(&printer);
        pages = 1;
        PainterPageWriter writer(painter, printer, PageOrientation::Portrait, [&] {
            printer.newPage();
            ++pages;
        });
        sched::layOutSchedule(writer, rows);
        painter.end();
    }
    state.counters["pages"] = pages;
    state.SetItemsProcessed(state.iterations() * rows.size());
}
BENCHMARK(BM_ScheduleWithLongTaskToPdf)->Arg(20)->Arg(365)->Unit(benchmark::kMillisecond)->Iterations(1);

// A tank's maintenance log whose every entry has the long note.
void BM_MaintenanceLogWithLongNotesToPdf(benchmark::State& state)
{
    const int entries = int(state.range(0));
    QTemporaryDir dir;
    bench::FixedClock clock;
    bench::NoSettingsStore store;
    AppContext ctx;
    ctx.startDir = dir.path();
    ctx.services.clock = &clock;
    ctx.settingsStore = &store;
    if (!openDatabase(ctx).ok()) {
        state.SkipWithError("cannot open the benchmark database");
        return;
    }
    TankRecord tank;
    tank.tankname = QStringLiteral("Reef");
    tank.tanksize = 75;
    tank.watertype = "3";
    TankStore(ctx.db()).add(tank, clock.now());
    ctx.db().transaction();
    MaintLogStore maint(ctx.db());
    for (int i = 0; i < entries; ++i) {
        MaintLogRecord r;
        r.tankid = tank.tankid;
        r.logdate = QDate(2026, 1, 1).addDays(i);
        r.logtime = QTime(9, 0, 0);
        r.task = QStringLiteral("Water change");
        r.quantity = 10;
        r.unit = QStringLiteral("gal");
        r.description = QStringLiteral("RO water");
        r.note = longText();
        maint.insert(r);
    }
    ctx.db().commit();

    const std::unique_ptr<LogPrintout> log = LogPrintout::create(LogKind::Maintenance);
    const LogPageFrame frame(QStringLiteral("MM/DD/YY"), clock);
    int pages = 0;
    for (auto _ : state) {
        LogRowReader rows(ctx.db(), *log, false, tank.tankid);
        rows.next();
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath(QStringLiteral("maintenance.pdf")));
        QPainter painter(&printer);
        PainterPageWriter writer(painter, printer, PageOrientation::Portrait, [&] { printer.newPage(); });
        pages = printLogRows(*log, rows, writer, frame, QStringLiteral("MM/DD/YY"));
        painter.end();
    }
    state.counters["pages"] = pages;
    state.SetItemsProcessed(state.iterations() * entries);
}
BENCHMARK(BM_MaintenanceLogWithLongNotesToPdf)->Arg(20)->Arg(200)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

int main(int argc, char** argv)
{
    return bench::runBenchmarks(argc, argv);
}
