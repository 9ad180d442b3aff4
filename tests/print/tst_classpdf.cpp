// Every pupil's trial document of a class in one PDF: from the pupil chooser and from the command line,
// in class-list order, skipping pupils without text, and leaving no file when stopped.
#include "EditorSession.h"
#include "PdfText.h"
#include "PgTestDatabase.h"
#include "RatingRows.h"
#include "data/DatabaseKey.h"
#include "data/Schema.h"
#include "print/PdfExport.h"
#include "print/PrintPage.h"
#include "print/frmPdfKind.h"
#include "rating/frmMain.h"

#include <QDir>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <sqlite3.h>

namespace {

// The first page on which each given name stands, in page order.
QStringList namesInPageOrder(const PdfText &pdf, const QStringList &names) {
    QList<std::pair<int, QString>> found;
    for (const QString &n : names)
        if (const PdfWord *w = pdf.find(n))
            found.append({w->page, n});
    std::sort(found.begin(), found.end());
    QStringList out;
    for (const auto &f : found)
        out << f.second;
    return out;
}

// A class whose pupils were entered out of alphabetical order; the last one has no text yet, Petra was
// removed.
struct ClassFixture {
    TestDatabase t;
    RatingRows rows{t};
    qint64 tev = 0, osz = 0;
    QStringList givenNames = {QStringLiteral("Zoé"), QStringLiteral("Ábel"), QStringLiteral("Örs"),
                              QStringLiteral("Nóra")};
    ClassFixture() {
        rows.setSchool(QStringLiteral("027384"), QStringLiteral("Pécs"));
        tev = t.addPeriod(2024, QStringLiteral("Év vége"), true);
        osz = t.addClass(tev, 3, QStringLiteral("b"));
        const qint64 akb = rows.addBranch(tev, QStringLiteral("Magyar"), QStringLiteral("Olvasás"),
                                          QStringLiteral("Hangos"));
        for (int i = 0; i < givenNames.size(); ++i) {
            const qint64 tan = t.addPupil(QStringLiteral("Tanuló"), givenNames.at(i));
            const qint64 ert = rows.addRating(tan, osz, tev, QStringLiteral("N"));
            // Different lengths, so the documents differ in pages.
            for (int part = 0; i < 3 && part < 8 * (i + 1); ++part)
                rows.addPart(ert, akb, QStringLiteral("Folyékonyan olvas, szövegértése jó. ").repeated(12));
        }
        const qint64 removed = t.addPupil(QStringLiteral("Tanuló"), QStringLiteral("Petra"));
        rows.addPart(rows.addRating(removed, osz, tev, QStringLiteral("N")), akb, QStringLiteral("Olvas."));
        t.db().connection().query(QStringLiteral("UPDATE TANULO SET tan_del = 1 WHERE tan_id = ?"),
                                  {removed});
    }
    // The pupils with text in class-list order, and the pages of their documents together.
    std::pair<QStringList, int> expected(PrintOptions::Document kind) {
        QStringList names;
        int pages = 0;
        const Recordset list = t.db().run(QStringLiteral("getStudentsByClass"), {osz});
        for (int i = 0; i < list.count(); ++i) {
            const QString given = list.at(i, QStringLiteral("tan_knev")).toString();
            if (given == QStringLiteral("Nóra") || given == QStringLiteral("Petra"))
                continue;
            names << given;
            const qint64 ert = t.scalar(QStringLiteral("SELECT ert_id FROM ERTEKELES WHERE ert_tan_id = ?"),
                                        {list.at(i, QStringLiteral("tan_id"))})
                                   .toLongLong();
            pages += int(PdfExport::composeTrial(t.app().devPrint, ert, kind).pages.size());
        }
        return {names, pages};
    }
};

// Every row of every table, for a conversion or a copy: a file under the key, or a server database.
QString everyRow(const QString &path, const QByteArray &key = databaseKey()) {
    Connection c;
    c.open(path, key);
    QString all;
    for (const QString &table : Schema::tableNames()) {
        const Recordset rs = c.query(QStringLiteral("SELECT * FROM %1 ORDER BY 1").arg(table));
        for (int i = 0; i < rs.count(); ++i)
            for (const QString &column : rs.columns())
                all += column + QLatin1Char('=') + rs.at(i, column).toString() + QLatin1Char('|');
    }
    return all;
}

std::pair<int, QString> runProgram(const QStringList &arguments) {
    QProcess p;
    p.start(qEnvironmentVariable("LORVANTO_BIN"), arguments);
    p.waitForFinished(120000);
    return {p.exitCode(), QString::fromLocal8Bit(p.readAllStandardOutput() + p.readAllStandardError())};
}

} // namespace

class tst_classpdf : public QObject {
    Q_OBJECT
private slots:
    void wholeClass_data();
    void wholeClass();
    void commandLine();
    void copyDatabase();
    void fromThePupilChooser();
};

void tst_classpdf::wholeClass_data() {
    QTest::addColumn<int>("kind");
    QTest::newRow("certificate") << int(PrintOptions::Document::Certificate);
    QTest::newRow("A4 certificate") << int(PrintOptions::Document::CertificateA4);
    QTest::newRow("register sheet") << int(PrintOptions::Document::RegisterSheet);
}

void tst_classpdf::wholeClass() {
    QFETCH(int, kind);
    const auto document = PrintOptions::Document(kind);
    ClassFixture f;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("osztaly.pdf"));
    QList<int> told;
    const PdfExport::ClassResult r = PdfExport::writeClass(f.osz, document, path, [&](int done, int total) {
        told << done;
        return total == 4;
    });
    const auto [names, pages] = f.expected(document);
    QCOMPARE(r.written, 3);
    QCOMPARE(r.skipped, 1);
    QCOMPARE(r.pages, pages);
    QCOMPARE(told, QList<int>({0, 1, 2, 3, 4}));
    const PdfText pdf = PdfText::read(path);
    QVERIFY(pdf.ok);
    QCOMPARE(int(pdf.pageSizesMm.size()), pages);
    QCOMPARE(namesInPageOrder(pdf, f.givenNames << QStringLiteral("Petra")), names);

    // Stopped half-way: no file, and an earlier file of that name is left as it was.
    const QByteArray before = [&] {
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        return file.readAll();
    }();
    const PdfExport::ClassResult stopped =
        PdfExport::writeClass(f.osz, document, path, [](int done, int) { return done < 2; });
    QVERIFY(stopped.cancelled);
    QFile again(path);
    QVERIFY(again.open(QIODevice::ReadOnly));
    QCOMPARE(again.readAll(), before);
}

void tst_classpdf::commandLine() {
    const QString bin = qEnvironmentVariable("LORVANTO_BIN");
    if (bin.isEmpty())
        QSKIP("LORVANTO_BIN not set (run through ctest)");
    ClassFixture f;
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("osztaly.pdf"));
    auto run = [&](const QString &cls, const QString &before = QStringLiteral("--database"),
                   const QStringList &keyFile = {}) {
        QProcess p;
        p.start(bin, keyFile + QStringList{before, f.t.path(), QStringLiteral("--print-pdf"),
                                           QStringLiteral("--class"), cls, pdf, QStringLiteral("register")});
        p.waitForFinished(60000);
        return std::pair{p.exitCode(),
                         QString::fromLocal8Bit(p.readAllStandardOutput() + p.readAllStandardError())};
    };
    const auto [code, out] = run(QString::number(f.osz));
    QVERIFY2(code == 0, qPrintable(out));
    QVERIFY2(out.contains(QStringLiteral("1 tanulónak még nincs értékelése")), qPrintable(out));
    const auto [names, pages] = f.expected(PrintOptions::Document::RegisterSheet);
    const PdfText text = PdfText::read(pdf);
    QCOMPARE(int(text.pageSizesMm.size()), pages);
    QCOMPARE(namesInPageOrder(text, f.givenNames), names);
    const auto [missing, message] = run(QString::number(f.osz + 100));
    QCOMPARE(missing, 1);
    QVERIFY2(message.contains(QStringLiteral("Nincs ilyen osztály")), qPrintable(message));
    // No class 0, and no option the program does not know: the usage, and nothing written.
    for (const auto &[code, usage] :
         {run(QStringLiteral("0")), run(QString::number(f.osz), QStringLiteral("--adatbazis"))})
        QVERIFY2(code == 2 && usage.startsWith(QStringLiteral("Használat")), qPrintable(usage));
    QProcess made; // a new file with a key of its own: the engine reads it under the line printed only
    made.start(bin, {QStringLiteral("--create-database"), dir.filePath(QStringLiteral("uj.dll")),
                     QStringLiteral("--school-key")});
    QVERIFY(made.waitForFinished(60000) && made.exitCode() == 0);
    const QByteArray madeKey = DatabaseKey::engineKey(DatabaseKey::parse(made.readAllStandardOutput()));
    for (const QByteArray &key : {databaseKey(), madeKey}) {
        sqlite3 *db = nullptr;
        sqlite3_open_v2(QFile::encodeName(dir.filePath(QStringLiteral("uj.dll"))).constData(), &db,
                        SQLITE_OPEN_READONLY, nullptr);
        sqlite3_key(db, key.constData(), int(key.size()));
        const int rc = sqlite3_exec(db, "SELECT count(*) FROM USERS", nullptr, nullptr, nullptr);
        sqlite3_close(db);
        QCOMPARE(rc == SQLITE_OK, key == madeKey);
    }
    const QString before = everyRow(f.t.path(), databaseKey());
    QProcess rekey;
    rekey.start(bin, {QStringLiteral("--rekey"), f.t.path()});
    QVERIFY(rekey.waitForFinished(60000) && rekey.exitCode() == 0);
    const QByteArray line = rekey.readAllStandardOutput();
    const QString keyFile = writeTestFile(dir.filePath(QStringLiteral("kulcs")), line);
    const QString backup =
        QDir(f.t.dir()).entryInfoList({QStringLiteral("msvcrx_mentes_*.dll")}).value(0).filePath();
    QCOMPARE(everyRow(backup, databaseKey()), before);
    QCOMPARE(everyRow(f.t.path(), DatabaseKey::engineKey(DatabaseKey::parse(QString::fromLatin1(line)))),
             before);
    QVERIFY(run(QString::number(f.osz))
                .second.contains(QStringLiteral("(kipróbálva: a program beépített kulcsa;")));
    const auto keyed =
        run(QString::number(f.osz), QStringLiteral("--database"), {QStringLiteral("--key-file"), keyFile});
    QCOMPARE(keyed.first, 0);
}

void tst_classpdf::copyDatabase() {
    if (qEnvironmentVariableIsEmpty("LORVANTO_BIN"))
        QSKIP("LORVANTO_BIN not set (run through ctest)");
    ClassFixture f;
    // A date, time stamps, and a deleted row on top whose key no new row may take again.
    Connection &c = f.t.db().connection();
    c.query(QStringLiteral("UPDATE TANULO SET tan_szdatum = ?"), {QDate(2015, 2, 28)});
    for (int i = 0; i < 2; ++i)
        c.query(QStringLiteral("INSERT INTO LOG (log_tabla, log_time_stamp) VALUES ('TANULO', ?)"),
                {QDateTime(QDate(2024, 6, 14), QTime(10, 30, i))});
    const qint64 used = f.t.scalar(QStringLiteral("SELECT max(log_id) FROM LOG")).toLongLong();
    c.query(QStringLiteral("DELETE FROM LOG WHERE log_id = ?"), {used});
    const QString rows = everyRow(f.t.path());
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("masolat.dll"));
    const QString parts = QStringLiteral("ERTRESZ: %1 sor")
                              .arg(f.t.scalar(QStringLiteral("SELECT count(*) FROM ERTRESZ")).toInt());
    const auto copy = [](const QString &from, const QString &to) {
        return runProgram({QStringLiteral("--copy-database"), from, to});
    };
    const auto [code, out] = copy(f.t.path(), file);
    QVERIFY2(code == 0 && out.contains(parts), qPrintable(out));
    QCOMPARE(everyRow(file), rows);
    // A target holding rows is refused and left as it was.
    const auto [refused, why] = copy(f.t.path(), file);
    QVERIFY2(refused == 1 && why.contains(QStringLiteral("nem üres")), qPrintable(why));
    QCOMPARE(everyRow(file), rows);
    // The school's own key encrypts files only.
    const auto [keyed, sentence] =
        runProgram({QStringLiteral("--create-database"),
                    QStringLiteral("postgresql://lorvanto@127.0.0.1:1/uj"), QStringLiteral("--school-key")});
    QVERIFY2(keyed == 2 && sentence.contains(QStringLiteral("csak adatbázisfájlt")), qPrintable(sentence));

    PgTestDatabase pg;
    REQUIRE_POSTGRES(pg);
    const QString back = dir.filePath(QStringLiteral("vissza.dll"));
    for (const auto &[from, to] : {std::pair{file, pg.uri()}, std::pair{pg.uri(), back}}) {
        const auto [copied, told] = copy(from, to);
        QVERIFY2(copied == 0 && told.contains(parts), qPrintable(told));
    }
    QCOMPARE(everyRow(back), rows);
    // The class's register sheets print from the server as from the file.
    const QString pdf = dir.filePath(QStringLiteral("szerver.pdf"));
    const auto [printed, said] =
        runProgram({QStringLiteral("--database"), pg.uri(), QStringLiteral("--print-pdf"),
                    QStringLiteral("--class"), QString::number(f.osz), pdf, QStringLiteral("register")});
    QVERIFY2(printed == 0, qPrintable(said));
    QCOMPARE(namesInPageOrder(PdfText::read(pdf), f.givenNames),
             f.expected(PrintOptions::Document::RegisterSheet).first);
    const QString onServer = everyRow(pg.uri());
    QCOMPARE(copy(f.t.path(), pg.uri()).first, 1);
    QCOMPARE(everyRow(pg.uri()), onServer);
    // A new row after the copy takes the next key of the school, on the server and in the file made from it.
    for (const QString &target : {pg.uri(), back}) {
        Connection after;
        after.open(target, databaseKey());
        after.query(QStringLiteral("INSERT INTO LOG (log_tabla) VALUES ('TANULO')"));
        QCOMPARE(after.lastInsertRowid(), used + 1);
    }
}

void tst_classpdf::fromThePupilChooser() {
    EditorSession s;
    RatingRows rows(s.db);
    rows.setSchool(QStringLiteral("027384"), QStringLiteral("Pécs"));
    rows.addPart(s.ratingOf(0), s.school.addition, QStringLiteral("Hibátlanul ad össze."));
    rows.addPart(s.ratingOf(2), s.school.addition, QStringLiteral("Gyorsan számol."));
    frmMain *editor = s.openEditor(s.school.teacher);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("2a"));
    QStringList listed;
    bool enabledWithoutClass = true, enabledWithClass = false;
    s.dialogs.expectModal(QStringLiteral("frmKid"), [&](QDialog *d) {
        auto *classes = d->findChild<QTreeWidget *>(QStringLiteral("dlClass"));
        auto *button = d->findChild<QPushButton *>(QStringLiteral("btnClassPdf"));
        enabledWithoutClass = button->isEnabled();
        classes->setCurrentItem(classes->topLevelItem(0));
        enabledWithClass = button->isEnabled();
        auto *kids = d->findChild<QTreeWidget *>(QStringLiteral("listKid"));
        for (int i = 0; i < kids->topLevelItemCount(); ++i)
            listed << kids->topLevelItem(i)->text(0).section(QLatin1Char(' '), 1);
        s.dialogs.expectModal(QStringLiteral("frmPdfKind"), [](QDialog *k) {
            qobject_cast<frmPdfKind *>(k)->optTorzslap->click();
            qobject_cast<frmPdfKind *>(k)->cmdOk->click();
            return k->result();
        });
        s.dialogs.expectSaveFile(path);
        s.dialogs.expectMessage(QStringLiteral("A PDF elkészült: *"), DialogService::Icon::Information);
        button->click();
        d->findChild<QPushButton *>(QStringLiteral("btnCancel"))->click();
        return d->result();
    });
    QTest::mouseClick(editor->btnSelect, Qt::LeftButton);
    QVERIFY(s.dialogs.verifyDone());
    QVERIFY(!enabledWithoutClass && enabledWithClass);
    const QString report = s.dialogs.shown().last().text;
    QVERIFY2(report.contains(QStringLiteral("2 tanuló dokumentuma")) &&
                 report.contains(QStringLiteral("1 tanulónak még nincs értékelése")),
             qPrintable(report));
    // The file name got its extension; the pupils with text appear as the class list shows them.
    const PdfText pdf = PdfText::read(path + QStringLiteral(".pdf"));
    QVERIFY(pdf.ok);
    listed.removeAt(1);
    QCOMPARE(namesInPageOrder(
                 pdf, {QStringLiteral("Ádám"), QStringLiteral("Boglárka"), QStringLiteral("Cecília")}),
             listed);
}

QTEST_MAIN(tst_classpdf)
#include "tst_classpdf.moc"
