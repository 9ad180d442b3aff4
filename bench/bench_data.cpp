// The shared routines every window leans on, and the copying of a whole curriculum.
#include "BenchDatabase.h"
#include "BenchMain.h"
#include "data/Connection.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>

namespace {

struct RatingFixture {
    BenchDatabase b;
    qint64 tev = 0, osz = 0, tan = 0, teacher = 0;
    RatingFixture() {
        teacher = b.insertUser(QStringLiteral("tanito"), false);
        b.loginAs(teacher);
        b.db().run(QStringLiteral("addTanev"),
                   {2024, QStringLiteral("Félév"), QStringLiteral("Igen"), QString()});
        tev = modSub::GetLastKey(QStringLiteral("TANEV"));
        b.db().run(QStringLiteral("createClass"), {tev, 3, QStringLiteral("a"), 0, 2022, QString()});
        osz = modSub::GetLastKey(QStringLiteral("OSZTALY"));
        for (int i = 0; i < 35; ++i) {
            b.db().run(QStringLiteral("createEmptyStudent"));
            tan = modSub::GetLastKey(QStringLiteral("TANULO"));
            modSub::OpenOrCreateRating(tan, osz, tev);
        }
        b.db().run(QStringLiteral("updateUsrRightsToClass"), {QStringLiteral("I"), teacher, osz});
        modSub::GetClassRight(osz); // creates the rights row
        b.db().run(QStringLiteral("updateUsrRightsToClass"), {QStringLiteral("I"), teacher, osz});
    }
};

void BM_OpenOrCreateRating_existing(benchmark::State &state) {
    RatingFixture f;
    for (auto _ : state)
        benchmark::DoNotOptimize(modSub::OpenOrCreateRating(f.tan, f.osz, f.tev).count());
}
BENCHMARK(BM_OpenOrCreateRating_existing)->Unit(benchmark::kMicrosecond);

void BM_GetClassRight_teacher(benchmark::State &state) {
    RatingFixture f;
    for (auto _ : state)
        benchmark::DoNotOptimize(modSub::GetClassRight(f.osz));
}
BENCHMARK(BM_GetClassRight_teacher)->Unit(benchmark::kMicrosecond);

void BM_WriteLog(benchmark::State &state) {
    RatingFixture f;
    for (auto _ : state)
        modSub::WriteLog(QStringLiteral("ERTEKELES"), 1, QStringLiteral("Ertekeles mentese"));
}
BENCHMARK(BM_WriteLog)->Unit(benchmark::kMicrosecond);

// Inside a caller's transaction (a save logs its parts so): the engine's own share without the disk flush.
void BM_WriteLog_inTransaction(benchmark::State &state) {
    RatingFixture f;
    Transaction t(f.b.db().connection());
    for (auto _ : state)
        modSub::WriteLog(QStringLiteral("ERTEKELES"), 1, QStringLiteral("Ertekeles mentese"));
    t.commit();
}
BENCHMARK(BM_WriteLog_inTransaction)->Unit(benchmark::kMicrosecond);

// 10,000 sentences in 20 x 5 x 5 sub-competencies, copied into a new period.
void BM_CopyCurriculum(benchmark::State &state) {
    BenchDatabase b;
    b.db().run(QStringLiteral("addTanev"),
               {2023, QStringLiteral("Év vége"), QStringLiteral("Igen"), QString()});
    const qint64 from = modSub::GetLastKey(QStringLiteral("TANEV"));
    fillCurriculum(b.db(), from);
    for (auto _ : state) {
        state.PauseTiming();
        b.db().run(QStringLiteral("addTanev"),
                   {2024, QStringLiteral("Félév"), QStringLiteral("Igen"), QString()});
        const qint64 to = modSub::GetLastKey(QStringLiteral("TANEV"));
        state.ResumeTiming();
        modSub::CopyCurriculum(from, to, [] { QCoreApplication::processEvents(); });
    }
}
BENCHMARK(BM_CopyCurriculum)->Unit(benchmark::kMillisecond)->Iterations(3);

// The baseline: the same rows written with plain prepared statements in one transaction.
void BM_PlainInsertBaseline(benchmark::State &state) {
    BenchDatabase b;
    Connection &c = b.db().connection();
    for (auto _ : state) {
        Transaction t(c);
        Statement subject(c, QStringLiteral("INSERT INTO ATARGY (ata_rnev, ata_tev_id) VALUES (?, ?)"));
        Statement comp(c, QStringLiteral("INSERT INTO KMPBANK (kpb_ata_id, kpb_nev) VALUES (?, ?)"));
        Statement sub(c, QStringLiteral("INSERT INTO ALKMPBANK (akb_kpb_id, akb_nev) VALUES (?, ?)"));
        Statement sentence(
            c, QStringLiteral("INSERT INTO MONDATBANK (mdb_akb_id, mdb_szoveg, mdb_megoszt, mdb_usr_id) "
                              "VALUES (?, ?, ?, ?)"));
        qint64 id = 0;
        for (int s = 0; s < kSubjects; ++s) {
            subject.run({QStringLiteral("Tantárgy %1").arg(s), 2});
            const qint64 ata = ++id;
            for (int k = 0; k < kComps; ++k) {
                comp.run({ata, QStringLiteral("Kompetencia %1").arg(k)});
                for (int a = 0; a < kSubComps; ++a) {
                    sub.run({id, QStringLiteral("Részterület %1").arg(a)});
                    for (int m = 0; m < kSentences; ++m)
                        sentence.run(
                            {id,
                             QStringLiteral("A tanuló a(z) %1. mondat szerint szépen dolgozik az órákon.")
                                 .arg(m),
                             QStringLiteral("M"), 1});
                }
            }
        }
        t.commit();
    }
}
BENCHMARK(BM_PlainInsertBaseline)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char **argv) {
    return runBenchmarks(argc, argv, false);
}
