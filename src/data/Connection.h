#pragma once

#include "data/Recordset.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QHash>
#include <QString>
#include <QVariantList>
#include <memory>

struct sqlite3;
struct sqlite3_stmt;

class Connection;
class PgConnection;
class PgStatement;

// A prepared statement, kept for reuse; finalised when destroyed.
class Statement {
public:
    Statement(Connection &connection, const QString &sql);
    ~Statement();
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;

    // Binds the values in order (a null QVariant binds NULL) and runs the statement to its end. A selecting
    // statement gives its rows; any other gives an empty recordset.
    Recordset run(const QVariantList &values);
    bool isSelect() const;
    QString sql() const { return m_sql; }

private:
    void bind(int index, const QVariant &value);

    Connection &m_connection;
    sqlite3_stmt *m_stmt = nullptr;
    std::unique_ptr<PgStatement> m_pg; // the statement on a server instead
    QString m_sql;
};

// One open SQLCipher database file, or a database on a PostgreSQL server when the path is a libpq URI
// (postgresql://...). Opening checks the key and that the database is a Lorvanto database, so a wrong one
// is refused before anything relies on it; nothing is written by opening. Callers do not ask which engine
// is behind it: the file-only calls (handle, key, rekey) are for the code that moves files.
class Connection {
public:
    Connection();
    ~Connection();
    Connection(const Connection &) = delete;
    Connection &operator=(const Connection &) = delete;

    // Opens an existing database file under the key. Throws DbError with the reason when the file cannot
    // be opened, it is damaged, or the tables of the program are not all there; KeyRefused when the engine
    // cannot read it under the key.
    // A libpq URI opens the server database instead; the key is not used there.
    void open(const QString &path, const QByteArray &key, bool verifyFile = true);
    // Makes a new, empty, encrypted file (which must not exist) and leaves it open.
    void create(const QString &path, const QByteArray &key);
    void close();
    bool isOpen() const { return m_db != nullptr || m_pg != nullptr; }
    bool isServer() const { return m_pg != nullptr; }
    PgConnection *server() const { return m_pg.get(); }
    QString path() const { return m_path; }
    // Which database is open, for the user: the file's path, or the database and its server.
    QString description() const;
    sqlite3 *handle() const { return m_db; }
    // The key the file was opened under, as the engine takes it: copies of the file are made under it.
    const QByteArray &key() const { return m_key; }
    // Re-encrypts the whole file under another key, in one write of the engine.
    void rekey(const QByteArray &key);
    // Waits at most this long for other users' locks instead of the usual several seconds.
    void setBusyTimeout(int ms);

    void exec(const QString &sql);
    Recordset query(const QString &sql, const QVariantList &values = {});

    // The key of the row this connection inserted last into a table, kept per table so that another
    // copy of the program inserting into the same shared file cannot hand us its key.
    void noteInsert(const QString &table, qint64 key) { m_lastInsert.insert(table.toUpper(), key); }
    bool hasInserted(const QString &table) const { return m_lastInsert.contains(table.toUpper()); }
    qint64 lastInsert(const QString &table) const { return m_lastInsert.value(table.toUpper(), 0); }
    // The key of the row this connection's last INSERT made, as the engine tells it.
    qint64 lastInsertRowid() const;

    // Transactions nest: the outermost one begins IMMEDIATE (it waits for another writer instead of failing
    // half-way), inner ones are savepoints.
    void begin();
    void commit();
    void rollback();
    int transactionDepth() const { return m_depth; }

    // Throws DbError for a failed engine call, with the engine's message and a Hungarian explanation.
    void check(int rc, const char *what = nullptr) const;
    // Throws DbError when the file misses any table of the program or fails the engine's quick check.
    void verify();
    // The names of the tables the database holds, in capitals, on either engine.
    QStringList tables();

private:
    void openHandle(const QString &path, const QByteArray &key, int flags);

    sqlite3 *m_db = nullptr;
    std::unique_ptr<PgConnection> m_pg;
    QString m_path;
    QByteArray m_key;
    QHash<QString, qint64> m_lastInsert;
    int m_depth = 0;
    QElapsedTimer m_busySince; // since when the current wait for another user's lock lasts
};

// Runs its scope in one transaction; rolls back unless commit() was called.
class Transaction {
public:
    explicit Transaction(Connection &connection) : m_connection(connection) { m_connection.begin(); }
    ~Transaction();
    void commit();

private:
    Connection &m_connection;
    bool m_done = false;
};
