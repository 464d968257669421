// How long one change of width takes in a filled livestock list of 20,000
// entries: the list as the logbook sets it up, with its text columns fitted
// after the fill and without, and the logbook window itself made a pixel
// wider or maximized.
#include "BenchSupport.h"
#include "app/MainWindow.h"
#include "core/AppContext.h"
#include "core/Database.h"
#include "core/Settings.h"
#include "core/TankStore.h"
#include "core/ui/EntryWidgets.h"
#include "logbook/LogListModels.h"
#include "logbook/LogStore.h"
#include "logbook/ui/LogbookWindow.h"

#include <QApplication>
#include <QHeaderView>
#include <QTabWidget>
#include <QTreeView>
#include <benchmark/benchmark.h>

namespace {

constexpr int kEntries = 20000;

struct Fixture : bench::NewDatabase {
    QString tankid;

    Fixture()
    {
        TankRecord reef;
        reef.tankname = QStringLiteral("Reef");
        reef.watertype = "3";
        TankStore(ctx.db()).add(reef, clock.now());
        tankid = reef.tankid;

        // Names, statuses, shops and comments of many lengths, as a keeper writes them.
        const char* kinds[] = {"Clownfish - Ocellaris", "Tang - Yellow", "Goby - Yellow Watchman",
                               "Angelfish - Flame", "Shrimp - Skunk Cleaner", "Snail - Turbo"};
        const char* statuses[] = {"Alive and well", "Lost", "Sold", "Quarantine", ""};
        const char* shops[] = {"Blue Lagoon Aquatics, Springfield", "", "Reef Club swap", "Online"};
        QSqlDatabase db = ctx.db();
        db.transaction();
        LivestockStore livestock(db);
        const QDateTime start(QDate(1990, 1, 1), QTime(8, 0, 0));
        for (int i = 0; i < kEntries; ++i) {
            LivestockRecord r;
            r.tankid = tankid;
            const QDateTime at = start.addSecs(qint64(i) * 5 * 3600 + (i % 7) * 61);
            r.dateadded = at.date();
            r.timeadded = at.time();
            r.animalname = QStringLiteral("%1 no. %2").arg(QLatin1String(kinds[i % 6])).arg(i);
            r.quantity = 1 + i % 5;
            r.status = QLatin1String(statuses[i % 5]);
            r.price_paid = 5 + (i % 40) * 1.25;
            r.where_purch = QLatin1String(shops[i % 4]);
            r.comment = QStringLiteral("Settled in well; feeds on frozen mysis, entry %1").arg(i).left(20 + i % 30);
            livestock.insert(r);
        }
        db.commit();
    }
};

Fixture& fixture()
{
    static Fixture f;
    return f;
}

// One list width change after another, a pixel wider and back, each laid out
// and painted.
void changeWidthByAPixel(benchmark::State& state, QWidget& widget)
{
    const int narrow = widget.width();
    for (auto _ : state) {
        widget.resize(widget.width() == narrow ? narrow + 1 : narrow, widget.height());
        QCoreApplication::processEvents();
        widget.repaint();
    }
}

// The filled livestock list as the logbook sets it up: its columns at their
// designed widths, the last one stretched; with state.range(0) 1 the columns
// of the keeper's texts are fitted after the fill, with 0 they are not.
void BM_LivestockListWidthChange(benchmark::State& state)
{
    Fixture& f = fixture();
    const bool fitting = state.range(0) != 0;
    LivestockListModel model;
    model.setDateMask(f.ctx.settings.dateMask);
    model.setRecords(LivestockStore(f.ctx.db()).list(f.tankid, SortOrder::Ascending));
    QTreeView view;
    view.setRootIsDecorated(false);
    view.setUniformRowHeights(true);
    view.setModel(&model);
    setListViewStyle(&view);
    QVector<TextColumn> texts;
    for (int c = 0; c < model.columnCount(); ++c) {
        const int designed = model.headerData(c, Qt::Horizontal, LogListModel::WidthTwipsRole).toInt()
                             * view.logicalDpiX() / 1440;
        view.header()->resizeSection(c, designed);
        if (model.columns().at(c).kind == LogColumnKind::Text)
            texts.append({c, designed});
    }
    view.resize(1000, 600);
    view.show();
    QCoreApplication::processEvents();
    if (model.rowCount() != kEntries)
        state.SkipWithError("list not filled");
    if (fitting)
        fitTextColumns(&view, texts);
    QCoreApplication::processEvents();
    changeWidthByAPixel(state, view);
    state.SetLabel(fitting ? "fitting on" : "fitting off");
}
BENCHMARK(BM_LivestockListWidthChange)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

// The logbook window on its livestock tab, the list filled: a pixel wider
// and back (state.range(0) 1), or from 800 pixels to 1280 and back, as when
// it is maximized and restored (state.range(0) 480).
void BM_LogbookLivestockWidthChange(benchmark::State& state)
{
    Fixture& f = fixture();
    MainWindow main(f.ctx);
    LogbookWindow log(f.ctx, &main);
    log.activate();
    log.resize(800, 600);
    log.show();
    log.selectNode(QStringLiteral("Reef"));
    log.findChild<QTabWidget*>(QStringLiteral("logTabs"))->setCurrentIndex(LogbookWindow::TabLivestock);
    QCoreApplication::processEvents();
    auto* list = log.findChild<QTreeView*>(QStringLiteral("livestockList"));
    if (!list || list->model()->rowCount() != kEntries)
        state.SkipWithError("list not filled");
    const int by = int(state.range(0));
    for (auto _ : state) {
        log.resize(log.width() == 800 ? 800 + by : 800, log.height());
        QCoreApplication::processEvents();
        log.repaint();
    }
}
BENCHMARK(BM_LogbookLivestockWidthChange)->Arg(1)->Arg(480)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return bench::runBenchmarks(argc, argv, [] {
        fixture();
    });
}
