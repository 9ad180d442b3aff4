// The database file and the command layer: opening, refusing foreign files, the catalogue, recordsets.
#include "TestDatabase.h"
#include "data/Catalogue.h"
#include "data/DatabaseKey.h"
#include "data/DbError.h"
#include "data/ProgramFiles.h"
#include "data/Schema.h"

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <atomic>
#include <sqlite3.h>
#include <thread>

namespace {

QByteArray fileHash(const QString &path) {
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

void writeFile(const QString &path, const QByteArray &bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// A plain (unencrypted) SQLite file, or one under another key.
void makeSqliteFile(const QString &path, const QByteArray &key) {
    sqlite3 *db = nullptr;
    sqlite3_open(path.toUtf8().constData(), &db);
    if (!key.isEmpty())
        sqlite3_key(db, key.constData(), int(key.size()));
    sqlite3_exec(db, "CREATE TABLE USERS (usr_id INTEGER); INSERT INTO USERS VALUES (1);", nullptr, nullptr,
                 nullptr);
    sqlite3_close(db);
}

QVariant sampleValue(ParamType type) {
    switch (type) {
    case ParamType::Long:
    case ParamType::Integer:
        return 1;
    case ParamType::Text:
        return QStringLiteral("1");
    case ParamType::Date:
        return QDate(2020, 1, 1);
    }
    return {};
}

} // namespace

class tst_database : public QObject {
    Q_OBJECT
private slots:
    void cleanupTestCase() { m_shared.reset(); }
    void newFileHasSchemaAndSeedRows();
    void newFileIsEncrypted();
    void createRefusesExistingFile();
    void foreignFilesAreRefusedUntouched_data();
    void foreignFilesAreRefusedUntouched();
    void missingFile();
    void schoolKeyFromEachSource_data();
    void schoolKeyFromEachSource();
    void everyCommandRuns_data();
    void everyCommandRuns();
    void recordsetWalkAndCaseInsensitiveFields();
    void parameterKeepsLastValue();
    void parameterConversions();
    void unknownNamesAreErrors();
    void lookupsByNameIgnoreCase_data();
    void lookupsByNameIgnoreCase();
    void booleanColumnsAndActivePeriod();
    void transactionRollsBackOnError();
    void failedCommitRollsBack();
    void waitingWriterGoesOnSoonAfterRelease();
    void namesInHungarianOrder_data();
    void namesInHungarianOrder();

private:
    // One file for the catalogue run: making a file per command would only repeat the key derivation.
    std::unique_ptr<TestDatabase> m_shared;
};

void tst_database::newFileHasSchemaAndSeedRows() {
    TestDatabase t;
    for (const QString &table : Schema::tableNames())
        QVERIFY_THROWS_NO_EXCEPTION(t.scalar(QStringLiteral("SELECT count(*) FROM %1").arg(table)));
    QVERIFY_THROWS_EXCEPTION(DbError, Schema::createDatabase(t.path())); // never over a school's data
    QCOMPARE(t.scalar(QStringLiteral("SELECT par_ertek FROM PARAMETER WHERE par_nev='export'")).toString(),
             QStringLiteral("0"));
    QVERIFY(t.db().run(QStringLiteral("getZDKTemplates")).count() >= 10);
    const Recordset hat = t.db().run(QStringLiteral("getHatTemplates"));
    QVERIFY(hat.count() >= 10);
    QStringList decisions;
    for (int i = 0; i < hat.count(); ++i)
        decisions << hat.at(i, QStringLiteral("hat_szoveg")).toString();
    QVERIFY(decisions.contains(QStringLiteral("Felsőbb évfolyamba léphet.")));
    QCOMPARE(t.db().run(QStringLiteral("getUsers")).count(), 0); // no user until the login window loads
    // A file of an earlier version: its ratings lack the columns added since.
    t.db().connection().exec(QStringLiteral("CREATE TABLE old AS SELECT ert_id FROM ERTEKELES; DROP TABLE "
                                            "ERTEKELES; ALTER TABLE old RENAME TO ERTEKELES"));
    t.app().openDatabase(t.path());
    QVERIFY_THROWS_NO_EXCEPTION(
        t.scalar(QStringLiteral("SELECT ert_biz_nevek, ert_tlap_nevek FROM ERTEKELES")));
}

void tst_database::newFileIsEncrypted() {
    SKIP_ON_SERVER("encryption is the file's own");
    TestDatabase t;
    QFile f(t.path());
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    QVERIFY(!bytes.startsWith("SQLite format 3"));
    QVERIFY(!bytes.contains("Felsőbb évfolyamba"));
    QVERIFY(!bytes.contains(databaseKey()));
}

void tst_database::createRefusesExistingFile() {
    TestDatabase t;
    const QByteArray before = fileHash(t.path());
    QVERIFY_THROWS_EXCEPTION(DbError, Schema::createDatabase(t.path()));
    QCOMPARE(fileHash(t.path()), before);
}

void tst_database::foreignFilesAreRefusedUntouched_data() {
    QTest::addColumn<QString>("kind");
    QTest::newRow("plain sqlite") << "plain";
    QTest::newRow("other key") << "otherkey";
    QTest::newRow("text file") << "text";
    QTest::newRow("empty file") << "empty";
    QTest::newRow("truncated") << "truncated";
    QTest::newRow("missing tables") << "missingtables";
}

void tst_database::foreignFilesAreRefusedUntouched() {
    SKIP_ON_SERVER("a foreign file is refused on opening; a server database is named, not guessed");
    QFETCH(QString, kind);
    TestDatabase t;
    const QString path = t.dir() + QStringLiteral("/foreign.dll");
    if (kind == QLatin1String("plain"))
        makeSqliteFile(path, {});
    else if (kind == QLatin1String("otherkey"))
        makeSqliteFile(path, "masik-kulcs");
    else if (kind == QLatin1String("text"))
        writeFile(path, "Ez nem adatbázis, csak egy szöveg.\n");
    else if (kind == QLatin1String("empty"))
        writeFile(path, {});
    else if (kind == QLatin1String("truncated")) {
        QFile f(t.path());
        QVERIFY(f.open(QIODevice::ReadOnly));
        writeFile(path, f.read(f.size() / 2));
    } else
        makeSqliteFile(path, databaseKey());
    const QByteArray before = fileHash(path);
    Connection c;
    try {
        c.open(path, databaseKey());
        QFAIL("a foreign file was opened");
    } catch (const DbError &e) {
        QVERIFY(!e.message().isEmpty());
        QVERIFY(!e.message().contains(QString::fromLatin1(databaseKey())));
    }
    QVERIFY(!c.isOpen());
    QCOMPARE(fileHash(path), before);
}

void tst_database::missingFile() {
    Connection c;
    QVERIFY_THROWS_EXCEPTION(DatabaseMissing,
                             c.open(QStringLiteral("/nonexistent/msvcrx.dll"), databaseKey()));
    QVERIFY(!QFile::exists(QStringLiteral("/nonexistent/msvcrx.dll")));
}

void tst_database::schoolKeyFromEachSource_data() {
    QTest::addColumn<QString>("source");  // file, env, user, system, none
    QTest::addColumn<bool>("schoolsOwn"); // the school's own key given, or another school's
    QTest::newRow("key file") << "file" << true;
    QTest::newRow("environment") << "env" << true;
    QTest::newRow("user settings") << "user" << true;
    QTest::newRow("system settings") << "system" << true;
    QTest::newRow("another school's key") << "system" << false;
    QTest::newRow("no key given") << "none" << false;
}

void tst_database::schoolKeyFromEachSource() {
    QFETCH(QString, source);
    QFETCH(bool, schoolsOwn);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("msvcrx.dll"));
    const QByteArray raw = DatabaseKey::generate();
    Schema::createDatabase(path, DatabaseKey::engineKey(raw));
    const QString line = DatabaseKey::settingsLine(schoolsOwn ? raw : DatabaseKey::generate());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.filePath(QStringLiteral("user")));
    QSettings::setPath(QSettings::NativeFormat, QSettings::SystemScope,
                       dir.filePath(QStringLiteral("system")));
    AppData app;
    const bool keyFile = source == QLatin1String("file");
    const QString file =
        dir.filePath(keyFile ? QStringLiteral("kulcs") : source + QStringLiteral("/Lorvanto/lorvanto.conf"));
    QVERIFY(QDir().mkpath(QFileInfo(file).path()));
    writeFile(file, line.toLatin1() + '\n');
    app.keyFile = keyFile ? file : QString();
    if (source == QLatin1String("env"))
        qputenv("LORVANTO_KEY", line.mid(4).toLatin1());
    app.databaseSettings = ProgramFiles::readDatabaseSettings();
    qunsetenv("LORVANTO_KEY");
    const QByteArray before = fileHash(path);
    const QStringList filesBefore = QDir(dir.path()).entryList(QDir::Files);
    try {
        app.openDatabase(path);
        QVERIFY(schoolsOwn);
    } catch (const WrongKey &e) {
        // One sentence naming the places tried, never the key; nothing written.
        const QString text = QString(e.message()).remove(path);
        QVERIFY2(!schoolsOwn && text.count(u'.') == 1 && text.endsWith(QStringLiteral(").")),
                 qPrintable(text));
        QVERIFY(text.contains(
            source == QLatin1String("none")
                ? QStringLiteral("beépített kulcsa; iskolai kulcsot sem")
                : QStringLiteral("rendszerszintű beállítófájl kulcsa, a program beépített kulcsa)")));
        QVERIFY(!text.contains(line.mid(4)) &&
                !text.contains(QString::fromLatin1(raw.toHex()), Qt::CaseInsensitive));
        QCOMPARE(fileHash(path), before);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), filesBefore);
    }
}

void tst_database::everyCommandRuns_data() {
    QTest::addColumn<QString>("set");
    QTest::addColumn<QString>("name");
    for (const CommandDef &d : Catalogue::devDB())
        if (d.name != QLatin1String("getLastId"))
            QTest::newRow(qPrintable(QStringLiteral("devDB.") + d.name)) << "devDB" << d.name;
    for (const CommandDef &d : Catalogue::devPrint())
        QTest::newRow(qPrintable(QStringLiteral("devPrint.") + d.name)) << "devPrint" << d.name;
    for (const CommandDef &d : Catalogue::devExp())
        QTest::newRow(qPrintable(QStringLiteral("devExp.") + d.name)) << "devExp" << d.name;
}

void tst_database::everyCommandRuns() {
    // Each command's SQL must be valid for the schema, with exactly its listed parameters.
    QFETCH(QString, set);
    QFETCH(QString, name);
    if (!m_shared)
        m_shared = std::make_unique<TestDatabase>();
    TestDatabase &t = *m_shared;
    CommandSet *cs = set == QLatin1String("devDB")      ? &t.app().devDB
                     : set == QLatin1String("devPrint") ? &t.app().devPrint
                                                        : &t.app().devExp;
    if (!cs->isOpen())
        cs->open(t.path(), databaseKey());
    Command &c = cs->command(name);
    for (int i = 0; i < c.paramCount(); ++i)
        c.setParam(i, sampleValue(c.definition().params[i].type));
    try {
        c.execute();
    } catch (const DbError &e) {
        QFAIL(qPrintable(e.message()));
    }
}

void tst_database::recordsetWalkAndCaseInsensitiveFields() {
    TestDatabase t;
    t.addUser(QStringLiteral("anna"), QStringLiteral("Kiss Anna"), false);
    t.addUser(QStringLiteral("bela"), QStringLiteral("Nagy Béla"), true);
    Recordset rs = t.db().run(QStringLiteral("getUsers"));
    QCOMPARE(rs.count(), 2);
    QVERIFY(!rs.eof());
    QCOMPARE(rs.field(QStringLiteral("USR_LOGIN")).toString(), QStringLiteral("anna"));
    QCOMPARE(rs[QStringLiteral("Usr_Nev")].toString(), QStringLiteral("Kiss Anna"));
    QCOMPARE(rs.field(QStringLiteral("usr_admin_rights")).toBool(), false);
    rs.moveNext();
    QCOMPARE(rs.field(QStringLiteral("usr_admin_rights")).toBool(), true);
    rs.moveNext();
    QVERIFY(rs.eof());
    QVERIFY_THROWS_EXCEPTION(DbError, rs.field(QStringLiteral("usr_login")));
    rs.moveFirst();
    QCOMPARE(rs.field(QStringLiteral("usr_login")).toString(), QStringLiteral("anna"));
    QVERIFY_THROWS_EXCEPTION(DbError, rs.field(QStringLiteral("no_such_column")));

    const Recordset empty = t.db().run(QStringLiteral("chkPass"), {QStringLiteral("senki")});
    QCOMPARE(empty.count(), 0);
    QVERIFY(empty.eof());
    const Recordset cnt = t.db().run(QStringLiteral("countUser"), {QStringLiteral("anna")});
    QCOMPARE(cnt.field(QStringLiteral("Cnt")).toInt(), 1);
}

void tst_database::parameterKeepsLastValue() {
    TestDatabase t;
    const qint64 tev = t.addPeriod(2024, QStringLiteral("Félév"), true);
    const qint64 osz = t.addClass(tev, 2, QStringLiteral("a"));
    const qint64 tan = t.addPupil(QStringLiteral("Kovács"), QStringLiteral("Péter"));
    Command &check = t.db().command(QStringLiteral("checkRatings"));
    QCOMPARE(check.execute({tan, osz, tev}).count(), 0);
    t.db().run(QStringLiteral("addRating"), {tan, osz, tev});
    QCOMPARE(check.execute().count(), 1); // not assigned again: the three keys are still there
    QCOMPARE(check.param(QStringLiteral("osz_id")).toLongLong(), osz);
    // A preset value holds until assigned.
    QCOMPARE(t.db().command(QStringLiteral("addSentence")).param(QStringLiteral("mdb_megoszt")).toString(),
             QStringLiteral("U"));
}

void tst_database::parameterConversions() {
    TestDatabase t;
    Command &c = t.db().command(QStringLiteral("getSpecUser"));
    c.setParam(QStringLiteral("usr_id"), QStringLiteral("abc"));
    QVERIFY_THROWS_EXCEPTION(DbError, c.execute());
    c.setParam(QStringLiteral("usr_id"), qint64(1) << 40);
    QVERIFY_THROWS_EXCEPTION(DbError, c.execute());
    c.setParam(QStringLiteral("usr_id"), QStringLiteral("7"));
    QCOMPARE(c.execute().count(), 0);
    Command &i16 = t.db().command(QStringLiteral("setParameter"));
    QVERIFY_THROWS_EXCEPTION(DbError, i16.execute({40000, 1}));

    // Dates go in as dates and come back as dates; a null date stays null.
    const qint64 tan = t.addPupil(QStringLiteral("Szabó"), QStringLiteral("Éva"));
    QCOMPARE(t.db().run(QStringLiteral("getAStudent"), {tan}).field(QStringLiteral("tan_szdatum")).toDate(),
             QDate(2015, 3, 14));
    t.db().run(QStringLiteral("updateStudent"),
               {QStringLiteral("Szabó"), QStringLiteral("Éva"), QString(), QString(), QString(), QVariant(),
                QString(), QString(), QString(), tan});
    QVERIFY(t.db().run(QStringLiteral("getAStudent"), {tan}).field(QStringLiteral("tan_szdatum")).isNull());
}

void tst_database::unknownNamesAreErrors() {
    TestDatabase t;
    QVERIFY_THROWS_EXCEPTION(DbError, t.db().command(QStringLiteral("dropEverything")));
    QVERIFY_THROWS_EXCEPTION(DbError,
                             t.db().command(QStringLiteral("getUsers")).setParam(QStringLiteral("x"), 1));
    QVERIFY_THROWS_EXCEPTION(DbError, t.db().run(QStringLiteral("getUsers"), {1}));
    // Commands are found by name whatever its case.
    QCOMPARE(t.db().command(QStringLiteral("GETUSERS")).name(), QStringLiteral("getUsers"));
}

void tst_database::lookupsByNameIgnoreCase_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("found");
    QTest::newRow("same") << "kovacs"
                          << "kovacs" << true;
    QTest::newRow("upper ascii") << "kovacs"
                                 << "KOVACS" << true;
    QTest::newRow("accented") << "áRPÁD"
                              << "ÁrpÁd" << true;
    QTest::newRow("long accents") << "őrző"
                                  << "ŐRZŐ" << true;
    QTest::newRow("different") << "kovacs"
                               << "kovach" << false;
}

void tst_database::lookupsByNameIgnoreCase() {
    QFETCH(QString, stored);
    QFETCH(QString, typed);
    QFETCH(bool, found);
    TestDatabase t;
    t.addUser(stored, QStringLiteral("Név"), false);
    QCOMPARE(t.db().run(QStringLiteral("chkPass"), {typed}).count(), found ? 1 : 0);
    QCOMPARE(t.db().run(QStringLiteral("countUser"), {typed}).field(QStringLiteral("Cnt")).toInt(),
             found ? 1 : 0);
    t.db().run(QStringLiteral("createKid"),
               {stored, QStringLiteral("Anna"), QStringLiteral("Anyja"), QString(), QString(), QString(),
                QDate(2014, 5, 6), QString(), QString()});
    QCOMPARE(t.db()
                 .run(QStringLiteral("getIdenticalKids"),
                      {typed, QStringLiteral("ANNA"), QStringLiteral("anyja"), QDate(2014, 5, 6)})
                 .count(),
             found ? 1 : 0);
}

void tst_database::booleanColumnsAndActivePeriod() {
    TestDatabase t;
    const qint64 a = t.addPeriod(2023, QStringLiteral("Év vége"), true);
    const qint64 b = t.addPeriod(2024, QStringLiteral("Félév"), false);
    const qint64 c = t.addPeriod(2024, QStringLiteral("Év vége"), false);
    t.db().run(QStringLiteral("updateActivePeriod"), {b});
    const Recordset active = t.db().run(QStringLiteral("getActivePeriod"));
    QCOMPARE(active.count(), 1);
    QCOMPARE(active.field(QStringLiteral("tev_id")).toLongLong(), b);
    // A true flag written by another program as -1 still counts as true.
    t.db().connection().query(QStringLiteral("UPDATE TANEV SET tev_aktiv=-1 WHERE tev_id=?"), {c});
    QCOMPARE(t.db().run(QStringLiteral("getActivePeriod")).count(), 2);
    // Soft delete leaves the row; lists skip it.
    t.db().run(QStringLiteral("deletePeriod"), {a});
    QCOMPARE(t.scalar(QStringLiteral("SELECT count(*) FROM TANEV")).toInt(), 3);
    QCOMPARE(t.db().run(QStringLiteral("getPeriods")).count(), 2);
}

void tst_database::transactionRollsBackOnError() {
    TestDatabase t;
    try {
        Transaction tr(t.db().connection());
        t.addUser(QStringLiteral("egy"), QStringLiteral("Egy"), false);
        t.db().connection().query(QStringLiteral("INSERT INTO NOSUCHTABLE VALUES (1)"));
        tr.commit();
        QFAIL("no error");
    } catch (const DbError &) {
    }
    QCOMPARE(t.scalar(QStringLiteral("SELECT count(*) FROM USERS")).toInt(), 0);
    QCOMPARE(t.db().connection().transactionDepth(), 0);
}

void tst_database::failedCommitRollsBack() {
    SKIP_ON_SERVER("the file's locks; tst_pgconnection fails a COMMIT on the server");
    TestDatabase t;
    Connection &mine = t.db().connection();
    auto other = t.secondProgram();
    Connection &theirs = other->devDB.connection();
    sqlite3_busy_timeout(mine.handle(), 50);
    sqlite3_busy_timeout(theirs.handle(), 50);
    // A reader in the middle of its transaction holds a shared lock: our COMMIT cannot finish.
    theirs.exec(QStringLiteral("BEGIN"));
    theirs.query(QStringLiteral("SELECT count(*) FROM USERS"));
    {
        Transaction tr(mine);
        t.addUser(QStringLiteral("egy"), QStringLiteral("Egy"), false);
        QVERIFY_THROWS_EXCEPTION(DbError, tr.commit());
    }
    QCOMPARE(mine.transactionDepth(), 0);
    QVERIFY(sqlite3_get_autocommit(mine.handle()));
    theirs.exec(QStringLiteral("COMMIT"));
    // No write lock is left behind, and a later write of ours is really committed.
    theirs.exec(QStringLiteral("BEGIN IMMEDIATE"));
    theirs.exec(QStringLiteral("COMMIT"));
    t.addUser(QStringLiteral("ketto"), QStringLiteral("Kettő"), false);
    const Recordset seen = theirs.query(QStringLiteral("SELECT usr_login FROM USERS"));
    QCOMPARE(seen.count(), 1);
    QCOMPARE(seen.field(QStringLiteral("usr_login")).toString(), QStringLiteral("ketto"));
}

void tst_database::waitingWriterGoesOnSoonAfterRelease() {
    SKIP_ON_SERVER("a transaction on the server takes no lock when it begins");
    TestDatabase t;
    auto other = t.secondProgram();
    Connection &theirs = other->devDB.connection();
    theirs.begin();
    QElapsedTimer clock;
    clock.start();
    std::atomic<qint64> releasedAt{0};
    std::thread holder([&] {
        // Long enough a wait that the engine's own busy timeout would look again only every 100 ms.
        QThread::msleep(640);
        theirs.commit();
        releasedAt = clock.elapsed();
    });
    Transaction mine(t.db().connection()); // waits for their write lock
    const qint64 gotAt = clock.elapsed();
    holder.join();
    mine.commit();
    QVERIFY2(gotAt - releasedAt < 40, qPrintable(QStringLiteral("%1 ms late").arg(gotAt - releasedAt)));
}

void tst_database::namesInHungarianOrder_data() {
    // Each list command, the statement that puts one name in, and the column it gives back.
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("insert");
    QTest::addColumn<QString>("column");
    QTest::newRow("users") << "getUsers"
                           << "INSERT INTO USERS (usr_nev, usr_login, usr_paswd) VALUES ('N', ?, '')"
                           << "usr_login";
    QTest::newRow("classes") << "getPeriodClasses"
                             << "INSERT INTO OSZTALY (osz_tev_id, osz_evfolyam, osz_nev) VALUES (1, 2, ?)"
                             << "osz_nev";
    QTest::newRow("pupils") << "getStudentsByClass"
                            << "INSERT INTO TANULO (tan_vnev, tan_knev) VALUES (?, 'X'); INSERT INTO "
                               "ERTEKELES (ert_tan_id, ert_osz_id, ert_tev_id) VALUES ((SELECT "
                               "MAX(tan_id) FROM TANULO), 1, 1)"
                            << "tan_vnev";
    QTest::newRow("sentences") << "getSentences"
                               << "INSERT INTO MONDATBANK (mdb_akb_id, mdb_szoveg) VALUES (1, ?)"
                               << "mdb_szoveg";
    QTest::newRow("rating parts in print order")
        << "getErtresz"
        << "INSERT INTO ALKMPBANK (akb_kpb_id, akb_nev) VALUES (1, ?); INSERT INTO ERTRESZ (esz_ert_id, "
           "esz_akb_id, esz_szoveg) VALUES (1, (SELECT MAX(akb_id) FROM ALKMPBANK), 'x')"
        << "akb_nev";
}

void tst_database::namesInHungarianOrder() {
    QFETCH(QString, command);
    QFETCH(QString, insert);
    QFETCH(QString, column);
    TestDatabase t;
    Connection &c = t.db().connection();
    c.exec(QStringLiteral("INSERT INTO ATARGY (ata_id, ata_rnev, ata_tev_id) VALUES (1, 'Tárgy', 1);"
                          "INSERT INTO KMPBANK (kpb_id, kpb_ata_id, kpb_nev) VALUES (1, 1, 'Terület')"));
    const QStringList hungarian = {QStringLiteral("alma"),      QStringLiteral("Ilona"),
                                   QStringLiteral("Írás"),      QStringLiteral("Olvasás"),
                                   QStringLiteral("Önállóság"), QStringLiteral("Zsolt")};
    for (const QString &name :
         {hungarian[5], hungarian[2], hungarian[0], hungarian[4], hungarian[1], hungarian[3]}) {
        const QStringList statements = insert.split(QStringLiteral("; "));
        c.query(statements[0], {name});
        for (qsizetype i = 1; i < statements.size(); ++i)
            c.exec(statements[i]);
    }
    const QVariantList key = command == QLatin1String("getUsers") ? QVariantList() : QVariantList{1};
    const Recordset rs = command == QLatin1String("getErtresz") ? t.app().devPrint.run(command, key)
                                                                : t.db().run(command, key);
    QStringList got;
    for (int i = 0; i < rs.count(); ++i)
        got << rs.at(i, column).toString();
    QCOMPARE(got, hungarian);
}

LORVANTO_TEST_BOTH_ENGINES(tst_database)
#include "tst_database.moc"
