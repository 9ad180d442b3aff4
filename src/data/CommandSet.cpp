#include "data/CommandSet.h"

#include "data/DbError.h"

CommandSet::CommandSet(QString name, const QList<CommandDef> &defs) : m_name(std::move(name)) {
    for (const CommandDef &d : defs)
        m_commands.insert(d.name.toLower(), std::make_shared<Command>(m_connection, d));
}

CommandSet::~CommandSet() {
    m_commands.clear(); // statements go before the connection closes
}

void CommandSet::open(const QString &path, const QByteArray &key, bool verifyFile) {
    close();
    m_connection.open(path, key, verifyFile);
}

void CommandSet::close() {
    for (auto &c : m_commands)
        c->reset();
    m_connection.close();
}

Command &CommandSet::command(const QString &name) {
    auto it = m_commands.find(name.toLower());
    if (it == m_commands.end())
        throw DbError(QStringLiteral("Ismeretlen parancs: %1.%2").arg(m_name, name));
    return **it;
}

QStringList CommandSet::names() const {
    QStringList out;
    for (const auto &c : m_commands)
        out << c->name();
    out.sort();
    return out;
}
