#include "data/PgConnection.h"

#include "data/DbError.h"

#include <QDate>
#include <QDateTime>
#include <algorithm>
#include <libpq-fe.h>
#include <memory>
#include <vector>

namespace {

// Type numbers of the server's built-in types (pg_type.oid): fixed since the first releases.
enum : Oid {
    kBool = 16,
    kBytea = 17,
    kInt8 = 20,
    kInt2 = 21,
    kInt4 = 23,
    kOid = 26,
    kFloat4 = 700,
    kFloat8 = 701,
    kNumeric = 1700,
    kDate = 1082,
    kTimestamp = 1114,
    kTimestampTz = 1184,
    kText = 25,
    kBpchar = 1042,
    kVarchar = 1043,
    kUnknown = 705,
};

// The advisory lock every writing transaction takes first; it belongs to this program's database only.
constexpr qint64 kWriterLock = 0x4c6f7276616e746f; // "Lorvanto"

QString explain(const QString &state) {
    if (state.startsWith(QLatin1String("08")))
        return QStringLiteral("Az adatbázis-kiszolgáló nem érhető el.");
    if (state.startsWith(QLatin1String("28")))
        return QStringLiteral("Az adatbázis-kiszolgáló nem fogadta el a bejelentkezést (a jelszó a "
                              "felhasználó ~/.pgpass fájljában van).");
    if (state == QLatin1String("3D000"))
        return QStringLiteral("A kiszolgálón nincs ilyen adatbázis.");
    if (state == QLatin1String("40001") || state == QLatin1String("40P01") || state == QLatin1String("55P03"))
        return QStringLiteral("Az adatbázist most egy másik felhasználó használja, próbálja újra később.");
    if (state == QLatin1String("22P02") || state == QLatin1String("22007") || state == QLatin1String("22008"))
        return QStringLiteral("Egy szám vagy dátum helyére más került; javítsa, és mentse újra.");
    if (state == QLatin1String("53100"))
        return QStringLiteral("Betelt a kiszolgáló lemeze.");
    return QString();
}

DbError errorOf(const QString &engine, const QString &state) {
    const QString hu = explain(state);
    return DbError(hu.isEmpty() ? engine : hu + QStringLiteral("\n(") + engine + QStringLiteral(")"), 0,
                   state);
}

struct ResultFree {
    void operator()(PGresult *r) const { PQclear(r); }
};
using Result = std::unique_ptr<PGresult, ResultFree>;

QVariant readValue(const PGresult *res, int row, int col) {
    if (PQgetisnull(res, row, col))
        return QVariant();
    const char *raw = PQgetvalue(res, row, col);
    const int len = PQgetlength(res, row, col);
    switch (PQftype(res, col)) {
    case kBool:
        return QVariant(raw[0] == 't');
    case kInt2:
    case kInt4:
    case kInt8:
    case kOid:
        return QVariant(QByteArray(raw, len).toLongLong());
    case kFloat4:
    case kFloat8:
    case kNumeric:
        return QVariant(QByteArray(raw, len).toDouble());
    case kDate:
        return QVariant(QDate::fromString(QString::fromLatin1(raw, len), Qt::ISODate));
    case kTimestamp:
    case kTimestampTz: {
        // The server writes "yyyy-MM-dd HH:mm:ss[.fff][+zz]" under DateStyle ISO; seconds are what is kept.
        const QString text = QString::fromLatin1(raw, len).left(19);
        return QVariant(QDateTime::fromString(text, QStringLiteral("yyyy-MM-dd HH:mm:ss")));
    }
    case kBytea: {
        // Text results carry bytes as "\x" and hex digits (bytea_output = hex, set on connecting).
        const QByteArray text(raw, len);
        return QVariant(QByteArray::fromHex(text.startsWith("\\x") ? text.mid(2) : text));
    }
    default:
        return QVariant(QString::fromUtf8(raw, len));
    }
}

} // namespace

// ---------------------------------------------------------------------------------------------------------

PgStatement::PgStatement(PgConnection &connection, const QString &sql)
    : m_connection(connection), m_sql(sql), m_name(connection.nextStatementName()) {
    const QByteArray text = PgConnection::numbered(sql, &m_params).toUtf8();
    connection.check(PQprepare(connection.handle(), m_name.constData(), text.constData(), 0, nullptr));
    Result described(PQdescribePrepared(connection.handle(), m_name.constData()));
    if (PQresultStatus(described.get()) != PGRES_COMMAND_OK)
        connection.check(described.release());
    m_columns = PQnfields(described.get());
    // The file keeps whatever a form field held, an empty text in a number column too; the server refuses
    // it there, and an empty field means "not given" on both.
    m_blankIsNull.resize(size_t(m_params));
    for (int i = 0; i < m_params && i < PQnparams(described.get()); ++i) {
        const Oid type = PQparamtype(described.get(), i);
        m_blankIsNull[size_t(i)] = type != kText && type != kVarchar && type != kBpchar && type != kUnknown;
    }
}

PgStatement::~PgStatement() {
    // Inside a failed transaction the server refuses every command, DEALLOCATE too; the statement then
    // stays until the connection closes, under a name that is never used again.
    PGconn *conn = m_connection.handle();
    if (conn && PQtransactionStatus(conn) != PQTRANS_INERROR)
        PQclear(PQexec(conn, ("DEALLOCATE " + m_name).constData()));
}

Recordset PgStatement::run(const QVariantList &values) {
    if (values.size() != m_params)
        throw DbError(
            QStringLiteral("A lekérdezés %1 paramétert vár, %2 érkezett.").arg(m_params).arg(values.size()));
    // Values travel as text, which the server reads into the type of the column; bytes travel as bytes.
    // A truth value goes as 1 or 0, which an integer column and a boolean one both take.
    std::vector<QByteArray> texts(size_t(values.size()));
    std::vector<const char *> pointers(size_t(values.size()), nullptr);
    std::vector<int> lengths(size_t(values.size()), 0);
    std::vector<int> formats(size_t(values.size()), 0);
    for (int i = 0; i < values.size(); ++i) {
        const QVariant &v = values[i];
        if (v.isNull())
            continue;
        QByteArray &t = texts[size_t(i)];
        switch (v.typeId()) {
        case QMetaType::Bool:
            t = v.toBool() ? "1" : "0";
            break;
        case QMetaType::Double:
        case QMetaType::Float:
            t = QByteArray::number(v.toDouble(), 'g', 17);
            break;
        case QMetaType::QDate:
            t = v.toDate().toString(Qt::ISODate).toLatin1();
            break;
        case QMetaType::QDateTime:
            t = v.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")).toLatin1();
            break;
        case QMetaType::QByteArray:
            t = v.toByteArray();
            formats[size_t(i)] = 1;
            break;
        default:
            t = v.toString().toUtf8();
            if (m_blankIsNull[size_t(i)] && t.trimmed().isEmpty())
                continue;
            break;
        }
        pointers[size_t(i)] = t.constData();
        lengths[size_t(i)] = int(t.size());
    }
    Result res(PQexecPrepared(m_connection.handle(), m_name.constData(), int(values.size()), pointers.data(),
                              lengths.data(), formats.data(), 0));
    const ExecStatusType status = PQresultStatus(res.get());
    if (status != PGRES_TUPLES_OK && status != PGRES_COMMAND_OK)
        m_connection.check(res.release());
    const int columns = PQnfields(res.get());
    QStringList names;
    for (int c = 0; c < columns; ++c)
        names << QString::fromUtf8(PQfname(res.get(), c));
    std::vector<std::vector<QVariant>> rows(size_t(PQntuples(res.get())));
    for (int r = 0; r < int(rows.size()); ++r) {
        rows[size_t(r)].reserve(size_t(columns));
        for (int c = 0; c < columns; ++c)
            rows[size_t(r)].push_back(readValue(res.get(), r, c));
    }
    Recordset rs(names, std::move(rows));
    // A SELECT counts rows too; only writes report what they changed.
    const QByteArray tag(PQcmdStatus(res.get()));
    if (!tag.startsWith("SELECT"))
        rs.setChanged(QByteArray(PQcmdTuples(res.get())).toInt());
    return rs;
}

// ---------------------------------------------------------------------------------------------------------

PgConnection::~PgConnection() {
    close();
}

bool PgConnection::isUri(const QString &text) {
    return text.startsWith(QLatin1String("postgresql://")) || text.startsWith(QLatin1String("postgres://"));
}

QString PgConnection::numbered(const QString &sql, int *count) {
    QString out;
    out.reserve(sql.size() + 16);
    int n = 0;   // plain placeholders so far
    int top = 0; // the highest number a placeholder has
    QChar quote; // inside '...' or "..." when set
    for (qsizetype i = 0; i < sql.size(); ++i) {
        const QChar ch = sql[i];
        if (!quote.isNull()) {
            if (ch == quote)
                quote = QChar();
        } else if (ch == QLatin1Char('\'') || ch == QLatin1Char('"')) {
            quote = ch;
        } else if (ch == QLatin1Char('?')) {
            // "?2" names its value by number, as SQLite reads it; a bare "?" takes the next one.
            qsizetype end = i + 1;
            while (end < sql.size() && sql[end].isDigit())
                ++end;
            const int number = end > i + 1 ? sql.mid(i + 1, end - i - 1).toInt() : ++n;
            top = std::max(top, number);
            out += QLatin1Char('$') + QString::number(number);
            i = end - 1;
            continue;
        }
        out += ch;
    }
    if (count)
        *count = top;
    return out;
}

void PgConnection::check(pg_result *result) const {
    Result res(result);
    const ExecStatusType status = res ? PQresultStatus(res.get()) : PGRES_FATAL_ERROR;
    if (status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK)
        return;
    QString message =
        QString::fromUtf8(res ? PQresultErrorField(res.get(), PG_DIAG_MESSAGE_PRIMARY) : nullptr);
    if (message.isEmpty())
        message = QString::fromUtf8(PQerrorMessage(m_conn)).trimmed();
    const QString state =
        QString::fromLatin1(res ? PQresultErrorField(res.get(), PG_DIAG_SQLSTATE) : nullptr);
    throw errorOf(message,
                  state.isEmpty() && PQstatus(m_conn) == CONNECTION_BAD ? QStringLiteral("08000") : state);
}

void PgConnection::open(const QString &uri) {
    close();
    const QByteArray text = uri.toUtf8();
    char *err = nullptr;
    PQconninfoOption *options = PQconninfoParse(text.constData(), &err);
    if (!options) {
        const QString why = QString::fromUtf8(err).trimmed();
        PQfreemem(err);
        throw DbError(QStringLiteral("Hibás adatbázis-cím: %1").arg(why));
    }
    bool password = false;
    for (PQconninfoOption *o = options; o->keyword; ++o)
        if (qstrcmp(o->keyword, "password") == 0 && o->val && *o->val)
            password = true;
    PQconninfoFree(options);
    if (password)
        throw DbError(QStringLiteral("Az adatbázis címében nem lehet jelszó: a jelszót a ~/.pgpass fájl "
                                     "adja."));
    PGconn *conn = PQconnectdb(text.constData());
    if (PQstatus(conn) != CONNECTION_OK) {
        const QString why = QString::fromUtf8(PQerrorMessage(conn)).trimmed();
        PQfinish(conn);
        // libpq does not give an SQLSTATE for a failed connection: tell a refused login from a missing
        // server by the text, which libpq writes in English whatever the locale.
        const bool login =
            why.contains(QLatin1String("authentication")) || why.contains(QLatin1String("password"));
        throw errorOf(why, login                                           ? QStringLiteral("28000")
                           : why.contains(QLatin1String("does not exist")) ? QStringLiteral("3D000")
                                                                           : QStringLiteral("08000"));
    }
    m_conn = conn;
    m_uri = uri;
    m_depth = 0;
    try {
        // Texts are UTF-8 and dates ISO whatever the server's defaults; bytes come as hex.
        exec(QStringLiteral("SET client_encoding = 'UTF8'; SET DateStyle = 'ISO, YMD'; "
                            "SET bytea_output = 'hex'; SET client_min_messages = 'warning'"));
    } catch (...) {
        close();
        throw;
    }
}

void PgConnection::close() {
    if (m_conn) {
        PQfinish(m_conn);
        m_conn = nullptr;
    }
    m_depth = 0;
}

void PgConnection::exec(const QString &sql) {
    if (!m_conn)
        throw DbError(QStringLiteral("Az adatbázis nincs megnyitva."));
    check(PQexec(m_conn, sql.toUtf8().constData()));
}

Recordset PgConnection::query(const QString &sql, const QVariantList &values) {
    if (!m_conn)
        throw DbError(QStringLiteral("Az adatbázis nincs megnyitva."));
    PgStatement stmt(*this, sql);
    return stmt.run(values);
}

QString PgConnection::describe() const {
    if (!m_conn)
        return QString();
    return QStringLiteral("%1 (%2:%3)")
        .arg(QString::fromUtf8(PQdb(m_conn)), QString::fromUtf8(PQhost(m_conn)),
             QString::fromUtf8(PQport(m_conn)));
}

void PgConnection::begin() {
    if (m_depth == 0) {
        // One writer at a time, as on the shared file: the program checks and then writes inside one
        // transaction (a class handed out once, the first administrator made once), which holds only when
        // no other user's transaction runs between the check and the write.
        try {
            exec(QStringLiteral("BEGIN; SELECT pg_advisory_xact_lock(%1)").arg(kWriterLock));
        } catch (...) {
            // Waited past the timeout: the transaction begun is spoiled and must not stay open.
            if (PQtransactionStatus(m_conn) != PQTRANS_IDLE)
                PQclear(PQexec(m_conn, "ROLLBACK"));
            throw;
        }
    } else {
        exec(QStringLiteral("SAVEPOINT lv%1").arg(m_depth));
    }
    ++m_depth;
}

void PgConnection::commit() {
    if (m_depth <= 0)
        return;
    if (m_depth > 1) {
        exec(QStringLiteral("RELEASE SAVEPOINT lv%1").arg(m_depth - 1));
        --m_depth;
        return;
    }
    m_depth = 0;
    // The server answers COMMIT of a transaction that an earlier error spoiled with ROLLBACK, and no error:
    // the writes are gone, and the caller must hear it.
    Result res(PQexec(m_conn, "COMMIT"));
    const bool ok = PQresultStatus(res.get()) == PGRES_COMMAND_OK;
    if (ok && qstrcmp(PQcmdStatus(res.get()), "ROLLBACK") == 0)
        throw errorOf(QStringLiteral("A tranzakciót egy korábbi hiba miatt a kiszolgáló visszavonta."),
                      QStringLiteral("25P02"));
    if (!ok) {
        // A COMMIT that failed leaves nothing open on the server; make sure of it all the same, so that
        // this connection and the server agree that no transaction is open.
        if (PQtransactionStatus(m_conn) != PQTRANS_IDLE)
            PQclear(PQexec(m_conn, "ROLLBACK"));
        check(res.release());
    }
}

void PgConnection::rollback() {
    if (m_depth <= 0)
        return;
    --m_depth;
    if (m_depth == 0) {
        exec(QStringLiteral("ROLLBACK"));
    } else {
        exec(QStringLiteral("ROLLBACK TO SAVEPOINT lv%1").arg(m_depth));
        exec(QStringLiteral("RELEASE SAVEPOINT lv%1").arg(m_depth));
    }
}
