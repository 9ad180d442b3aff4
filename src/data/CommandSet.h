#pragma once

#include "data/Command.h"
#include "data/DbError.h"

#include <QHash>
#include <memory>

// A set of named commands bound to one connection (devDB, devPrint, devExp).
class CommandSet {
public:
    CommandSet(QString name, const QList<CommandDef> &defs);
    ~CommandSet();

    const QString &name() const { return m_name; }
    Connection &connection() { return m_connection; }

    // Points the set at a database file under the key; prepared statements of an earlier file are dropped.
    void open(const QString &path, const QByteArray &key, bool verifyFile = true);
    void close();
    bool isOpen() const { return m_connection.isOpen(); }

    bool contains(const QString &name) const { return m_commands.contains(name.toLower()); }
    // The command of that name; throws DbError for a name the catalogue does not hold.
    Command &command(const QString &name);
    Command &operator[](const QString &name) { return command(name); }
    // Assigns the values in order to the command's parameters and runs it.
    Recordset run(const QString &name, const QVariantList &values = {}) {
        return command(name).execute(values);
    }
    // Runs a write aimed at rows by key; throws RowGone with the message when it touched none, so a row
    // deleted meanwhile is never reported as changed.
    Recordset runOnRow(const QString &name, const QVariantList &values,
                       const QString &goneMessage = RowGone::defaultMessage()) {
        Recordset rs = run(name, values);
        if (rs.changed() == 0)
            throw RowGone(goneMessage);
        return rs;
    }
    QStringList names() const;

private:
    QString m_name;
    Connection m_connection;
    QHash<QString, std::shared_ptr<Command>> m_commands;
};
