// A class handed out as a copy of the database, worked on elsewhere and merged back; the window that
// releases locks left behind.
#include "EditorSession.h"
#include "PgTestDatabase.h"
#include "SchoolFixture.h"
#include "ScriptedDialogService.h"
#include "TestDatabase.h"
#include "data/DatabaseKey.h"
#include "data/DbError.h"
#include "data/Schema.h"
#include "data/modSub.h"
#include "exchange/ClassCheckout.h"
#include "exchange/clsExport.h"
#include "exchange/frmLocked.h"
#include "rating/frmMain.h"
#include "shell/ProgramExit.h"
#include "shell/frmMenu.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTreeWidget>

using Icon = DialogService::Icon;

namespace {
const QString kDone =
    QStringLiteral("Az osztály tanulóinak értékelései, minősítései sikeresen be lettek importálva. A "
                   "változások életbeléptetéséhez újra kell indítania a programot.");
const QString kReadError =
    QStringLiteral("Olvasási hiba: lehet, hogy a fájl sérült vagy ezt a formátumot nem lehet "
                   "ebbe az adatbázisba illeszteni.");
const QString kBackup =
    QStringLiteral("Mielőtt folytatná, célszerű biztonsági mentést készíteni az adatbázisról.");

QString dump(TestDatabase &db, const QString &sql) {
    const Recordset rs = db.db().connection().query(sql);
    QStringList rows;
    for (int i = 0; i < rs.count(); ++i) {
        QStringList cells;
        for (const QString &c : rs.columns())
            cells << rs.at(i, c).toString();
        rows << cells.join(QLatin1Char('|'));
    }
    return rows.join(QLatin1Char('\n'));
}

// Everything a merge may touch.
QString masterState(TestDatabase &db) {
    QString all;
    for (const char *table :
         {"TANEV", "OSZTALY", "TANULO", "ERTEKELES", "ERTRESZ", "EXPORT", "LOG", "ZARADEK"})
        all += dump(db, QStringLiteral("SELECT * FROM %1 ORDER BY 1").arg(QLatin1String(table))) +
               QStringLiteral("\n--\n");
    return all;
}
} // namespace

class tst_checkout : public QObject {
    Q_OBJECT
private slots:
    void init() {
        ProgramExit::setHandler([this] { ++m_exits; });
    }
    void cleanup() { ProgramExit::setHandler(nullptr); }
    void fullCycleOnThreeFiles_data();
    void fullCycleOnThreeFiles();
    void returnedClassRecreatesItsPeriod();
    void failedMergeLeavesMasterUnchanged();
    void checkoutFromPupilChooser();
    void importRatingMenu_data();
    void importRatingMenu();
    void encryptMenu_data();
    void encryptMenu();
    void lockedWindowReleasesLocks();

private:
    // The master's class is handed out to the teacher; gives the copy's path.
    QString handOut(TestDatabase &master, SchoolFixture &school) {
        master.loginAs(school.admin);
        const QString copy = master.dir() + QStringLiteral("/osztaly.mb");
        ClassCheckout::checkOut(school.cls, copy);
        return copy;
    }
    int m_exits = 0;
};

void tst_checkout::fullCycleOnThreeFiles_data() {
    QTest::addColumn<QByteArray>("schoolKey"); // empty: the built-in key
    QTest::addColumn<bool>("serverMaster");
    QTest::newRow("built-in key") << QByteArray() << false;
    QTest::newRow("school's own key") << DatabaseKey::generate() << false;
    QTest::newRow("master on a server, school's own key") << DatabaseKey::generate() << true;
}

void tst_checkout::fullCycleOnThreeFiles() {
    QFETCH(QByteArray, schoolKey);
    QFETCH(bool, serverMaster);
    if (const QString skip = PgTestDatabase::skipReasonOfRun(); serverMaster && !skip.isEmpty())
        QSKIP(qPrintable(skip));
    TestDatabase master(schoolKey, serverMaster);
    SchoolFixture school(master);
    master.db().connection().exec(QStringLiteral("UPDATE TANULO SET tan_szdatum=NULL WHERE tan_vnev='Csók'"));
    master.app().devPrint.run(QStringLiteral("insOldal"),
                              {school.ratingOf(0), QStringLiteral("B-1"), QStringLiteral("B"), 1});
    const int pupilsBefore = master.scalar(QStringLiteral("SELECT COUNT(*) FROM TANULO")).toInt();
    const QString copy = handOut(master, school);
    // Written in the master while the class was out: the returning class replaces it.
    master.db().run(QStringLiteral("createRatingData"),
                    {school.ratingOf(1), school.addition, QStringLiteral("régi")});
    QCOMPARE(dump(master, QStringLiteral("SELECT exp_osz_id, exp_usr_id FROM EXPORT")),
             QStringLiteral("%1|%2").arg(school.cls).arg(school.admin));
    QCOMPARE(ClassCheckout::checkOutRefusal(school.cls), ClassCheckout::Refusal::UserHasClass);
    // Another user whose check came before the hand-out is refused under the write lock.
    master.loginAs(school.other);
    QVERIFY_THROWS_EXCEPTION(DbError,
                             ClassCheckout::checkOut(school.cls, master.dir() + QStringLiteral("/2.mb")));
    QCOMPARE(master.scalar(QStringLiteral("SELECT COUNT(*) FROM EXPORT")).toInt(), 1);
    QCOMPARE(ClassCheckout::copyState(copy), 1);
    QVERIFY(!QFile::exists(copy + QStringLiteral(".masolat")));
    if (!schoolKey.isEmpty()) // a copy is under its database's key
        QVERIFY_THROWS_EXCEPTION(KeyRefused, Connection().open(copy, databaseKey()));

    // The teacher's own installation, with a user of its own, takes the copy in.
    TestDatabase home(schoolKey);
    home.loginAs(home.addUser(QStringLiteral("anna"), QStringLiteral("Kiss Anna"), false));
    ClassCheckout::takeCheckoutCopy(copy);
    QCOMPARE(modSub::GetExportState(), 1);
    QCOMPARE(dump(home, QStringLiteral("SELECT exp_osz_id, exp_usr_id FROM EXPORT")),
             QStringLiteral("%1|%2").arg(school.cls).arg(school.teacher));
    const qint64 otherClass = home.addClass(school.period, 3, QStringLiteral("b"));
    QCOMPARE(ClassCheckout::checkOutRefusal(otherClass), ClassCheckout::Refusal::ClassLocked);

    // Works on it: a text part of the first pupil, the second finalised.
    home.db().run(QStringLiteral("createRatingData"),
                  {school.ratingOf(0), school.addition, QStringLiteral("Ügyes.")});
    home.db().run(QStringLiteral("createRatingData"),
                  {school.ratingOf(0), school.subtraction, QStringLiteral("Pontos.")});
    home.db().run(QStringLiteral("setFinalizationMode"), {QStringLiteral("I"), school.ratingOf(1)});
    home.db().run(QStringLiteral("updateMainRatingData"), {5, 1, QStringLiteral("Felsőbb évfolyamba léphet."),
                                                           QDate(2025, 1, 20), school.ratingOf(0)});
    home.db().run(QStringLiteral("setDunno"),
                  {QStringLiteral("T-9"), QStringLiteral("S-3"), school.ratingOf(0)});
    home.app().devPrint.run(QStringLiteral("setBizszam"), {QStringLiteral("B-7"), school.ratingOf(0)});
    home.db().run(QStringLiteral("addClosure"), {school.ratingOf(0), QStringLiteral("Záradék.")});
    QCOMPARE(ClassCheckout::checkOutRefusal(school.cls), ClassCheckout::Refusal::None);
    const QString back = home.dir() + QStringLiteral("/vissza.mb");
    ClassCheckout::checkOut(school.cls, back);
    QCOMPARE(modSub::GetExportState(), 0);
    QCOMPARE(home.scalar(QStringLiteral("SELECT COUNT(*) FROM EXPORT")).toInt(), 0);
    QCOMPARE(ClassCheckout::copyState(back), 2);

    AppData::Scope atMaster(master.app());
    const qint64 merged = ClassCheckout::mergeReturnCopy(back);
    QCOMPARE(merged, school.cls);
    QCOMPARE(master.scalar(QStringLiteral("SELECT COUNT(*) FROM EXPORT")).toInt(), 0);
    QCOMPARE(master.scalar(QStringLiteral("SELECT COUNT(*) FROM TANULO")).toInt(), pupilsBefore);
    // Header data and clauses come back; the rows keep their ids, so the printed sheet stays linked.
    QCOMPARE(
        dump(master,
             QStringLiteral("SELECT t.tan_vnev, e.ert_vegleges, "
                            "(SELECT group_concat(esz_szoveg, '+') FROM (SELECT esz_szoveg FROM "
                            "ERTRESZ WHERE esz_ert_id = e.ert_id ORDER BY esz_akb_id) AS p) AS parts, "
                            "ert_mulaszt, ert_igazolatlan, ert_hatarozat_evf, ert_keltezes, "
                            "ert_tlapszam, ert_sorsz, ert_bizszam, (SELECT group_concat(zdk_szoveg) "
                            "FROM ZARADEK WHERE zdk_ert_id = e.ert_id) AS clauses, (SELECT COUNT(*) FROM LAP "
                            "WHERE lap_ert_id = e.ert_id) "
                            "FROM ERTEKELES e JOIN TANULO t ON t.tan_id = e.ert_tan_id "
                            "WHERE e.ert_osz_id = %1 ORDER BY t.tan_vnev COLLATE HU")
                 .arg(school.cls)),
        QStringLiteral(
            "Árva|N|Ügyes.+Pontos.|5|1|Felsőbb évfolyamba léphet.|2025-01-20|T-9|S-3|B-7|Záradék.|1\n"
            "Bodnár|I||||||T-2||||0\nCsók|N||||||T-3||||0"));
    QCOMPARE(master
                 .scalar(QStringLiteral("SELECT COUNT(*) FROM ERTRESZ WHERE esz_ert_id NOT IN "
                                        "(SELECT ert_id FROM ERTEKELES)"))
                 .toInt(),
             0);
}

void tst_checkout::returnedClassRecreatesItsPeriod() {
    TestDatabase master;
    SchoolFixture school(master);
    master.db().connection().exec(QStringLiteral("UPDATE TANEV SET tev_megjegyzes='első félév'"));
    const QString copy = handOut(master, school);
    // The copy goes straight back; meanwhile the master lost the period.
    {
        TestDatabase courier;
        ClassCheckout::takeCheckoutCopy(copy);
        ClassCheckout::checkOut(school.cls, courier.dir() + QStringLiteral("/vissza.mb"));
        QFile::copy(courier.dir() + QStringLiteral("/vissza.mb"),
                    master.dir() + QStringLiteral("/vissza.mb"));
    }
    AppData::setCurrent(&master.app());
    master.db().run(QStringLiteral("deletePeriod"), {school.period});
    const qint64 cls = ClassCheckout::mergeReturnCopy(master.dir() + QStringLiteral("/vissza.mb"));
    QVERIFY(cls != school.cls);
    QCOMPARE(
        dump(master, QStringLiteral("SELECT tev_ev, tev_honap, tev_hivatalos, tev_megjegyzes, tev_del FROM "
                                    "TANEV t JOIN OSZTALY o ON o.osz_tev_id = t.tev_id WHERE o.osz_id = %1")
                         .arg(cls)),
        QStringLiteral("2024|Félév|Igen|első félév|false"));
    QCOMPARE(
        master.scalar(QStringLiteral("SELECT COUNT(*) FROM ERTEKELES WHERE ert_osz_id=?"), {cls}).toInt(), 3);
    QCOMPARE(master.scalar(QStringLiteral("SELECT COUNT(*) FROM EXPORT")).toInt(), 0);
}

void tst_checkout::failedMergeLeavesMasterUnchanged() {
    TestDatabase master;
    SchoolFixture school(master);
    const QString copy = handOut(master, school);
    const QString back = master.dir() + QStringLiteral("/vissza.mb");
    {
        TestDatabase home;
        ClassCheckout::takeCheckoutCopy(copy);
        ClassCheckout::checkOut(school.cls, home.dir() + QStringLiteral("/vissza.mb"));
        // The last rating names a pupil the copy does not hold: the merge fails half-way through the class.
        Connection c;
        c.open(home.dir() + QStringLiteral("/vissza.mb"), databaseKey());
        c.query(QStringLiteral("UPDATE ERTEKELES SET ert_tan_id=9999 WHERE ert_id=(SELECT MAX(ert_id) FROM "
                               "ERTEKELES)"));
        c.close();
        QFile::copy(home.dir() + QStringLiteral("/vissza.mb"), back);
    }
    AppData::setCurrent(&master.app());
    const QString before = masterState(master);
    QVERIFY_THROWS_EXCEPTION(DbError, ClassCheckout::mergeReturnCopy(back));
    QCOMPARE(masterState(master), before);
    QVERIFY(modSub::IsClassExported(school.cls));
    QVERIFY(!AppData::current().devExp.isOpen());
}

void tst_checkout::checkoutFromPupilChooser() {
    EditorSession s;
    const QString copy = s.db.dir() + QStringLiteral("/ki.mb");
    s.db.addClass(s.school.period, 4, QStringLiteral("c"));
    frmMain *editor = s.openEditor(s.school.admin);
    bool red = false;
    s.dialogs.expectModal(QStringLiteral("frmKid"), [&red](QDialog *d) {
        auto *classes = d->findChild<QTreeWidget *>(QStringLiteral("dlClass"));
        auto *exportButton = d->findChild<QPushButton *>(QStringLiteral("btnExport"));
        classes->setCurrentItem(nullptr);
        QTest::mouseClick(exportButton, Qt::LeftButton);
        classes->setCurrentItem(classes->topLevelItem(0));
        QTest::mouseClick(exportButton, Qt::LeftButton);
        // The handed-out class is red now; the other class is refused, one class per user.
        red = classes->topLevelItem(0)->foreground(0).color() == QColor(255, 0, 0);
        classes->setCurrentItem(classes->topLevelItem(1));
        QTest::mouseClick(exportButton, Qt::LeftButton);
        QTest::mouseClick(d->findChild<QPushButton *>(QStringLiteral("btnCancel")), Qt::LeftButton);
        return d->result();
    });
    s.dialogs.expectMessage(QStringLiteral("Nincs osztály kiválasztva."), Icon::Information);
    s.dialogs.expectSaveFile(copy);
    s.dialogs.expectMessage(
        QStringLiteral("Az osztály tanulóinak értékelései, minősítései sikeresen ki lettek exportálva."),
        Icon::Information);
    s.dialogs.expectMessage(QStringLiteral("Egy felhasználó egyszerre csak egy osztályt exportálhat ki."),
                            Icon::Information);
    QTest::mouseClick(editor->findChild<QPushButton *>(QStringLiteral("btnSelect")), Qt::LeftButton);
    QVERIFY(s.dialogs.verifyDone());
    QVERIFY(red);
    QCOMPARE(ClassCheckout::copyState(copy), 1);
    QCOMPARE(s.db.scalar(QStringLiteral("SELECT COUNT(*) FROM EXPORT")).toInt(), 1);
    s.close();
}

void tst_checkout::importRatingMenu_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("merged");
    QTest::addColumn<int>("stateAfter");
    QTest::newRow("foreign file") << QStringLiteral("foreign") << false << 0;
    QTest::newRow("another school's key") << QStringLiteral("other key") << false << 0;
    QTest::newRow("master database") << QStringLiteral("master") << false << 0;
    QTest::newRow("return copy") << QStringLiteral("return") << true << 0;
    QTest::newRow("checkout copy at a master with a class out") << QStringLiteral("checkout") << false << 0;
    QTest::newRow("checkout copy") << QStringLiteral("checkout, nothing out") << false << 1;
}

void tst_checkout::importRatingMenu() {
    QFETCH(QString, file);
    QFETCH(bool, merged);
    QFETCH(int, stateAfter);
    EditorSession s;
    ProgramExit::setHandler([this] { ++m_exits; });
    const QString copy = handOut(s.db, s.school);
    const QString path = s.db.dir() + QStringLiteral("/be.mb");
    if (file == QLatin1String("foreign")) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("mb42\x02\x00 not a database at all");
    } else if (file == QLatin1String("other key")) {
        Schema::createDatabase(path, DatabaseKey::engineKey(DatabaseKey::generate()));
    } else if (file == QLatin1String("master")) {
        clsExport::ExportDB(path);
    } else if (file.startsWith(QLatin1String("checkout"))) {
        QFile::copy(copy, path);
        if (stateAfter == 1)
            s.db.db().run(QStringLiteral("importClass"), {s.school.cls});
    } else {
        TestDatabase home;
        ClassCheckout::takeCheckoutCopy(copy);
        home.db().run(QStringLiteral("setFinalizationMode"), {QStringLiteral("I"), s.school.ratingOf(2)});
        ClassCheckout::checkOut(s.school.cls, path);
    }
    AppData::setCurrent(&s.db.app());
    s.openEditor(s.school.admin);
    s.dialogs.expectOpenFile(path);
    if (merged) {
        s.dialogs.expectMessage(kBackup, Icon::Information);
        s.dialogs.expectMessage(kDone, Icon::Information);
    } else if (stateAfter == 1) {
        s.dialogs.expectMessage(kBackup, Icon::Information);
        s.dialogs.expectMessage(
            QStringLiteral("Importálás után az adatbázis jelenlegi adataihoz nem lehet majd "
                           "hozzáférni, az ütköző adatok felül lesznek írva. Folytatja?"),
            Icon::Question, QMessageBox::Yes);
        s.dialogs.expectMessage(kDone + QStringLiteral("\n\nA korábbi adatbázis biztonsági másolata: *"),
                                Icon::Information);
    } else if (file == QLatin1String("checkout")) {
        s.dialogs.expectMessage(QStringLiteral("Ebből az adatbázisból osztályok vannak kiexportálva*"),
                                Icon::Exclamation);
    } else if (file == QLatin1String("other key")) {
        s.dialogs.expectMessage(
            QStringLiteral("A(z) „%1” fájl nem olvasható ennek a telepítésnek a kulcsával*").arg(path),
            Icon::Exclamation);
    } else {
        s.dialogs.expectMessage(kReadError, Icon::Exclamation);
    }
    const int exitsBefore = m_exits;
    s.menu->mnuImportRating->trigger();
    QVERIFY(s.dialogs.verifyDone());
    QCOMPARE(modSub::GetExportState(), stateAfter);
    QCOMPARE(m_exits - exitsBefore, stateAfter);
    if (stateAfter == 1) // the database replaced, kept where the message says
        QCOMPARE(ClassCheckout::copyState(s.dialogs.shown().last().text.section(QStringLiteral(": "), -1)),
                 0);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(frmMain::instance() == nullptr,
             stateAfter == 1); // the editor closed before the file was replaced
    QCOMPARE(modSub::IsClassExported(s.school.cls), !merged);
    QCOMPARE(s.db.scalar(QStringLiteral(
                             "SELECT ert_vegleges FROM ERTEKELES e JOIN TANULO t ON t.tan_id=e.ert_tan_id "
                             "WHERE t.tan_vnev='Csók'"))
                 .toString(),
             merged ? QStringLiteral("I") : QStringLiteral("N"));
    s.close();
}

void tst_checkout::encryptMenu_data() {
    QTest::addColumn<QString>("holder"); // what keeps the file from conversion
    QTest::addColumn<QString>("told");
    QTest::newRow("converted") << QString() << "Az adatbázis mostantól az iskola saját kulcsával*";
    QTest::newRow("class checked out") << "class"
                                       << "Egy osztály ki van exportálva*";
    QTest::newRow("another program reads") << "reader"
                                           << "Az adatbázist most egy másik program*";
}

void tst_checkout::encryptMenu() {
    QFETCH(QString, holder);
    QFETCH(QString, told);
    EditorSession s;
    if (holder == QLatin1String("class"))
        handOut(s.db, s.school);
    Connection other; // another program, in the middle of reading
    other.open(s.db.path(), databaseKey());
    other.exec(QStringLiteral("BEGIN; SELECT count(*) FROM USERS;"));
    if (holder != QLatin1String("reader"))
        other.close();
    s.openEditor(s.school.admin);
    const QString before = masterState(s.db).section(QStringLiteral("\n--\n"), 0, 5); // all but the log
    s.dialogs.expectMessage(QStringLiteral("Az adatbázist a program az iskola saját*"), Icon::Question,
                            QMessageBox::Yes);
    s.dialogs.expectMessage(told, holder.isEmpty() ? Icon::Information : Icon::Exclamation);
    s.menu->mnuEncrypt->trigger();
    QVERIFY(s.dialogs.verifyDone());
    other.close();
    QCOMPARE(masterState(s.db).section(QStringLiteral("\n--\n"), 0, 5), before);
    QCOMPARE(QDir(s.db.dir()).entryList({QStringLiteral("*_mentes_*")}).size(), holder.isEmpty() ? 1 : 0);
    if (holder.isEmpty()) {
        QVERIFY_THROWS_EXCEPTION(KeyRefused, Connection().open(s.db.path(), databaseKey()));
        Connection().open(s.db.path(), DatabaseKey::engineKey(DatabaseKey::parse(
                                           s.dialogs.shown().last().text.section(u'\n', 2, 2))));
        Connection().open(s.dialogs.shown().last().text.section(QStringLiteral(": "), -1), databaseKey());
    }
    s.close();
}

void tst_checkout::lockedWindowReleasesLocks() {
    TestDatabase db;
    SchoolFixture school(db);
    ScriptedDialogService dialogs;
    handOut(db, school);
    db.db().run(QStringLiteral("setLock"), {school.teacher, school.ratingOf(0)});
    db.db().run(QStringLiteral("setLock"), {school.other, school.ratingOf(2)});
    const qint64 old = db.addClass(school.oldPeriod, 1, QStringLiteral("x"));
    db.addPupil(QStringLiteral("Régi"), QStringLiteral("Rita"));
    const qint64 oldRating =
        modSub::OpenOrCreateRating(modSub::GetLastKey(QStringLiteral("TANULO")), old, school.oldPeriod)
            .field(QStringLiteral("ert_id"))
            .toLongLong();
    db.db().run(QStringLiteral("setLock"), {school.teacher, oldRating});

    auto tick = [](QTreeWidget *list, int row) { list->topLevelItem(row)->setCheckState(0, Qt::Checked); };
    frmLocked locks;
    QCOMPARE(locks.lblPeriod->text(), QStringLiteral("Időszak: 2024. Félév"));
    QCOMPARE(locks.lvLocks->topLevelItemCount(), 2);
    QCOMPARE(locks.lvLocks->topLevelItem(0)->text(1) + QLatin1Char('/') +
                 locks.lvLocks->topLevelItem(0)->text(2),
             QStringLiteral("Árva Ádám/Kiss Anna"));
    dialogs.expectMessage(QStringLiteral("A jelölőnégyzetek bejelölésével válassza ki, melyik értékeléseket, "
                                         "minősítéseket akarja feloldani."),
                          Icon::Information);
    QTest::mouseClick(locks.btnUnlock, Qt::LeftButton);
    tick(locks.lvLocks, 0);
    dialogs.expectMessage(
        QStringLiteral("Ha folytatja, az egyes felhasználóknak adatvesztéssel járhat. Biztos "
                       "benne, hogy feloldja a zárolásokat?"),
        Icon::Question, QMessageBox::No);
    QTest::mouseClick(locks.btnUnlock, Qt::LeftButton);
    QCOMPARE(db.scalar(QStringLiteral("SELECT COUNT(*) FROM ERTEKELES WHERE ert_lock_usr_id<>0")).toInt(), 3);
    dialogs.expectMessage(QStringLiteral("Ha folytatja*"), Icon::Question, QMessageBox::Yes);
    QTest::mouseClick(locks.btnUnlock, Qt::LeftButton);
    QCOMPARE(
        dump(db, QStringLiteral("SELECT ert_id FROM ERTEKELES WHERE ert_lock_usr_id<>0 ORDER BY ert_id")),
        QStringLiteral("%1\n%2").arg(school.ratingOf(2)).arg(oldRating));
    QVERIFY(modSub::IsClassExported(school.cls));

    frmLocked exports;
    QTest::mouseClick(exports.Option2, Qt::LeftButton);
    QVERIFY(exports.lvLocks->isHidden());
    QCOMPARE(exports.lvExports->topLevelItemCount(), 1);
    QCOMPARE(exports.lvExports->topLevelItem(0)->text(0) + QLatin1Char('/') +
                 exports.lvExports->topLevelItem(0)->text(1),
             QStringLiteral("2. a/Igazgató Úr"));
    tick(exports.lvExports, 0);
    dialogs.expectMessage(QStringLiteral("Ha folytatja*"), Icon::Question, QMessageBox::Yes);
    QTest::mouseClick(exports.btnUnlock, Qt::LeftButton);
    QVERIFY(!modSub::IsClassExported(school.cls));
    QCOMPARE(db.scalar(QStringLiteral("SELECT COUNT(*) FROM LOG WHERE log_megj='zarolas feloldasa'")).toInt(),
             2);
    QVERIFY(dialogs.verifyDone());
}

QTEST_MAIN(tst_checkout)
#include "tst_checkout.moc"
