#pragma once

#include <QList>
#include <QString>
#include <optional>

// The unsaved text parts of the open rating. A part without a stored row is keyed by its sub-competency
// (isNew, akb_id); a stored one by its row (esz_id). At most one entry per key, holding the whole text.
class PendingEdits {
public:
    struct Entry {
        bool isNew = false;
        qint64 id = 0;
        QString text;
    };

    void store(bool isNew, qint64 id, const QString &text);
    std::optional<QString> find(bool isNew, qint64 id) const;
    void remove(bool isNew, qint64 id);
    void clear() { m_entries.clear(); }
    int count() const { return int(m_entries.size()); }
    bool isEmpty() const { return m_entries.isEmpty(); }
    const QList<Entry> &entries() const { return m_entries; }

private:
    QList<Entry> m_entries;
};
