// The shared routines: log, new keys, ratings, rights, periods, curriculum copy, export state.
#include "TestDatabase.h"
#include "data/Clock.h"
#include "data/DbError.h"
#include "data/modSub.h"

#include <QElapsedTimer>
#include <QTest>
#include <QThread>
#include <sqlite3.h>

using namespace modSub;

class tst_modsub : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { Clock::reset(); }
    void writeLogForUser();
    void writeLogForFailedLogin();
    void lastKeyOfEmptyTableAndUnknownTable();
    void lastKeyIsOwnInsertWithTwoPrograms();
    void insertsGiveTheirOwnKey();
    void openOrCreateRating_data();
    void openOrCreateRating();
    void openOrCreateRatingFindsExisting();
    void classRight_data();
    void classRight();
    void classRightCreatesEmptyRowOnce();
    void activePeriodAndClassOfPupil();
    void periodListItems();
    void copyClassMembers();
    void copyCurriculum();
    void exportState();
    void databasePath();
};

void tst_modsub::writeLogForUser() {
    TestDatabase t;
    const qint64 u = t.addUser(QStringLiteral("tanito"), QStringLiteral("Tanító Néni"), false);
    t.loginAs(u);
    Clock::set([] { return QDateTime(QDate(2026, 9, 1), QTime(8, 15, 30, 999)); });
    WriteLog(QStringLiteral("ERTEKELES"), 42, QString(60, QLatin1Char('x')));
    const Recordset log = t.db().run(QStringLiteral("getAllLog"));
    QCOMPARE(log.count(), 1);
    QCOMPARE(log.field(QStringLiteral("log_tabla")).toString(), QStringLiteral("ERTEKELES"));
    QCOMPARE(log.field(QStringLiteral("log_rekord_id")).toLongLong(), 42);
    QCOMPARE(log.field(QStringLiteral("log_usr_id")).toLongLong(), u);
    QCOMPARE(log.field(QStringLiteral("log_usr_login")).toString(), QStringLiteral("tanito"));
    QCOMPARE(log.field(QStringLiteral("log_megj")).toString(), QString(50, QLatin1Char('x')));
    QCOMPARE(log.field(QStringLiteral("log_time_stamp")).toDateTime(),
             QDateTime(QDate(2026, 9, 1), QTime(8, 15, 30)));
}

void tst_modsub::writeLogForFailedLogin() {
    TestDatabase t;
    WriteLog(QStringLiteral("abcdefghijkl"), 0, QStringLiteral("Bejelentkezesi probalkozas"), -1);
    const Recordset log = t.db().run(QStringLiteral("getAllLog"));
    QCOMPARE(log.field(QStringLiteral("log_usr_id")).toInt(), -1);
    QCOMPARE(log.field(QStringLiteral("log_usr_login")).toString(), QStringLiteral("abcdefghij"));
    QCOMPARE(log.field(QStringLiteral("log_tabla")).toString(), QString());
}

void tst_modsub::lastKeyOfEmptyTableAndUnknownTable() {
    TestDatabase t;
    QCOMPARE(GetLastKey(QStringLiteral("TANULO")), 0);
    QCOMPARE(GetLastKey(QStringLiteral("ZARADEK")), 0);
    QVERIFY_THROWS_EXCEPTION(DbError, GetLastKey(QStringLiteral("USERS; DROP TABLE LOG")));
    QVERIFY_THROWS_EXCEPTION(DbError, GetLastKey(QStringLiteral("PARAMETER")));
    // A row inserted by someone else is found by the table maximum when we inserted nothing.
    t.db().connection().query(QStringLiteral("INSERT INTO ZARADEK (zdk_ert_id, zdk_szoveg) VALUES (1, 'x')"));
    QCOMPARE(GetLastKey(QStringLiteral("ZARADEK")), 1);
}

void tst_modsub::lastKeyIsOwnInsertWithTwoPrograms() {
    TestDatabase t;
    auto other = t.secondProgram();
    t.db().run(QStringLiteral("createEmptyStudent"));
    {
        AppData::Scope scope(*other);
        other->devDB.run(QStringLiteral("createEmptyStudent"));
        other->devDB.run(QStringLiteral("createEmptyStudent"));
    }
    const qint64 mine = GetLastKey(QStringLiteral("TANULO"));
    qint64 theirs = 0;
    {
        AppData::Scope scope(*other);
        theirs = GetLastKey(QStringLiteral("tanulo"));
    }
    QCOMPARE(mine, 1);
    QCOMPARE(theirs, 3);
    QCOMPARE(t.scalar(QStringLiteral("SELECT MAX(tan_id) FROM TANULO")).toLongLong(), 3);
}

void tst_modsub::insertsGiveTheirOwnKey() {
    TestDatabase t;
    auto other = t.secondProgram();
    QCOMPARE(t.db().run(QStringLiteral("createEmptyClass")).newKey(), 1);
    QCOMPARE(other->devDB.run(QStringLiteral("createEmptyClass")).newKey(), 2);
    QCOMPARE(t.db().run(QStringLiteral("createSubject"), {QStringLiteral("Matematika"), 1}).newKey(), 1);
    // A conditional insert that wrote nothing gives no key.
    QCOMPARE(t.db().run(QStringLiteral("createComp"), {99, QStringLiteral("Nincs")}).newKey(), 0);
    QCOMPARE(t.db().run(QStringLiteral("createComp"), {1, QStringLiteral("Számolás")}).newKey(), 1);
    QCOMPARE(t.db().run(QStringLiteral("getSpecClass"), {1}).newKey(), 0);
}

void tst_modsub::openOrCreateRating_data() {
    QTest::addColumn<QString>("registerSheet");
    QTest::addColumn<QString>("serial");
    QTest::newRow("numbers") << "T-117"
                             << "23/2024";
    QTest::newRow("empty") << ""
                           << "";
}

void tst_modsub::openOrCreateRating() {
    QFETCH(QString, registerSheet);
    QFETCH(QString, serial);
    TestDatabase t;
    const qint64 tev = t.addPeriod(2024, QStringLiteral("Félév"), true);
    const qint64 osz = t.addClass(tev, 3, QStringLiteral("b"));
    const qint64 tan = t.addPupil(QStringLiteral("Tóth"), QStringLiteral("Ödön"), registerSheet, serial);
    const Recordset rs = OpenOrCreateRating(tan, osz, tev);
    QCOMPARE(rs.count(), 1);
    QCOMPARE(rs.field(QStringLiteral("ert_vegleges")).toString(), QStringLiteral("N"));
    QCOMPARE(rs.field(QStringLiteral("ert_tlapszam")).toString(), registerSheet);
    QCOMPARE(rs.field(QStringLiteral("ert_sorsz")).toString(), serial);
    QCOMPARE(rs.field(QStringLiteral("ert_lock_usr_id")).toInt(), 0);
    QCOMPARE(t.db().run(QStringLiteral("getAllLog")).count(), 0); // the caller logs, not the routine
}

void tst_modsub::openOrCreateRatingFindsExisting() {
    TestDatabase t;
    const qint64 tev = t.addPeriod(2024, QStringLiteral("Félév"), true);
    const qint64 osz = t.addClass(tev, 3, QStringLiteral("b"));
    const qint64 tan = t.addPupil(QStringLiteral("Tóth"), QStringLiteral("Ödön"));
    const qint64 first = OpenOrCreateRating(tan, osz, tev).field(QStringLiteral("ert_id")).toLongLong();
    auto other = t.secondProgram();
    qint64 second = 0;
    {
        AppData::Scope scope(*other);
        second = OpenOrCreateRating(tan, osz, tev).field(QStringLiteral("ert_id")).toLongLong();
    }
    QCOMPARE(second, first);
    QCOMPARE(t.scalar(QStringLiteral("SELECT count(*) FROM ERTEKELES")).toInt(), 1);
}

void tst_modsub::classRight_data() {
    QTest::addColumn<QString>("who");
    QTest::addColumn<QString>("jog");
    QTest::addColumn<int>("level");
    QTest::newRow("logged-in admin") << "admin-self"
                                     << "" << 5;
    QTest::newRow("form teacher") << "formteacher"
                                  << "" << 4;
    QTest::newRow("other admin by id") << "admin-id"
                                       << "" << 5;
    QTest::newRow("read") << "teacher"
                          << "O" << 1;
    QTest::newRow("read-write") << "teacher"
                                << "I" << 3;
    QTest::newRow("empty right") << "teacher"
                                 << "" << 0;
    QTest::newRow("unknown letter") << "teacher"
                                    << "X" << 0;
}

void tst_modsub::classRight() {
    QFETCH(QString, who);
    QFETCH(QString, jog);
    QFETCH(int, level);
    TestDatabase t;
    const qint64 admin = t.addUser(QStringLiteral("igazgato"), QStringLiteral("Igazgató"), true);
    const qint64 teacher = t.addUser(QStringLiteral("tanito"), QStringLiteral("Tanító"), false);
    const qint64 tev = t.addPeriod(2024, QStringLiteral("Félév"), true);
    const qint64 osz =
        t.addClass(tev, 1, QStringLiteral("a"), who == QLatin1String("formteacher") ? teacher : 0);
    if (!jog.isEmpty())
        t.db().connection().query(
            QStringLiteral("INSERT INTO JOG (jog_usr_id, jog_osz_id, jog_tipus) VALUES (?, ?, ?)"),
            {teacher, osz, jog});
    if (who == QLatin1String("admin-self")) {
        t.loginAs(admin);
        QCOMPARE(GetClassRight(osz), level);
    } else if (who == QLatin1String("admin-id")) {
        t.loginAs(teacher);
        QCOMPARE(GetClassRight(osz, admin), level);
    } else {
        t.loginAs(teacher);
        QCOMPARE(GetClassRight(osz), level);
        QCOMPARE(GetClassRight(osz, teacher), level);
    }
}

void tst_modsub::classRightCreatesEmptyRowOnce() {
    TestDatabase t;
    const qint64 teacher = t.addUser(QStringLiteral("tanito"), QStringLiteral("Tanító"), false);
    const qint64 osz = t.addClass(t.addPeriod(2024, QStringLiteral("Félév"), true), 1, QStringLiteral("a"));
    t.loginAs(teacher);
    QCOMPARE(GetClassRight(osz), 0);
    QCOMPARE(t.scalar(QStringLiteral("SELECT count(*) FROM JOG")).toInt(), 1);
    QCOMPARE(t.scalar(QStringLiteral("SELECT jog_tipus FROM JOG")).toString(), QString());
    QCOMPARE(t.scalar(QStringLiteral("SELECT jog_usr_id FROM JOG")).toLongLong(), teacher);
    QCOMPARE(GetClassRight(osz), 0);
    QCOMPARE(t.scalar(QStringLiteral("SELECT count(*) FROM JOG")).toInt(), 1);
}

void tst_modsub::activePeriodAndClassOfPupil() {
    TestDatabase t;
    Recordset rs;
    QVERIFY(!FindActivePeriod(rs));
    const qint64 old = t.addPeriod(2023, QStringLiteral("Év vége"), true);
    const qint64 now = t.addPeriod(2024, QStringLiteral("Félév"), false);
    const qint64 tan = t.addPupil(QStringLiteral("Kiss"), QStringLiteral("Lili"));
    const qint64 oldClass = t.addClass(old, 1, QStringLiteral("a"));
    const qint64 newClass = t.addClass(now, 2, QStringLiteral("a"));
    OpenOrCreateRating(tan, oldClass, old);
    QCOMPARE(GetClassOfPupil(tan), oldClass);
    t.db().run(QStringLiteral("updateActivePeriod"), {now});
    QVERIFY(FindActivePeriod(rs));
    QCOMPARE(rs.field(QStringLiteral("tev_id")).toLongLong(), now);
    QCOMPARE(GetClassOfPupil(tan), 0);
    OpenOrCreateRating(tan, newClass, now);
    QCOMPARE(GetClassOfPupil(tan), newClass);
}

void tst_modsub::periodListItems() {
    TestDatabase t;
    QVERIFY(PeriodListItems().isEmpty());
    const qint64 b = t.addPeriod(2024, QStringLiteral("Félév"), false);
    const qint64 a = t.addPeriod(2023, QStringLiteral("Év vége"), true);
    const qint64 m = t.addPeriod(2024, QStringLiteral("3"), false);
    const qint64 gone = t.addPeriod(2022, QStringLiteral("Félév"), false);
    t.db().run(QStringLiteral("deletePeriod"), {gone});
    const QList<PeriodItem> items = PeriodListItems();
    QCOMPARE(items.size(), 3);
    QCOMPARE(items[0].text, QStringLiteral("2023 - Év vége (Aktív)"));
    QCOMPARE(items[0].id, a);
    QVERIFY(items[0].active);
    QCOMPARE(items[1].text, QStringLiteral("2024 - 03"));
    QCOMPARE(items[1].id, m);
    QCOMPARE(items[2].text, QStringLiteral("2024 - Félév"));
    QCOMPARE(items[2].id, b);
}

void tst_modsub::copyClassMembers() {
    TestDatabase t;
    const qint64 old = t.addPeriod(2023, QStringLiteral("Év vége"), false);
    const qint64 now = t.addPeriod(2024, QStringLiteral("Félév"), true);
    const qint64 oldClass = t.addClass(old, 1, QStringLiteral("a"));
    const qint64 newClass = t.addClass(now, 2, QStringLiteral("a"));
    for (int i = 0; i < 3; ++i)
        OpenOrCreateRating(t.addPupil(QStringLiteral("Diák"), QString::number(i)), oldClass, old);
    t.db().run(QStringLiteral("setFinalizationMode"), {QStringLiteral("P"), 1});
    CopyClassMembers(newClass, oldClass, now);
    const Recordset rs = t.db().run(QStringLiteral("getRatingsOfClass"), {newClass});
    QCOMPARE(rs.count(), 3);
    for (int i = 0; i < rs.count(); ++i) {
        QCOMPARE(rs.at(i, QStringLiteral("ert_vegleges")).toString(), QStringLiteral("N"));
        QCOMPARE(rs.at(i, QStringLiteral("ert_tev_id")).toLongLong(), now);
    }
}

void tst_modsub::copyCurriculum() {
    TestDatabase t;
    const qint64 owner = t.addUser(QStringLiteral("tanito"), QStringLiteral("Tanító"), false);
    const qint64 old = t.addPeriod(2023, QStringLiteral("Év vége"), false);
    const qint64 now = t.addPeriod(2024, QStringLiteral("Félév"), true);
    CommandSet &db = t.db();
    db.run(QStringLiteral("createSubject"), {QStringLiteral("Matematika"), old});
    const qint64 math = GetLastKey(QStringLiteral("ATARGY"));
    db.run(QStringLiteral("createSubject"), {QStringLiteral("Törölt tárgy"), old});
    db.run(QStringLiteral("deleteSubject"), {GetLastKey(QStringLiteral("ATARGY"))});
    db.run(QStringLiteral("createComp"), {math, QVariant()}); // placeholder competency
    const qint64 comp = GetLastKey(QStringLiteral("KMPBANK"));
    db.run(QStringLiteral("createComp"), {math, QStringLiteral("Törölt")});
    db.run(QStringLiteral("deleteComp"), {GetLastKey(QStringLiteral("KMPBANK"))});
    db.run(QStringLiteral("createSubComp"), {comp, QStringLiteral("Számolás")});
    const qint64 sub = GetLastKey(QStringLiteral("ALKMPBANK"));
    db.run(QStringLiteral("createSubComp"), {comp, QStringLiteral("Elhagyott")});
    db.run(QStringLiteral("deleteSubComp"), {GetLastKey(QStringLiteral("ALKMPBANK"))});
    db.run(QStringLiteral("addSentence2"),
           {sub, QStringLiteral("Ügyesen számol."), QStringLiteral("P"), owner});
    db.run(QStringLiteral("addSentence2"),
           {sub, QStringLiteral("Gyakoroljon többet."), QStringLiteral("M"), owner});

    if (TestDatabase::onServer()) {
        db.connection().exec(QStringLiteral("CREATE FUNCTION pause() RETURNS trigger LANGUAGE plpgsql AS "
                                            "$$BEGIN PERFORM pg_sleep(0.06); RETURN "
                                            "NEW; END$$; CREATE TRIGGER slow AFTER INSERT ON MONDATBANK FOR "
                                            "EACH ROW EXECUTE FUNCTION pause()"));
    } else {
        sqlite3_create_function(
            db.connection().handle(), "pause", 0, SQLITE_UTF8, nullptr,
            [](sqlite3_context *, int, sqlite3_value **) { QThread::msleep(60); }, nullptr, nullptr);
        db.connection().exec(
            QStringLiteral("CREATE TRIGGER slow AFTER INSERT ON MONDATBANK BEGIN SELECT pause(); END"));
    }
    int ticks = 0;
    QElapsedTimer copying;
    copying.start();
    CopyCurriculum(old, now, [&] { ++ticks; });
    // The window is kept alive now and then, not after every row: at most once per 50 ms.
    QVERIFY(ticks <= copying.elapsed() / 50);
    QVERIFY(ticks >= 2);
    const Recordset subjects = db.run(QStringLiteral("getSubjects"), {now});
    QCOMPARE(subjects.count(), 1);
    QCOMPARE(subjects.field(QStringLiteral("ata_rnev")).toString(), QStringLiteral("Matematika"));
    const Recordset comps =
        db.run(QStringLiteral("getSubjectCompetencies"), {subjects.field(QStringLiteral("ata_id"))});
    QCOMPARE(comps.count(), 1);
    QVERIFY(comps.field(QStringLiteral("kpb_nev")).isNull());
    const Recordset subs = db.run(QStringLiteral("getSubComps"), {comps.field(QStringLiteral("kpb_id"))});
    QCOMPARE(subs.count(), 1);
    QCOMPARE(subs.field(QStringLiteral("akb_nev")).toString(), QStringLiteral("Számolás"));
    const Recordset sentences =
        db.run(QStringLiteral("getSentences"), {subs.field(QStringLiteral("akb_id"))});
    QCOMPARE(sentences.count(), 2);
    QCOMPARE(sentences.at(1, QStringLiteral("mdb_szoveg")).toString(), QStringLiteral("Ügyesen számol."));
    QCOMPARE(sentences.at(1, QStringLiteral("mdb_megoszt")).toString(), QStringLiteral("P"));
    QCOMPARE(sentences.at(0, QStringLiteral("mdb_megoszt")).toString(), QStringLiteral("M"));
    QCOMPARE(sentences.at(0, QStringLiteral("mdb_usr_id")).toLongLong(), owner);
    // The old tree is untouched.
    QCOMPARE(db.run(QStringLiteral("getSentences"), {sub}).count(), 2);
}

void tst_modsub::exportState() {
    TestDatabase t;
    QCOMPARE(GetExportState(), 0);
    t.db().run(QStringLiteral("setDBState"), {1});
    QCOMPARE(GetExportState(), 1);
    t.db().run(QStringLiteral("setDBState"), {2});
    QCOMPARE(GetExportState(), 2);
    QVERIFY(!IsClassExported(5));
    t.db().run(QStringLiteral("addExportedClass"), {5, 1});
    QVERIFY(IsClassExported(5));
}

void tst_modsub::databasePath() {
    SKIP_ON_SERVER("the path of a database file");
    TestDatabase t;
    QCOMPARE(GetDatabasePath(), t.dir() + QStringLiteral("/msvcrx.dll"));
    t.app().databaseOverride = t.dir() + QStringLiteral("/masik.dll");
    QVERIFY_THROWS_EXCEPTION(DatabaseMissing, GetDatabasePath());
    SetHelpFile();
    QCOMPARE(t.app().helpFile, t.dir() + QStringLiteral("/lorvanto.html"));
}

LORVANTO_TEST_BOTH_ENGINES(tst_modsub)
#include "tst_modsub.moc"
