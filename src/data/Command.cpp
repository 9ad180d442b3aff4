#include "data/Command.h"

#include "data/DbError.h"

#include <QDate>
#include <QDateTime>
#include <limits>

Command::Command(Connection &connection, CommandDef def) : m_connection(connection), m_def(std::move(def)) {
    for (const ParamDef &p : m_def.params)
        m_values << p.preset;
}

Command::~Command() = default;

int Command::indexOf(const QString &name) const {
    for (int i = 0; i < m_def.params.size(); ++i)
        if (m_def.params[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    throw DbError(QStringLiteral("A(z) „%1” parancsnak nincs „%2” paramétere.").arg(m_def.name, name));
}

void Command::setParam(const QString &name, const QVariant &value) {
    m_values[indexOf(name)] = value;
}

void Command::setParam(int index, const QVariant &value) {
    if (index < 0 || index >= m_values.size())
        throw DbError(
            QStringLiteral("A(z) „%1” parancsnak nincs %2. paramétere.").arg(m_def.name).arg(index + 1));
    m_values[index] = value;
}

QVariant Command::param(const QString &name) const {
    return m_values[indexOf(name)];
}

QVariant Command::converted(int index) const {
    const ParamDef &p = m_def.params[index];
    const QVariant &v = m_values[index];
    if (v.isNull())
        return QVariant();
    auto mismatch = [&] {
        return DbError(
            QStringLiteral("Típuseltérés a(z) „%1” parancs „%2” paraméterénél.").arg(m_def.name, p.name));
    };
    switch (p.type) {
    case ParamType::Long:
    case ParamType::Integer: {
        bool ok = false;
        const qlonglong n = v.typeId() == QMetaType::Bool ? (v.toBool() ? 1 : 0) : v.toLongLong(&ok);
        if (v.typeId() != QMetaType::Bool && !ok)
            throw mismatch();
        const qlonglong lo = p.type == ParamType::Long ? std::numeric_limits<qint32>::min()
                                                       : std::numeric_limits<qint16>::min();
        const qlonglong hi = p.type == ParamType::Long ? std::numeric_limits<qint32>::max()
                                                       : std::numeric_limits<qint16>::max();
        if (n < lo || n > hi)
            throw DbError(
                QStringLiteral("Túlcsordulás a(z) „%1” parancs „%2” paraméterénél.").arg(m_def.name, p.name));
        return QVariant(n);
    }
    case ParamType::Text:
        return QVariant(v.toString());
    case ParamType::Date:
        if (v.typeId() == QMetaType::QDate || v.typeId() == QMetaType::QDateTime)
            return v;
        if (v.typeId() == QMetaType::QString) {
            const QString s = v.toString().trimmed();
            if (s.isEmpty())
                return QVariant();
            const QDateTime dt = QDateTime::fromString(s, Qt::ISODate);
            if (dt.isValid())
                return dt;
            const QDate d = QDate::fromString(s, Qt::ISODate);
            if (d.isValid())
                return d;
        }
        throw mismatch();
    }
    return v;
}

Recordset Command::execute() {
    if (!m_connection.isOpen())
        throw DbError(QStringLiteral("Az adatbázis nincs megnyitva."));
    if (!m_stmt) {
        if (m_def.sql.isEmpty())
            throw DbError(QStringLiteral("A(z) „%1” parancsnak nincs SQL szövege.").arg(m_def.name));
        m_stmt = std::make_unique<Statement>(
            m_connection, m_connection.isServer() && !m_def.pgSql.isEmpty() ? m_def.pgSql : m_def.sql);
    }
    QVariantList values;
    values.reserve(m_values.size());
    for (int i = 0; i < m_values.size(); ++i)
        values << converted(i);
    Recordset rs = m_stmt->run(values);
    // The key of a new row comes from the insert itself, never from the table's highest key, which another
    // user of the shared database may have just made: an insert that gives rows (RETURNING) gives it first,
    // otherwise the engine tells the key of this connection's last insert.
    if (!m_def.insertTable.isEmpty() && rs.changed() > 0) {
        const QStringList columns = rs.columns();
        rs.setNewKey(rs.count() && !columns.isEmpty() ? rs.at(0, columns.first()).toLongLong()
                                                      : m_connection.lastInsertRowid());
        m_connection.noteInsert(m_def.insertTable, rs.newKey());
    }
    return rs;
}

Recordset Command::execute(const QVariantList &values) {
    if (values.size() > m_values.size())
        throw DbError(QStringLiteral("A(z) „%1” parancs %2 paramétert vár, %3 érkezett.")
                          .arg(m_def.name)
                          .arg(m_values.size())
                          .arg(values.size()));
    for (int i = 0; i < values.size(); ++i)
        m_values[i] = values[i];
    return execute();
}

void Command::setSql(const QString &sql) {
    if (sql == m_def.sql && m_stmt)
        return;
    m_stmt.reset();
    m_def.sql = sql;
}

void Command::reset() {
    m_stmt.reset();
}
