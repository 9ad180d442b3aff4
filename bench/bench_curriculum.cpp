// The curriculum and the sentence bank of a large school: 20 subjects x 5 competencies x 5 sub-competencies
// with 10,000 sentences, 2,000 of them beneath the first subject.
#include "BenchDatabase.h"
#include "BenchMain.h"
#include "curriculum/SentenceBank.h"
#include "curriculum/frmImportSentences.h"
#include "curriculum/frmSentences.h"
#include "curriculum/frmSubjects.h"
#include "exchange/ExchangeFile.h"
#include "exchange/clsExport.h"

#include <QPushButton>
#include <QTreeWidget>
#include <benchmark/benchmark.h>

namespace {

constexpr int kSentences = 10000;
constexpr int kFirstSubject = 2000;

struct CurriculumFixture {
    BenchDatabase b;
    qint64 firstSubject = 0;
    QList<qint64> subComps;

    CurriculumFixture() {
        const qint64 admin = b.insertUser(QStringLiteral("igazgato"), true);
        const qint64 teacher = b.insertUser(QStringLiteral("tanito"), false);
        b.loginAs(admin);
        CommandSet &db = b.db();
        const qint64 tev = b.insertActivePeriod();
        Transaction t(db.connection());
        for (int s = 0; s < 20; ++s) {
            const qint64 ata = SubjectTree::CreateSubject(tev, QStringLiteral("Tantárgy %1").arg(s));
            if (s == 0)
                firstSubject = ata;
            for (int c = 0; c < 5; ++c) {
                const qint64 kpb = SubjectTree::AddComp(ata, QStringLiteral("Terület %1").arg(c));
                for (int a = 0; a < 5; ++a)
                    subComps << SubjectTree::AddSubComp(kpb, QStringLiteral("Alterület %1").arg(a));
            }
        }
        // Every mark; the private ones are the administrator's, so that he sees the whole bank.
        static const char *const marks[] = {"M", "A", "U", "P"};
        for (int m = 0; m < kSentences; ++m) {
            // The first 25 sub-competencies belong to the first subject.
            const int sub = m < kFirstSubject ? m % 25 : 25 + m % (int(subComps.size()) - 25);
            db.run(QStringLiteral("addSentence2"),
                   {subComps[sub], QStringLiteral("A tanuló %1. mondata: ügyesen, őszintén dolgozik.").arg(m),
                    QString::fromLatin1(marks[m % 4]), m % 4 == 3 || m % 3 ? admin : teacher});
        }
        t.commit();
    }
};

CurriculumFixture &fixture() {
    static CurriculumFixture f;
    return f;
}

void BM_SubjectTreeShown(benchmark::State &state) {
    fixture();
    for (auto _ : state) {
        frmSubjects w;
        benchmark::DoNotOptimize(w.tvSubjects->topLevelItemCount());
    }
}
BENCHMARK(BM_SubjectTreeShown)->Unit(benchmark::kMillisecond);

void BM_SentencesOfOneSubject(benchmark::State &state) {
    CurriculumFixture &f = fixture();
    frmSentences w;
    for (auto _ : state)
        w.LoadSentences(QStringLiteral("Tantárgy 0"), f.firstSubject, SubjectTree::Subject, false);
    state.counters["rows"] = w.lvSentences->topLevelItemCount();
}
BENCHMARK(BM_SentencesOfOneSubject)->Unit(benchmark::kMillisecond);

QString exportPath() {
    return fixture().b.dir.filePath(QStringLiteral("osszes.mb"));
}

void BM_ExportAllSentences(benchmark::State &state) {
    fixture();
    qsizetype written = 0;
    for (auto _ : state) {
        const QStringList texts = SentenceBank::ExportableSentences();
        clsExport file;
        file.CreateFile(exportPath(), ExchangeFile::Sentences);
        for (const QString &text : texts)
            file.WriteSentence(text);
        if (!file.CloseFile())
            state.SkipWithError("the file was not written");
        written = texts.size();
    }
    state.counters["sentences"] = double(written);
}
BENCHMARK(BM_ExportAllSentences)->Unit(benchmark::kMillisecond);

void BM_ImportAllSentences(benchmark::State &state) {
    CurriculumFixture &f = fixture();
    for (auto _ : state) {
        // Reading and checking the file, the window's list, and the additions in one transaction.
        ExchangeFile::Content content = ExchangeFile::read(exportPath(), ExchangeFile::Sentences);
        QStringList sentences;
        if (content.status != ExchangeFile::ReadStatus::Ok ||
            ExchangeFile::readSentences(content.records, sentences) != ExchangeFile::ReadStatus::Ok)
            state.SkipWithError("the file was not read");
        frmImportSentences w;
        w.setSentences(sentences, f.subComps.last());
        w.btnImport->click();
        if (w.importedCount() != sentences.size())
            state.SkipWithError("not every sentence was imported");
        state.counters["sentences"] = double(w.importedCount());
    }
}
BENCHMARK(BM_ImportAllSentences)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char **argv) {
    return runBenchmarks(argc, argv, true);
}
