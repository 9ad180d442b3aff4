#include "data/DatabaseCopy.h"

#include "data/AppData.h"
#include "data/Clock.h"
#include "data/Connection.h"
#include "data/DatabaseKey.h"
#include "data/DbError.h"
#include "data/PgConnection.h"
#include "data/SchoolCopy.h"
#include "data/WriteTarget.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <filesystem>
#include <sqlite3.h>
#include <system_error>

namespace {

QString tempBeside(const QString &target) {
    return target + QStringLiteral(".masolat");
}

void moveOver(const QString &from, const QString &to) {
    std::error_code ec;
    std::filesystem::rename(std::filesystem::path(QFile::encodeName(from).toStdString()),
                            std::filesystem::path(QFile::encodeName(to).toStdString()), ec);
    if (ec) {
        QFile::remove(from);
        throw DbError(QStringLiteral("A(z) „%1” fájl nem írható: %2")
                          .arg(to, QString::fromLocal8Bit(ec.message().c_str())));
    }
}

} // namespace

void DatabaseCopy::backup(Connection &source, const QString &dest) {
    moveOver(snapshot(source, dest), dest);
}

QString DatabaseCopy::snapshot(Connection &source, const QString &dest) {
    WriteTarget::check(dest);
    if (!source.isOpen())
        throw DbError(QStringLiteral("Az adatbázis nincs megnyitva."));
    const QString temp = tempBeside(dest);
    QFile::remove(temp);
    if (source.isServer()) {
        // A server database is no file to copy: its rows go into a new file under this installation's
        // strongest key, checked row for row against the server.
        SchoolCopy::copy(AppData::current(), source.path(), temp);
        return temp;
    }
    try {
        Connection target;
        target.create(temp, source.key());
        sqlite3_backup *b = sqlite3_backup_init(target.handle(), "main", source.handle(), "main");
        if (!b)
            target.check(sqlite3_errcode(target.handle()));
        int rc = sqlite3_backup_step(b, -1);
        const int finish = sqlite3_backup_finish(b);
        if (rc == SQLITE_DONE)
            rc = finish;
        target.check(rc);
        target.close();
        target.open(temp, source.key()); // the engine's quick check and the tables
    } catch (...) {
        QFile::remove(temp);
        throw;
    }
    return temp;
}

QByteArray DatabaseCopy::check(const QString &path) {
    Connection c;
    // checks the key, the engine's quick check and the tables
    if (AppData::hasCurrent())
        AppData::current().openWithKeys(c, path);
    else
        c.open(path, databaseKey());
    return c.key();
}

QString DatabaseCopy::backupName(const QString &database) {
    const QFileInfo info(database);
    const QString stem = info.dir().filePath(info.completeBaseName() + QStringLiteral("_mentes_") +
                                             Clock::now().toString(QStringLiteral("yyyyMMdd_HHmmss")));
    const QString suffix = info.suffix().isEmpty() ? QString() : QLatin1Char('.') + info.suffix();
    QString name = stem + suffix;
    for (int n = 2; QFileInfo::exists(name); ++n)
        name = stem + QStringLiteral("_%1").arg(n) + suffix;
    return name;
}

QString DatabaseCopy::stage(const QString &source, const QString &target, const QByteArray &key) {
    const QByteArray sourceKey = check(source);
    // A server database takes the copy's rows in replace(), in one transaction; until then the copy waits
    // in the temporary folder, as it waits beside a file.
    const QString temp =
        PgConnection::isUri(target)
            ? QDir::temp().filePath(
                  QStringLiteral("lorvanto-%1.visszaallitas").arg(QCoreApplication::applicationPid()))
            : tempBeside(target);
    QFile::remove(temp);
    if (!QFile::copy(source, temp)) {
        QFile::remove(temp);
        throw DbError(QStringLiteral("A(z) „%1” fájl nem másolható ide: %2")
                          .arg(source, QFileInfo(target).absolutePath()));
    }
    try {
        Connection c;
        c.open(temp, sourceKey);
        // A copy from before the school had its key must not take the database back to the built-in one.
        if (!key.isEmpty() && key != sourceKey) {
            c.rekey(key);
            c.close();
            c.open(temp, key);
        }
    } catch (...) {
        QFile::remove(temp);
        throw;
    }
    return temp;
}

void DatabaseCopy::replace(const QString &staged, const QString &target) {
    if (PgConnection::isUri(target)) {
        const auto removed = qScopeGuard([&staged] { QFile::remove(staged); });
        SchoolCopy::restore(AppData::current(), staged, target);
        return;
    }
    moveOver(staged, target);
}
