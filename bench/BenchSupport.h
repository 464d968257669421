#pragma once
// What the benchmark programs share: a settings store that keeps nothing,
// silent message boxes, a fixed clock, a new database of their own, and main()
// with a QApplication on the offscreen platform.
#include "core/AppContext.h"
#include "core/Database.h"
#include "core/Services.h"
#include "core/Settings.h"

#include <QApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <functional>

namespace bench {

class NoSettingsStore : public ISettingsStore {
public:
    QString get(const QString&, const QString& defaultValue) const override { return defaultValue; }
    void set(const QString&, const QString&) override {}
};

// Answers every message with OK and counts them (a benchmark that expects
// none can check the count).
class SilentMessages : public IMessageBox {
public:
    int shown = 0;
    MsgResult show(const Message&) override
    {
        ++shown;
        return MsgResult::Ok;
    }
};

// 8 December 2026 at the given time of day.
class FixedClock : public IClock {
public:
    explicit FixedClock(QTime time = QTime(14, 5, 9)) : m_moment(QDate(2026, 12, 8), time) {}
    QDateTime now() const override { return m_moment; }

private:
    QDateTime m_moment;
};

// A new VX.MDB in a folder of its own, opened with the fixed clock and a
// settings store that keeps nothing.
struct NewDatabase {
    QTemporaryDir dir;
    FixedClock clock;
    NoSettingsStore store;
    AppContext ctx;

    NewDatabase()
    {
        ctx.startDir = dir.path();
        ctx.services.clock = &clock;
        ctx.settingsStore = &store;
        if (!openDatabase(ctx).ok())
            qFatal("cannot open the benchmark database");
    }
};

// Runs the benchmarks the command line asks for. `setUp` runs once the
// application object exists and before anything is timed (shared fixtures);
// `tearDown` runs after the benchmarks, while the application object still
// exists (windows kept across benchmarks are deleted there).
inline int runBenchmarks(int argc, char** argv, const std::function<void()>& setUp = {},
                         const std::function<void()>& tearDown = {})
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (setUp)
        setUp();
    benchmark::RunSpecifiedBenchmarks();
    if (tearDown)
        tearDown();
    benchmark::Shutdown();
    return 0;
}

} // namespace bench
