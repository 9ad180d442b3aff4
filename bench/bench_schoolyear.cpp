// Setting up a school year: a new period with a copy of a 10,000-sentence curriculum, and a class's pupil
// list read from a spreadsheet and written.
#include "BenchDatabase.h"
#include "BenchMain.h"
#include "admin/PupilSheet.h"
#include "admin/SchoolYear.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <benchmark/benchmark.h>

namespace {

// What the period window does on OK, with the window's progress step: the longest stretch without one is
// reported, since the window must show it is alive the whole way.
void BM_CreatePeriod_10000Sentences(benchmark::State &state) {
    BenchDatabase b;
    b.loginAs(b.insertUser(QStringLiteral("igazgato"), true));
    b.db().run(QStringLiteral("addTanev"),
               {2023, QStringLiteral("Év vége"), QStringLiteral("Igen"), QString()});
    const qint64 from = modSub::GetLastKey(QStringLiteral("TANEV"));
    b.db().run(QStringLiteral("updateActivePeriod"), {from});
    fillCurriculum(b.db(), from);
    qint64 longestGap = 0;
    int ticks = 0;
    for (auto _ : state) {
        QElapsedTimer gap;
        gap.start();
        SchoolYear::createPeriod(2024, QStringLiteral("Félév"), QString(), [&] {
            longestGap = std::max(longestGap, gap.restart());
            ++ticks;
            QCoreApplication::processEvents();
        });
        longestGap = std::max(longestGap, gap.elapsed());
    }
    state.counters["longest_ms_without_progress"] = double(longestGap);
    state.counters["progress_steps"] = benchmark::Counter(ticks, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_CreatePeriod_10000Sentences)->Unit(benchmark::kMillisecond)->Iterations(3);

// A 40-pupil .xls read whole and written into a class with a rating each.
void BM_ImportPupils_xls40(benchmark::State &state) {
    BenchDatabase b;
    b.loginAs(b.insertUser(QStringLiteral("igazgato"), true));
    b.db().run(QStringLiteral("addTanev"),
               {2024, QStringLiteral("Félév"), QStringLiteral("Igen"), QString()});
    const qint64 tev = modSub::GetLastKey(QStringLiteral("TANEV"));
    const QString file = QStringLiteral(LORVANTO_SOURCE_DIR "/tests/admin/data/pupils40.xls");
    for (auto _ : state) {
        state.PauseTiming();
        b.db().run(QStringLiteral("createClass"), {tev, 1, QStringLiteral("a"), 0, 2024, QString()});
        const qint64 osz = modSub::GetLastKey(QStringLiteral("OSZTALY"));
        state.ResumeTiming();
        PupilSheet sheet;
        if (!sheet.read(file) || sheet.rows().size() != 40) {
            state.SkipWithError(qPrintable(sheet.error()));
            break;
        }
        SchoolYear::addPupils(sheet.rows(), osz, tev);
    }
}
BENCHMARK(BM_ImportPupils_xls40)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv) {
    return runBenchmarks(argc, argv, false);
}
