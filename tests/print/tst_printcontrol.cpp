// The print control: twips, fonts, text output, text boxes and their measuring mode, pages, the preview,
// printing by page range and the PDF it writes.
#include "PdfText.h"
#include "ScriptedDialogService.h"
#include "print/PrintControl.h"
#include "print/PrintPreview.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QTemporaryDir>
#include <QTest>

class tst_printcontrol : public QObject {
    Q_OBJECT
private slots:
    void toTwips_data();
    void toTwips();
    void fontIsArialMetricsWithHungarianLetters();
    void textAtPositionAndFlow();
    void fractionalFontStep();
    void boxWrapsJustifiesAndKeepsLineBreaks();
    void measuringModeDrawsNothing();
    void alignmentBottomRight();
    void wordWiderThanBoxIsBroken();
    void flowGoesOnAcrossPieces_data();
    void flowGoesOnAcrossPieces();
    void pagesAndRestart();
    void paperSizes();
    void pdfPlacesTextAtItsMillimetres();
    void printPageRangeWithoutDialog_data();
    void printPageRangeWithoutDialog();
    void printDialogCancelledPrintsNothing();
    void previewDrawsThePages();
};

void tst_printcontrol::toTwips_data() {
    QTest::addColumn<int>("mm");
    QTest::addColumn<int>("twips");
    QTest::addColumn<bool>("overflow");
    QTest::newRow("zero") << 0 << 0 << false;
    QTest::newRow("ten") << 10 << 570 << false;
    QTest::newRow("largest") << 574 << 32718 << false;
    QTest::newRow("one more") << 575 << 0 << true;
    QTest::newRow("negative") << -574 << -32718 << false;
    QTest::newRow("too negative") << -575 << 0 << true;
}

void tst_printcontrol::toTwips() {
    QFETCH(int, mm);
    QFETCH(int, twips);
    QFETCH(bool, overflow);
    if (overflow) {
        QVERIFY_THROWS_EXCEPTION(PrintError, ::toTwips(mm));
    } else {
        QCOMPARE(::toTwips(mm), twips);
    }
}

void tst_printcontrol::fontIsArialMetricsWithHungarianLetters() {
    const QFont f = TextLayouter::font(11.25, false);
    const QString family = QFontInfo(f).family();
    QVERIFY2(family == QLatin1String("Liberation Sans") || family == QLatin1String("Arial"),
             qPrintable(family));
    const QFontMetricsF fm(f);
    for (const QChar c : QStringLiteral("őűŐŰáéíóöúü"))
        QVERIFY2(fm.inFont(c), qPrintable(QString(c)));
    QVERIFY(QFontMetricsF(TextLayouter::font(11.25, true)).inFont(QChar(0x0151)));
    // Arial's advance of a capital H is 0.722 em: 11.25 pt = 3.969 mm, so 2.866 mm.
    TextLayouter layouter;
    layouter.setFont(11.25, false);
    QVERIFY(qAbs(twipsToMm(layouter.textWidth(QStringLiteral("H"))) - 2.866) < 0.02);
}

void tst_printcontrol::textAtPositionAndFlow() {
    PrintControl pc;
    pc.startDoc();
    pc.setCurrentX(::toTwips(165));
    pc.setCurrentY(::toTwips(46));
    pc.text(QStringLiteral("BIZONYÍTVÁNY"));
    const double width = pc.textWidth(QStringLiteral("BIZONYÍTVÁNY"));
    QCOMPARE(pc.currentX(), ::toTwips(165) + width);
    pc.text(QStringLiteral("ő"));
    pc.endDoc();
    const PrintItem *item = pc.page(1).findText(QStringLiteral("BIZONYÍTVÁNY"));
    QVERIFY(item);
    QCOMPARE(item->leftMm(), 165.0);
    QCOMPARE(item->topMm(), 46.0);
    QCOMPARE(item->fontSize, 11.25);
    QVERIFY(!item->bold);
    const PrintItem *next = pc.page(1).findText(QStringLiteral("ő"));
    QVERIFY(next);
    QCOMPARE(next->left, item->left + width);
    QCOMPARE(next->top, item->top);
}

void tst_printcontrol::fractionalFontStep() {
    PrintControl pc;
    pc.startDoc();
    const double normal = pc.textWidth(QStringLiteral("Szöveges minősítés"));
    pc.setFontSize(pc.fontSize() - 2.25);
    QCOMPARE(pc.fontSize(), 9.0);
    const double small = pc.textWidth(QStringLiteral("Szöveges minősítés"));
    QVERIFY2(qAbs(small / normal - 9.0 / 11.25) < 0.01, qPrintable(QString::number(small / normal)));
    pc.setFontBold(true);
    pc.text(QStringLiteral("x"));
    pc.setFontSize(pc.fontSize() + 2.25);
    pc.setFontBold(false);
    pc.text(QStringLiteral("y"));
    QCOMPARE(pc.page(1).findText(QStringLiteral("x"))->fontSize, 9.0);
    QVERIFY(pc.page(1).findText(QStringLiteral("x"))->bold);
    QCOMPARE(pc.page(1).findText(QStringLiteral("y"))->fontSize, 11.25);
    QVERIFY(!pc.page(1).findText(QStringLiteral("y"))->bold);
}

void tst_printcontrol::boxWrapsJustifiesAndKeepsLineBreaks() {
    PrintControl pc;
    pc.startDoc();
    const QString text = QStringLiteral("Órákon figyelmes, a feladatokat önállóan és pontosan végzi el. "
                                        "Szívesen olvas, szövegértése kiváló, írása rendezett.\nSzámolása "
                                        "biztos.");
    pc.setTextAlign(9);
    pc.textBox(text, ::toTwips(10), ::toTwips(20), ::toTwips(60), ::toTwips(170));
    pc.setTextAlign(0);
    QCOMPARE(pc.textAlign(), 0);
    const QList<const PrintItem *> boxes = pc.page(1).boxes();
    QCOMPARE(boxes.size(), 1);
    const PrintItem *box = boxes.first();
    QCOMPARE(box->leftMm(), 10.0);
    QCOMPARE(box->topMm(), 20.0);
    QCOMPARE(box->align, 9);
    const QStringList lines = box->lines();
    QVERIFY(lines.size() >= 4);
    // The line break starts a new line of its own.
    QCOMPARE(lines.last(), QStringLiteral("Számolása biztos."));
    QVERIFY(lines.at(lines.size() - 2).endsWith(QStringLiteral("rendezett.")));
    // Every word inside the box; the wrapped lines reach the right edge exactly, the paragraph ends do not.
    pc.setFontSize(11.25);
    double lastBaseline = -1;
    const PrintRun *previous = nullptr;
    QList<double> lineEnds;
    QList<QString> lineLastWords;
    for (const PrintRun &run : box->runs) {
        QVERIFY(run.x >= box->left - 0.01);
        const double end = run.x + pc.textWidth(run.text);
        QVERIFY(end <= box->left + box->width + 0.5);
        if (previous && run.baseline != lastBaseline) {
            lineEnds.append(previous->x + pc.textWidth(previous->text));
            lineLastWords.append(previous->text);
        }
        previous = &run;
        lastBaseline = run.baseline;
    }
    for (int i = 0; i < lineEnds.size(); ++i) {
        if (lineLastWords.at(i) == QStringLiteral("rendezett."))
            QVERIFY(lineEnds.at(i) < box->left + box->width - 10);
        else
            QVERIFY2(qAbs(lineEnds.at(i) - (box->left + box->width)) < 0.5, qPrintable(lineLastWords.at(i)));
    }
    // The first baseline is one ascent below the box's top.
    QVERIFY(box->runs.first().baseline > box->top);
    QVERIFY(twipsToMm(box->runs.first().baseline - box->top) < 4.0);
}

void tst_printcontrol::measuringModeDrawsNothing() {
    PrintControl pc;
    pc.startDoc();
    const QString text = QStringLiteral("Egy sor.\nKét sor.\nHárom sor.");
    pc.textBox(text, 0, 0, ::toTwips(115), ::toTwips(170), true, true);
    const double measured = pc.textHeight();
    QVERIFY(pc.page(1).items.isEmpty());
    pc.textBox(QStringLiteral("Egy sor."), 0, 0, ::toTwips(115), ::toTwips(170), true, true);
    const double one = pc.textHeight();
    QVERIFY(qAbs(measured - 3 * one) < 0.01);
    // 11.25 pt Arial lines are 1.149 em apart: 4.56 mm.
    QVERIFY2(qAbs(twipsToMm(one) - 4.56) < 0.05, qPrintable(QString::number(twipsToMm(one))));
    pc.textBox(text, 0, 0, ::toTwips(115), ::toTwips(170));
    QCOMPARE(pc.page(1).boxes().size(), 1);
    QCOMPARE(pc.page(1).boxes().first()->textHeight, measured);
    // Narrower boxes need more height.
    pc.textBox(QStringLiteral("Szívesen olvas, szövegértése kiváló, írása rendezett és olvasható."), 0, 0,
               ::toTwips(30), 1000, true, true);
    QVERIFY(pc.textHeight() >= 3 * one);
}

void tst_printcontrol::alignmentBottomRight() {
    PrintControl pc;
    pc.startDoc();
    pc.setFontSize(pc.fontSize() + 10);
    pc.setTextAlign(7);
    pc.textBox(QStringLiteral("Kovács Ödön"), ::toTwips(157), ::toTwips(55), ::toTwips(90), ::toTwips(20));
    pc.setTextAlign(0);
    const PrintItem *box = pc.page(1).boxes().first();
    QCOMPARE(box->runs.size(), 2);
    // The line's bottom (baseline plus descent and leading) sits on the box's bottom edge at 75 mm.
    TextLayouter layouter;
    layouter.setFont(21.25, false);
    const double lineBottomMm =
        twipsToMm(box->runs.first().baseline + layouter.lineHeight() - layouter.ascent());
    QVERIFY2(qAbs(lineBottomMm - 75.0) < 0.01, qPrintable(QString::number(lineBottomMm)));
    QCOMPARE(box->runs.first().baseline, box->runs.last().baseline);
    // Flush right: the last word ends at 247 mm.
    const PrintRun &last = box->runs.last();
    const double end = twipsToMm(last.x + pc.textWidth(last.text));
    QVERIFY2(qAbs(end - 247.0) < 0.05, qPrintable(QString::number(end)));
}

void tst_printcontrol::wordWiderThanBoxIsBroken() {
    PrintControl pc;
    pc.startDoc();
    pc.textBox(QString(60, QChar(0x0151)), 0, 0, ::toTwips(20), ::toTwips(50));
    const PrintItem *box = pc.page(1).boxes().first();
    QVERIFY(box->runs.size() >= 3);
    for (const PrintRun &run : box->runs)
        QVERIFY(pc.textWidth(run.text) <= ::toTwips(20));
    QCOMPARE(box->lines().join(QString()), QString(60, QChar(0x0151)));
}

void tst_printcontrol::flowGoesOnAcrossPieces_data() {
    QTest::addColumn<QStringList>("pieces");
    QTest::addColumn<int>("align");
    QTest::addColumn<int>("lines"); // of the whole text, where it is plain to count; 0 where not
    const QString text = QStringLiteral("Órákon figyelmes, a feladatokat önállóan végzi. ");
    QTest::newRow("whole words") << QStringList{text.repeated(3), text, text} << 9 << 0;
    QTest::newRow("word cut between pieces")
        << QStringList{QStringLiteral("Órákon figy"), QStringLiteral("elmes,"), QStringLiteral(" a"),
                       text.repeated(4)}
        << 0 << 0;
    QTest::newRow("CR and LF in two pieces")
        << QStringList{text + QStringLiteral("\r"), QStringLiteral("\n") + text, QStringLiteral("\n\r\r\n")}
        << 9 << 5;
    QTest::newRow("word wider than the box")
        << QStringList{QStringLiteral("x").repeated(40), QStringLiteral("y").repeated(300), text} << 2 << 0;
}

// A text given piece by piece is laid out exactly as the whole text is: same lines, same places.
void tst_printcontrol::flowGoesOnAcrossPieces() {
    QFETCH(QStringList, pieces);
    QFETCH(int, align);
    QFETCH(int, lines);
    TextLayouter layouter;
    const double width = ::toTwips(115);
    for (const bool measureOnly : {true, false}) {
        TextLayouter::Flow flow = layouter.flow(width, align, measureOnly);
        for (const QString &piece : pieces)
            flow.add(piece);
        const TextLayouter::Result pieced = flow.finish();
        const TextLayouter::Result whole = layouter.layout(pieces.join(QString()), width, align, measureOnly);
        QCOMPARE(pieced.height, whole.height);
        if (lines > 0)
            QCOMPARE(qRound(whole.height / layouter.lineHeight()), lines);
        QCOMPARE(pieced.runs.size(), whole.runs.size());
        for (int i = 0; i < whole.runs.size(); ++i) {
            QCOMPARE(pieced.runs.at(i).text, whole.runs.at(i).text);
            QCOMPARE(pieced.runs.at(i).x, whole.runs.at(i).x);
            QCOMPARE(pieced.runs.at(i).baseline, whole.runs.at(i).baseline);
        }
    }
}

void tst_printcontrol::pagesAndRestart() {
    PrintControl pc;
    pc.startDoc();
    QCOMPARE(pc.pageCount(), 1);
    pc.text(QStringLiteral("egy"));
    pc.newPage();
    pc.newPage();
    pc.drawLine(::toTwips(25), ::toTwips(25), ::toTwips(195), ::toTwips(25));
    pc.endDoc();
    QCOMPARE(pc.pageCount(), 3);
    QVERIFY(pc.page(2).items.isEmpty());
    const QList<const PrintItem *> lines = pc.page(3).lines();
    QCOMPARE(lines.size(), 1);
    QCOMPARE(lines.first()->leftMm(), 25.0);
    QCOMPARE(twipsToMm(lines.first()->x2), 195.0);
    pc.setFontSize(20);
    pc.setFontBold(true);
    pc.startDoc();
    QCOMPARE(pc.pageCount(), 1);
    QVERIFY(pc.page(1).items.isEmpty());
    QCOMPARE(pc.fontSize(), 11.25);
    QVERIFY(!pc.fontBold());
}

void tst_printcontrol::paperSizes() {
    PrintControl pc;
    pc.setOrientation(1);
    pc.setPaperSize(1);
    pc.startDoc();
    QCOMPARE(pc.document().paper.composedMm(), QSizeF(279.4, 215.9));
    QCOMPARE(pc.document().paper.outputMm(), QSizeF(297.0, 210.0));
    pc.setOrientation(0);
    pc.setPaperSize(9);
    // Applies to the next document only.
    QCOMPARE(pc.document().paper.orientation, 1);
    pc.startDoc();
    QCOMPARE(pc.document().paper.composedMm(), QSizeF(210.0, 297.0));
    QCOMPARE(pc.document().paper.outputMm(), QSizeF(210.0, 297.0));
}

void tst_printcontrol::pdfPlacesTextAtItsMillimetres() {
    QTemporaryDir dir;
    PrintControl pc;
    pc.setOrientation(1);
    pc.setPaperSize(1);
    pc.startDoc();
    pc.setCurrentX(::toTwips(239));
    pc.setCurrentY(::toTwips(12));
    pc.text(QStringLiteral("Törzslap"));
    pc.newPage();
    pc.setCurrentX(::toTwips(17));
    pc.setCurrentY(::toTwips(158));
    pc.text(QStringLiteral("Győr"));
    pc.endDoc();
    const QString path = dir.filePath(QStringLiteral("a.pdf"));
    pc.writePdf(path);
    const PdfText pdf = PdfText::read(path);
    QVERIFY(pdf.ok);
    QCOMPARE(pdf.pageSizesMm.size(), 2);
    QVERIFY(qAbs(pdf.pageSizesMm.first().width() - 297.0) < 0.2);
    QVERIFY(qAbs(pdf.pageSizesMm.first().height() - 210.0) < 0.2);
    const PdfWord *w = pdf.find(QStringLiteral("Törzslap"), 1);
    QVERIFY(w);
    QVERIFY2(qAbs(w->xMin - 239.0) < 0.3, qPrintable(QString::number(w->xMin)));
    QVERIFY2(qAbs(w->yMin - 12.0) < 0.5, qPrintable(QString::number(w->yMin)));
    const PdfWord *g = pdf.find(QStringLiteral("Győr"), 2);
    QVERIFY(g);
    QVERIFY2(qAbs(g->xMin - 17.0) < 0.3, qPrintable(QString::number(g->xMin)));
    QVERIFY2(qAbs(g->yMin - 158.0) < 0.5, qPrintable(QString::number(g->yMin)));
    // Only the second page.
    pc.writePdf(path, 2, 2);
    const PdfText second = PdfText::read(path);
    QCOMPARE(second.pageSizesMm.size(), 1);
    QVERIFY(second.find(QStringLiteral("Győr")));
    QVERIFY(!second.find(QStringLiteral("Törzslap")));
    QTest::ignoreMessage(QtWarningMsg, "QPainter::begin(): Returned false");
    QVERIFY_THROWS_EXCEPTION(PrintError, pc.writePdf(dir.filePath(QStringLiteral("nincs/ilyen/a.pdf"))));
}

void tst_printcontrol::printPageRangeWithoutDialog_data() {
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("last");
    QTest::addColumn<QStringList>("printed"); // empty: refused, nothing printed
    QTest::newRow("middle") << 2 << 3 << QStringList({"oldal2", "oldal3"});
    QTest::newRow("last page") << 3 << 3 << QStringList({"oldal3"});
    QTest::newRow("whole") << 1 << 3 << QStringList({"oldal1", "oldal2", "oldal3"});
    // A page outside the document is never replaced by the nearest one.
    QTest::newRow("after the end") << 4 << 4 << QStringList();
    QTest::newRow("running past the end") << 3 << 4 << QStringList();
    QTest::newRow("before the first") << 0 << 1 << QStringList();
    QTest::newRow("reversed") << 3 << 2 << QStringList();
}

void tst_printcontrol::printPageRangeWithoutDialog() {
    QFETCH(int, first);
    QFETCH(int, last);
    QFETCH(QStringList, printed);
    QTemporaryDir dir;
    PrintControl pc;
    pc.startDoc();
    for (int p = 1; p <= 3; ++p) {
        if (p > 1)
            pc.newPage();
        pc.setCurrentX(::toTwips(25));
        pc.setCurrentY(::toTwips(25));
        pc.text(QStringLiteral("oldal%1").arg(p));
    }
    pc.endDoc();
    // A printer that writes to a file stands in for a real one.
    const QString path = dir.filePath(QStringLiteral("printer.pdf"));
    pc.printer().setOutputFormat(QPrinter::PdfFormat);
    pc.printer().setOutputFileName(path);
    if (printed.isEmpty()) {
        QVERIFY_THROWS_EXCEPTION(PrintError, pc.printDoc(false, first, last));
        QVERIFY(!QFile::exists(path));
        QVERIFY_THROWS_EXCEPTION(PrintError, pc.writePdf(path, first, last));
        QVERIFY(!QFile::exists(path));
        return;
    }
    QVERIFY(pc.printDoc(false, first, last));
    const PdfText pdf = PdfText::read(path);
    QCOMPARE(pdf.pageSizesMm.size(), printed.size());
    for (int i = 0; i < printed.size(); ++i)
        QVERIFY(pdf.find(printed.at(i), i + 1));
    const PdfWord *w = pdf.find(printed.first());
    QVERIFY2(qAbs(w->xMin - 25.0) < 0.3, qPrintable(QString::number(w->xMin)));
    QVERIFY2(qAbs(w->yMin - 25.0) < 0.5, qPrintable(QString::number(w->yMin)));
}

void tst_printcontrol::printDialogCancelledPrintsNothing() {
    QTemporaryDir dir;
    ScriptedDialogService script;
    PrintControl pc;
    pc.startDoc();
    pc.text(QStringLiteral("x"));
    pc.endDoc();
    const QString path = dir.filePath(QStringLiteral("printer.pdf"));
    pc.printer().setOutputFormat(QPrinter::PdfFormat);
    pc.printer().setOutputFileName(path);
    script.expectPrintDialog(false);
    QVERIFY(!pc.printDialog(nullptr));
    script.expectPrintDialog(false);
    pc.printDoc(true, 1, 1);
    QVERIFY(!QFile::exists(path));
    script.expectPrintDialog(true);
    pc.printDoc(true, 1, 1);
    QVERIFY(QFile::exists(path));
    QVERIFY(script.verifyDone());
}

void tst_printcontrol::previewDrawsThePages() {
    PrintControl pc;
    PrintPreview preview(&pc);
    preview.resize(400, 600);
    pc.setOrientation(0);
    pc.setPaperSize(9);
    pc.startDoc();
    pc.drawLine(::toTwips(100), ::toTwips(0), ::toTwips(100), ::toTwips(297));
    pc.newPage();
    pc.endDoc();
    QCOMPARE(preview.objectName(), QStringLiteral("vsPrint"));
    const QImage first = preview.pageImage(1);
    QVERIFY(qAbs(double(first.width()) / first.height() - 210.0 / 297.0) < 0.01);
    // The line runs down the page at 100 mm; the second page is blank.
    const int x = int(100.0 / 210.0 * first.width());
    int dark = 0;
    for (int dx = -2; dx <= 2; ++dx)
        if (qGray(first.pixel(x + dx, first.height() / 2)) < 160)
            ++dark;
    QVERIFY(dark > 0);
    const QImage second = preview.pageImage(2);
    QCOMPARE(second.pixel(x, second.height() / 2), qRgb(255, 255, 255));
    // Whole page in view: the page fits the preview's height.
    QVERIFY(first.height() <= preview.viewport()->height());
}

QTEST_MAIN(tst_printcontrol)
#include "tst_printcontrol.moc"
