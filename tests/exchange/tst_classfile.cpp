// Class files and text files: their byte layout, the class import into a period, the refusal of foreign or
// damaged files, the rating text going out of and into the editor, and no written file landing on the
// database.
#include "EditorSession.h"
#include "SchoolFixture.h"
#include "ScriptedDialogService.h"
#include "TestDatabase.h"
#include "admin/frmClasses.h"
#include "admin/frmEditClass.h"
#include "curriculum/SentenceFiles.h"
#include "data/DbError.h"
#include "exchange/ClassCheckout.h"
#include "exchange/ClassFile.h"
#include "exchange/ClassImport.h"
#include "exchange/clsExport.h"
#include "exchange/modExport.h"
#include "exchange/modImport.h"
#include "print/PdfExport.h"
#include "print/PrintControl.h"
#include "rating/EditorWidgets.h"
#include "rating/frmMain.h"
#include "shell/LogExport.h"
#include "shell/frmMenu.h"

#include <QAction>
#include <QFile>
#include <QPrinter>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <QtEndian>
#include <cmath>
#include <cstring>

using Icon = DialogService::Icon;
using Writer = std::function<void(ScriptedDialogService &, const QString &path, qint64 oszId)>;
Q_DECLARE_METATYPE(Writer)

namespace {
QByteArray readAll(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeAll(const QString &path, const QByteArray &bytes) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        qFatal("cannot write the test file");
}

QByteArray field(const QByteArray &bytes, int offset, int width) {
    return bytes.mid(offset, width);
}

QByteArray padded(const QByteArray &text, int width) {
    return text + QByteArray(width - text.size(), ' ');
}

double oleAt(const QByteArray &bytes, int offset) {
    const quint64 bits = qFromLittleEndian<quint64>(bytes.constData() + offset);
    double d = 0;
    std::memcpy(&d, &bits, sizeof d);
    return d;
}

QByteArray oleBytes(double d) {
    quint64 bits = 0;
    std::memcpy(&bits, &d, sizeof d);
    QByteArray b(8, '\0');
    qToLittleEndian(bits, b.data());
    return b;
}
} // namespace

class tst_classfile : public QObject {
    Q_OBJECT
private slots:
    void classFileLayoutAndRoundTrip();
    void importingTwiceMakesTwoClassesOfTheSamePupils();
    void refusedFiles_data();
    void refusedFiles();
    void loginFromName_data();
    void loginFromName();
    void ratingTextThroughTheMenu();
    void classWindowsExportAndImport();
    void writersRefuseTheDatabase_data();
    void writersRefuseTheDatabase();
};

void tst_classfile::classFileLayoutAndRoundTrip() {
    TestDatabase db;
    SchoolFixture school(db);
    ScriptedDialogService dialogs;
    db.loginAs(school.admin);
    db.db().run(QStringLiteral("updateClass"),
                {2, QStringLiteral("a"), school.teacher, 2022, QStringLiteral("Őszi névsor"), school.cls});
    db.db().connection().query(QStringLiteral("DELETE FROM ERTEKELES WHERE ert_tan_id=?"),
                               {school.pupils[2]});
    db.db().run(QStringLiteral("updateStudent"),
                {QStringLiteral("Őri"), QStringLiteral("Ödön"), QStringLiteral("Űr Éva"),
                 QStringLiteral("Őri Pál"), QStringLiteral("Győr"), QDate(2015, 3, 14), QStringLiteral("T-1"),
                 QStringLiteral("12"), QStringLiteral("Magyarország"), school.pupils[0]});
    const qint64 empty = db.addClass(school.period, 4, QStringLiteral("üres"));

    const QString path = db.dir() + QStringLiteral("/osztaly.mb");
    const QString emptyPath = db.dir() + QStringLiteral("/ures.mb");
    dialogs.expectSaveFile(path);
    dialogs.expectSaveFile(emptyPath);
    QVERIFY(modExport::ExportClass(nullptr, school.cls));
    QVERIFY(modExport::ExportClass(nullptr, empty));
    dialogs.expectMessage(QStringLiteral("Nincs osztály kiválasztva."), Icon::Information);
    QVERIFY(!modExport::ExportClass(nullptr, 0));

    const QByteArray bytes = readAll(path);
    QCOMPARE(bytes.size(), 6 + 618 + 2 * 408);
    QCOMPARE(bytes.left(6), QByteArray("mb42\x02\x00", 6));
    QCOMPARE(qFromLittleEndian<qint32>(bytes.constData() + 6), 2);
    QCOMPARE(field(bytes, 10, 50), padded("a", 50));
    QCOMPARE(field(bytes, 60, 50), padded("Kiss Anna", 50));
    QCOMPARE(qFromLittleEndian<qint32>(bytes.constData() + 110), 2022);
    QCOMPARE(field(bytes, 114, 510), padded("\xD5szi n\xE9vsor", 510));
    const int kid = 624 + 408; // pupils go in name order: Őri after Bodnár
    QCOMPARE(field(bytes, kid, 50), padded("\xD5ri", 50));
    QCOMPARE(field(bytes, kid + 100, 50), padded("\xDBr \xC9va", 50));
    QCOMPARE(field(bytes, kid + 200, 50), padded("Gy\xF5r", 50));
    QCOMPARE(field(bytes, kid + 300, 50), padded("12", 50));
    QCOMPARE(field(bytes, kid + 350, 50), padded("Magyarorsz\xE1g", 50));
    QCOMPARE(oleAt(bytes, kid + 400), 42077.0); // 14 March 2015
    QCOMPARE(readAll(emptyPath).size(), 6 + 618);
    QCOMPARE(
        db.scalar(QStringLiteral("SELECT COUNT(*) FROM LOG WHERE log_megj LIKE 'Osztaly exportalasa: %'"))
            .toInt(),
        2);

    // Read back, the records give what was written; written again, the same bytes.
    ExchangeFile::Content file = ExchangeFile::read(path, ExchangeFile::Class);
    QCOMPARE(file.status, ExchangeFile::ReadStatus::Ok);
    ClassFile::Content content;
    QCOMPARE(ClassFile::read(file.records, content), ExchangeFile::ReadStatus::Ok);
    QCOMPARE(content.cls.teacher, QStringLiteral("Kiss Anna"));
    QCOMPARE(content.cls.note, QStringLiteral("Őszi névsor"));
    QCOMPARE(content.pupils.size(), 2);
    QCOMPARE(content.pupils[1].motherName, QStringLiteral("Űr Éva"));
    QCOMPARE(content.pupils[1].birthDate, QDate(2015, 3, 14));
    ExchangeFile::RecordWriter again;
    ClassFile::writeClass(again, content.cls);
    for (const ClassFile::PupilRecord &p : content.pupils)
        ClassFile::writePupil(again, p);
    QCOMPARE(again.bytes(), bytes.mid(6));
}

void tst_classfile::importingTwiceMakesTwoClassesOfTheSamePupils() {
    TestDatabase db;
    SchoolFixture school(db);
    ScriptedDialogService dialogs;
    db.loginAs(school.admin);
    db.db().run(QStringLiteral("updateClass"),
                {3, QStringLiteral("b"), school.teacher, 2021, QString(), school.cls});
    db.db().connection().exec(QStringLiteral("UPDATE TANULO SET tan_szdatum=NULL WHERE tan_vnev='Csók'"));
    const QString path = db.dir() + QStringLiteral("/osztaly.mb");
    dialogs.expectSaveFile(path);
    QVERIFY(modExport::ExportClass(nullptr, school.cls));
    // Another school: the class teacher is not there and is created with a login of her own.
    TestDatabase other;
    other.loginAs(other.addUser(QStringLiteral("kanna"), QStringLiteral("Kovács Anna"), true));
    const qint64 period = other.addPeriod(2025, QStringLiteral("Év vége"), true);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Osztályok"));
    for (int run = 0; run < 2; ++run)
        QVERIFY(modImport::ImportFile(&window, path, ExchangeFile::Class, {0, 0, period}));
    QCOMPARE(window.windowTitle(), QStringLiteral("Osztályok"));
    QCOMPARE(other.scalar(QStringLiteral("SELECT COUNT(*) FROM TANULO")).toInt(), 3);
    QCOMPARE(
        other
            .scalar(QStringLiteral("SELECT COUNT(*) FROM ERTEKELES WHERE ert_tev_id=? AND ert_vegleges='N'"),
                    {period})
            .toInt(),
        6);
    QCOMPARE(
        other
            .scalar(QStringLiteral("SELECT group_concat(osz_evfolyam || osz_nev || osz_indulas_eve || '/' || "
                                   "u.usr_login || '/' || coalesce(u.usr_paswd, '-'), ' ') FROM OSZTALY JOIN "
                                   "USERS u ON u.usr_id = osz_ofonok_usr_id"))
            .toString(),
        QStringLiteral("3b2021/kanna2/ 3b2021/kanna2/"));
    QCOMPARE(other
                 .scalar(QStringLiteral("SELECT tan_szhely || '|' || tan_szdatum || '|' || tan_tlapszam FROM "
                                        "TANULO WHERE tan_vnev='Árva'"))
                 .toString(),
             QStringLiteral("Pécs|2015-03-14|T-1"));
}

void tst_classfile::refusedFiles_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("expected");
    QTest::addColumn<QString>("message");
    const QString wrong = QStringLiteral("Hibás fájlformátum!");
    const QString damaged =
        QStringLiteral("Hiba történt a fájl megnyitása közben. Lehet, hogy a fájl sérült.");
    ExchangeFile::RecordWriter w;
    ClassFile::writeClass(w, {1, QStringLiteral("a"), QString(), 2020, QString()});
    const QByteArray cls = QByteArray("mb42\x02\x00", 6) + w.bytes();
    ClassFile::PupilRecord pupil{
        QStringLiteral("Kis"), QStringLiteral("Pál"), QStringLiteral("Anya"), {}, {}, {}, {}, {},
        QDate(2016, 1, 1)};
    ExchangeFile::RecordWriter p;
    ClassFile::writePupil(p, pupil);
    const QByteArray kid = p.bytes();
    QTest::newRow("class file offered as sentences") << cls << int(ExchangeFile::Sentences) << wrong;
    QTest::newRow("sentence file offered as class")
        << QByteArray("mb42\x01\x00", 6) + padded("Mondat.", 510) << int(ExchangeFile::Class) << wrong;
    QTest::newRow("wrong magic") << QByteArray("mb41\x02\x00", 6) + w.bytes() << int(ExchangeFile::Class)
                                 << wrong;
    QTest::newRow("header only") << QByteArray("mb42\x02\x00", 6) << int(ExchangeFile::Class) << damaged;
    QTest::newRow("class record cut") << cls.left(300) << int(ExchangeFile::Class) << damaged;
    QTest::newRow("pupil record cut") << cls + kid + kid.left(407) << int(ExchangeFile::Class) << damaged;
    QTest::newRow("birth date not a number")
        << cls + kid + kid.left(400) + oleBytes(std::nan("")) << int(ExchangeFile::Class) << damaged;
    QTest::newRow("birth date past the calendar")
        << cls + kid.left(400) + oleBytes(1e12) << int(ExchangeFile::Class) << damaged;
    QTest::newRow("xls without a spreadsheet import") << QByteArray() << int(ExchangeFile::Class) << wrong;
}

void tst_classfile::refusedFiles() {
    QFETCH(QByteArray, bytes);
    QFETCH(int, expected);
    QFETCH(QString, message);
    modImport::SetSpreadsheetImport(nullptr); // an earlier test's window may have installed it
    TestDatabase db;
    ScriptedDialogService dialogs;
    const qint64 period = db.addPeriod(2025, QStringLiteral("Félév"), true);
    const QString path =
        db.dir() + (QByteArray(QTest::currentDataTag()).startsWith("xls") ? QStringLiteral("/nevsor.XLS ")
                                                                          : QStringLiteral("/be.mb"));
    writeAll(path, bytes);
    dialogs.expectMessage(message, Icon::Exclamation);
    QVERIFY(!modImport::ImportFile(nullptr, path, ExchangeFile::Kind(expected), {0, 0, period}));
    QVERIFY(dialogs.verifyDone());
    QCOMPARE(
        db.scalar(QStringLiteral("SELECT (SELECT COUNT(*) FROM OSZTALY) + (SELECT COUNT(*) FROM TANULO) + "
                                 "(SELECT COUNT(*) FROM USERS)"))
            .toInt(),
        0);
}

void tst_classfile::loginFromName_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("login");
    QTest::newRow("two words") << QStringLiteral("Kiss Anna") << QStringLiteral("kanna");
    QTest::newRow("three words, extra blanks")
        << QStringLiteral("  Nagy  B. Béla ") << QStringLiteral("nbéla");
    QTest::newRow("taken twice") << QStringLiteral("Kovács Ildikó") << QStringLiteral("kildikó3");
    QTest::newRow("one word") << QStringLiteral("Tanár") << QStringLiteral("ttanár");
    QTest::newRow("cut to ten") << QStringLiteral("Kiss Gabriellaanna") << QStringLiteral("kgabriella");
    QTest::newRow("taken, numbered") << QStringLiteral("Szabó Gabriella") << QStringLiteral("sgabriell2");
}

void tst_classfile::loginFromName() {
    QFETCH(QString, name);
    QFETCH(QString, login);
    TestDatabase db;
    db.addUser(QStringLiteral("kildikó"), QStringLiteral("Kiss Ildikó"), false);
    db.addUser(QStringLiteral("KILDIKÓ2"), QStringLiteral("Kerekes Ildikó"), false);
    db.addUser(QStringLiteral("SGabriella"), QStringLiteral("Sós Gabriella"), false);
    QCOMPARE(ClassImport::LoginFromName(name), login);
}

void tst_classfile::ratingTextThroughTheMenu() {
    EditorSession s;
    frmMain *editor = s.openEditor(s.school.teacher);
    QVERIFY(!s.menu->mnuExportText->isEnabled());
    s.choosePupil(editor, 0);
    QVERIFY(s.menu->mnuImportText->isEnabled());
    const QString text = QStringLiteral("Szépen olvas – őszintén örül a dicséretnek.\nÜgyes.");
    editor->txtRating->setPlainText(text);
    const QString path = s.db.dir() + QStringLiteral("/szoveg.mb");
    s.dialogs.expectSaveFile(s.db.dir() + QStringLiteral("/szoveg"));
    s.menu->mnuExportText->trigger();
    QByteArray expected("mb42\x03\x00", 6);
    expected += "Sz\xE9pen olvas \x96 \xF5szint\xE9n \xF6r\xFCl a dics\xE9retnek.\n\xDCgyes.";
    QCOMPARE(readAll(path), expected);

    // A text longer than a rating part comes in cut at its length.
    writeAll(path, QByteArray("mb42\x03\x00", 6) + QByteArray(3000, 'x'));
    s.dialogs.expectOpenFile(path);
    s.menu->mnuImportText->trigger();
    QCOMPARE(editor->txtRating->toPlainText(), QString(2046, QLatin1Char('x')));
    writeAll(path, expected);
    s.dialogs.expectOpenFile(path);
    s.menu->mnuImportText->trigger();
    QCOMPARE(editor->txtRating->toPlainText(), text);
    // A pending edit, saved like typed text.
    QCOMPARE(editor->pendingEdits().count(), 1);
    QCOMPARE(editor->pendingEdits().entries().first().text, text);
    s.dialogs.expectOpenFile(s.db.dir() + QStringLiteral("/osztaly.mb"));
    writeAll(s.db.dir() + QStringLiteral("/osztaly.mb"), QByteArray("mb42\x02\x00", 6));
    s.dialogs.expectMessage(QStringLiteral("Hibás fájlformátum!"), Icon::Exclamation);
    s.menu->mnuImportText->trigger();
    QCOMPARE(editor->txtRating->toPlainText(), text);
    s.close();
}

void tst_classfile::classWindowsExportAndImport() {
    TestDatabase db;
    SchoolFixture school(db);
    ScriptedDialogService dialogs;
    db.loginAs(school.admin);
    const QString path = db.dir() + QStringLiteral("/osztaly.mb");
    {
        frmClasses classes;
        auto *list = classes.findChild<QTreeWidget *>(QStringLiteral("dlClass"));
        list->setCurrentItem(list->topLevelItem(0));
        dialogs.expectSaveFile(path);
        classes.findChild<QPushButton *>(QStringLiteral("btnExport"))->click();
        dialogs.expectOpenFile(path);
        classes.findChild<QAction *>(QStringLiteral("mnuImport"))->trigger();
        QCOMPARE(list->topLevelItemCount(), 2);
        // A pupil list goes into the chosen class.
        list->setCurrentItem(list->topLevelItem(0));
        dialogs.expectOpenFile(QFINDTESTDATA("../admin/data/pupils.xls"));
        dialogs.expectMessage(QStringLiteral("Felvett tanulók: 4\nKihagyott sorok (üres név): 1"),
                              Icon::Information);
        classes.mnuImport->trigger();
    }
    QCOMPARE(db.scalar(QStringLiteral("SELECT group_concat(log_megj, '|') FROM LOG WHERE log_tabla='OSZTALY' "
                                      "AND log_megj NOT LIKE 'Osztaly imp%'"))
                 .toString(),
             QStringLiteral("Osztaly exportalasa: osztaly.mb|Importalas: osztaly.mb|Importalas: pupils.xls"));
    frmEditClass edit;
    QVERIFY(edit.LoadClass(school.cls));
    dialogs.expectOpenFile(path);
    edit.btnImport->click();
    QVERIFY(dialogs.verifyDone());
    QCOMPARE(db.scalar(QStringLiteral("SELECT COUNT(*) FROM OSZTALY WHERE osz_tev_id=? AND osz_nev='a'"),
                       {school.period})
                 .toInt(),
             3);
    QCOMPARE(db.scalar(QStringLiteral("SELECT COUNT(*) FROM ERTEKELES WHERE ert_tev_id=?"), {school.period})
                 .toInt(),
             13);
    QCOMPARE(db.scalar(QStringLiteral("SELECT COUNT(*) FROM TANULO")).toInt(), 7);
}

void tst_classfile::writersRefuseTheDatabase_data() {
    QTest::addColumn<Writer>("writer");
    auto chosen = [](auto write) {
        return Writer([write](ScriptedDialogService &d, const QString &path, qint64 oszId) {
            d.expectSaveFile(path);
            write(oszId);
        });
    };
    auto given = [](auto write) {
        return Writer([write](ScriptedDialogService &, auto... a) { write(a...); });
    };
    QTest::newRow("class file") << chosen([](qint64 oszId) { modExport::ExportClass(nullptr, oszId); });
    QTest::newRow("text file") << chosen([](qint64) { modExport::ExportText(nullptr, QStringLiteral("x")); });
    QTest::newRow("sentences") << chosen([](qint64) { SentenceFiles::exportSentences(nullptr, {"x"}); });
    QTest::newRow("log") << given([](const QString &path, qint64) {
        QString error;
        if (!LogExport::exportAndClear(path, &error))
            throw DbError(error);
    });
    QTest::newRow("whole database") << given([](const QString &path, qint64) { clsExport::ExportDB(path); });
    QTest::newRow("checkout") << given(
        [](const QString &path, qint64 oszId) { ClassCheckout::checkOut(oszId, path); });
    QTest::newRow("class PDF") << given([](const QString &path, qint64 oszId) {
        PdfExport::writeClass(oszId, PrintOptions::Document::Certificate, path);
    });
    QTest::newRow("print window PDF") << given([](const QString &path, qint64) {
        PrintControl pc;
        pc.startDoc();
        pc.text(QStringLiteral("x"));
        pc.endDoc();
        pc.printer().setOutputFileName(path);
        pc.printDoc();
    });
}

void tst_classfile::writersRefuseTheDatabase() {
    SKIP_ON_SERVER("a server database is no file that a writer could overwrite");
    QFETCH(Writer, writer);
    TestDatabase db;
    SchoolFixture school(db);
    ScriptedDialogService dialogs;
    db.loginAs(school.admin);
    QVERIFY(QFile::link(db.path(), db.dir() + QStringLiteral("/link.mb")));
    QFile file(db.path());
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray before = file.readAll();
    const QString up =
        db.dir() + QStringLiteral("/../") + QFileInfo(db.dir()).fileName() + QStringLiteral("/msvcrx.dll");
    for (const QString &target :
         {db.path(), up, db.dir() + QStringLiteral("/link.mb"), db.path() + QStringLiteral("-journal")}) {
        QString told;
        try {
            writer(dialogs, target, school.cls);
        } catch (const DbError &e) {
            told = e.message();
        }
        QVERIFY2(told.startsWith(QStringLiteral("A fájl nem menthető ide")) && told.contains(target),
                 qPrintable(told));
        QVERIFY(dialogs.verifyDone() && !QFile::exists(db.path() + QStringLiteral("-journal")) &&
                file.seek(0));
        QCOMPARE(file.readAll(), before);
    }
}

LORVANTO_TEST_BOTH_ENGINES_GUI(tst_classfile)
#include "tst_classfile.moc"
