#pragma once

#include "data/Record.h"

// The result of a selecting command, read to the end at once: the row count is known, no statement stays
// open, and the rows are walked with moveFirst / moveNext / eof. Fields are found by name regardless of case.
class Recordset {
public:
    Recordset() = default;
    Recordset(QStringList columns, std::vector<std::vector<QVariant>> rows);

    int count() const { return int(m_rows.size()); }
    // The rows a writing command inserted, changed or deleted; 0 for a selecting one.
    int changed() const { return m_changed; }
    void setChanged(int rows) { m_changed = rows; }
    // The key of the row an INSERT made, taken from the insert itself; 0 for any other command.
    qint64 newKey() const { return m_newKey; }
    void setNewKey(qint64 key) { m_newKey = key; }
    bool eof() const { return m_pos >= count(); }
    bool bof() const { return m_pos < 0 || count() == 0; }
    void moveFirst() { m_pos = 0; }
    void moveNext() {
        if (m_pos < count())
            ++m_pos;
    }
    void move(int row) { m_pos = row; }
    int position() const { return m_pos; }

    // Field of the current row; throws DbError at end of data or for an unknown column.
    QVariant field(const QString &name) const;
    QVariant operator[](const QString &name) const { return field(name); }
    // Field of a given row.
    QVariant at(int row, const QString &name) const;
    bool hasColumn(const QString &name) const { return m_columns && m_columns->indexOf(name) >= 0; }
    QStringList columns() const { return m_columns ? m_columns->names() : QStringList(); }
    // The current row as a record of its own.
    Record record() const;

private:
    std::shared_ptr<const ColumnIndex> m_columns;
    std::vector<std::vector<QVariant>> m_rows;
    int m_pos = 0;
    int m_changed = 0;
    qint64 m_newKey = 0;
};
