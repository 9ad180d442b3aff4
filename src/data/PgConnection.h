#pragma once

#include "data/Recordset.h"

#include <QString>
#include <QVariantList>
#include <vector>

struct pg_conn;
struct pg_result;

class PgConnection;

// A statement prepared on the server, kept for reuse. The catalogue writes its placeholders as `?`; they are
// numbered ($1, $2, ...) for the server when the statement is prepared.
class PgStatement {
public:
    PgStatement(PgConnection &connection, const QString &sql);
    ~PgStatement();
    PgStatement(const PgStatement &) = delete;
    PgStatement &operator=(const PgStatement &) = delete;

    // Sends the values in order (a null QVariant sends NULL) and reads the whole result. A statement that
    // gives rows (a SELECT, an INSERT ... RETURNING) gives them; changed() counts the rows written.
    Recordset run(const QVariantList &values);
    bool isSelect() const { return m_columns > 0; }
    QString sql() const { return m_sql; }

private:
    PgConnection &m_connection;
    QString m_sql;
    QByteArray m_name;
    int m_params = 0;
    int m_columns = 0;
    // Per parameter: the server takes no text there (a number, a date), so a blank text means no value.
    std::vector<bool> m_blankIsNull;
};

// One connection to a database on a PostgreSQL server, named by a libpq URI
// (postgresql://USER@HOST:PORT/DBNAME?sslmode=...). A password never comes in the URI: libpq takes it from
// the password file (~/.pgpass) or the service file, so no log or settings file ever holds it.
class PgConnection {
public:
    PgConnection() = default;
    ~PgConnection();
    PgConnection(const PgConnection &) = delete;
    PgConnection &operator=(const PgConnection &) = delete;

    // True for a text that names a server database rather than a file.
    static bool isUri(const QString &text);
    // Connects. Throws DbError with the server's reason, or when the URI carries a password.
    void open(const QString &uri);
    void close();
    bool isOpen() const { return m_conn != nullptr; }
    QString uri() const { return m_uri; }
    // The database and server as a user reads them, e.g. "lorvanto (szerver:5432)"; never a password.
    QString describe() const;
    pg_conn *handle() const { return m_conn; }

    void exec(const QString &sql);
    Recordset query(const QString &sql, const QVariantList &values = {});

    // Transactions nest as on a file: the outermost one is a transaction, inner ones are savepoints.
    void begin();
    void commit();
    void rollback();
    int transactionDepth() const { return m_depth; }

    // Throws DbError for a result that is not a success, with the server's message and a Hungarian
    // explanation where one helps; the result is freed either way.
    void check(pg_result *result) const;
    // The statement with its `?` placeholders numbered for the server; quoted texts and names are left alone.
    static QString numbered(const QString &sql, int *count = nullptr);
    // A name for the next prepared statement of this connection.
    QByteArray nextStatementName() { return "lv" + QByteArray::number(++m_statements); }

private:
    pg_conn *m_conn = nullptr;
    QString m_uri;
    int m_depth = 0;
    int m_statements = 0;
};
