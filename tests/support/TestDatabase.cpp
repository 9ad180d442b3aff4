#include "TestDatabase.h"

#include "PgTestDatabase.h"
#include "data/Schema.h"
#include "data/modSub.h"

#include <QFile>
#include <QTest>
#include <cstdio>

namespace {
bool g_onServer = false;
}

int TestDatabase::runOnBothEngines(QObject &test, int argc, char **argv) {
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

TestDatabase::TestDatabase(const QByteArray &schoolKey) {
    if (g_onServer) {
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
    m_app->openDatabase(m_path);
}

TestDatabase::~TestDatabase() {
    if (AppData::hasCurrent() && &AppData::current() == m_app.get())
        AppData::setCurrent(nullptr);
}

std::unique_ptr<AppData> TestDatabase::secondProgram() {
    auto other = std::make_unique<AppData>();
    other->programDir = m_dir.path();
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
