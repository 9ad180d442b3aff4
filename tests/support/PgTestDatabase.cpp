#include "PgTestDatabase.h"

#include "data/DbError.h"
#include "data/PgConnection.h"

#include <QCoreApplication>
#include <QUrl>

QString PgTestDatabase::skipReasonOfRun() {
    const QString server = qEnvironmentVariable("LORVANTO_TEST_POSTGRES");
    if (server == QLatin1String("off"))
        return QStringLiteral("PostgreSQL skipped: LORVANTO_TEST_POSTGRES=off");
    if (server.isEmpty())
        return QStringLiteral("PostgreSQL skipped: no LORVANTO_TEST_POSTGRES (scripts/test sets it)");
    return QString();
}

PgTestDatabase::PgTestDatabase() {
    const QString server = qEnvironmentVariable("LORVANTO_TEST_POSTGRES");
    m_skip = skipReasonOfRun();
    if (!m_skip.isEmpty())
        return;
    static int serial = 0;
    const QString name =
        QStringLiteral("lv_test_%1_%2").arg(QCoreApplication::applicationPid()).arg(++serial);
    try {
        PgConnection admin;
        admin.open(server);
        admin.exec(QStringLiteral("CREATE DATABASE %1 TEMPLATE template0 ENCODING 'UTF8'").arg(name));
        QUrl url(server);
        url.setPath(QLatin1Char('/') + name);
        m_uri = url.toString();
    } catch (const DbError &e) {
        m_error = QStringLiteral("PostgreSQL test server %1: %2").arg(server, e.message());
    }
}
