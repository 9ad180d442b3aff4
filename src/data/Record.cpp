#include "data/Record.h"

#include "data/DbError.h"

ColumnIndex::ColumnIndex(QStringList names) : m_names(std::move(names)) {
    for (int i = 0; i < m_names.size(); ++i) {
        const QString key = m_names[i].toLower();
        // With duplicate names (a join selecting * from tables sharing a column) the first one wins.
        if (!m_lower.contains(key))
            m_lower.insert(key, i);
    }
}

int ColumnIndex::indexOf(const QString &name) const {
    return m_lower.value(name.toLower(), -1);
}

Record::Record(std::shared_ptr<const ColumnIndex> columns, std::vector<QVariant> values)
    : m_columns(std::move(columns)), m_values(std::move(values)) {}

bool Record::has(const QString &name) const {
    return m_columns && m_columns->indexOf(name) >= 0;
}

QVariant Record::value(const QString &name) const {
    const int i = m_columns ? m_columns->indexOf(name) : -1;
    if (i < 0)
        throw DbError(QStringLiteral("A(z) „%1” mező nem található.").arg(name));
    return m_values[size_t(i)];
}

QStringList Record::columns() const {
    return m_columns ? m_columns->names() : QStringList();
}
