// How long printing a tank's water-quality log to a PDF file takes, and how much
// memory it needs, for a log of 2,000 and of 20,000 tests. The rows are read
// while the pages are printed, so the time grows with the log and the memory
// should not. The yardstick is a bare QPdfWriter that draws the same texts in
// the same fonts on the same pages, run in the same process after the log:
// `ratio_to_bare` is the log's time over the bare writer's. Run each size in a
// process of its own to compare peak memory (`peak_rss_MiB`, taken before the
// bare writer runs; `peak_rss_with_bare_MiB` after it):
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
#include <QElapsedTimer>
#include <QFile>
#include <QFontMetricsF>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <array>
#include <benchmark/benchmark.h>
#include <cmath>
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

// Test i of the log: its moment and its thirteen values in the printed column
// order (ammonia, nitrite, nitrate, ph, s.g., temp, o2, dkh, calcium, copper,
// redox, custom1, custom2).
QDateTime testMoment(int i)
{
    return QDateTime(QDate(1990, 1, 1), QTime(8, 0, 0)).addSecs(qint64(i) * 3 * 3600 + (i % 7) * 61);
}

std::array<double, 13> testValues(int i)
{
    return {(i % 4) * 0.25, 0.05, double(i % 40), 7.8 + (i % 10) / 10.0, 1.021 + (i % 5) / 1000.0,
            double(76 + i % 5), 6, double(8 + i % 3), double(400 + i % 50), 0, double(320 + i % 30),
            double(i % 3), double(i % 11)};
}

struct Fixture : bench::NewDatabase {
    QString tankid;

    explicit Fixture(int entries)
    {
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
        for (int i = 0; i < entries; ++i) {
            WaterLogRecord r;
            r.tankid = tankid;
            const QDateTime at = testMoment(i);
            r.logdate = at.date();
            r.logtime = at.time();
            const std::array<double, 13> v = testValues(i);
            r.ammonia = v[0];
            r.nitrite = v[1];
            r.nitrate = v[2];
            r.ph = v[3];
            r.sg = v[4];
            r.temp = v[5];
            r.oxygen = v[6];
            r.dkh = v[7];
            r.calcium = v[8];
            r.copper = v[9];
            r.orp = v[10];
            r.custom1 = v[11];
            r.custom2 = v[12];
            r.comment = QStringLiteral("Routine test %1").arg(i);
            water.insert(r);
        }
        db.commit();
    }
};

// The water log's pages drawn straight on a QPdfWriter with the page layout
// and resolution of the printer the log goes to (`printer`): each font built
// once, every text placed by its metrics, the values formatted on the spot,
// nothing read from the database.
void drawBareWaterLog(const QString& path, int entries, const QPrinter& printer)
{
    QPdfWriter pdf(path);
    pdf.setResolution(printer.resolution());
    pdf.setPageLayout(printer.pageLayout());
    QPainter painter(&pdf);
    painter.setPen(QPen(Qt::black, 0));
    struct Font {
        QFont font;
        QFontMetricsF metrics;
    };
    auto font = [&pdf](const char* family, double size, bool bold, bool italic, bool underline) {
        QFont f(QString::fromLatin1(family));
        f.setPointSizeF(size);
        f.setBold(bold);
        f.setItalic(italic);
        f.setUnderline(underline);
        const QFont onDevice(f, &pdf);
        return Font{onDevice, QFontMetricsF(onDevice, &pdf)};
    };
    const Font title = font("Arial", 14, true, true, false);
    const Font body = font("Times New Roman", 10, false, false, false);
    const Font bold = font("Times New Roman", 10, true, false, false);
    const Font italic = font("Times New Roman", 10, false, true, false);
    const Font underlined = font("Times New Roman", 10, false, false, true);
    auto text = [&painter](double x, double y, const QString& s, const Font& f) {
        painter.setFont(f.font);
        painter.drawText(QPointF(x, y + f.metrics.ascent()), s);
    };

    const double width = pdf.width();
    const double height = pdf.height();
    const double footerTop = std::round(height - height / 12.0);
    std::array<double, 14> columns{};
    columns[1] = std::round(body.metrics.horizontalAdvance(QStringLiteral("08/28/88 - 08:08:08 AM ")));
    for (int index = 2; index < 14; ++index)
        columns[index] = std::round(width * ((index + 1) / 15.0));
    static const char* const headings[14] = {"Date /Time Added", "Ammonia", "Nitrite", "Nitrate", "ph", "s.g.",
                                             "Temp", "o2", "dkh", "Calcium", "Copper", "Redox", "Custom1",
                                             "Custom2"};
    double y = 0;
    int page = 0;
    auto heading = [&] {
        if (page++ > 0)
            pdf.newPage();
        y = 0;
        text(0, y, QStringLiteral("Brinestead Water Quality Log"), title);
        y += 2 * title.metrics.height();
        const QString tankname = QStringLiteral("Tankname: ");
        text(0, y, tankname, body);
        text(body.metrics.horizontalAdvance(tankname), y, QStringLiteral("Reef"), bold);
        y += body.metrics.height();
        text(0, y, QStringLiteral("Tanksize: 75 gal.      Mixed reef in the living room"), body);
        y += 2 * body.metrics.height();
        painter.drawLine(QPointF(0, footerTop), QPointF(width, footerTop));
        double footerY = footerTop + italic.metrics.height();
        text(0, footerY, QStringLiteral("Report Created: 12/08/26"), italic);
        footerY += italic.metrics.height();
        text(0, footerY, QStringLiteral("Page number:%1").arg(page), italic);
        for (int index = 0; index < 14; ++index)
            text(columns[index], y, QString::fromLatin1(headings[index]), underlined);
        y += body.metrics.height();
    };
    heading();
    for (int i = 0; i < entries; ++i) {
        if (y + body.metrics.height() > footerTop)
            heading();
        const QDateTime at = testMoment(i);
        text(0, y, at.toString(QStringLiteral("MM/dd/yy - hh:mm:ss AP")), body);
        const std::array<double, 13> values = testValues(i);
        for (int index = 1; index < 14; ++index)
            text(columns[index], y, QString::number(values[index - 1], 'f', 3), body);
        y += body.metrics.height();
    }
}

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
    qint64 logNs = 0;
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        const LogPrintResult result = printLogEntries(f.ctx.db(), service, f.clock, request);
        logNs += timer.nsecsElapsed();
        if (result.status != LogPrintResult::Printed)
            state.SkipWithError("the log was not printed");
    }
    const double peakRss = peakRssMiB();
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageOrientation(QPageLayout::Landscape);
    qint64 bareNs = 0;
    for (benchmark::IterationCount run = 0; run < state.iterations(); ++run) {
        QElapsedTimer timer;
        timer.start();
        drawBareWaterLog(f.dir.filePath(QStringLiteral("bare.pdf")), entries, printer);
        bareNs += timer.nsecsElapsed();
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
    state.counters["peak_rss_MiB"] = peakRss;
    state.counters["rss_growth_MiB"] = peakRss - rssBefore;
    state.counters["bare_ms"] = bareNs / 1e6 / double(state.iterations());
    state.counters["ratio_to_bare"] = double(logNs) / double(bareNs);
    state.counters["peak_rss_with_bare_MiB"] = peakRssMiB();
    state.SetItemsProcessed(state.iterations() * entries);
}
BENCHMARK(BM_WaterLogToPdf)->Arg(2000)->Arg(20000)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char** argv)
{
    return bench::runBenchmarks(argc, argv);
}
