#pragma once

#include "data/AppData.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDate>
#include <QTemporaryDir>
#include <memory>

// A real, new database file in a temporary folder, opened as the current program data, with helpers that
// insert the rows a test needs. In a test's second pass on the server (runOnBothEngines) it is a fresh
// database on the test run's PostgreSQL server instead.
class TestDatabase {
public:
    // Runs the test object on files, then once more on the server when the run has one; without one the
    // second pass is left out with a line saying why.
    static int runOnBothEngines(QObject &test, int argc, char **argv);
    static bool onServer();

    // With a school key (raw bytes) the file is made under it, and the program is given it.
    // With server, a fresh database on the run's server, whichever pass runs.
    explicit TestDatabase(const QByteArray &schoolKey = {}, bool server = onServer());
    ~TestDatabase();

    QString path() const { return m_path; }
    QString dir() const { return m_dir.path(); }
    AppData &app() { return *m_app; }
    CommandSet &db() { return m_app->devDB; }

    // Another copy of the program on the same file (its own connections and login state).
    std::unique_ptr<AppData> secondProgram();

    qint64 addUser(const QString &login, const QString &name, bool admin,
                   const QVariant &storedPassword = QVariant());
    qint64 addPeriod(int year, const QString &kind, bool active);
    qint64 addClass(qint64 tevId, int grade, const QString &name, qint64 formTeacher = 0);
    qint64 addPupil(const QString &family, const QString &given, const QString &registerSheet = QString(),
                    const QString &serial = QString());
    // Makes a user the logged-in user, as a successful login does.
    void loginAs(qint64 usrId);
    // Every write of the kind (INSERT, UPDATE, DELETE) to the table fails with the message, as on a full
    // disk, on either engine, until allowWrites.
    void failWrites(const QString &kind, const QString &table, const QString &message);
    void allowWrites(const QString &table);
    // A scalar of a query, for checks.
    QVariant scalar(const QString &sql, const QVariantList &values = {});

private:
    QTemporaryDir m_dir;
    QString m_path;
    std::unique_ptr<AppData> m_app;
};

// The main() of a test that runs on both engines; the _GUI one for a test of windows.
#define LORVANTO_TEST_BOTH_ENGINES_WITH(TestObject, Application)                                             \
    int main(int argc, char **argv) {                                                                        \
        Application app(argc, argv);                                                                         \
        TestObject test;                                                                                     \
        return TestDatabase::runOnBothEngines(test, argc, argv);                                             \
    }
#define LORVANTO_TEST_BOTH_ENGINES(TestObject) LORVANTO_TEST_BOTH_ENGINES_WITH(TestObject, QCoreApplication)
#define LORVANTO_TEST_BOTH_ENGINES_GUI(TestObject) LORVANTO_TEST_BOTH_ENGINES_WITH(TestObject, QApplication)

// For a test of what only a database file has.
#define SKIP_ON_SERVER(why)                                                                                  \
    if (TestDatabase::onServer())                                                                            \
    QSKIP(why)

// Writes a file a test reads (a spreadsheet, an exchange file); the test ends at once when it cannot.
QString writeTestFile(const QString &path, const QByteArray &bytes);
