#include "data/Recordset.h"

#include "data/DbError.h"

Recordset::Recordset(QStringList columns, std::vector<std::vector<QVariant>> rows)
    : m_columns(std::make_shared<ColumnIndex>(std::move(columns))), m_rows(std::move(rows)) {}

QVariant Recordset::at(int row, const QString &name) const {
    if (row < 0 || row >= count())
        throw DbError(QStringLiteral("Nincs aktuális rekord (a lekérdezés végére ért)."));
    const int i = m_columns->indexOf(name);
    if (i < 0)
        throw DbError(QStringLiteral("A(z) „%1” mező nem található.").arg(name));
    return m_rows[size_t(row)][size_t(i)];
}

QVariant Recordset::field(const QString &name) const {
    return at(m_pos, name);
}

Record Recordset::record() const {
    if (eof())
        throw DbError(QStringLiteral("Nincs aktuális rekord (a lekérdezés végére ért)."));
    return Record(m_columns, m_rows[size_t(m_pos)]);
}
