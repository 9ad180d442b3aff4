// Composing a certificate with a long evaluation text, and writing a whole class of them into one PDF.
#include "BenchDatabase.h"
#include "BenchMain.h"
#include "data/Connection.h"
#include "print/DocumentLayout.h"
#include "print/PdfExport.h"
#include "print/PrintControl.h"
#include "print/PrintData.h"
#include "print/TextLayouter.h"

#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QPainter>
#include <QPdfWriter>
#include <QProgressDialog>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextLayout>
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
            const qint64 ert = b.insertRatedPupil(osz, tev, QStringLiteral("Őrs %1").arg(p), p);
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

// Milliseconds a run of the baseline took, for the class PDF's ratio to it (registered first, so it runs
// first).
double g_baselineMs = 0;

// The floor the class PDF is measured against: the same pages with the same texts and fonts, written with
// the toolkit by the plainest correct code (one QTextLayout per paragraph, drawn line by line), with no
// database and no layout of our own. The texts are taken from the composed class before the clock starts.
void BM_PlainPdfBaseline(benchmark::State &state) {
    struct Paragraph {
        QString text;
        QRectF box; // twips
        double pointSize;
        bool bold;
        bool justify;
    };
    QList<QList<Paragraph>> pages;
    int orientation = 0;
    {
        ClassFixture f(35, 60);
        const Recordset pupils = f.b.db().run(QStringLiteral("getStudentsByClass"), {f.osz});
        for (int i = 0; i < pupils.count(); ++i) {
            const PrintDocument doc = PdfExport::composeTrial(f.b.app->devPrint, f.ratings.at(i),
                                                              PrintOptions::Document::Certificate);
            orientation = doc.paper.orientation;
            for (const PrintPage &page : doc.pages) {
                QList<Paragraph> paragraphs;
                for (const PrintItem &item : page.items)
                    if (item.kind != PrintItem::Kind::Line)
                        for (const QString &text :
                             item.text.split(QRegularExpression(QStringLiteral("\r\n|\r|\n"))))
                            paragraphs.append({text, QRectF(item.left, item.top, item.width, item.height),
                                               item.fontSize, item.bold,
                                               item.align >= 9 && item.align <= 11});
                pages.append(paragraphs);
            }
        }
    }
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("alap.pdf"));
    constexpr int dpi = 1200;
    const double k = dpi / (kTwipsPerMm * 25.4);
    qint64 bytes = 0;
    QElapsedTimer clock;
    clock.start();
    for (auto _ : state) {
        QPdfWriter writer(path);
        writer.setResolution(dpi);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4),
                                         orientation == 1 ? QPageLayout::Landscape : QPageLayout::Portrait,
                                         QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
        QPainter painter(&writer);
        bool firstPage = true;
        for (const QList<Paragraph> &page : std::as_const(pages)) {
            if (!firstPage)
                writer.newPage();
            firstPage = false;
            QHash<QPair<double, int>, double> nextTop; // the next line of each box, by its top and left
            for (const Paragraph &p : page) {
                QTextLayout layout(p.text, TextLayouter::font(p.pointSize, p.bold), &writer);
                QTextOption option(p.justify ? Qt::AlignJustify : Qt::AlignLeft);
                option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
                layout.setTextOption(option);
                const QPair<double, int> key(p.box.top(), int(p.box.left()));
                double y = nextTop.value(key, p.box.top() * k);
                layout.beginLayout();
                for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
                    line.setLineWidth(p.box.width() > 0 ? p.box.width() * k : 1e9);
                    line.setPosition(QPointF(0, y - p.box.top() * k));
                    y += line.height();
                }
                layout.endLayout();
                layout.draw(&painter, QPointF(p.box.left() * k, p.box.top() * k));
                nextTop.insert(key, y);
            }
        }
        painter.end();
        bytes = QFileInfo(path).size();
    }
    g_baselineMs = double(clock.elapsed()) / double(state.iterations());
    state.counters["pages"] = double(pages.size());
    state.counters["pdf_MB"] = double(bytes) / 1e6;
}
BENCHMARK(BM_PlainPdfBaseline)->Unit(benchmark::kMillisecond)->Iterations(3);

// A class of 35 such certificates composed and written to one PDF file, as "Osztály PDF..." does it: pupil
// by pupil under a progress window that is kept painted.
void BM_ClassCertificatesToPdf(benchmark::State &state) {
    ClassFixture f(35, 60);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("osztaly.pdf"));
    qint64 bytes = 0;
    int pages = 0;
    QElapsedTimer clock;
    clock.start();
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
    const double ms = double(clock.elapsed()) / double(state.iterations());
    state.counters["pages"] = pages;
    state.counters["pdf_MB"] = double(bytes) / 1e6;
    if (g_baselineMs > 0) {
        state.counters["baseline_ms"] = g_baselineMs;
        state.counters["ratio_to_baseline"] = ms / g_baselineMs;
    }
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
