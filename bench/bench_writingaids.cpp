// The writing aids of the rating editor on realistic data: Hungarian spelling of a full part (2,046
// characters), the fill count of a 60-part rating, and the check before finalising in a class of 35 pupils
// with 60 parts each.
#include "BenchDatabase.h"
#include "BenchMain.h"
#include "print/PrintControl.h"
#include "rating/FillCounter.h"
#include "rating/FinaliseCheck.h"
#include "rating/RatingOutline.h"
#include "rating/SpellChecker.h"

#include <benchmark/benchmark.h>

namespace {

const char *const kSentences[] = {
    "A tanuló szorgalmasan dolgozott az órákon, figyelmesen hallgatta tanítóit és társait.",
    "Feladatait mindig pontosan és gondosan készítette el, füzetei rendezettek.",
    "Olvasása folyékony, kifejező, szövegértése életkorának megfelelő.",
    "Helyesírása sokat fejlődött, de még gyakorolnia kell a hosszú mássalhangzók jelölését.",
    "Matematikából a szöveges feladatok megoldása okoz számára nehézséget.",
    "Rajzai ötletesek, színesek, szívesen vesz részt a közös alkotásban.",
    "Az ének-zene órákon bátran szerepel, a dalokat szépen, tisztán énekli.",
    "Társaival kedves és segítőkész, a csoportmunkában kezdeményező.",
    "A tízes átlépést igénylő összeadásokat biztosan, hibátlanul végzi.",
    "Testnevelésórán kitartó, a labdajátékokban ügyesen mozog.",
    "Környezetismeretből érdeklődése kiemelkedő, gyűjtőmunkáit örömmel mutatja be.",
    "Írása olvasható, betűalakításai szabályosak, a vonalközt betartja.",
};

QString hungarianText(int length, int seed) {
    QString text;
    int i = seed;
    while (text.size() < length) {
        text += QString::fromUtf8(kSentences[i % std::size(kSentences)]) + QLatin1Char(' ');
        ++i;
    }
    return text.left(length);
}

SpellChecker *loadedChecker(benchmark::State &state) {
    static std::unique_ptr<SpellChecker> checker;
    const QString dictionary = SpellChecker::findHungarianDictionary();
    if (dictionary.isEmpty()) {
        state.SkipWithError("hunspell-hu is not installed");
        return nullptr;
    }
    if (!checker)
        checker = std::make_unique<SpellChecker>(dictionary, QString());
    return checker.get();
}

// A class of 35 pupils, each with a rating of 60 parts (15 subjects, 4 sub-competencies each).
struct ClassFixture {
    BenchDatabase b;
    qint64 tev = 0, cls = 0;
    QList<qint64> ratings, pupils;

    ClassFixture() {
        CommandSet &db = b.db();
        db.run(QStringLiteral("addTanev"),
               {2024, QStringLiteral("Év vége"), QStringLiteral("Igen"), QString()});
        tev = modSub::GetLastKey(QStringLiteral("TANEV"));
        Transaction t(db.connection());
        QList<qint64> subComps;
        for (int s = 0; s < 15; ++s) {
            db.run(QStringLiteral("createSubject"), {QStringLiteral("Tantárgy %1").arg(s), tev});
            const qint64 ata = modSub::GetLastKey(QStringLiteral("ATARGY"));
            db.run(QStringLiteral("createComp"), {ata, QStringLiteral("Terület %1").arg(s)});
            const qint64 kpb = modSub::GetLastKey(QStringLiteral("KMPBANK"));
            for (int a = 0; a < 4; ++a) {
                db.run(QStringLiteral("createSubComp"), {kpb, QStringLiteral("Részterület %1").arg(a)});
                subComps << modSub::GetLastKey(QStringLiteral("ALKMPBANK"));
            }
        }
        db.run(QStringLiteral("createClass"), {tev, 3, QStringLiteral("a"), 0, 2022, QString()});
        cls = modSub::GetLastKey(QStringLiteral("OSZTALY"));
        const QStringList family = {QStringLiteral("Kovács"), QStringLiteral("Szabó"), QStringLiteral("Tóth"),
                                    QStringLiteral("Horváth"), QStringLiteral("Varga")};
        const QStringList given = {QStringLiteral("Petra"), QStringLiteral("Bence"), QStringLiteral("Anna"),
                                   QStringLiteral("Máté"),  QStringLiteral("Luca"),  QStringLiteral("Dávid"),
                                   QStringLiteral("Zsófia")};
        for (int p = 0; p < 35; ++p) {
            db.run(QStringLiteral("createKid"), {family[p % 5], given[p % 7], QString(), QString(), QString(),
                                                 QString(), QDate(2016, 1, 1), QString(), QString()});
            const qint64 tan = modSub::GetLastKey(QStringLiteral("TANULO"));
            const qint64 ert =
                modSub::OpenOrCreateRating(tan, cls, tev).field(QStringLiteral("ert_id")).toLongLong();
            pupils << tan;
            ratings << ert;
            for (int i = 0; i < subComps.size(); ++i)
                db.run(QStringLiteral("createRatingData"), {ert, subComps[i], hungarianText(300, p + i)});
        }
        t.commit();
    }
};

ClassFixture &classFixture() {
    static ClassFixture f;
    return f;
}

// A full part checked by a checker that has seen none of its words yet.
void BM_SpellPart_FirstTime(benchmark::State &state) {
    const QString dictionary = SpellChecker::findHungarianDictionary();
    if (dictionary.isEmpty()) {
        state.SkipWithError("hunspell-hu is not installed");
        return;
    }
    const QString text = hungarianText(2046, 0);
    for (auto _ : state) {
        state.PauseTiming();
        SpellChecker checker(dictionary, QString());
        state.ResumeTiming();
        benchmark::DoNotOptimize(checker.misspelt(text));
    }
}
BENCHMARK(BM_SpellPart_FirstTime)->Unit(benchmark::kMillisecond)->Iterations(5);

// Typing: the part is checked again after each keystroke, one word new.
void BM_SpellPart_WhileTyping(benchmark::State &state) {
    SpellChecker *checker = loadedChecker(state);
    if (!checker)
        return;
    QString text = hungarianText(2040, 0);
    checker->misspelt(text);
    int n = 0;
    for (auto _ : state) {
        state.PauseTiming();
        text = hungarianText(2040, 0) + QStringLiteral(" szó%1").arg(n++ % 100);
        state.ResumeTiming();
        benchmark::DoNotOptimize(checker->misspelt(text));
    }
}
BENCHMARK(BM_SpellPart_WhileTyping)->Unit(benchmark::kMillisecond);

void BM_FillCount_60Parts(benchmark::State &state) {
    ClassFixture &f = classFixture();
    const RatingOutline outline = RatingOutline::load(f.ratings.first(), f.tev);
    PendingEdits pending;
    pending.store(false, outline.parts().first().eszId, hungarianText(800, 3));
    PrintControl pc;
    PrintOptions options;
    options.subjectNames = true;
    options.competencyNames = true;
    int sheets = 0;
    for (auto _ : state)
        sheets = FillCounter::count(pc, outline.withPending(pending), options).sheets;
    state.counters["sheets"] = sheets;
}
BENCHMARK(BM_FillCount_60Parts)->Unit(benchmark::kMillisecond);

// The whole check, reading the class from the database, with the spelling of the words typed so far known.
void BM_FinaliseCheck_35x60(benchmark::State &state) {
    SpellChecker *checker = loadedChecker(state);
    if (!checker)
        return;
    ClassFixture &f = classFixture();
    const Recordset row = f.b.db().connection().query(
        QStringLiteral("SELECT * FROM ERTEKELES WHERE ert_id=?"), {f.ratings.first()});
    const QString decision = QStringLiteral("Tanulmányait a 4. évfolyamon folytathatja.");
    FinaliseCheck::run(FinaliseCheck::read(row, PendingEdits(), decision), checker);
    qsizetype findings = 0;
    for (auto _ : state)
        findings = FinaliseCheck::run(FinaliseCheck::read(row, PendingEdits(), decision), checker).size();
    state.counters["findings"] = double(findings);
}
BENCHMARK(BM_FinaliseCheck_35x60)->Unit(benchmark::kMillisecond);

// The same with a checker that has seen none of the words: the first check after the program started.
void BM_FinaliseCheck_35x60_FirstTime(benchmark::State &state) {
    const QString dictionary = SpellChecker::findHungarianDictionary();
    if (dictionary.isEmpty()) {
        state.SkipWithError("hunspell-hu is not installed");
        return;
    }
    ClassFixture &f = classFixture();
    const Recordset row = f.b.db().connection().query(
        QStringLiteral("SELECT * FROM ERTEKELES WHERE ert_id=?"), {f.ratings.first()});
    for (auto _ : state) {
        state.PauseTiming();
        SpellChecker checker(dictionary, QString());
        state.ResumeTiming();
        benchmark::DoNotOptimize(
            FinaliseCheck::run(FinaliseCheck::read(row, PendingEdits(), QString()), &checker));
    }
}
BENCHMARK(BM_FinaliseCheck_35x60_FirstTime)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char **argv) {
    return runBenchmarks(argc, argv, true);
}
