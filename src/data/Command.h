#pragma once

#include "data/Connection.h"

#include <QList>
#include <QString>
#include <QVariant>
#include <memory>

enum class ParamType { Long, Integer, Text, Date };

struct ParamDef {
    QString name;
    ParamType type = ParamType::Long;
    QVariant preset; // the value a parameter holds before it is first assigned
};

// One entry of the command catalogue.
struct CommandDef {
    QString name;
    QList<ParamDef> params; // in the order of the placeholders
    QString sql;
    QString insertTable; // the table an INSERT writes, so its new key can be remembered
    QString pgSql;       // on a server instead of sql, only where the two engines need different texts
};

// A named command: prepared on first use and reused; each parameter keeps its last value until it is
// assigned again. Values are converted to the declared type when the command runs.
class Command {
public:
    Command(Connection &connection, CommandDef def);
    ~Command();
    Command(const Command &) = delete;
    Command &operator=(const Command &) = delete;

    const QString &name() const { return m_def.name; }
    const CommandDef &definition() const { return m_def; }

    void setParam(const QString &name, const QVariant &value);
    void setParam(int index, const QVariant &value);
    QVariant param(const QString &name) const;
    int paramCount() const { return int(m_def.params.size()); }

    // Runs with the values the parameters hold now.
    Recordset execute();
    // Assigns the given values to the first parameters in order, then runs.
    Recordset execute(const QVariantList &values);

    // Replaces the SQL text (only the table-maximum lookup does this); the statement is prepared anew.
    void setSql(const QString &sql);
    // Drops the prepared statement, for example before the connection is pointed at another file.
    void reset();

private:
    int indexOf(const QString &name) const;
    QVariant converted(int index) const;

    Connection &m_connection;
    CommandDef m_def;
    QVariantList m_values;
    std::unique_ptr<Statement> m_stmt;
};
