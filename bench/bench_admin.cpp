// Database maintenance on a large file (200,000 rating parts, 5,000 of them duplicates) and opening the
// event log window on 100,000 entries.
#include "BenchDatabase.h"
#include "BenchMain.h"
#include "data/Maintenance.h"
#include "shell/frmLog.h"

#include <QApplication>
#include <QTableView>
#include <benchmark/benchmark.h>

namespace {

constexpr int kParts = 200000;
constexpr int kDuplicates = 5000;
constexpr int kLogRows = 100000;

qint64 countOf(BenchDatabase &b, const char *sql) {
    return b.db().connection().query(QString::fromLatin1(sql)).at(0, QStringLiteral("n")).toLongLong();
}

struct MaintenanceFixture {
    BenchDatabase b;

    MaintenanceFixture() {
        const qint64 admin = b.insertUser(QStringLiteral("igazgato"), true);
        b.loginAs(admin);
        CommandSet &db = b.db();
        Transaction t(db.connection());
        db.run(QStringLiteral("addTanev"),
               {2024, QStringLiteral("Félév"), QStringLiteral("Igen"), QString()});
        const qint64 tev = modSub::GetLastKey(QStringLiteral("TANEV"));
        db.run(QStringLiteral("updateActivePeriod"), {tev});
        // The curriculum of a school: 15 subjects, most with competencies and sub-competencies, a few
        // without, which the pass completes on its first run.
        for (int s = 0; s < 15; ++s) {
            db.run(QStringLiteral("createSubject"), {QStringLiteral("Tantárgy %1").arg(s), tev});
            const qint64 ata = modSub::GetLastKey(QStringLiteral("ATARGY"));
            for (int c = 0; c < (s % 5 ? 4 : 0); ++c) {
                db.run(QStringLiteral("createComp"), {ata, QStringLiteral("Kompetencia %1").arg(c)});
                const qint64 kpb = modSub::GetLastKey(QStringLiteral("KMPBANK"));
                for (int a = 0; a < 4; ++a)
                    db.run(QStringLiteral("createSubComp"), {kpb, QStringLiteral("Részterület %1").arg(a)});
            }
        }
        // 6,500 ratings of 30 parts each, written in one statement.
        db.connection().exec(
            QStringLiteral(
                "WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < %1) "
                "INSERT INTO ERTRESZ (esz_ert_id, esz_akb_id, esz_szoveg) SELECT i / 30 + 1, i % 30 + 1, "
                "'Az órákon figyelmes, feladatait pontosan és önállóan végzi.' FROM n")
                .arg(kParts - kDuplicates - 1));
        addDuplicates();
        t.commit();
    }

    void addDuplicates() {
        b.db().connection().exec(QStringLiteral("INSERT INTO ERTRESZ (esz_ert_id, esz_akb_id, esz_szoveg) "
                                                "SELECT esz_ert_id, esz_akb_id, 'újabb szöveg' FROM ERTRESZ "
                                                "WHERE esz_id % 39 = 0 LIMIT %1")
                                     .arg(kDuplicates));
    }
};

void BM_Maintenance200kParts5kDuplicates(benchmark::State &state) {
    MaintenanceFixture f;
    for (auto _ : state) {
        state.PauseTiming();
        if (countOf(f.b, "SELECT count(*) AS n FROM ERTRESZ") < kParts)
            f.addDuplicates();
        state.ResumeTiming();
        Maintenance::RunDatabaseMaintenance();
    }
    state.counters["parts_left"] = double(countOf(f.b, "SELECT count(*) AS n FROM ERTRESZ"));
}
BENCHMARK(BM_Maintenance200kParts5kDuplicates)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_OpenLogWindow100kEntries(benchmark::State &state) {
    BenchDatabase b;
    const qint64 admin = b.insertUser(QStringLiteral("igazgato"), true);
    b.loginAs(admin);
    {
        Transaction t(b.db().connection());
        for (int i = 0; i < kLogRows; ++i)
            modSub::WriteLog(QStringLiteral("ERTRESZ"), i, QStringLiteral("Ertekeles mentese"),
                             i % 50 ? 0 : -1);
        t.commit();
    }
    for (auto _ : state) {
        frmLog window;
        window.load();
        window.show();
        QApplication::processEvents();
        benchmark::DoNotOptimize(window.DataGrid1->model()->rowCount());
    }
}
BENCHMARK(BM_OpenLogWindow100kEntries)->Unit(benchmark::kMillisecond)->Iterations(10);

} // namespace

int main(int argc, char **argv) {
    return runBenchmarks(argc, argv, true);
}
