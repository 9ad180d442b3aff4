#include "data/SchoolCopy.h"

#include "data/AppData.h"
#include "data/Connection.h"
#include "data/DbError.h"
#include "data/PgConnection.h"
#include "data/Schema.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <memory>

namespace {

// Values bound to one insert of many rows: well under the smallest limit the file's engine may have.
constexpr int kValuesPerInsert = 900;

bool sameDatabase(const QString &a, const QString &b) {
    if (PgConnection::isUri(a) || PgConnection::isUri(b))
        return a == b;
    const QFileInfo fa(a), fb(b);
    return fa.exists() && fb.exists() && fa.canonicalFilePath() == fb.canonicalFilePath();
}

qint64 number(Connection &c, const QString &sql, const QVariantList &values = {}) {
    const Recordset rs = c.query(sql, values);
    return rs.count() ? rs.at(0, QStringLiteral("n")).toLongLong() : 0;
}

qint64 rowCount(Connection &c, const QString &table) {
    return number(c, QStringLiteral("SELECT count(*) AS n FROM %1").arg(table));
}

// The highest key a table's counter has handed out: past its highest row when the rows on top were deleted.
qint64 usedKeys(Connection &c, const QString &table, const QString &key) {
    const qint64 highest = number(c, QStringLiteral("SELECT max(%1) AS n FROM %2").arg(key, table));
    const qint64 counter =
        c.isServer()
            ? number(c,
                     QStringLiteral("SELECT pg_sequence_last_value(pg_get_serial_sequence(?, ?)::regclass) "
                                    "AS n"),
                     {table.toLower(), key})
            : number(c, QStringLiteral("SELECT seq AS n FROM sqlite_sequence WHERE upper(name) = ?"),
                     {table});
    return std::max(highest, counter);
}

// Rows inserted with their keys leave a server's identity sequence where it was, so its next insert would
// take key 1 again; the file's counter follows given keys by itself, but not deleted ones on top.
void continueKeys(Connection &c, const QString &table, const QString &key, qint64 used) {
    if (c.isServer()) {
        c.query(QStringLiteral("SELECT setval(pg_get_serial_sequence(?, ?)::regclass, ?, ?) AS n"),
                {table.toLower(), key, std::max<qint64>(used, 1), used > 0});
        return;
    }
    c.query(QStringLiteral("DELETE FROM sqlite_sequence WHERE upper(name) = ?"), {table});
    if (used > 0)
        c.query(QStringLiteral("INSERT INTO sqlite_sequence (name, seq) VALUES (?, ?)"), {table, used});
}

// Copies the rows of one table in key order, many rows to an insert; gives how many.
qint64 copyRows(Connection &from, Connection &to, const QString &table, const QStringList &columns) {
    const QString &key = columns.constFirst();
    const int perInsert = std::max(1, kValuesPerInsert / int(columns.size()));
    const QString select = QStringLiteral("SELECT * FROM %1%2 ORDER BY %3 LIMIT %4");
    Statement first(from, select.arg(table, QString(), key).arg(perInsert));
    Statement next(from, select.arg(table, QStringLiteral(" WHERE %1 > ?").arg(key), key).arg(perInsert));
    const QString row = QLatin1Char('(') +
                        QStringList(columns.size(), QStringLiteral("?")).join(QStringLiteral(", ")) +
                        QLatin1Char(')');
    const auto insertText = [&](int rows) {
        return QStringLiteral("INSERT INTO %1 (%2) VALUES %3")
            .arg(table, columns.join(QStringLiteral(", ")),
                 QStringList(rows, row).join(QStringLiteral(", ")));
    };
    std::unique_ptr<Statement> fullInsert;
    qint64 copied = 0;
    for (Recordset page = first.run({}); page.count() > 0;) {
        QVariantList values;
        values.reserve(page.count() * columns.size());
        for (int r = 0; r < page.count(); ++r)
            for (const QString &column : columns)
                values << page.at(r, column);
        if (page.count() < perInsert) {
            Statement(to, insertText(page.count())).run(values);
            return copied + page.count();
        }
        if (!fullInsert)
            fullInsert = std::make_unique<Statement>(to, insertText(perInsert));
        fullInsert->run(values);
        copied += page.count();
        page = next.run({page.at(page.count() - 1, key)});
    }
    return copied;
}

// The program's tables in the target, empty: made when a new file or a server database has none of them.
void prepareTarget(Connection &c, bool newFile) {
    bool none = newFile;
    if (c.isServer()) {
        QStringList missing = Schema::tableNames();
        for (const QString &present : c.tables())
            missing.removeAll(present);
        none = missing.size() == Schema::tableNames().size();
        if (!none && !missing.isEmpty())
            throw DbError(QStringLiteral("A cél adatbázisban a program tábláinak csak egy része van meg "
                                         "(hiányzik: %1); nem írtam bele semmit.")
                              .arg(missing.join(QStringLiteral(", "))));
    }
    if (none)
        return Schema::createTables(c);
    Schema::upgrade(c);
    for (const QString &table : Schema::tableNames())
        if (const qint64 n = rowCount(c, table))
            throw DbError(QStringLiteral("A cél adatbázis nem üres: a(z) %1 táblában %2 sor van. Az iskola "
                                         "csak üres adatbázisba másolható (a táblákat a másolás maga "
                                         "elkészíti); nem írtam bele semmit.")
                              .arg(table)
                              .arg(n));
}

// One moment of the source, also while others write to it; ended without writing anything.
class Snapshot {
public:
    explicit Snapshot(Connection &c) : m_c(c) {
        m_c.exec(c.isServer() ? QStringLiteral("BEGIN ISOLATION LEVEL REPEATABLE READ READ ONLY")
                              : QStringLiteral("BEGIN"));
    }
    ~Snapshot() {
        try {
            m_c.exec(QStringLiteral("ROLLBACK"));
        } catch (...) {
            // Nothing was written; the connection closes next.
        }
    }
    Snapshot(const Snapshot &) = delete;
    Snapshot &operator=(const Snapshot &) = delete;

private:
    Connection &m_c;
};

QList<SchoolCopy::Table> copyInto(Connection &from, Connection &to, bool newFile, bool replace) {
    Snapshot snapshot(from);
    Transaction t(to);
    if (replace) {
        for (const QString &table : Schema::tableNames())
            to.exec(QStringLiteral("DELETE FROM %1").arg(table));
    }
    prepareTarget(to, newFile);
    QList<SchoolCopy::Table> tables;
    for (const QString &table : Schema::tableNames()) {
        const QStringList columns =
            from.query(QStringLiteral("SELECT * FROM %1 WHERE 1 = 0").arg(table)).columns();
        const qint64 copied = copyRows(from, to, table, columns);
        const qint64 inSource = rowCount(from, table);
        const qint64 inTarget = rowCount(to, table);
        if (copied != inSource || inTarget != inSource)
            throw DbError(
                QStringLiteral("A(z) %1 tábla sorainak száma a célban %2, a forrásban %3; a másolást "
                               "visszavontam.")
                    .arg(table)
                    .arg(inTarget)
                    .arg(inSource));
        continueKeys(to, table, columns.constFirst(), usedKeys(from, table, columns.constFirst()));
        tables.append({table, copied});
    }
    t.commit();
    return tables;
}

} // namespace

namespace {

QList<SchoolCopy::Table> copyOrReplace(const AppData &keys, const QString &from, const QString &to,
                                       bool replace) {
    if (sameDatabase(from, to))
        throw DbError(QStringLiteral("A forrás és a cél ugyanaz az adatbázis."));
    Connection source;
    if (PgConnection::isUri(from))
        source.open(from, QByteArray());
    else
        keys.openWithKeys(source, from);
    // A new file is built under a temporary name and renamed into place: a failed copy leaves nothing.
    const bool newFile = !PgConnection::isUri(to) && !QFileInfo::exists(to);
    const QString made = to + QStringLiteral(".uj");
    Connection target;
    try {
        if (newFile) {
            QFile::remove(made);
            target.create(made, keys.databaseKeys().constFirst().engine);
        } else if (PgConnection::isUri(to)) {
            target.open(to, QByteArray(), false);
        } else {
            keys.openWithKeys(target, to);
        }
        QList<SchoolCopy::Table> tables = copyInto(source, target, newFile, replace);
        target.close();
        if (newFile && !QFile::rename(made, to))
            throw DbError(QStringLiteral("Az adatbázisfájl nem hozható létre itt: %1").arg(to));
        return tables;
    } catch (...) {
        target.close();
        if (newFile)
            QFile::remove(made);
        throw;
    }
}

} // namespace

QList<SchoolCopy::Table> SchoolCopy::copy(const AppData &keys, const QString &from, const QString &to) {
    return copyOrReplace(keys, from, to, false);
}

QList<SchoolCopy::Table> SchoolCopy::restore(const AppData &keys, const QString &from, const QString &to) {
    return copyOrReplace(keys, from, to, true);
}
