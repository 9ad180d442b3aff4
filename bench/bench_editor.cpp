// The rating editor on a realistic school: 15 subjects x 4 competencies x 4 sub-competencies, 200 sentences
// on the shown sub-competency, a class of 35 pupils.
#include "BenchDatabase.h"
#include "BenchMain.h"
#include "rating/EditorContext.h"
#include "rating/EditorWidgets.h"
#include "rating/frmKid.h"
#include "rating/frmMain.h"

#include <QApplication>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QTabBar>
#include <QTreeWidget>
#include <benchmark/benchmark.h>

namespace {

struct EditorFixture {
    BenchDatabase b;
    qint64 cls = 0;
    QList<qint64> subComps;
    EditorContext editors;
    std::unique_ptr<frmMain> editor;

    EditorFixture() {
        const qint64 teacher = b.insertUser(QStringLiteral("tanito"), false);
        b.loginAs(teacher);
        CommandSet &db = b.db();
        const qint64 tev = b.insertActivePeriod();
        {
            Transaction t(db.connection());
            for (int s = 0; s < 15; ++s) {
                db.run(QStringLiteral("createSubject"), {QStringLiteral("Tantárgy %1").arg(s), tev});
                const qint64 ata = modSub::GetLastKey(QStringLiteral("ATARGY"));
                for (int c = 0; c < 4; ++c) {
                    db.run(QStringLiteral("createComp"), {ata, QStringLiteral("Kompetencia %1").arg(c)});
                    const qint64 kpb = modSub::GetLastKey(QStringLiteral("KMPBANK"));
                    for (int a = 0; a < 4; ++a) {
                        db.run(QStringLiteral("createSubComp"),
                               {kpb, QStringLiteral("Részterület %1").arg(a)});
                        subComps << modSub::GetLastKey(QStringLiteral("ALKMPBANK"));
                    }
                }
            }
            for (int m = 0; m < 200; ++m)
                db.run(QStringLiteral("addSentence2"),
                       {subComps.first(), QStringLiteral("A tanuló %1. mondata a bankban.").arg(m),
                        m % 3 ? QStringLiteral("M") : QStringLiteral("P"), teacher});
            db.run(QStringLiteral("createClass"), {tev, 3, QStringLiteral("a"), teacher, 2022, QString()});
            cls = modSub::GetLastKey(QStringLiteral("OSZTALY"));
            for (int p = 0; p < 35; ++p) {
                db.run(QStringLiteral("createKid"),
                       {QStringLiteral("Tanuló"), QStringLiteral("%1").arg(p), QString(), QString(),
                        QString(), QString(), QDate(2016, 1, 1), QString(), QString()});
                modSub::OpenOrCreateRating(modSub::GetLastKey(QStringLiteral("TANULO")), cls, tev);
            }
            db.run(QStringLiteral("setLock"), {teacher, 3}); // one rating shown as held by somebody
            t.commit();
        }
        editor = std::make_unique<frmMain>(nullptr, editors);
        frmKid *kid = editor->kidWindow();
        kid->prepare();
        kid->dlClass->setCurrentItem(kid->dlClass->topLevelItem(0));
    }

    void openFirstPupil() {
        frmKid *kid = editor->kidWindow();
        kid->listKid->setCurrentItem(kid->listKid->topLevelItem(0));
        kid->btnSelect_Click();
    }
};

void BM_ListClass35(benchmark::State &state) {
    EditorFixture f;
    for (auto _ : state)
        f.editor->kidWindow()->dlClass_Click();
}
BENCHMARK(BM_ListClass35)->Unit(benchmark::kMillisecond);

void BM_SwitchSubCompetency(benchmark::State &state) {
    EditorFixture f;
    f.openFirstPupil();
    int i = 0;
    for (auto _ : state) {
        // Between the sub-competency with 200 sentences and another one.
        f.editor->cmbSubCompetencies->setCurrentIndex(i++ % 2);
        benchmark::DoNotOptimize(f.editor->dlSentences->topLevelItemCount());
    }
}
BENCHMARK(BM_SwitchSubCompetency)->Unit(benchmark::kMillisecond);

void BM_SaveChanges30Parts(benchmark::State &state) {
    EditorFixture f;
    f.openFirstPupil();
    int round = 0;
    for (auto _ : state) {
        state.PauseTiming();
        ++round;
        // 30 parts typed: one per sub-competency of the first subjects.
        for (int n = 0; n < 30; ++n) {
            f.editor->tabSubjects->setCurrentIndex(n / 16);
            f.editor->tabCompetencies->setCurrentIndex((n / 4) % 4);
            f.editor->cmbSubCompetencies->setCurrentIndex(n % 4);
            f.editor->txtRating->setFocus();
            f.editor->txtRating->insertPlainText(QStringLiteral("Szöveg %1. ").arg(round));
        }
        if (f.editor->pendingEdits().count() != 30)
            state.SkipWithError("the parts were not typed");
        state.ResumeTiming();
        f.editor->SaveChanges();
    }
    state.counters["rows"] = double(f.b.db()
                                        .connection()
                                        .query(QStringLiteral("SELECT count(*) AS n FROM ERTRESZ"))
                                        .field(QStringLiteral("n"))
                                        .toInt());
}
BENCHMARK(BM_SaveChanges30Parts)->Unit(benchmark::kMillisecond)->Iterations(10);

} // namespace

int main(int argc, char **argv) {
    return runBenchmarks(argc, argv, true);
}
