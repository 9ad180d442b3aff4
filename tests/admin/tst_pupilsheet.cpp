// Reading pupil lists from spreadsheets: the same rows from .xls, .xlsx and .ods, the refusals of files
// that cannot be used, and hostile files that must neither crash nor run away.
//
// The .xls files under data/ were written by data/make_xls.py with Debian's python3-xlwt; the .xlsx and
// .ods files are built here, in memory, with QuaZip, from the same rows.
#include "TestDatabase.h"
#include "admin/PupilSheet.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <quazip/quazip.h>
#include <quazip/quazipfile.h>

namespace {

// One cell of a generated sheet: kind "s" text, "n" number, "d" date (ISO), "" empty.
struct C {
    QString kind;
    QString value;
};
using Rows = QList<QList<C>>;

const QStringList kHeader{"nev", "anya", "gondviselo", "szhely", "szdatum", "torzslapszam", "naplosorszam"};

// The rows of data/make_xls.py: three words, no blank, an ordinary name with a written date, a row with no
// name, an empty row and a row whose date is no date.
Rows pupilRows(const QStringList &header = kHeader) {
    Rows rows;
    QList<C> h;
    for (const QString &name : header)
        h << C{"s", name};
    rows << h;
    rows << QList<C>{{"s", "Kovács Anna Mária"},
                     {"s", "Nagy Éva"},
                     {"s", "Kovács Péter"},
                     {"s", "Szeged"},
                     {"d", "2015-03-04"},
                     {"n", "12"},
                     {"n", "3"}};
    rows << QList<C>{{"s", "Petőfi"}, {}, {}, {"s", "Kiskőrös"}};
    rows << QList<C>{{"s", "Szabó Ödön"},  {"s", "Kiss Ilona"}, {"s", "Kiss Ilona"}, {"s", "Pécs"},
                     {"s", "2014.11.30."}, {"s", "A-17"},       {"n", "5"}};
    rows << QList<C>{{}, {"s", "Valaki"}};
    rows << QList<C>{};
    rows << QList<C>{{"s", "Tóth Béla"}, {"s", "Tóth Anna"}, {"s", "Tóth Anna"}, {"s", "Eger"},
                     {"s", "rossz"},     {"n", "14"},        {"n", "7"}};
    return rows;
}

QByteArray zipOf(const QList<QPair<QString, QByteArray>> &entries) {
    QBuffer buffer;
    QuaZip zip(&buffer);
    if (!zip.open(QuaZip::mdCreate))
        return {};
    for (const auto &[name, data] : entries) {
        QuaZipFile file(&zip);
        file.open(QIODevice::WriteOnly, QuaZipNewInfo(name));
        file.write(data);
        file.close();
    }
    zip.close();
    return buffer.data();
}

QString esc(const QString &s) {
    return s.toHtmlEscaped();
}

// An .xlsx as Excel writes it: texts in the shared strings (every other one inline, as some exporters
// do), dates as day counts.
QByteArray xlsx(const QList<QPair<QString, Rows>> &sheets, const QString &badStringIndex = {}) {
    QStringList shared;
    QByteArray workbook = "<?xml version=\"1.0\"?><workbook "
                          "xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
                          "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">"
                          "<sheets>";
    QByteArray rels = "<?xml version=\"1.0\"?><Relationships "
                      "xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">";
    QList<QPair<QString, QByteArray>> entries;
    int n = 0;
    for (const auto &[name, rows] : sheets) {
        ++n;
        workbook +=
            QStringLiteral("<sheet name=\"%1\" sheetId=\"%2\" r:id=\"rId%2\"/>").arg(name).arg(n).toUtf8();
        rels += QStringLiteral(
                    "<Relationship Id=\"rId%1\" Type=\"worksheet\" Target=\"worksheets/sheet%1.xml\"/>")
                    .arg(n)
                    .toUtf8();
        QString xml = "<?xml version=\"1.0\"?><worksheet "
                      "xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><sheetData>";
        for (int r = 0; r < rows.size(); ++r) {
            xml += QStringLiteral("<row r=\"%1\">").arg(r + 1);
            for (int c = 0; c < rows[r].size(); ++c) {
                const C &cell = rows[r][c];
                const QString ref = QChar(u'A' + c) + QString::number(r + 1);
                if (cell.kind == "s" && (r + c) % 2 == 0) {
                    shared << cell.value;
                    xml += QStringLiteral("<c r=\"%1\" t=\"s\"><v>%2</v></c>")
                               .arg(ref, badStringIndex.isEmpty() ? QString::number(shared.size() - 1)
                                                                  : badStringIndex);
                } else if (cell.kind == "s") {
                    xml += QStringLiteral("<c r=\"%1\" t=\"inlineStr\"><is><t>%2</t></is></c>")
                               .arg(ref, esc(cell.value));
                } else if (cell.kind == "n") {
                    xml += QStringLiteral("<c r=\"%1\"><v>%2</v></c>").arg(ref, cell.value);
                } else if (cell.kind == "d") {
                    const qint64 serial =
                        QDate(1899, 12, 30).daysTo(QDate::fromString(cell.value, Qt::ISODate));
                    xml += QStringLiteral("<c r=\"%1\" s=\"1\"><v>%2</v></c>").arg(ref).arg(serial);
                }
            }
            xml += "</row>";
        }
        xml += "</sheetData></worksheet>";
        entries << qMakePair(QStringLiteral("xl/worksheets/sheet%1.xml").arg(n), xml.toUtf8());
    }
    workbook += "</sheets></workbook>";
    rels += "</Relationships>";
    QString sst =
        "<?xml version=\"1.0\"?><sst xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">";
    for (const QString &s : shared)
        sst += QStringLiteral("<si><t>%1</t></si>").arg(esc(s));
    sst += "</sst>";
    entries << qMakePair(QStringLiteral("xl/workbook.xml"), workbook)
            << qMakePair(QStringLiteral("xl/_rels/workbook.xml.rels"), rels)
            << qMakePair(QStringLiteral("xl/sharedStrings.xml"), sst.toUtf8());
    return zipOf(entries);
}

// An .ods as LibreOffice writes it, with its habit of standing one element for many empty cells and rows.
QByteArray ods(const QList<QPair<QString, Rows>> &sheets, int repeatLastRow = 1) {
    QString xml =
        "<?xml version=\"1.0\"?><office:document-content "
        "xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
        "xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\" "
        "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\"><office:body><office:spreadsheet>";
    for (const auto &[name, rows] : sheets) {
        xml += QStringLiteral("<table:table table:name=\"%1\">").arg(name);
        for (int r = 0; r < rows.size(); ++r) {
            const bool last = r == rows.size() - 1;
            xml +=
                last && repeatLastRow > 1
                    ? QStringLiteral("<table:table-row table:number-rows-repeated=\"%1\">").arg(repeatLastRow)
                    : QStringLiteral("<table:table-row>");
            for (const C &cell : rows[r]) {
                if (cell.kind == "s")
                    xml += QStringLiteral("<table:table-cell office:value-type=\"string\"><text:p>%1</text:p>"
                                          "</table:table-cell>")
                               .arg(esc(cell.value));
                else if (cell.kind == "n")
                    xml += QStringLiteral("<table:table-cell office:value-type=\"float\" office:value=\"%1\">"
                                          "<text:p>%1</text:p></table:table-cell>")
                               .arg(cell.value);
                else if (cell.kind == "d")
                    xml += QStringLiteral(
                               "<table:table-cell office:value-type=\"date\" office:date-value=\"%1\">"
                               "<text:p>x</text:p></table:table-cell>")
                               .arg(cell.value);
                else
                    xml += "<table:table-cell/>";
            }
            xml += "<table:table-cell table:number-columns-repeated=\"16370\"/></table:table-row>";
        }
        xml += "<table:table-row table:number-rows-repeated=\"1048000\"><table:table-cell "
               "table:number-columns-repeated=\"16384\"/></table:table-row></table:table>";
    }
    xml += "</office:spreadsheet></office:body></office:document-content>";
    return zipOf(
        {qMakePair(QStringLiteral("mimetype"), QByteArray("application/vnd.oasis.opendocument.spreadsheet")),
         qMakePair(QStringLiteral("content.xml"), xml.toUtf8())});
}

} // namespace

class tst_pupilsheet : public QObject {
    Q_OBJECT
private slots:
    void readsEveryFormat_data();
    void readsEveryFormat();
    void refusesUnusableFiles_data();
    void refusesUnusableFiles();
    void dates_data();
    void dates();
    void xlsInChildProcess_data();
    void xlsInChildProcess();
    void hangingXlsGivenUp();

private:
    QString write(const QString &name, const QByteArray &data);
    QTemporaryDir m_dir;
};

QString tst_pupilsheet::write(const QString &name, const QByteArray &data) {
    return writeTestFile(m_dir.filePath(name), data);
}

void tst_pupilsheet::readsEveryFormat_data() {
    QTest::addColumn<QString>("path");
    const Rows other{{{"s", "valami"}}};
    QTest::newRow("xls") << QFINDTESTDATA("data/pupils.xls");
    QTest::newRow("xlsx") << write("p.xlsx", xlsx({{"Sheet1", pupilRows()}}));
    QTest::newRow("xlsx without Sheet1: its first sheet")
        << write("m.xlsx", xlsx({{"Munka1", pupilRows()}, {"Munka2", other}}));
    QTest::newRow("xlsx with Sheet1 second")
        << write("s.xlsx", xlsx({{"Munka1", other}, {"Sheet1", pupilRows()}}));
    QTest::newRow("ods") << write("p.ods", ods({{"Sheet1", pupilRows()}}));
    QTest::newRow("ods with Sheet1 second")
        << write("s.ods", ods({{"Lap1", other}, {"Sheet1", pupilRows()}}));
    QTest::newRow("ods without Sheet1: its first sheet")
        << write("m.ods", ods({{"Munka1", pupilRows()}, {"Munka2", other}}));
    QTest::newRow("headings as people write them")
        << write("h.xlsx", xlsx({{"Munka1", pupilRows({"Név", "ANYJA NEVE", "Gondviselo", "születési hely",
                                                       "Születési idő", "Törzslapszám", "naplósorszám"})}}));
}

void tst_pupilsheet::readsEveryFormat() {
    QFETCH(QString, path);
    PupilSheet sheet;
    QElapsedTimer timer;
    timer.start();
    QVERIFY2(sheet.read(path), qPrintable(sheet.error()));
    // A sheet claiming a million empty rows of 16384 cells is read at once.
    QVERIFY(timer.elapsed() < 2000);
    QCOMPARE(sheet.skipped(), 1);
    const QList<PupilRow> &rows = sheet.rows();
    QCOMPARE(rows.size(), 4);
    QCOMPARE(rows[0].family, "Kovács");
    QCOMPARE(rows[0].given, "Anna Mária");
    QCOMPARE(rows[0].mother, "Nagy Éva");
    QCOMPARE(rows[0].guardian, "Kovács Péter");
    QCOMPARE(rows[0].birthPlace, "Szeged");
    QCOMPARE(rows[0].birthDate, QVariant(QDate(2015, 3, 4)));
    QCOMPARE(rows[0].registerNo, "12");
    QCOMPARE(rows[0].serialNo, "3");
    QCOMPARE(rows[1].family, QString());
    QCOMPARE(rows[1].given, "Petőfi");
    QCOMPARE(rows[1].mother, QString());
    QVERIFY(rows[1].birthDate.isNull());
    QCOMPARE(rows[2].family, "Szabó");
    QCOMPARE(rows[2].given, "Ödön");
    QCOMPARE(rows[2].birthDate, QVariant(QDate(2014, 11, 30)));
    QCOMPARE(rows[2].registerNo, "A-17");
    QCOMPARE(rows[3].given, "Béla");
    QVERIFY(rows[3].birthDate.isNull());
    QCOMPARE(rows[3].serialNo, "7");
}

void tst_pupilsheet::refusesUnusableFiles_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("message");
    QStringList noPlace = kHeader;
    noPlace.removeAll("szhely");
    const QString missing = "A munkalap első sorából hiányzik a következő oszlop: Születési hely.";
    const QString unreadable = "A fájl nem olvasható táblázat";
    QTest::newRow("xls missing column") << QFINDTESTDATA("data/missing.xls") << missing;
    QTest::newRow("xlsx missing column")
        << write("mc.xlsx", xlsx({{"Sheet1", pupilRows(noPlace)}})) << missing;
    QTest::newRow("ods missing column") << write("mc.ods", ods({{"Sheet1", pupilRows(noPlace)}})) << missing;
    QTest::newRow("text named .xls") << write("t.xls", "nev;anya\nKiss Anna;Nagy Éva\n") << unreadable;
    QFile xls(QFINDTESTDATA("data/pupils.xls"));
    QVERIFY(xls.open(QIODevice::ReadOnly));
    QTest::newRow("cut-off .xls") << write("c.xls", xls.read(1500)) << unreadable;
    const QByteArray good = xlsx({{"Sheet1", pupilRows()}});
    QTest::newRow("cut-off .xlsx") << write("c.xlsx", good.left(good.size() / 2)) << unreadable;
    QTest::newRow("shared string out of range")
        << write("b.xlsx", xlsx({{"Sheet1", pupilRows()}}, "99999")) << unreadable;
    QTest::newRow("negative shared string")
        << write("n.xlsx", xlsx({{"Sheet1", pupilRows()}}, "-1")) << unreadable;
    QTest::newRow("zip without a sheet") << write("e.ods", zipOf({{"mimetype", "x"}})) << unreadable;
    QTest::newRow("a pupil row repeated a million times")
        << write("r.ods", ods({{"Sheet1", pupilRows().mid(0, 2)}}, 1000000)) << "A munkalap túl nagy";
    QTest::newRow("other extension") << write("p.csv", "nev\n") << unreadable;
}

void tst_pupilsheet::refusesUnusableFiles() {
    QFETCH(QString, path);
    QFETCH(QString, message);
    PupilSheet sheet;
    QVERIFY(!sheet.read(path));
    QVERIFY2(sheet.error().startsWith(message), qPrintable(sheet.error()));
    QVERIFY(sheet.rows().isEmpty());
}

void tst_pupilsheet::xlsInChildProcess_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("message");
    QTest::newRow("pupil list") << QFINDTESTDATA("data/pupils.xls") << QString();
    QTest::newRow("missing column") << QFINDTESTDATA("data/missing.xls")
                                    << "A munkalap első sorából hiányzik a következő oszlop: Születési hely.";
    // Found by fuzzing: this file makes the .xls library itself crash.
    QTest::newRow("file crashing the library")
        << QFINDTESTDATA("data/damaged.xls") << "A fájl nem olvasható táblázat";
}

void tst_pupilsheet::xlsInChildProcess() {
    QFETCH(QString, path);
    QFETCH(QString, message);
    const QString program = qEnvironmentVariable("LORVANTO_BIN");
    if (program.isEmpty())
        QSKIP("LORVANTO_BIN is not set");
    PupilSheet::setXlsReaderProgram(program);
    PupilSheet sheet;
    const bool ok = sheet.read(path);
    PupilSheet::setXlsReaderProgram(QString());
    QCOMPARE(ok, message.isEmpty());
    QVERIFY2(sheet.error().startsWith(message), qPrintable(sheet.error()));
    if (ok) {
        // What crosses from the child is what the reader in this process gives.
        PupilSheet here;
        QVERIFY(here.read(path));
        QCOMPARE(sheet.skipped(), here.skipped());
        QCOMPARE(sheet.rows().size(), here.rows().size());
        for (qsizetype i = 0; i < here.rows().size(); ++i) {
            const PupilRow &a = sheet.rows()[i], &b = here.rows()[i];
            QCOMPARE(QStringList(
                         {a.family, a.given, a.mother, a.guardian, a.birthPlace, a.registerNo, a.serialNo}),
                     QStringList(
                         {b.family, b.given, b.mother, b.guardian, b.birthPlace, b.registerNo, b.serialNo}));
            QCOMPARE(a.birthDate, b.birthDate);
        }
    }
}

void tst_pupilsheet::hangingXlsGivenUp() {
    const QString hanging = write("hang.sh", "#!/bin/sh\nexec sleep 30\n");
    QFile::setPermissions(hanging, QFile::permissions(hanging) | QFileDevice::ExeOwner);
    PupilSheet::setXlsReaderProgram(hanging, 500);
    int ticks = 0;
    QTimer ticker;
    connect(&ticker, &QTimer::timeout, this, [&ticks] { ++ticks; });
    ticker.start(20);
    PupilSheet sheet;
    sheet.read(QFINDTESTDATA("data/pupils.xls"));
    PupilSheet::setXlsReaderProgram(QString());
    QVERIFY(sheet.error().startsWith("A fájl nem olvasható táblázat"));
    QVERIFY(ticks > 5);
}

void tst_pupilsheet::dates_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("number");
    QTest::addColumn<bool>("date1904");
    QTest::addColumn<QDate>("expected");
    const int text = PupilSheet::Cell::Text, number = PupilSheet::Cell::Number;
    QTest::newRow("day count") << number << "" << 42067.0 << false << QDate(2015, 3, 4);
    QTest::newRow("day count with time") << number << "" << 42067.75 << false << QDate(2015, 3, 4);
    QTest::newRow("before the phantom leap day") << number << "" << 59.0 << false << QDate(1900, 2, 28);
    QTest::newRow("the phantom leap day") << number << "" << 60.0 << false << QDate();
    QTest::newRow("1904 system") << number << "" << 40605.0 << true << QDate(2015, 3, 4);
    QTest::newRow("zero") << number << "" << 0.0 << false << QDate();
    QTest::newRow("huge") << number << "" << 1e300 << false << QDate();
    QTest::newRow("Hungarian written") << text << "2014. 11. 30." << 0.0 << false << QDate(2014, 11, 30);
    QTest::newRow("ISO") << text << "2014-11-30" << 0.0 << false << QDate(2014, 11, 30);
    QTest::newRow("29 February of a common year") << text << "2015.02.29" << 0.0 << false << QDate();
    QTest::newRow("words") << text << "tavaly tavasszal" << 0.0 << false << QDate();
}

void tst_pupilsheet::dates() {
    QFETCH(int, kind);
    QFETCH(QString, text);
    QFETCH(double, number);
    QFETCH(bool, date1904);
    QFETCH(QDate, expected);
    PupilSheet::Cell cell;
    cell.kind = PupilSheet::Cell::Kind(kind);
    cell.text = text;
    cell.number = number;
    QCOMPARE(PupilSheet::toDate(cell, date1904).toDate(), expected);
}

LORVANTO_TEST_BOTH_ENGINES(tst_pupilsheet)
#include "tst_pupilsheet.moc"
