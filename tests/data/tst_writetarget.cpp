// No file the program writes may land on the open database or its journal, however the path reaches it.
#include "SchoolFixture.h"
#include "ScriptedDialogService.h"
#include "TestDatabase.h"
#include "curriculum/SentenceFiles.h"
#include "data/DbError.h"
#include "data/WriteTarget.h"
#include "exchange/ClassCheckout.h"
#include "exchange/clsExport.h"
#include "exchange/modExport.h"
#include "print/PdfExport.h"
#include "print/PrintControl.h"
#include "shell/LogExport.h"

#include <QPrinter>
#include <QTest>

using Writer = std::function<void(ScriptedDialogService &, const QString &path, qint64 oszId)>;
Q_DECLARE_METATYPE(Writer)

class tst_writetarget : public QObject {
    Q_OBJECT
private slots:
    void writersRefuseTheDatabase_data();
    void writersRefuseTheDatabase();
};

void tst_writetarget::writersRefuseTheDatabase_data() {
    QTest::addColumn<Writer>("writer");
    auto chosen = [](auto write) {
        return Writer([write](ScriptedDialogService &d, const QString &path, qint64 oszId) {
            d.expectSaveFile(path);
            write(oszId);
        });
    };
    QTest::newRow("class file") << chosen([](qint64 oszId) { modExport::ExportClass(nullptr, oszId); });
    QTest::newRow("text file") << chosen([](qint64) { modExport::ExportText(nullptr, QStringLiteral("x")); });
    QTest::newRow("sentences") << chosen([](qint64) { SentenceFiles::exportSentences(nullptr, {"x"}); });
    QTest::newRow("log") << Writer([](ScriptedDialogService &, const QString &path, qint64) {
        QString error;
        if (!LogExport::exportAndClear(path, &error))
            throw DbError(error);
    });
    QTest::newRow("whole database") << Writer(
        [](ScriptedDialogService &, const QString &path, qint64) { clsExport::ExportDB(path); });
    QTest::newRow("checkout copy") << Writer([](ScriptedDialogService &, const QString &path, qint64 oszId) {
        ClassCheckout::checkOut(oszId, path);
    });
    QTest::newRow("class PDF") << Writer([](ScriptedDialogService &, const QString &path, qint64 oszId) {
        PdfExport::writeClass(oszId, PrintOptions::Document::Certificate, path);
    });
    QTest::newRow("print window PDF") << Writer([](ScriptedDialogService &, const QString &path, qint64) {
        PrintControl pc;
        pc.startDoc();
        pc.text(QStringLiteral("x"));
        pc.endDoc();
        pc.printer().setOutputFileName(path);
        pc.printDoc();
    });
}

void tst_writetarget::writersRefuseTheDatabase() {
    QFETCH(Writer, writer);
    TestDatabase db;
    SchoolFixture school(db);
    ScriptedDialogService dialogs;
    db.loginAs(school.admin);
    const QString folder = QFileInfo(db.dir()).fileName();
    QVERIFY(QFile::link(db.path(), db.dir() + QStringLiteral("/link.mb")));
    QFile file(db.path());
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray before = file.readAll();
    for (const QString &target :
         {db.path(), db.dir() + QStringLiteral("/../") + folder + QStringLiteral("/msvcrx.dll"),
          db.dir() + QStringLiteral("/link.mb"), db.path() + QStringLiteral("-journal")}) {
        QString told;
        try {
            writer(dialogs, target, school.cls);
        } catch (const DbError &e) {
            told = e.message();
        }
        QVERIFY2(told.startsWith(QStringLiteral("A fájl nem menthető ide")),
                 qPrintable(target + ": " + told));
        QVERIFY(told.contains(target));
        QVERIFY(dialogs.verifyDone());
        QVERIFY(!QFile::exists(db.path() + QStringLiteral("-journal")));
        QVERIFY(file.seek(0));
        QCOMPARE(file.readAll(), before);
    }
    QCOMPARE(db.scalar(QStringLiteral("SELECT COUNT(*) FROM EXPORT")).toInt(), 0);
    QVERIFY(WriteTarget::refusal(db.dir() + QStringLiteral("/other.mb")).isEmpty());
}

QTEST_MAIN(tst_writetarget)
#include "tst_writetarget.moc"
