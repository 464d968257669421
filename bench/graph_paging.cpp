// How long the water-quality graph takes to turn a page of a tank holding
// 20,000 tests: on page 1, on the last page (1,000), and walking from the first
// page to the last and back. Beside it, a plain SQLite query of the same twenty
// rows plus the same chart update, the floor a page turn can reach.
// The last page is reached once per run (a thousand turns of a pager and of a
// window) and kept, so that only the walk itself turns every page when timed.
#include "BenchSupport.h"
#include "core/AppContext.h"
#include "core/Database.h"
#include "core/Settings.h"
#include "core/TankStore.h"
#include "logbook/LogStore.h"
#include "reports/GraphPages.h"
#include "reports/ui/GraphChartBuilder.h"
#include "reports/ui/WaterGraphWindow.h"

#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QToolButton>
#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr int kEntries = 20000;
constexpr int kPages = kEntries / 20;

struct Fixture {
    QTemporaryDir dir;
    bench::FixedClock clock;
    bench::NoSettingsStore store;
    bench::SilentMessages messages;
    AppContext ctx;
    QString tankid;

    Fixture()
    {
        ctx.startDir = dir.path();
        ctx.services.clock = &clock;
        ctx.services.messages = &messages;
        ctx.settingsStore = &store;
        if (!openDatabase(ctx).ok())
            qFatal("cannot open the benchmark database");
        loadSettings(ctx);
        TankStore tanks(ctx.db());
        for (const char* name : {"Reef", "Pond"}) {
            TankRecord t;
            t.tankname = QString::fromLatin1(name);
            t.watertype = "3";
            tanks.add(t, clock.now().addSecs(tankid.isEmpty() ? 0 : 1));
            if (tankid.isEmpty())
                tankid = t.tankid;
        }
        QSqlDatabase db = ctx.db();
        db.transaction();
        WaterLogStore water(db);
        const QDateTime start(QDate(1990, 1, 1), QTime(8, 0, 0));
        for (int i = 0; i < kEntries; ++i) {
            WaterLogRecord r;
            r.tankid = tankid;
            // Every tenth test shares its date and time with the one before.
            const QDateTime at = start.addSecs(qint64(i - (i % 10 == 9 ? 1 : 0)) * 3 * 3600);
            r.logdate = at.date();
            r.logtime = at.time();
            r.ph = 7.8 + (i % 10) / 10.0;
            r.ammonia = (i % 4) * 0.25;
            r.nitrite = 0.05 * (i % 3);
            r.nitrate = i % 40;
            water.insert(r);
        }
        db.commit();
    }
};

Fixture& fixture()
{
    static Fixture f;
    return f;
}

const QVector<GraphSeriesChoice>& pagerSeries()
{
    static const auto series = chosenGraphSeries(QStringLiteral("0111000000000"), QString(), QString());
    return series;
}

// A pager of the Reef tank turned to `page`.
GraphPager pagerOn(int page)
{
    GraphPager pager(fixture().ctx.db(), 20);
    pager.startTank(fixture().tankid);
    GraphPageData data = pager.readPage(pagerSeries(), false);
    while (data.page < page) {
        pager.turnToNextPage(data.entries.last().key);
        data = pager.readPage(pagerSeries(), false);
    }
    return pager;
}

// The pager on the last page, turned there once.
const GraphPager& lastPagePager()
{
    static const GraphPager pager = pagerOn(kPages);
    return pager;
}

QToolButton* button(WaterGraphWindow& w, const char* name)
{
    return w.findChild<QToolButton*>(QString::fromLatin1(name));
}

// A shown graph window turned to `page` (page 1 of the Reef tank first).
void turnTo(WaterGraphWindow& graph, int page)
{
    graph.graphTank(fixture().tankid);
    QCoreApplication::processEvents();
    while (graph.shownPage().page < page && button(graph, "nextButton")->isEnabled()) {
        button(graph, "nextButton")->click();
        QCoreApplication::processEvents();   // as between a keeper's clicks
    }
}

// A shown graph window on the last page, turned there once and kept until the
// benchmarks end (a benchmark that uses it leaves it on the last page).
std::unique_ptr<WaterGraphWindow> g_lastPageWindow;

WaterGraphWindow& lastPageWindow()
{
    if (!g_lastPageWindow) {
        g_lastPageWindow = std::make_unique<WaterGraphWindow>(fixture().ctx, nullptr);
        g_lastPageWindow->show();
        turnTo(*g_lastPageWindow, kPages);
    }
    return *g_lastPageWindow;
}

// One page turn forward and one back, beginning on the page given, each with
// its query and chart rebuild and the chart painted.
void BM_PageTurnPair(benchmark::State& state)
{
    const int page = int(state.range(0));
    std::unique_ptr<WaterGraphWindow> own;
    if (page != kPages) {
        own = std::make_unique<WaterGraphWindow>(fixture().ctx, nullptr);
        own->show();
        turnTo(*own, page);
    }
    WaterGraphWindow& graph = own ? *own : lastPageWindow();
    if (graph.shownPage().page != page)
        state.SkipWithError("page not reached");
    // On the last page the turn goes back first, then forward again.
    const bool backFirst = page == kPages;
    for (auto _ : state) {
        button(graph, backFirst ? "previousButton" : "nextButton")->click();
        graph.repaint();
        QCoreApplication::processEvents();
        button(graph, backFirst ? "nextButton" : "previousButton")->click();
        graph.repaint();
        QCoreApplication::processEvents();
    }
    if (graph.shownPage().page != page || graph.shownPage().entries.size() != 20)
        state.SkipWithError("came back to another page");
    state.SetItemsProcessed(state.iterations() * 2);   // page turns
}
BENCHMARK(BM_PageTurnPair)->Arg(1)->Arg(kPages)->Unit(benchmark::kMillisecond);

// The twenty rows of the last page alone, read by a plain query on the tank's index.
void BM_PlainQueryOfTwentyRows(benchmark::State& state)
{
    Fixture& f = fixture();
    const GraphEntryKey first = lastPagePager().readPage(pagerSeries(), false).entries.first().key;
    for (auto _ : state) {
        QSqlQuery q(f.ctx.db());
        q.setForwardOnly(true);
        q.prepare("SELECT rowid, logdate, logtime, Ammonia, nitrite, nitrate FROM waterlog WHERE tankname = ? "
                  "AND (logdate, logtime, rowid) >= (?, ?, ?) ORDER BY logdate, logtime, rowid LIMIT 20");
        q.addBindValue(f.tankid);
        q.addBindValue(first.logdate);
        q.addBindValue(first.logtime);
        q.addBindValue(first.rowid);
        q.exec();
        int rows = 0;
        while (q.next()) {
            for (int c = 0; c < 6; ++c)
                benchmark::DoNotOptimize(q.value(c));
            ++rows;
        }
        if (rows != 20)
            state.SkipWithError("wrong row count");
    }
}
BENCHMARK(BM_PlainQueryOfTwentyRows)->Unit(benchmark::kMicrosecond);

// Reading one page (count and twenty rows) without the chart.
void BM_PagerReadPage(benchmark::State& state)
{
    const int page = int(state.range(0));
    const GraphPager pager = page == kPages ? lastPagePager() : pagerOn(page);
    for (auto _ : state) {
        GraphPageData shown = pager.readPage(pagerSeries(), false);
        benchmark::DoNotOptimize(shown.entries.data());
    }
}
BENCHMARK(BM_PagerReadPage)->Arg(1)->Arg(kPages)->Unit(benchmark::kMicrosecond);

// The floor: the same twenty rows of the last page read by a plain query on
// the tank's index, and the same chart rebuilt and painted (in the place of
// the chart of a window on page 1: the window's own page does not matter).
void BM_PlainQueryPlusChart(benchmark::State& state)
{
    Fixture& f = fixture();
    WaterGraphWindow graph(f.ctx, nullptr);
    graph.show();
    turnTo(graph, 1);
    const GraphEntryKey first = lastPagePager().readPage(pagerSeries(), false).entries.first().key;
    const auto& series = pagerSeries();
    auto* view = graph.findChild<QChartView*>(QStringLiteral("chartView"));
    for (auto _ : state) {
        QSqlQuery q(f.ctx.db());
        q.setForwardOnly(true);
        q.prepare("SELECT rowid, logdate, logtime, Ammonia, nitrite, nitrate FROM waterlog WHERE tankname = ? "
                  "AND (logdate, logtime, rowid) >= (?, ?, ?) ORDER BY logdate, logtime, rowid LIMIT 20");
        q.addBindValue(f.tankid);
        q.addBindValue(first.logdate);
        q.addBindValue(first.logtime);
        q.addBindValue(first.rowid);
        q.exec();
        GraphPageData page;
        page.page = kPages;
        page.pageCount = kPages;
        while (q.next()) {
            GraphEntry e;
            e.date = QDate::fromString(q.value(1).toString(), Qt::ISODate);
            for (int c = 3; c < 6; ++c)
                e.values.append(q.value(c).toDouble());
            page.entries.append(e);
        }
        if (page.entries.size() != 20)
            state.SkipWithError("wrong row count");
        // A new chart for the page, as the window makes one.
        auto* chart = new QChart;
        buildGraphChart(chart, f.ctx.settings.graphStyle, series, page, GraphDateFormat());
        QChart* old = view->chart();
        view->setChart(chart);
        delete old;
        graph.repaint();
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_PlainQueryPlusChart)->Unit(benchmark::kMillisecond);

// From page 1 to the last page and back to page 1, one turn at a time.
void BM_WalkToLastPageAndBack(benchmark::State& state)
{
    Fixture& f = fixture();
    WaterGraphWindow graph(f.ctx, nullptr);
    graph.show();
    graph.graphTank(f.tankid);
    for (auto _ : state) {
        while (button(graph, "nextButton")->isEnabled()) {
            button(graph, "nextButton")->click();
            QCoreApplication::processEvents();
        }
        if (graph.shownPage().page != kPages)
            state.SkipWithError("last page not reached");
        while (button(graph, "previousButton")->isEnabled()) {
            button(graph, "previousButton")->click();
            QCoreApplication::processEvents();
        }
        if (graph.shownPage().page != 1)
            state.SkipWithError("first page not reached");
    }
    state.SetItemsProcessed(state.iterations() * 2 * (kPages - 1));   // page turns
}
BENCHMARK(BM_WalkToLastPageAndBack)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return bench::runBenchmarks(
        argc, argv, [] { fixture(); }, [] { g_lastPageWindow.reset(); });
}
