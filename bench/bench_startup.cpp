// Program start to the login window shown, measured by the program itself (--startup-probe) over whole runs.
#include "BenchMain.h"
#include "data/Schema.h"

#include <QCoreApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

void BM_StartupToLoginWindow(benchmark::State &state) {
    QTemporaryDir dir;
    const QString db = dir.filePath(QStringLiteral("msvcrx.dll"));
    Schema::createDatabase(db);
    double total = 0;
    for (auto _ : state) {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(LORVANTO_BIN),
                {QStringLiteral("--database"), db, QStringLiteral("--startup-probe")});
        if (!p.waitForFinished(20000)) {
            state.SkipWithError("the program did not start");
            return;
        }
        const QString out = QString::fromLocal8Bit(p.readAllStandardOutput());
        const double ms = out.section(QStringLiteral("startup-ms "), 1).trimmed().toDouble();
        state.SetIterationTime(ms / 1000.0);
        total += ms;
    }
    state.counters["startup_ms"] = benchmark::Counter(total / double(state.iterations()));
}
BENCHMARK(BM_StartupToLoginWindow)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

} // namespace

int main(int argc, char **argv) {
    return runBenchmarks(argc, argv, false);
}
