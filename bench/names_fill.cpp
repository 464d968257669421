// How long the names cross-reference takes to fill its list from a names file
// of 50,000 lines, beside reading and parsing the same file alone; and the
// parse of 16 MB of blank CRLF lines.
#include "BenchSupport.h"
#include "core/AppContext.h"
#include "core/Settings.h"
#include "logbook/NamesFile.h"
#include "tools/ui/NamesCrossReferenceWindow.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QTreeView>
#include <benchmark/benchmark.h>

namespace {

constexpr int kLines = 50000;

class NoShell : public IShell {
public:
    void claimFilePrint(bool, const QString&) override {}
    void setFilePrintEnabled(bool) override {}
};

struct Fixture {
    QTemporaryDir dir;
    bench::NoSettingsStore store;
    AppContext ctx;

    Fixture()
    {
        ctx.startDir = dir.path();
        ctx.settingsStore = &store;
        // Names in no particular order: a few comment lines, the rest animals
        // with two- and three-word common names, CRLF line ends.
        const char* first[] = {"Yellow", "Blue", "Flame", "Spotted", "Royal", "Striped", "Golden", "Dwarf"};
        const char* second[] = {"Tang", "Angelfish", "Goby", "Wrasse", "Tetra", "Damsel", "Blenny", "Cichlid"};
        const char* genus[] = {"Zebrasoma", "Centropyge", "Amphiprion", "Pseudanthias", "Chromis", "Gobiodon"};
        QByteArray text;
        quint32 seed = 12345;
        auto next = [&seed] {
            seed = seed * 1664525u + 1013904223u;
            return seed >> 8;
        };
        for (int i = 0; i < kLines; ++i) {
            if (i % 500 == 0) {
                text += "! section " + QByteArray::number(i) + "\r\n";
                continue;
            }
            QString common = QStringLiteral("%1 %2 %3")
                                 .arg(QLatin1String(first[next() % 8]))
                                 .arg(QLatin1String(second[next() % 8]))
                                 .arg(next() % 100000);
            const QString latin = QStringLiteral("%1 species%2")
                                      .arg(QLatin1String(genus[next() % 6]))
                                      .arg(next() % 100000);
            text += (common.leftJustified(49, QLatin1Char(' '), true) + latin).toLatin1() + "\r\n";
        }
        QFile f(dir.filePath(kSaltNamesFile));
        if (!f.open(QIODevice::WriteOnly) || f.write(text) != text.size())
            qFatal("cannot write the benchmark names file");
    }
};

Fixture& fixture()
{
    static Fixture f;
    return f;
}

// Reading and parsing the file alone: every name handed over and kept.
void BM_ReadAndParseNamesFile(benchmark::State& state)
{
    Fixture& f = fixture();
    for (auto _ : state) {
        QVector<NameEntry> names;
        const NamesFileResult result =
            readNamesFile(f.ctx.startDir, kSaltNamesFile, [&](const NameEntry& e) { names.append(e); });
        if (result.status != NamesFileResult::Loaded || result.count < kLines - 200)
            state.SkipWithError("file not read");
        benchmark::DoNotOptimize(names.data());
    }
    state.SetItemsProcessed(state.iterations() * kLines);
}
BENCHMARK(BM_ReadAndParseNamesFile)->Unit(benchmark::kMillisecond);

// The window's fill: read, parse, status texts, rows sorted by common name,
// the first row selected and the shown list repainted.
void BM_NamesWindowFill(benchmark::State& state)
{
    Fixture& f = fixture();
    NoShell shell;
    NamesCrossReferenceWindow window(f.ctx, &shell);
    window.resize(600, 500);
    window.show();
    QCoreApplication::processEvents();
    auto* list = window.findChild<QTreeView*>(QStringLiteral("namesList"));
    if (!list || list->model()->rowCount() < kLines - 200)
        state.SkipWithError("list not filled");
    for (auto _ : state) {
        window.loadSaltwaterNames();
        list->repaint();
        QCoreApplication::processEvents();
    }
    state.SetItemsProcessed(state.iterations() * kLines);
}
BENCHMARK(BM_NamesWindowFill)->Unit(benchmark::kMillisecond);

// 16 MB of blank CRLF lines: one pass, no name.
void BM_ParseBlankCrLfLines(benchmark::State& state)
{
    const QString text = QStringLiteral("\r\n").repeated(8 * 1024 * 1024);
    for (auto _ : state) {
        const QVector<NameEntry> names = parseNamesText(text);
        if (!names.isEmpty())
            state.SkipWithError("blank lines gave names");
    }
    state.SetBytesProcessed(state.iterations() * text.size() * 2);
}
BENCHMARK(BM_ParseBlankCrLfLines)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return bench::runBenchmarks(argc, argv, [] {
        fixture();
    });
}
