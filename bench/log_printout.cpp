// How long printing a tank's water-quality log to a PDF file takes, and how much
// memory it needs, for a log of 2,000 and of 20,000 tests. The rows are read
// while the pages are printed, so the time grows with the log and the memory
// should not. Run each size in a process of its own to compare peak memory:
//   bench_log_printout --benchmark_filter='/2000/'
//   bench_log_printout --benchmark_filter='/20000/'
#include "BenchSupport.h"
#include "core/AppContext.h"
#include "core/Database.h"
#include "core/Settings.h"
#include "core/TankStore.h"
#include "core/ui/QtPrinting.h"
#include "logbook/LogStore.h"
#include "reports/LogPrintout.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <map>
#include <memory>
#include <sys/resource.h>

namespace {

// Answers the file chooser with the same PDF file every time.
class PdfPath : public IFileDialogs {
public:
    QString path;
    QString getSaveFileName(const QString&, const QString&) override { return path; }
    QString getOpenFileName(const QString&, const QString&, const QString&) override { return QString(); }
};

double peakRssMiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;   // kilobytes on Linux
}

struct Fixture {
    QTemporaryDir dir;
    bench::FixedClock clock;
    bench::NoSettingsStore store;
    AppContext ctx;
    QString tankid;

    explicit Fixture(int entries)
    {
        ctx.startDir = dir.path();
        ctx.services.clock = &clock;
        ctx.settingsStore = &store;
        if (!openDatabase(ctx).ok())
            qFatal("cannot open the benchmark database");
        TankStore tanks(ctx.db());
        TankRecord t;
        t.tankname = QStringLiteral("Reef");
        t.tankdesc = QStringLiteral("Mixed reef in the living room");
        t.tanksize = 75;
        t.watertype = "3";
        tanks.add(t, clock.now());
        tankid = t.tankid;
        QSqlDatabase db = ctx.db();
        db.transaction();
        WaterLogStore water(db);
        const QDateTime start(QDate(1990, 1, 1), QTime(8, 0, 0));
        for (int i = 0; i < entries; ++i) {
            WaterLogRecord r;
            r.tankid = tankid;
            const QDateTime at = start.addSecs(qint64(i) * 3 * 3600 + (i % 7) * 61);
            r.logdate = at.date();
            r.logtime = at.time();
            r.ph = 7.8 + (i % 10) / 10.0;
            r.ammonia = (i % 4) * 0.25;
            r.nitrite = 0.05;
            r.nitrate = i % 40;
            r.sg = 1.021 + (i % 5) / 1000.0;
            r.temp = 76 + i % 5;
            r.oxygen = 6;
            r.dkh = 8 + i % 3;
            r.calcium = 400 + i % 50;
            r.copper = 0;
            r.orp = 320 + i % 30;
            r.custom1 = i % 3;
            r.custom2 = i % 11;
            r.comment = QStringLiteral("Routine test %1").arg(i);
            water.insert(r);
        }
        db.commit();
    }
};

// Water-quality log of one tank to a PDF file, one copy.
void BM_WaterLogToPdf(benchmark::State& state)
{
    const int entries = int(state.range(0));
    Fixture f(entries);
    PdfPath files;
    files.path = f.dir.filePath(QStringLiteral("waterlog.pdf"));
    bench::SilentMessages replace;   // each run replaces the file the one before wrote
    QtPrintService service(&files, &replace);
    LogPrintRequest request;
    request.kind = LogKind::WaterQuality;
    request.tankKey = f.tankid;
    request.destination = PrintDestination::PdfFile;

    const double rssBefore = peakRssMiB();
    for (auto _ : state) {
        const LogPrintResult result = printLogEntries(f.ctx.db(), service, f.clock, request);
        if (result.status != LogPrintResult::Printed)
            state.SkipWithError("the log was not printed");
    }
    if (qEnvironmentVariableIsSet("LOG_PDF_KEEP")) QFile::copy(files.path, qEnvironmentVariable("LOG_PDF_KEEP"));
    QFile pdf(files.path);
    pdf.open(QIODevice::ReadOnly);
    const QByteArray bytes = pdf.readAll();
    // The page tree's count: "/Type /Pages ... /Count N".
    const int at = bytes.indexOf("/Type /Pages");
    const int count = at < 0 ? -1 : bytes.indexOf("/Count ", at);
    state.counters["pages"] = count < 0 ? -1 : bytes.mid(count + 7, 8).split('\n').first().trimmed().toInt();
    state.counters["pdf_MiB"] = bytes.size() / (1024.0 * 1024.0);
    state.counters["peak_rss_MiB"] = peakRssMiB();
    state.counters["rss_growth_MiB"] = peakRssMiB() - rssBefore;
    state.SetItemsProcessed(state.iterations() * entries);
}
BENCHMARK(BM_WaterLogToPdf)->Arg(2000)->Arg(20000)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char** argv)
{
    return bench::runBenchmarks(argc, argv);
}
