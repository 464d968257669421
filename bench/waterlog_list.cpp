// How long the logbook takes to fill the water-quality list of a tank holding
// 20,000 tests, beside a plain SQLite query that reads the same rows.
#include "BenchSupport.h"
#include "app/MainWindow.h"
#include "core/AppContext.h"
#include "core/Database.h"
#include "core/Settings.h"
#include "core/TankStore.h"
#include "logbook/LogListModels.h"
#include "logbook/LogStore.h"
#include "logbook/ui/LogbookWindow.h"

#include <QApplication>
#include <QSqlQuery>
#include <QTreeView>
#include <benchmark/benchmark.h>

namespace {

constexpr int kEntries = 20000;

struct Fixture : bench::NewDatabase {
    QString tankid;

    Fixture()
    {
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
            r.comment = QStringLiteral("Routine test %1").arg(i);
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

// The rows read straight from SQLite, every column touched once.
void BM_PlainSqliteQuery(benchmark::State& state)
{
    Fixture& f = fixture();
    for (auto _ : state) {
        QSqlQuery q(f.ctx.db());
        q.setForwardOnly(true);
        q.prepare("SELECT rowid, * FROM waterlog WHERE tankname = ? ORDER BY logdate, logtime");
        q.addBindValue(f.tankid);
        q.exec();
        int rows = 0;
        while (q.next()) {
            for (int c = 0; c < 18; ++c)
                benchmark::DoNotOptimize(q.value(c));
            ++rows;
        }
        if (rows != kEntries)
            state.SkipWithError("wrong row count");
    }
    state.SetItemsProcessed(state.iterations() * kEntries);
}
BENCHMARK(BM_PlainSqliteQuery)->Unit(benchmark::kMillisecond);

// The store's reading of the same rows into records.
void BM_StoreList(benchmark::State& state)
{
    Fixture& f = fixture();
    WaterLogStore store(f.ctx.db());
    for (auto _ : state) {
        auto rows = store.list(f.tankid, SortOrder::Ascending);
        benchmark::DoNotOptimize(rows.data());
    }
    state.SetItemsProcessed(state.iterations() * kEntries);
}
BENCHMARK(BM_StoreList)->Unit(benchmark::kMillisecond);

// The logbook's fill of the list: query, model and the shown view repainted.
void BM_LogbookFillWaterList(benchmark::State& state)
{
    Fixture& f = fixture();
    MainWindow main(f.ctx);
    LogbookWindow log(f.ctx, &main);
    log.activate();
    log.show();
    log.selectNode("Reef");
    QCoreApplication::processEvents();
    auto* waterList = log.findChild<QTreeView*>(QStringLiteral("waterList"));
    if (!waterList || waterList->model()->rowCount() != kEntries)
        state.SkipWithError("list not filled");
    for (auto _ : state) {
        log.refresh();
        waterList->repaint();
        QCoreApplication::processEvents();
    }
    state.SetItemsProcessed(state.iterations() * kEntries);
}
BENCHMARK(BM_LogbookFillWaterList)->Unit(benchmark::kMillisecond);

// Sorting the filled list by a number column inside the list.
void BM_SortWaterListByPh(benchmark::State& state)
{
    Fixture& f = fixture();
    WaterLogListModel model;
    model.setRecords(WaterLogStore(f.ctx.db()).list(f.tankid, SortOrder::Ascending));
    bool descending = false;
    for (auto _ : state) {
        model.sort(1, descending ? Qt::DescendingOrder : Qt::AscendingOrder);
        descending = !descending;
    }
}
BENCHMARK(BM_SortWaterListByPh)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return bench::runBenchmarks(argc, argv, [] {
        fixture();
    });
}
