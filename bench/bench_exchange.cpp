// Checking a class out of a school database of about 50 MB and merging it back.
#include "BenchDatabase.h"
#include "BenchMain.h"
#include "data/Connection.h"
#include "data/DatabaseCopy.h"
#include "data/DatabaseKey.h"
#include "exchange/ClassCheckout.h"
#include "exchange/ClassFile.h"
#include "exchange/clsExport.h"

#include <QFile>
#include <QFileInfo>
#include <benchmark/benchmark.h>

namespace {

constexpr int kPupils = 35;
constexpr int kParts = 60;

// A school of many classes: 35 pupils each, 60 text parts of a few hundred characters per rating, until the
// file is about 50 MB. The class handed out is the first.
struct School {
    BenchDatabase b;
    qint64 tev = 0, cls = 0;
    QList<qint64> subComps;

    School() {
        const qint64 admin = b.insertUser(QStringLiteral("igazgato"), true);
        b.loginAs(admin);
        CommandSet &db = b.db();
        Transaction t(db.connection());
        db.run(QStringLiteral("addTanev"),
               {2024, QStringLiteral("Félév"), QStringLiteral("Igen"), QString()});
        tev = modSub::GetLastKey(QStringLiteral("TANEV"));
        db.run(QStringLiteral("createSubject"), {QStringLiteral("Matematika"), tev});
        const qint64 ata = modSub::GetLastKey(QStringLiteral("ATARGY"));
        db.run(QStringLiteral("createComp"), {ata, QStringLiteral("Számolás")});
        const qint64 kpb = modSub::GetLastKey(QStringLiteral("KMPBANK"));
        for (int i = 0; i < kParts; ++i) {
            db.run(QStringLiteral("createSubComp"), {kpb, QStringLiteral("Részterület %1").arg(i)});
            subComps << modSub::GetLastKey(QStringLiteral("ALKMPBANK"));
        }
        const QString text =
            QStringLiteral("Órákon aktívan és figyelmesen dolgozik, szépen fejlődik. ").repeated(6);
        for (int c = 0; c < 45; ++c) {
            db.run(QStringLiteral("createClass"),
                   {tev, 1 + c % 8, QStringLiteral("o%1").arg(c), 0, 2020, QString()});
            const qint64 osz = modSub::GetLastKey(QStringLiteral("OSZTALY"));
            if (c == 0)
                cls = osz;
            for (int p = 0; p < kPupils; ++p) {
                db.run(QStringLiteral("createKid"),
                       {QStringLiteral("Vezeték%1").arg(c), QStringLiteral("Kereszt%1").arg(p),
                        QStringLiteral("Anya"), QString(), QStringLiteral("Pécs"),
                        QStringLiteral("Magyarország"), QDate(2015, 1, 1 + p), QString(), QString()});
                const qint64 tan = modSub::GetLastKey(QStringLiteral("TANULO"));
                db.run(QStringLiteral("addRating"), {tan, osz, tev});
                const qint64 ert = modSub::GetLastKey(QStringLiteral("ERTEKELES"));
                for (qint64 akb : subComps)
                    db.run(QStringLiteral("createRatingData"), {ert, akb, text});
            }
        }
        t.commit();
    }
    qint64 fileSize() const { return QFileInfo(b.path).size(); }
};

School &school() {
    static School s;
    return s;
}

void BM_CheckoutCopy(benchmark::State &state) {
    School &s = school();
    const QString target = s.b.dir.filePath(QStringLiteral("osztaly.mb"));
    for (auto _ : state) {
        ClassCheckout::checkOut(s.cls, target);
        state.PauseTiming();
        s.b.db().run(QStringLiteral("purgeEXPORT"));
        state.ResumeTiming();
    }
    state.counters["MB"] = double(s.fileSize()) / 1e6;
}
BENCHMARK(BM_CheckoutCopy)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_MergeReturnedClass(benchmark::State &state) {
    School &s = school();
    const QString back = s.b.dir.filePath(QStringLiteral("vissza.mb"));
    DatabaseCopy::backup(s.b.db().connection(), back);
    {
        Connection c;
        c.open(back, databaseKey());
        c.exec(QStringLiteral("UPDATE PARAMETER SET par_ertek='2' WHERE par_nev='export'"));
        c.exec(QStringLiteral("DELETE FROM EXPORT"));
        c.query(QStringLiteral("INSERT INTO EXPORT (exp_osz_id) VALUES (?)"), {s.cls});
    }
    for (auto _ : state) {
        state.PauseTiming();
        s.b.db().run(QStringLiteral("addExportedClass"), {s.cls, 1});
        state.ResumeTiming();
        ClassCheckout::mergeReturnCopy(back);
    }
    state.counters["parts"] = kPupils * kParts;
}
BENCHMARK(BM_MergeReturnedClass)->Unit(benchmark::kMillisecond)->Iterations(5);

// A class file of 35 pupils written from the database and read back whole.
void BM_ClassFileWriteAndRead(benchmark::State &state) {
    BenchDatabase b;
    CommandSet &db = b.db();
    db.run(QStringLiteral("createClass"),
           {1, 3, QStringLiteral("a"), 0, 2022, QStringLiteral("Délutáni csoport")});
    const qint64 osz = modSub::GetLastKey(QStringLiteral("OSZTALY"));
    QList<qint64> pupils;
    for (int p = 0; p < kPupils; ++p) {
        db.run(QStringLiteral("createKid"),
               {QStringLiteral("Vezetéknév%1").arg(p), QStringLiteral("Keresztnév"),
                QStringLiteral("Anyja Neve"), QStringLiteral("Gondviselő"), QStringLiteral("Székesfehérvár"),
                QStringLiteral("Magyarország"), QDate(2015, 1, 1 + p), QStringLiteral("T-%1").arg(p),
                QString::number(p)});
        pupils << modSub::GetLastKey(QStringLiteral("TANULO"));
    }
    const QString path = b.dir.filePath(QStringLiteral("osztaly.mb"));
    for (auto _ : state) {
        clsExport file;
        file.CreateFile(path, ExchangeFile::Class);
        file.WriteClass(osz);
        for (qint64 tan : pupils)
            file.WriteKid(tan);
        if (!file.CloseFile())
            state.SkipWithError("the class file was not written");
        ExchangeFile::Content content = ExchangeFile::read(path, ExchangeFile::Class);
        ClassFile::Content read;
        if (ClassFile::read(content.records, read) != ExchangeFile::ReadStatus::Ok ||
            read.pupils.size() != kPupils)
            state.SkipWithError("the class file did not read back");
    }
}
BENCHMARK(BM_ClassFileWriteAndRead)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv) {
    return runBenchmarks(argc, argv, false);
}
