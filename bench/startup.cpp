// Start-up of a keeper's file with 20,000 entries in each log and 200 reminder
// rules: from opening the file to the main window shown with its reminders box
// filled (splash and tip of the day left out), beside an empty QMainWindow
// shown the same way and beside the open check (the whole-file integrity
// check) alone, in the same run.
#include "BenchSupport.h"
#include "app/MainWindow.h"
#include "app/Startup.h"
#include "core/AppContext.h"
#include "core/Database.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMainWindow>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QWindow>
#include <benchmark/benchmark.h>

namespace {

constexpr int kEntries = 20000;
constexpr int kRules = 200;

class NoStore : public ISettingsStore {
public:
    QString get(const QString& key, const QString& d) const override
    {
        return key == QLatin1String("Show_Tips") ? QStringLiteral("No") : d;
    }
    void set(const QString&, const QString&) override {}
};

void exec(QSqlQuery& q, const QString& sql, const QVariantList& values)
{
    q.prepare(sql);
    for (const QVariant& v : values)
        q.addBindValue(v);
    if (!q.exec())
        qFatal("benchmark fixture: %s", qPrintable(sql));
}

// A start directory whose VX.MDB holds two tanks, the three logs and the rules.
struct Fixture {
    QTemporaryDir dir;
    bench::FixedClock clock;
    NoStore store;
    bench::SilentMessages messages;

    Fixture()
    {
        AppContext ctx;
        ctx.startDir = dir.path();
        ctx.connectionName = QStringLiteral("bench_fixture");
        if (!openDatabase(ctx).ok())
            qFatal("cannot make the benchmark database");
        // The query and this handle end before the connection is closed.
        {
            QSqlDatabase db = ctx.db();
            db.transaction();
            QSqlQuery q(db);
            exec(q, "INSERT INTO TANKLST (tankid, tankname, tanksize, TankWaterType) VALUES (?, ?, 55, '3')",
                 {"12-08-2026 14:05:09", "Reef"});
            exec(q, "INSERT INTO TANKLST (tankid, tankname, tanksize, TankWaterType) VALUES (?, ?, 30, '1')",
                 {"12-08-2026 14:05:10", "Pond"});
            const QDate first(1990, 1, 1);
            for (int i = 0; i < kEntries; ++i) {
                const QString tank = i % 2 ? "12-08-2026 14:05:09" : "12-08-2026 14:05:10";
                const QString date = first.addDays(i / 2).toString(Qt::ISODate);
                const QString time = QStringLiteral("%1:%2:00").arg(8 + i % 12, 2, 10, QLatin1Char('0')).arg(i % 60, 2, 10, QLatin1Char('0'));
                exec(q, "INSERT INTO waterlog (tankname, logdate, logtime, ph, Ammonia, nitrate, temp, Comment) "
                        "VALUES (?, ?, ?, ?, ?, ?, ?, ?)",
                     {tank, date, time, 7.8 + (i % 10) / 10.0, (i % 4) * 0.25, i % 40, 76 + i % 5,
                      QStringLiteral("Routine test %1").arg(i)});
                exec(q, "INSERT INTO livestock (tankname, dateadded, timeadded, animalname, quantity, Status, "
                        "price_paid, where_purch, Comment) VALUES (?, ?, ?, ?, ?, 'Alive', ?, 'Shop', ?)",
                     {tank, date, time, QStringLiteral("Fish %1").arg(i % 97), 1 + i % 5, 2.5 + i % 9,
                      QStringLiteral("Added %1").arg(i)});
                exec(q, "INSERT INTO maintlog (mainttankname, maintlogdate, maintlogtime, maintlogtask, maintlogqty, "
                        "maintlogunit, maintlogdesc, maintlognote) VALUES (?, ?, ?, ?, ?, 'gal', ?, ?)",
                     {tank, date, time, QStringLiteral("Water Change"), 5 + i % 10, QStringLiteral("Change %1").arg(i),
                      QStringLiteral("note")});
            }
            for (int i = 0; i < kRules; ++i) {
                // Daily, weekly and monthly rules over the next years.
                const int type = i % 3;
                const QString detail = type == 1 ? QStringLiteral("0100100") : type == 2 ? QStringLiteral("15") : QString();
                exec(q, "INSERT INTO maintsched (SchedTask, schedtankname, SchedStartDate, SchedEndDate, "
                        "SchedInterval, SchedRtype, SchedRSubtype, SchedDetailText, SchedEnglishDesc) "
                        "VALUES (?, 'Reef', '2026-01-01', '2029-01-01', ?, ?, 0, ?, '')",
                     {QStringLiteral("Task %1").arg(i), 1 + i % 14, type, detail});
            }
            db.commit();
        }
        closeDatabase(ctx);
    }
};

Fixture& fixture()
{
    static Fixture f;
    return f;
}

// Lets the window system show the window, as the keeper's screen would.
bool waitExposed(QWidget& window)
{
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 5000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        if (window.windowHandle() && window.windowHandle()->isExposed())
            return true;
    }
    return false;
}

// The program's start-up, up to the main window shown with its reminders filled.
void BM_StartupToMainWindow(benchmark::State& state)
{
    Fixture& f = fixture();
    for (auto _ : state) {
        AppContext ctx;
        ctx.services.clock = &f.clock;
        ctx.services.messages = &f.messages;
        ctx.settingsStore = &f.store;
        ctx.startDir = f.dir.path();
        {
            StartupOptions options;
            options.splashAndTip = false;
            Startup startup(ctx, options);
            if (startup.run() != 0 || !waitExposed(*startup.mainWindow())) {
                state.SkipWithError("the main window did not come up");
                break;
            }
            auto* box = startup.mainWindow()->findChild<QComboBox*>(QStringLiteral("remindersBox"));
            if (!box || box->count() != 20) {
                state.SkipWithError("the reminders box is not filled");
                break;
            }
            state.PauseTiming();
        }
        closeDatabase(ctx);
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    if (f.messages.shown)
        state.SkipWithError("start-up showed a message");
}
BENCHMARK(BM_StartupToMainWindow)->Unit(benchmark::kMillisecond)->MinTime(3.0);

// An empty QMainWindow shown the same way: what any Qt program pays.
void BM_EmptyMainWindow(benchmark::State& state)
{
    for (auto _ : state) {
        QMainWindow window;
        window.resize(800, 600);
        window.show();
        if (!waitExposed(window)) {
            state.SkipWithError("the window did not come up");
            break;
        }
        state.PauseTiming();
        window.close();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_EmptyMainWindow)->Unit(benchmark::kMillisecond)->MinTime(3.0);

// The open check alone: the whole-file integrity check on its own connection.
void BM_OpenCheck(benchmark::State& state)
{
    Fixture& f = fixture();
    const QString path = QDir(f.dir.path()).filePath(QStringLiteral("VX.MDB"));
    state.counters["file_MB"] = double(QFile(path).size()) / (1024.0 * 1024.0);
    for (auto _ : state) {
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("bench_check"));
            db.setDatabaseName(path);
            db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
            if (!db.open())
                state.SkipWithError("cannot open");
            QSqlQuery q(db);
            if (!q.exec(QStringLiteral("PRAGMA integrity_check")) || !q.next() || q.value(0).toString() != "ok")
                state.SkipWithError("the check failed");
            q.finish();
            db.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("bench_check"));
    }
}
BENCHMARK(BM_OpenCheck)->Unit(benchmark::kMillisecond)->MinTime(3.0);

} // namespace

int main(int argc, char** argv)
{
    return bench::runBenchmarks(argc, argv, [] {
        QApplication::setApplicationName(QStringLiteral("Brinestead"));
        fixture();
    });
}
