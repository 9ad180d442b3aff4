#include "data/DatabaseCopy.h"

#include "data/Connection.h"
#include "data/DatabaseKey.h"
#include "data/DbError.h"
#include "data/WriteTarget.h"

#include <QFile>
#include <QFileInfo>
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
    try {
        Connection target;
        target.create(temp, databaseKey());
        sqlite3_backup *b = sqlite3_backup_init(target.handle(), "main", source.handle(), "main");
        if (!b)
            target.check(sqlite3_errcode(target.handle()));
        int rc = sqlite3_backup_step(b, -1);
        const int finish = sqlite3_backup_finish(b);
        if (rc == SQLITE_DONE)
            rc = finish;
        target.check(rc);
        target.close();
        check(temp);
    } catch (...) {
        QFile::remove(temp);
        throw;
    }
    return temp;
}

void DatabaseCopy::check(const QString &path) {
    Connection c;
    c.open(path, databaseKey()); // checks the key, the engine's quick check and the tables
}

QString DatabaseCopy::stage(const QString &source, const QString &target) {
    check(source);
    const QString temp = tempBeside(target);
    QFile::remove(temp);
    if (!QFile::copy(source, temp)) {
        QFile::remove(temp);
        throw DbError(QStringLiteral("A(z) „%1” fájl nem másolható ide: %2")
                          .arg(source, QFileInfo(target).absolutePath()));
    }
    try {
        check(temp);
    } catch (...) {
        QFile::remove(temp);
        throw;
    }
    return temp;
}

void DatabaseCopy::replace(const QString &staged, const QString &target) {
    moveOver(staged, target);
}
