#include "TestDatabase.h"

#include "PgTestDatabase.h"
#include "data/Schema.h"
#include "data/modSub.h"

#include <QFile>
#include <QTest>
#include <cstdio>
#include <exception>

namespace {
bool g_onServer = false;
}

int TestDatabase::runOnBothEngines(QObject &test, int argc, char **argv) {
    // The test library names no exception that escapes a test: say which, before the run ends.
    std::set_terminate([] {
        try {
            if (std::current_exception())
                std::rethrow_exception(std::current_exception());
        } catch (const std::exception &e) {
            std::fprintf(stderr, "unhandled exception: %s\n", e.what());
        } catch (...) {
        }
        std::abort();
    });
    int failed = QTest::qExec(&test, argc, argv);
    const QString skip = PgTestDatabase::skipReasonOfRun();
    if (!skip.isEmpty()) {
        std::printf("%s: the second pass on a server is left out (%s)\n", test.metaObject()->className(),
                    qPrintable(skip));
        return failed;
    }
    std::printf("%s: the same tests on a PostgreSQL server\n", test.metaObject()->className());
    std::fflush(stdout);
    g_onServer = true;
    failed += QTest::qExec(&test, argc, argv);
    g_onServer = false;
    return failed;
}

bool TestDatabase::onServer() {
    return g_onServer;
}

TestDatabase::TestDatabase(const QByteArray &schoolKey, bool server) {
    if (server) {
        const PgTestDatabase pg;
        if (!pg.error().isEmpty())
            qFatal("%s", qPrintable(pg.error()));
        m_path = pg.uri();
        Schema::createDatabase(m_path);
    } else {
        m_path = m_dir.filePath(QStringLiteral("msvcrx.dll"));
        Schema::createDatabase(m_path,
                               schoolKey.isEmpty() ? QByteArray() : DatabaseKey::engineKey(schoolKey));
    }
    m_app = std::make_unique<AppData>();
    if (!schoolKey.isEmpty())
        m_app->databaseSettings.keyEnvironment = DatabaseKey::settingsLine(schoolKey);
    AppData::setCurrent(m_app.get());
    m_app->programDir = m_dir.path();
    if (server) // named as on the command line; a file is where the program looks first
        m_app->databaseOverride = m_path;
    m_app->openDatabase(m_path);
    if (server) {
        // The checks of the tests join values with the file engine's group_concat; the server gets one.
        db().connection().exec(QStringLiteral(
            "CREATE FUNCTION gc_step(acc text, v anyelement, sep text) RETURNS text LANGUAGE sql IMMUTABLE "
            "AS "
            "$$SELECT CASE WHEN v IS NULL THEN acc WHEN acc IS NULL THEN v::text ELSE acc || sep || v::text "
            "END$$; CREATE AGGREGATE group_concat(anyelement, text) (SFUNC = gc_step, STYPE = text); "
            "CREATE FUNCTION gc_step1(acc text, v anyelement) RETURNS text LANGUAGE sql IMMUTABLE AS "
            "$$SELECT gc_step(acc, v, ',')$$; "
            "CREATE AGGREGATE group_concat(anyelement) (SFUNC = gc_step1, STYPE = text)"));
    }
}

TestDatabase::~TestDatabase() {
    if (AppData::hasCurrent() && &AppData::current() == m_app.get())
        AppData::setCurrent(nullptr);
}

std::unique_ptr<AppData> TestDatabase::secondProgram() {
    auto other = std::make_unique<AppData>();
    other->programDir = m_dir.path();
    other->databaseOverride = m_app->databaseOverride;
    other->databaseSettings = m_app->databaseSettings;
    other->openDatabase(m_path);
    return other;
}

qint64 TestDatabase::addUser(const QString &login, const QString &name, bool admin,
                             const QVariant &storedPassword) {
    db().connection().query(QStringLiteral("INSERT INTO USERS (usr_nev, usr_login, usr_paswd, usr_beosztas, "
                                           "usr_admin_rights) VALUES (?, ?, ?, 'Tanító', ?)"),
                            {name, login, storedPassword, admin ? 1 : 0});
    return scalar(QStringLiteral("SELECT MAX(usr_id) FROM USERS")).toLongLong();
}

qint64 TestDatabase::addPeriod(int year, const QString &kind, bool active) {
    db().run(QStringLiteral("addTanev"), {year, kind, QStringLiteral("Igen"), QString()});
    const qint64 id = modSub::GetLastKey(QStringLiteral("TANEV"));
    if (active)
        db().run(QStringLiteral("updateActivePeriod"), {id});
    return id;
}

qint64 TestDatabase::addClass(qint64 tevId, int grade, const QString &name, qint64 formTeacher) {
    db().run(QStringLiteral("createClass"), {tevId, grade, name, formTeacher, 2020, QString()});
    return modSub::GetLastKey(QStringLiteral("OSZTALY"));
}

qint64 TestDatabase::addPupil(const QString &family, const QString &given, const QString &registerSheet,
                              const QString &serial) {
    db().run(QStringLiteral("createKid"),
             {family, given, QStringLiteral("Anyja Neve"), QString(), QStringLiteral("Pécs"),
              QStringLiteral("Magyarország"), QDate(2015, 3, 14), registerSheet, serial});
    return modSub::GetLastKey(QStringLiteral("TANULO"));
}

void TestDatabase::loginAs(qint64 usrId) {
    const Recordset rs = db().run(QStringLiteral("getSpecUser"), {usrId});
    m_app->login.currentUser = rs.record();
    m_app->login.isAdmin = m_app->login.currentUser.toBool(QStringLiteral("usr_admin_rights"));
    m_app->login.loggedIn = true;
}

void TestDatabase::failWrites(const QString &kind, const QString &table, const QString &message) {
    Connection &c = db().connection();
    if (!c.isServer()) {
        c.exec(QStringLiteral("CREATE TRIGGER fail_%2 BEFORE %1 ON %2 BEGIN SELECT RAISE(ABORT, '%3'); END")
                   .arg(kind, table, message));
        return;
    }
    c.exec(QStringLiteral("CREATE OR REPLACE FUNCTION fail_write() RETURNS trigger LANGUAGE plpgsql AS "
                          "$$BEGIN RAISE EXCEPTION '%', TG_ARGV[0]; END$$"));
    c.exec(QStringLiteral(
               "CREATE TRIGGER fail_%2 BEFORE %1 ON %2 FOR EACH ROW EXECUTE FUNCTION fail_write('%3')")
               .arg(kind, table, message));
}

void TestDatabase::allowWrites(const QString &table) {
    Connection &c = db().connection();
    c.exec(c.isServer() ? QStringLiteral("DROP TRIGGER fail_%1 ON %1").arg(table)
                        : QStringLiteral("DROP TRIGGER fail_%1").arg(table));
}

QVariant TestDatabase::scalar(const QString &sql, const QVariantList &values) {
    const Recordset rs = db().connection().query(sql, values);
    return rs.count() ? rs.at(0, rs.columns().value(0)) : QVariant();
}

QString writeTestFile(const QString &path, const QByteArray &bytes) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}
