#include "data/Connection.h"

#include "data/DbError.h"
#include "data/PgConnection.h"
#include "data/Schema.h"

#include <QCollator>
#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLocale>
#include <QRandomGenerator>
#include <algorithm>
#include <sqlite3.h>

namespace {

// Text comparison that ignores case for every letter, accented ones included (SQLite's NOCASE folds ASCII
// only), as the lookups by name expect.
int compareNoCase(void *, int lenA, const void *a, int lenB, const void *b) {
    const QString sa = QString::fromUtf8(static_cast<const char *>(a), lenA);
    const QString sb = QString::fromUtf8(static_cast<const char *>(b), lenB);
    return sa.compare(sb, Qt::CaseInsensitive);
}

// Hungarian alphabetical order for names shown to people (Á after A, Í after I, Ö and Ő after O, lower
// and upper case together). Only the order changes; stored text is untouched.
int compareHungarian(void *collator, int lenA, const void *a, int lenB, const void *b) {
    const QString sa = QString::fromUtf8(static_cast<const char *>(a), lenA);
    const QString sb = QString::fromUtf8(static_cast<const char *>(b), lenB);
    const int c = static_cast<const QCollator *>(collator)->compare(sa, sb);
    // Names equal for the collator (differing in case only) still need a fixed order.
    return c != 0 ? c : sa.compare(sb);
}

const QCollator &hungarianCollator() {
    static const QCollator collator = [] {
        QCollator c{QLocale(QLocale::Hungarian, QLocale::Hungary)};
        c.setCaseSensitivity(Qt::CaseInsensitive);
        c.setNumericMode(true);
        return c;
    }();
    return collator;
}

// How long a user waits for the others' locks on the shared file before he is told that it is busy.
constexpr qint64 kBusyTimeoutMs = 8000;

// Waits for another user of the shared file in steps of a few milliseconds, a little apart for every copy of
// the program, so that a save queued behind others goes on soon after the file is free. The engine's own busy
// timeout sleeps a tenth of a second at a time once it has waited a while, so with many users a short save
// often slept long after its turn had come.
int waitWhileBusy(void *since, int attempt) {
    QElapsedTimer &waited = *static_cast<QElapsedTimer *>(since);
    if (attempt == 0)
        waited.start();
    if (waited.elapsed() >= kBusyTimeoutMs)
        return 0;
    // After a second the file is held by something longer than a save: ask less often, which on a network
    // share spares the file server a stream of lock requests.
    const int step = waited.elapsed() < 1000 ? std::min(attempt + 1, 4) : 15;
    sqlite3_sleep(step + int(QRandomGenerator::global()->bounded(3)));
    return 1;
}

QString explain(int rc) {
    switch (rc & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return QStringLiteral("Az adatbázist most egy másik felhasználó használja, próbálja újra később.");
    case SQLITE_NOTADB:
        return QStringLiteral("A fájl nem Lorvanto adatbázis, vagy nem nyitható meg a program kulcsával.");
    case SQLITE_CORRUPT:
        return QStringLiteral("Az adatbázisfájl megsérült.");
    case SQLITE_READONLY:
        return QStringLiteral("Az adatbázisfájl nem írható.");
    case SQLITE_FULL:
        return QStringLiteral("Betelt a lemez.");
    case SQLITE_CANTOPEN:
        return QStringLiteral("Az adatbázisfájl nem nyitható meg.");
    case SQLITE_IOERR:
        return QStringLiteral("Hiba történt az adatbázisfájl olvasása vagy írása közben.");
    default:
        return QString();
    }
}

QVariant readColumn(sqlite3_stmt *stmt, int i) {
    switch (sqlite3_column_type(stmt, i)) {
    case SQLITE_NULL:
        return QVariant();
    case SQLITE_INTEGER: {
        const qint64 v = sqlite3_column_int64(stmt, i);
        const char *decl = sqlite3_column_decltype(stmt, i);
        if (decl && qstricmp(decl, "BOOLEAN") == 0)
            return QVariant(v != 0);
        return QVariant(v);
    }
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(stmt, i));
    case SQLITE_BLOB:
        return QByteArray(static_cast<const char *>(sqlite3_column_blob(stmt, i)),
                          sqlite3_column_bytes(stmt, i));
    default: {
        const QString text = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt, i)),
                                               sqlite3_column_bytes(stmt, i));
        const char *decl = sqlite3_column_decltype(stmt, i);
        if (decl && qstricmp(decl, "DATE") == 0) {
            const QDate d = QDate::fromString(text.left(10), Qt::ISODate);
            return d.isValid() ? QVariant(d) : QVariant(text);
        }
        if (decl && qstricmp(decl, "DATETIME") == 0) {
            QDateTime dt = QDateTime::fromString(text, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
            if (!dt.isValid())
                dt = QDateTime::fromString(text, Qt::ISODate);
            return dt.isValid() ? QVariant(dt) : QVariant(text);
        }
        return QVariant(text);
    }
    }
}

} // namespace

// ---------------------------------------------------------------------------------------------------------

Statement::Statement(Connection &connection, const QString &sql) : m_connection(connection), m_sql(sql) {
    if (connection.server()) {
        m_pg = std::make_unique<PgStatement>(*connection.server(), sql);
        return;
    }
    const QByteArray utf8 = sql.toUtf8();
    const int rc =
        sqlite3_prepare_v2(connection.handle(), utf8.constData(), int(utf8.size()), &m_stmt, nullptr);
    connection.check(rc);
}

Statement::~Statement() {
    sqlite3_finalize(m_stmt);
}

bool Statement::isSelect() const {
    if (m_pg)
        return m_pg->isSelect();
    return sqlite3_column_count(m_stmt) > 0;
}

void Statement::bind(int index, const QVariant &value) {
    int rc = SQLITE_OK;
    if (value.isNull()) {
        rc = sqlite3_bind_null(m_stmt, index);
    } else {
        switch (value.typeId()) {
        case QMetaType::Bool:
            rc = sqlite3_bind_int64(m_stmt, index, value.toBool() ? 1 : 0);
            break;
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
        case QMetaType::Short:
        case QMetaType::UShort:
            rc = sqlite3_bind_int64(m_stmt, index, value.toLongLong());
            break;
        case QMetaType::Double:
        case QMetaType::Float:
            rc = sqlite3_bind_double(m_stmt, index, value.toDouble());
            break;
        case QMetaType::QDate: {
            const QByteArray t = value.toDate().toString(Qt::ISODate).toUtf8();
            rc = sqlite3_bind_text(m_stmt, index, t.constData(), int(t.size()), SQLITE_TRANSIENT);
            break;
        }
        case QMetaType::QDateTime: {
            const QByteArray t = value.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")).toUtf8();
            rc = sqlite3_bind_text(m_stmt, index, t.constData(), int(t.size()), SQLITE_TRANSIENT);
            break;
        }
        case QMetaType::QByteArray: {
            const QByteArray b = value.toByteArray();
            rc = sqlite3_bind_blob(m_stmt, index, b.constData(), int(b.size()), SQLITE_TRANSIENT);
            break;
        }
        default: {
            const QByteArray t = value.toString().toUtf8();
            rc = sqlite3_bind_text(m_stmt, index, t.constData(), int(t.size()), SQLITE_TRANSIENT);
            break;
        }
        }
    }
    m_connection.check(rc);
}

Recordset Statement::run(const QVariantList &values) {
    if (m_pg)
        return m_pg->run(values);
    sqlite3_reset(m_stmt);
    sqlite3_clear_bindings(m_stmt);
    const int expected = sqlite3_bind_parameter_count(m_stmt);
    if (values.size() != expected)
        throw DbError(
            QStringLiteral("A lekérdezés %1 paramétert vár, %2 érkezett.").arg(expected).arg(values.size()));
    for (int i = 0; i < values.size(); ++i)
        bind(i + 1, values[i]);

    const int columns = sqlite3_column_count(m_stmt);
    QStringList names;
    for (int i = 0; i < columns; ++i)
        names << QString::fromUtf8(sqlite3_column_name(m_stmt, i));
    std::vector<std::vector<QVariant>> rows;
    for (;;) {
        const int rc = sqlite3_step(m_stmt);
        if (rc == SQLITE_DONE)
            break;
        if (rc != SQLITE_ROW) {
            sqlite3_reset(m_stmt);
            m_connection.check(rc);
        }
        std::vector<QVariant> row;
        row.reserve(size_t(columns));
        for (int i = 0; i < columns; ++i)
            row.push_back(readColumn(m_stmt, i));
        rows.push_back(std::move(row));
    }
    // Reset at once so the statement holds no read lock on the shared file while results are used.
    sqlite3_reset(m_stmt);
    Recordset rs(names, std::move(rows));
    if (!sqlite3_stmt_readonly(m_stmt))
        rs.setChanged(sqlite3_changes(m_connection.handle()));
    return rs;
}

// ---------------------------------------------------------------------------------------------------------

Connection::Connection() = default;

Connection::~Connection() {
    close();
}

void Connection::check(int rc, const char *what) const {
    if (rc == SQLITE_OK || rc == SQLITE_ROW || rc == SQLITE_DONE)
        return;
    QString engine = m_db ? QString::fromUtf8(sqlite3_errmsg(m_db)) : QString::fromUtf8(sqlite3_errstr(rc));
    if (what)
        engine = QString::fromUtf8(what) + QStringLiteral(": ") + engine;
    const QString hu = explain(rc);
    throw DbError(hu.isEmpty() ? engine : hu + QStringLiteral("\n(") + engine + QStringLiteral(")"), rc);
}

void Connection::openHandle(const QString &path, const QByteArray &key, int flags) {
    close();
    sqlite3 *db = nullptr;
    const int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &db, flags, nullptr);
    if (rc != SQLITE_OK) {
        const QString msg =
            db ? QString::fromUtf8(sqlite3_errmsg(db)) : QString::fromUtf8(sqlite3_errstr(rc));
        sqlite3_close(db);
        throw DbError(explain(rc) + QStringLiteral("\n(") + msg + QStringLiteral(")"), rc);
    }
    m_db = db;
    m_path = path;
    m_lastInsert.clear();
    m_depth = 0;
    try {
        check(sqlite3_key(m_db, key.constData(), int(key.size())));
        // Two users of one shared file wait for each other rather than fail at once.
        check(sqlite3_busy_handler(m_db, waitWhileBusy, &m_busySince));
        check(sqlite3_create_collation(m_db, "HU_NOCASE", SQLITE_UTF8, nullptr, compareNoCase));
        check(sqlite3_create_collation(m_db, "HU", SQLITE_UTF8, const_cast<QCollator *>(&hungarianCollator()),
                                       compareHungarian));
        // Reading the schema is what proves the key: a wrong key or a foreign file fails here.
        try {
            query(QStringLiteral("SELECT count(*) FROM sqlite_master"));
        } catch (const DbError &e) {
            if ((e.code() & 0xff) == SQLITE_NOTADB)
                throw KeyRefused(e.message(), e.code());
            throw;
        }
        m_key = key;
    } catch (...) {
        close();
        throw;
    }
}

void Connection::open(const QString &path, const QByteArray &key, bool verifyFile) {
    if (PgConnection::isUri(path)) {
        close();
        auto pg = std::make_unique<PgConnection>();
        pg->open(path);
        m_pg = std::move(pg);
        m_path = path;
        m_lastInsert.clear();
        m_depth = 0;
        try {
            // A user waits for the others' locks as long as on the shared file, then is told it is busy.
            setBusyTimeout(int(kBusyTimeoutMs));
            if (verifyFile)
                verify();
        } catch (...) {
            close();
            throw;
        }
        return;
    }
    if (!QFileInfo(path).isFile())
        throw DatabaseMissing(path);
    openHandle(path, key, SQLITE_OPEN_READWRITE);
    if (!verifyFile)
        return;
    try {
        verify();
    } catch (...) {
        close();
        throw;
    }
}

void Connection::create(const QString &path, const QByteArray &key) {
    if (QFileInfo::exists(path))
        throw DbError(QStringLiteral("A(z) „%1” fájl már létezik, nem írom felül.").arg(path));
    openHandle(path, key, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
}

QString Connection::description() const {
    if (m_pg)
        return QStringLiteral("PostgreSQL: ") + m_pg->describe();
    return QDir::toNativeSeparators(m_path);
}

void Connection::verify() {
    if (!m_pg) {
        // The engine names the result column differently between versions: read the first one.
        const Recordset check = query(QStringLiteral("PRAGMA quick_check"));
        const QString result = check.count() ? check.at(0, check.columns().value(0)).toString() : QString();
        if (check.count() != 1 || result != QLatin1String("ok"))
            throw DbError(QStringLiteral("Az adatbázisfájl megsérült (%1).").arg(result), SQLITE_CORRUPT);
    }
    const QStringList present = tables();
    QStringList missing;
    for (const QString &t : Schema::tableNames())
        if (!present.contains(t))
            missing << t;
    if (!missing.isEmpty())
        throw DbError(QStringLiteral("%1 nem Lorvanto adatbázis: hiányzó táblák: %2.")
                          .arg(m_pg ? QStringLiteral("Az adatbázis") : QStringLiteral("A fájl"),
                               missing.join(QStringLiteral(", "))),
                      SQLITE_NOTADB);
}

QStringList Connection::tables() {
    const Recordset rs =
        query(m_pg ? QStringLiteral("SELECT upper(table_name) AS name FROM information_schema.tables WHERE "
                                    "table_schema = current_schema()")
                   : QStringLiteral("SELECT upper(name) AS name FROM sqlite_master WHERE type='table'"));
    QStringList names;
    for (int i = 0; i < rs.count(); ++i)
        names << rs.at(i, QStringLiteral("name")).toString();
    return names;
}

void Connection::close() {
    m_pg.reset();
    if (m_db) {
        sqlite3_close_v2(m_db);
        m_db = nullptr;
    }
    m_key.clear();
    m_depth = 0;
}

void Connection::rekey(const QByteArray &key) {
    if (m_pg)
        throw DbError(QStringLiteral("A kiszolgálón lévő adatbázisnak nincs kulcsa."));
    if (!m_db)
        throw DbError(QStringLiteral("Az adatbázis nincs megnyitva."));
    check(sqlite3_rekey(m_db, key.constData(), int(key.size())));
    m_key = key;
}

void Connection::setBusyTimeout(int ms) {
    if (m_pg) {
        // The server's way of waiting for another user's locks for at most this long.
        m_pg->exec(QStringLiteral("SET lock_timeout = %1").arg(ms));
        return;
    }
    check(sqlite3_busy_timeout(m_db, ms));
}

void Connection::exec(const QString &sql) {
    if (m_pg)
        return m_pg->exec(sql);
    if (!m_db)
        throw DbError(QStringLiteral("Az adatbázis nincs megnyitva."));
    char *err = nullptr;
    const int rc = sqlite3_exec(m_db, sql.toUtf8().constData(), nullptr, nullptr, &err);
    sqlite3_free(err);
    check(rc);
}

Recordset Connection::query(const QString &sql, const QVariantList &values) {
    if (!isOpen())
        throw DbError(QStringLiteral("Az adatbázis nincs megnyitva."));
    Statement stmt(*this, sql);
    return stmt.run(values);
}

qint64 Connection::lastInsertRowid() const {
    // On the server the key of an insert that returns nothing is the value its own serial column drew in
    // this session; another user's insert draws in his session and cannot change it.
    if (m_pg)
        return m_pg->query(QStringLiteral("SELECT lastval() AS id")).at(0, QStringLiteral("id")).toLongLong();
    return sqlite3_last_insert_rowid(m_db);
}

void Connection::begin() {
    if (m_pg) {
        m_pg->begin();
        m_depth = m_pg->transactionDepth();
        return;
    }
    if (m_depth == 0)
        exec(QStringLiteral("BEGIN IMMEDIATE"));
    else
        exec(QStringLiteral("SAVEPOINT lv%1").arg(m_depth));
    ++m_depth;
}

void Connection::commit() {
    if (m_pg) {
        // The depth follows the server connection's, also when its COMMIT fails and rolls back.
        struct Follow {
            Connection &c;
            ~Follow() { c.m_depth = c.m_pg->transactionDepth(); }
        } follow{*this};
        m_pg->commit();
        return;
    }
    if (m_depth <= 0)
        return;
    if (m_depth > 1) {
        exec(QStringLiteral("RELEASE lv%1").arg(m_depth - 1));
        --m_depth;
        return;
    }
    try {
        exec(QStringLiteral("COMMIT"));
    } catch (...) {
        // A failed COMMIT (busy past the timeout, an I/O error) leaves the transaction open in the engine.
        // Left so, it would keep the write lock from every other user and swallow every later write; undo
        // it, so that the engine and this connection agree that no transaction is open.
        if (!sqlite3_get_autocommit(m_db))
            sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
        m_depth = 0;
        throw;
    }
    m_depth = 0;
}

void Connection::rollback() {
    if (m_pg) {
        struct Follow {
            Connection &c;
            ~Follow() { c.m_depth = c.m_pg->transactionDepth(); }
        } follow{*this};
        m_pg->rollback();
        return;
    }
    if (m_depth <= 0)
        return;
    --m_depth;
    if (m_depth == 0) {
        exec(QStringLiteral("ROLLBACK"));
    } else {
        exec(QStringLiteral("ROLLBACK TO lv%1").arg(m_depth));
        exec(QStringLiteral("RELEASE lv%1").arg(m_depth));
    }
}

Transaction::~Transaction() {
    if (!m_done) {
        try {
            m_connection.rollback();
        } catch (...) {
            // The engine already rolled back (for example after an I/O error); nothing more to undo.
        }
    }
}

void Transaction::commit() {
    m_connection.commit();
    m_done = true;
}
