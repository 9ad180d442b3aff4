#include "PgTestDatabase.h"

#include "data/DbError.h"
#include "data/PgConnection.h"

#include <QCoreApplication>
#include <QUrl>

PgTestDatabase::PgTestDatabase() {
    m_server = qEnvironmentVariable("LORVANTO_TEST_POSTGRES");
    if (m_server == QLatin1String("off")) {
        m_skip = QStringLiteral("PostgreSQL skipped: LORVANTO_TEST_POSTGRES=off");
        return;
    }
    if (m_server.isEmpty()) {
        m_skip =
            QStringLiteral("PostgreSQL skipped: LORVANTO_TEST_POSTGRES is not set (scripts/test sets it)");
        return;
    }
    static int serial = 0;
    m_name = QStringLiteral("lv_test_%1_%2").arg(QCoreApplication::applicationPid()).arg(++serial);
    try {
        PgConnection admin;
        admin.open(m_server);
        admin.exec(QStringLiteral("DROP DATABASE IF EXISTS %1").arg(m_name));
        admin.exec(QStringLiteral("CREATE DATABASE %1 TEMPLATE template0 ENCODING 'UTF8'").arg(m_name));
        QUrl url(m_server);
        url.setPath(QLatin1Char('/') + m_name);
        m_uri = url.toString();
    } catch (const DbError &e) {
        m_error = QStringLiteral("PostgreSQL test server %1: %2").arg(m_server, e.message());
        m_name.clear();
    }
}

PgTestDatabase::~PgTestDatabase() {
    if (m_name.isEmpty())
        return;
    try {
        PgConnection admin;
        admin.open(m_server);
        admin.exec(QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(m_name));
    } catch (const DbError &) {
        // The cluster itself goes away at the end of the run.
    }
}
