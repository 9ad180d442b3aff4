// The evaluation text pieces, the page filling, the booklet placement of the text pages and the reading of
// the print data set from a real database file.
#include "RatingRows.h"
#include "data/CommandSet.h"
#include "print/BookletImposition.h"
#include "print/PrintControl.h"
#include "print/PrintData.h"
#include "print/TextPieces.h"

#include <QTest>

namespace {

const QString CRLF = QStringLiteral("\r\n");

PrintData::Part part(const QString &subject, const QString &competency, const QString &sub,
                     const QString &text) {
    PrintData::Part p;
    p.subject = subject;
    p.competency = competency;
    p.subCompetency = sub;
    p.text = text;
    return p;
}

PrintData sampleData() {
    PrintData d;
    d.parts = {part(QStringLiteral("Magyar nyelv"), QStringLiteral("Olvasás"), QStringLiteral("Hangos"),
                    QStringLiteral("Folyékonyan olvas.")),
               part(QStringLiteral("Magyar nyelv"), QStringLiteral("Olvasás"), QStringLiteral("Néma"),
                    QStringLiteral("Érti, amit olvas.")),
               part(QStringLiteral("Magyar nyelv"), QStringLiteral("Írás"), QString(), QString()),
               part(QStringLiteral("Magyar nyelv"), QStringLiteral("Írás"), QString(),
                    QStringLiteral("Írása szép.")),
               part(QStringLiteral("Matematika"), QString(), QStringLiteral("Számolás"),
                    QStringLiteral("Gyorsan számol."))};
    d.clauses = {QStringLiteral("Első záradék."), QStringLiteral("Második záradék.")};
    return d;
}

// A piece of about one text line in the landscape width.
QString words(int count, const QString &word = QStringLiteral("szöveg")) {
    QStringList w;
    for (int i = 0; i < count; ++i)
        w.append(word);
    return w.join(QLatin1Char(' '));
}

} // namespace

class tst_textpieces : public QObject {
    Q_OBJECT
private slots:
    void piecesWithoutNames_data();
    void piecesWithoutNames();
    void piecesWithSubjects();
    void piecesWithCompetencies();
    void sameCompetencyNameUnderAnotherSubject();
    void clausesOnlyWhenAsked();
    void fillKeepsPiecesWholeAndMeasuresWithBrace();
    void fillHeightsOfTheDocuments();
    void thirdLandscapePageIsShorter();
    void pieceTallerThanAPageStandsAlone();
    void booklet_data();
    void booklet();
    void readDataSet();
    void readDataSetNullsAndFaultySheets();
    void readDataSetOfMissingRating();
};

void tst_textpieces::piecesWithoutNames_data() {
    QTest::addColumn<bool>("competencyNames");
    QTest::newRow("both unticked") << false;
    // The competency option alone prints nothing: names come only with the subject option.
    QTest::newRow("only competencies ticked") << true;
}

void tst_textpieces::piecesWithoutNames() {
    QFETCH(bool, competencyNames);
    PrintOptions o;
    o.competencyNames = competencyNames;
    const QStringList pieces = TextPieces::build(sampleData(), o, false);
    QCOMPARE(
        pieces,
        QStringList({QStringLiteral("Folyékonyan olvas.") + CRLF, QStringLiteral("Érti, amit olvas.") + CRLF,
                     QStringLiteral("Írása szép.") + CRLF, QStringLiteral("Gyorsan számol.") + CRLF}));
    const QString all = pieces.join(QString());
    for (const char *name : {"Magyar", "Olvasás", "Hangos", "Néma", "Matematika", "Számolás:"})
        QVERIFY2(!all.contains(QString::fromUtf8(name)), name);
}

void tst_textpieces::piecesWithSubjects() {
    PrintOptions o;
    o.subjectNames = true;
    const QStringList pieces = TextPieces::build(sampleData(), o, false);
    QCOMPARE(
        pieces,
        QStringList({CRLF + QStringLiteral("Magyar nyelv: ") + CRLF + QStringLiteral("Folyékonyan olvas. "),
                     QStringLiteral("Érti, amit olvas. "), QStringLiteral("Írása szép. "),
                     CRLF + QStringLiteral("Matematika: ") + CRLF + QStringLiteral("Gyorsan számol. ")}));
}

void tst_textpieces::piecesWithCompetencies() {
    PrintOptions o;
    o.subjectNames = true;
    o.competencyNames = true;
    const QStringList pieces = TextPieces::build(sampleData(), o, false);
    QCOMPARE(pieces, QStringList({CRLF + QStringLiteral("Magyar nyelv: ") + CRLF +
                                      QStringLiteral("Olvasás: Hangos: Folyékonyan olvas. "),
                                  QStringLiteral("Néma: Érti, amit olvas. "),
                                  // The empty part before it printed nothing, so "Írás" is new here.
                                  QStringLiteral("Írás: Írása szép. "),
                                  // A placeholder competency (no name) is never shown.
                                  CRLF + QStringLiteral("Matematika: ") + CRLF +
                                      QStringLiteral("Számolás: Gyorsan számol. ")}));
}

void tst_textpieces::sameCompetencyNameUnderAnotherSubject() {
    PrintData d;
    d.parts = {
        part(QStringLiteral("Ének"), QStringLiteral("Szóbeli"), QString(), QStringLiteral("Szépen énekel.")),
        part(QStringLiteral("Angol"), QStringLiteral("Szóbeli"), QString(),
             QStringLiteral("Bátran beszél."))};
    PrintOptions o;
    o.subjectNames = true;
    o.competencyNames = true;
    const QStringList pieces = TextPieces::build(d, o, false);
    QCOMPARE(pieces.size(), 2);
    QVERIFY(pieces.at(1).contains(QStringLiteral("Angol: ") + CRLF + QStringLiteral("Szóbeli: Bátran")));
}

void tst_textpieces::clausesOnlyWhenAsked() {
    const QStringList cert = TextPieces::build(sampleData(), PrintOptions(), false);
    const QStringList reg = TextPieces::build(sampleData(), PrintOptions(), true);
    QCOMPARE(reg.size(), cert.size() + 2);
    QCOMPARE(reg.at(cert.size()), CRLF + QStringLiteral("Első záradék."));
    QCOMPARE(reg.last(), CRLF + QStringLiteral("Második záradék."));
}

void tst_textpieces::fillKeepsPiecesWholeAndMeasuresWithBrace() {
    PrintControl pc;
    pc.startDoc();
    const double width = toTwips(115);
    pc.textBox(QStringLiteral("x"), 0, 0, width, 0, true, true);
    const double line = pc.textHeight();
    // Pieces of one line each (each ends with a line break): the "}" after the last break takes a line of
    // its own, so a page of height h lines holds h - 1 such pieces.
    QStringList pieces;
    for (int i = 0; i < 10; ++i)
        pieces.append(QStringLiteral("Mondat %1.").arg(i) + CRLF);
    const int linesPerPage = 4;
    const QStringList pages =
        TextPieces::fillPages(pc, pieces, width, [&](int) { return line * linesPerPage + 1; });
    QCOMPARE(pages.size(), 4); // 3 + 3 + 3 + 1
    QCOMPARE(pages.first(), pieces.mid(0, 3).join(QString()));
    QCOMPARE(pages.join(QString()), pieces.join(QString()));
    for (const QString &page : pages) {
        pc.textBox(page + QLatin1Char('}'), 0, 0, width, 0, true, true);
        QVERIFY(pc.textHeight() <= line * linesPerPage + 1);
    }
    // Nothing is drawn by the filling.
    QVERIFY(pc.page(1).items.isEmpty());
}

void tst_textpieces::fillHeightsOfTheDocuments() {
    QCOMPARE(TextPieces::landscapeFill(1), 170 * 57.0);
    QCOMPARE(TextPieces::landscapeFill(2), 170 * 57.0);
    QCOMPARE(TextPieces::landscapeFill(3), 140 * 57.0);
    QCOMPARE(TextPieces::landscapeFill(4), 170 * 57.0);
    QCOMPARE(TextPieces::certificateA4Fill(1), 147 * 57.0);
    QCOMPARE(TextPieces::certificateA4Fill(2), 247 * 57.0);
    QCOMPARE(TextPieces::registerFill(1), 62 * 57.0);
    QCOMPARE(TextPieces::registerFill(5), 247 * 57.0);
}

void tst_textpieces::thirdLandscapePageIsShorter() {
    PrintControl pc;
    pc.startDoc();
    QStringList pieces;
    for (int i = 0; i < 200; ++i)
        pieces.append(words(8) + CRLF);
    const QStringList pages = TextPieces::fillPages(pc, pieces, toTwips(115), TextPieces::landscapeFill);
    QVERIFY(pages.size() >= 4);
    pc.textBox(QStringLiteral("x"), 0, 0, toTwips(115), 0, true, true);
    const double line = pc.textHeight();
    auto heightOf = [&](const QString &text) {
        pc.textBox(text, 0, 0, toTwips(115), 0, true, true);
        return pc.textHeight();
    };
    // Full pages: the next piece would not have fitted.
    for (int p = 1; p <= 3; ++p) {
        const double fill = TextPieces::landscapeFill(p);
        QVERIFY(heightOf(pages.at(p - 1) + QLatin1Char('}')) <= fill);
        QVERIFY(heightOf(pages.at(p - 1) + pieces.first() + QLatin1Char('}')) > fill);
    }
    // The third page holds about 30 mm less text than the others.
    const double lost = heightOf(pages.at(1)) - heightOf(pages.at(2));
    QVERIFY2(qAbs(twipsToMm(lost) - 30) <= twipsToMm(line), qPrintable(QString::number(twipsToMm(lost))));
}

void tst_textpieces::pieceTallerThanAPageStandsAlone() {
    PrintControl pc;
    pc.startDoc();
    const QString huge = words(2000);
    const QStringList pieces = {QStringLiteral("Előtte.") + CRLF, huge, QStringLiteral("Utána.") + CRLF};
    const QStringList pages = TextPieces::fillPages(pc, pieces, toTwips(115), TextPieces::landscapeFill);
    QCOMPARE(pages, QStringList({pieces.at(0), huge, pieces.at(2)}));
    // And alone when it comes first.
    const QStringList first =
        TextPieces::fillPages(pc, {huge, pieces.at(2)}, toTwips(115), TextPieces::landscapeFill);
    QCOMPARE(first, QStringList({huge, pieces.at(2)}));
}

void tst_textpieces::booklet_data() {
    QTest::addColumn<int>("n");
    QTest::addColumn<QString>("expected"); // per side: "F" front / "B" back, "c" cover, left:right
    QTest::newRow("1") << 1 << "Fc0:0 B1:0";
    QTest::newRow("2") << 2 << "Fc0:0 B1:2";
    QTest::newRow("3") << 3 << "Fc3:0 B1:2";
    QTest::newRow("4") << 4 << "Fc0:0 B1:0 F0:2 B3:4";
    QTest::newRow("6") << 6 << "Fc0:0 B1:6 F5:2 B3:4";
    QTest::newRow("7") << 7 << "Fc0:0 B1:0 F0:2 B3:0 F7:4 B5:6";
    QTest::newRow("10") << 10 << "Fc0:0 B1:10 F9:2 B3:8 F7:4 B5:6";
}

void tst_textpieces::booklet() {
    QFETCH(int, n);
    QFETCH(QString, expected);
    QStringList got;
    QList<int> seen;
    for (const BookletImposition::Side &s : BookletImposition::sides(n)) {
        got.append(QStringLiteral("%1%2%3:%4")
                       .arg(s.front ? QLatin1Char('F') : QLatin1Char('B'))
                       .arg(s.cover ? QStringLiteral("c") : QString())
                       .arg(s.left)
                       .arg(s.right));
        for (int page : {s.left, s.right})
            if (page)
                seen.append(page);
    }
    QCOMPARE(got.join(QLatin1Char(' ')), expected);
    // Every text page exactly once.
    std::sort(seen.begin(), seen.end());
    QList<int> all;
    for (int i = 1; i <= n; ++i)
        all.append(i);
    QCOMPARE(seen, all);
    QCOMPARE(BookletImposition::sheetCount(n) * 2, int(BookletImposition::sides(n).size()));
}

void tst_textpieces::readDataSet() {
    TestDatabase t;
    RatingRows rows(t);
    rows.setSchool(QStringLiteral("027384"), QStringLiteral("Pécs"));
    const RatingRows::Rating r = rows.makeRating();
    const qint64 hangos = rows.addBranch(r.tevId, QStringLiteral("Magyar nyelv"), QStringLiteral("Olvasás"),
                                         QStringLiteral("Hangos"));
    const qint64 gone = rows.addSubCompetency(
        rows.addCompetency(rows.addSubject(r.tevId, QStringLiteral("Régi"), true), QStringLiteral("X")),
        QStringLiteral("Y"));
    rows.addPart(r.ertId, hangos, QStringLiteral("Folyékonyan olvas."));
    rows.addPart(r.ertId, gone, QStringLiteral("Törölt tantárgy szövege."));
    rows.addClause(r.ertId, QStringLiteral("Első záradék."));
    rows.addClause(r.ertId, QStringLiteral("Második záradék."));

    const PrintData d = PrintData::read(t.app().devPrint, r.ertId, r.tanId);
    QCOMPARE(d.classLabel, QStringLiteral("3/b"));
    QCOMPARE(d.omCode, QStringLiteral("027384"));
    QCOMPARE(d.town, QStringLiteral("Pécs"));
    QCOMPARE(d.pupilName(), QStringLiteral("Kovács Ödön"));
    QCOMPARE(d.motherName, QStringLiteral("Anyja Neve"));
    QCOMPARE(d.birthPlace, QStringLiteral("Pécs"));
    QCOMPARE(d.country, QStringLiteral("Magyarország"));
    QCOMPARE(d.birthDate, QDate(2015, 3, 14));
    QCOMPARE(d.registerNumber, QStringLiteral("T-123/2025"));
    QCOMPARE(d.serial, QStringLiteral("17"));
    QCOMPARE(d.grade, QStringLiteral("3"));
    QCOMPARE(d.decision, QStringLiteral("Magasabb évfolyamba léphet."));
    QCOMPARE(d.missedHours, QStringLiteral("12"));
    QCOMPARE(d.unexcusedHours, QStringLiteral("2"));
    QCOMPARE(d.issued, QDate(2025, 6, 13));
    QCOMPARE(d.status, QStringLiteral("I"));
    QCOMPARE(d.tevId, r.tevId);
    QCOMPARE(d.schoolYear, 2024);
    QVERIFY(d.officialPeriod);
    QCOMPARE(d.clauses, QStringList({QStringLiteral("Első záradék."), QStringLiteral("Második záradék.")}));
    // The deleted subject's part is not read.
    QCOMPARE(d.parts.size(), 1);
    QCOMPARE(d.parts.first().subject, QStringLiteral("Magyar nyelv"));
    QCOMPARE(d.parts.first().competency, QStringLiteral("Olvasás"));
    QCOMPARE(d.parts.first().subCompetency, QStringLiteral("Hangos"));
    QCOMPARE(d.parts.first().text, QStringLiteral("Folyékonyan olvas."));
    QVERIFY(d.faultyCertificateSheets.isEmpty());
}

void tst_textpieces::readDataSetNullsAndFaultySheets() {
    TestDatabase t;
    RatingRows rows(t);
    const RatingRows::Rating r = rows.makeRating();
    t.db().connection().query(QStringLiteral("UPDATE TANEV SET tev_hivatalos = 'Nem'"));
    rows.setRatingField(r.ertId, QStringLiteral("ert_hatarozat_evf"), QVariant());
    rows.setRatingField(r.ertId, QStringLiteral("ert_keltezes"), QVariant());
    const qint64 noNames = rows.addSubCompetency(
        rows.addCompetency(rows.addSubject(r.tevId, QStringLiteral("Rajz")), QString()), QString());
    rows.addPart(r.ertId, noNames, QVariant());
    rows.addSheet(r.ertId, QStringLiteral("B"), 1, QStringLiteral("A-100"));
    rows.addSheet(r.ertId, QStringLiteral("B"), 2, QStringLiteral("HIBA"));
    rows.addSheet(r.ertId, QStringLiteral("B"), 3, QStringLiteral("HIBA"), true);
    rows.addSheet(r.ertId, QStringLiteral("T"), 1, QStringLiteral("HIBA"));

    const PrintData d = PrintData::read(t.app().devPrint, r.ertId, r.tanId);
    QVERIFY(!d.officialPeriod);
    QCOMPARE(d.decision, QString());
    QVERIFY(!d.issued.isValid());
    QCOMPARE(d.guardianName, QString());
    QCOMPARE(d.town, QString()); // no school row yet
    QCOMPARE(d.parts.size(), 1);
    QCOMPARE(d.parts.first().text, QString());
    QCOMPARE(d.parts.first().competency, QString());
    QCOMPARE(d.faultyCertificateSheets, QList<bool>({false, true}));
    QCOMPARE(d.faultyRegisterSheets, QList<bool>({true}));
}

void tst_textpieces::readDataSetOfMissingRating() {
    TestDatabase t;
    RatingRows rows(t);
    const RatingRows::Rating r = rows.makeRating();
    QVERIFY_THROWS_EXCEPTION(PrintError, PrintData::read(t.app().devPrint, r.ertId, r.tanId + 1));
}

LORVANTO_TEST_BOTH_ENGINES_GUI(tst_textpieces)
#include "tst_textpieces.moc"
