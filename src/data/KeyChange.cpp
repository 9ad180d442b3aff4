#include "data/KeyChange.h"

#include "data/Connection.h"
#include "data/DatabaseCopy.h"
#include "data/DbError.h"
#include "data/PgConnection.h"
#include "data/WriteTarget.h"

#include <QDir>
#include <QFile>
#include <sqlite3.h>

namespace {

// How long the conversion waits for another user of the file before it gives up: a program that has the
// file open in a transaction is told at once rather than waited for.
constexpr int kLockWaitMs = 1500;

QString nothingChanged() {
    return QStringLiteral(" Az adatbázis nem változott.");
}

} // namespace

KeyChange::Result KeyChange::convert(const QString &path, const QList<DatabaseKey::Key> &keys) {
    // A server database is kept safe by its server (logins, the disk's own encryption): it has no key here.
    if (PgConnection::isUri(path))
        throw DbError(QStringLiteral("A kiszolgálón lévő adatbázisnak nincs titkosító kulcsa, ezért nem is "
                                     "titkosítható újra; a védelméről a kiszolgáló gondoskodik.") +
                      nothingChanged());
    Connection c;
    const DatabaseKey::Key old =
        DatabaseKey::openFirst(path, keys, [&](const QByteArray &key) { c.open(path, key); });
    c.setBusyTimeout(kLockWaitMs);
    // The exclusive lock keeps every other reader and writer out while the copy is made and checked.
    try {
        c.exec(QStringLiteral("BEGIN EXCLUSIVE"));
    } catch (const DbError &e) {
        if ((e.code() & 0xff) != SQLITE_BUSY && (e.code() & 0xff) != SQLITE_LOCKED)
            throw;
        throw DbError(
            QStringLiteral("Az adatbázist most egy másik program is használja, ezért nem titkosítható "
                           "újra; zárja be a programot a többi gépen, és próbálja újra.") +
                nothingChanged(),
            e.code());
    }
    Result result;
    try {
        if (c.query(QStringLiteral("SELECT count(*) AS n FROM EXPORT")).at(0, QStringLiteral("n")).toInt() >
            0)
            throw DbError(
                QStringLiteral("Egy osztály ki van exportálva ebből az adatbázisból (vagy ez egy "
                               "kiexportált osztály másolata), és a másolata az új kulccsal már nem "
                               "térhetne vissza; előbb importálja vissza vagy oldja fel az osztályt.") +
                nothingChanged());
        result.backup = DatabaseCopy::backupName(path);
        WriteTarget::check(result.backup);
        // No one else can write while the lock is held and no journal is left: the bytes are one whole state.
        const QString temp = result.backup + QStringLiteral(".masolat");
        QFile::remove(temp);
        if (!QFile::copy(path, temp)) {
            QFile::remove(temp);
            throw DbError(QStringLiteral("A biztonsági másolat nem írható: %1")
                              .arg(QDir::toNativeSeparators(result.backup)) +
                          nothingChanged());
        }
        try {
            Connection copy;
            copy.open(temp, old.engine);
        } catch (...) {
            QFile::remove(temp);
            throw;
        }
        DatabaseCopy::replace(temp, result.backup);
        c.exec(QStringLiteral("COMMIT"));
    } catch (...) {
        if (!sqlite3_get_autocommit(c.handle()))
            sqlite3_exec(c.handle(), "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
    try {
        result.raw = DatabaseKey::generate();
        c.rekey(DatabaseKey::engineKey(result.raw));
    } catch (...) {
        // The engine re-encrypts in one transaction: a failed conversion left the file under its old key.
        QFile::remove(result.backup);
        throw;
    }
    return result;
}
