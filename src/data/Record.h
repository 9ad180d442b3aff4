#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>
#include <vector>

// Column names of a result, looked up without regard to case as the original engine did.
class ColumnIndex {
public:
    explicit ColumnIndex(QStringList names);
    int indexOf(const QString &name) const; // -1 when there is no such column
    int size() const { return m_names.size(); }
    const QStringList &names() const { return m_names; }

private:
    QStringList m_names;
    QHash<QString, int> m_lower;
};

// One row of a result: a copy that outlives the recordset it came from.
class Record {
public:
    Record() = default;
    Record(std::shared_ptr<const ColumnIndex> columns, std::vector<QVariant> values);

    bool isEmpty() const { return !m_columns; }
    bool has(const QString &name) const;
    // The value of a column; throws DbError for a column the row does not have.
    QVariant value(const QString &name) const;
    // Shorthands for the common conversions; a null value gives 0, false or an empty text.
    int toInt(const QString &name) const { return value(name).toInt(); }
    bool toBool(const QString &name) const { return value(name).toBool(); }
    QString toString(const QString &name) const { return value(name).toString(); }
    QStringList columns() const;

private:
    std::shared_ptr<const ColumnIndex> m_columns;
    std::vector<QVariant> m_values;
};
