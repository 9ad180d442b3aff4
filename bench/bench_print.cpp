// Composing a certificate with a long evaluation text, and writing a whole class of them into one PDF.
#include "BenchDatabase.h"
#include "BenchMain.h"
#include "data/Connection.h"
#include "print/DocumentLayout.h"
#include "print/PdfExport.h"
#include "print/PrintControl.h"
#include "print/PrintData.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFileInfo>
#include <QProgressDialog>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

// A class of pupils, each with a rating of `parts` filled parts of about 80 words under 6 subjects.
struct ClassFixture {
    BenchDatabase b;
    qint64 tev = 0, osz = 0;
    QList<qint64> ratings;

    ClassFixture(int pupils, int parts) {
        Connection &c = b.db().connection();
        Transaction t(c);
        c.query(QStringLiteral("INSERT INTO INTEZMENY (int_omkod, int_varos) VALUES ('027384', 'Pécs')"));
        b.db().run(QStringLiteral("addTanev"),
                   {2024, QStringLiteral("Év vége"), QStringLiteral("Igen"), QString()});
        tev = modSub::GetLastKey(QStringLiteral("TANEV"));
        b.db().run(QStringLiteral("createClass"), {tev, 3, QStringLiteral("b"), 0, 2022, QString()});
        osz = modSub::GetLastKey(QStringLiteral("OSZTALY"));
        QList<qint64> subs;
        for (int s = 0; s < 6; ++s) {
            c.query(QStringLiteral("INSERT INTO ATARGY (ata_rnev, ata_tev_id) VALUES (?, ?)"),
                    {QStringLiteral("Tantárgy %1").arg(s), tev});
            const qint64 ata = modSub::GetLastKey(QStringLiteral("ATARGY"));
            for (int k = 0; k < parts / 6 + 1; ++k) {
                c.query(QStringLiteral("INSERT INTO KMPBANK (kpb_ata_id, kpb_nev) VALUES (?, ?)"),
                        {ata, QStringLiteral("Terület %1").arg(k)});
                const qint64 kpb = modSub::GetLastKey(QStringLiteral("KMPBANK"));
                c.query(QStringLiteral("INSERT INTO ALKMPBANK (akb_kpb_id, akb_nev) VALUES (?, 'Alterület')"),
                        {kpb});
                subs.append(modSub::GetLastKey(QStringLiteral("ALKMPBANK")));
            }
        }
        const QString sentence =
            QStringLiteral("Órákon figyelmes, a feladatokat önállóan és pontosan végzi el, "
                           "szívesen olvas, szövegértése kiváló, írása rendezett és "
                           "olvasható, számolása biztos és gyors. ");
        for (int p = 0; p < pupils; ++p) {
            b.db().run(QStringLiteral("createKid"),
                       {QStringLiteral("Tanuló"), QStringLiteral("Őrs %1").arg(p),
                        QStringLiteral("Anyja Neve"), QString(), QStringLiteral("Pécs"),
                        QStringLiteral("Magyarország"), QDate(2015, 3, 14), QStringLiteral("T-%1").arg(p),
                        QString::number(p + 1)});
            const qint64 tan = modSub::GetLastKey(QStringLiteral("TANULO"));
            const qint64 ert =
                modSub::OpenOrCreateRating(tan, osz, tev).field(QStringLiteral("ert_id")).toLongLong();
            for (int i = 0; i < parts; ++i)
                c.query(QStringLiteral(
                            "INSERT INTO ERTRESZ (esz_ert_id, esz_akb_id, esz_szoveg) VALUES (?, ?, ?)"),
                        {ert, subs.at(i % subs.size()), sentence.repeated(3).trimmed()});
            ratings.append(ert);
        }
        t.commit();
    }
};

// Reading the data set and composing the landscape certificate of one rating with 60 filled parts.
void BM_ComposeCertificate60Parts(benchmark::State &state) {
    ClassFixture f(1, 60);
    const qint64 ert = f.ratings.first();
    const qint64 tan = PdfExport::pupilOfRating(f.b.app->devPrint, ert);
    int textPages = 0;
    for (auto _ : state) {
        const PrintData data = PrintData::read(f.b.app->devPrint, ert, tan);
        PrintControl pc;
        PrintOptions options;
        options.subjectNames = options.competencyNames = true;
        DocumentLayout layout(pc, data, options);
        benchmark::DoNotOptimize(layout.compose());
        textPages = int(layout.textPages().size());
    }
    state.counters["text_pages"] = textPages;
}
BENCHMARK(BM_ComposeCertificate60Parts)->Unit(benchmark::kMillisecond);

// A class of 35 such certificates composed and written to one PDF file, as "Osztály PDF..." does it: pupil
// by pupil under a progress window that is kept painted.
void BM_ClassCertificatesToPdf(benchmark::State &state) {
    ClassFixture f(35, 60);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("osztaly.pdf"));
    qint64 bytes = 0;
    int pages = 0;
    for (auto _ : state) {
        QProgressDialog progress(QStringLiteral("Az osztály dokumentumai készülnek..."),
                                 QStringLiteral("Mégse"), 0, 1);
        progress.setMinimumDuration(0);
        const PdfExport::ClassResult r = PdfExport::writeClass(f.osz, PrintOptions::Document::Certificate,
                                                               path, [&progress](int done, int total) {
                                                                   progress.setMaximum(total);
                                                                   progress.setValue(done);
                                                                   QCoreApplication::processEvents();
                                                                   return !progress.wasCanceled();
                                                               });
        pages = r.pages;
        bytes = QFileInfo(path).size();
    }
    state.counters["pages"] = pages;
    state.counters["pdf_MB"] = double(bytes) / 1e6;
    // Font programs in the file: each font once for the whole class, not once per pupil.
    QFile pdf(path);
    pdf.open(QIODevice::ReadOnly);
    state.counters["embedded_fonts"] = double(pdf.readAll().count("/FontFile"));
}
BENCHMARK(BM_ClassCertificatesToPdf)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char **argv) {
    return runBenchmarks(argc, argv, true);
}
