#pragma once

#include <QString>
#include <QTest>

// A fresh, empty database on the throwaway PostgreSQL cluster of the test run (scripts/test starts it, puts
// the URI of its maintenance database into LORVANTO_TEST_POSTGRES and removes it afterwards). Without a
// cluster the tests that need one are skipped, each with a line saying why; a cluster that was named but
// does not answer fails them.
class PgTestDatabase {
public:
    PgTestDatabase();
    QString uri() const { return m_uri; }
    QString skipReason() const { return m_skip; }
    QString error() const { return m_error; }
    // Why the tests on the server are left out in this run; empty when a server was named.
    static QString skipReasonOfRun();

private:
    QString m_uri;
    QString m_skip;
    QString m_error;
};

#define REQUIRE_POSTGRES(pg)                                                                                 \
    if (!(pg).skipReason().isEmpty())                                                                        \
        QSKIP(qPrintable((pg).skipReason()));                                                                \
    QVERIFY2((pg).error().isEmpty(), qPrintable((pg).error()))
