#include "rating/PendingEdits.h"

void PendingEdits::store(bool isNew, qint64 id, const QString &text) {
    for (Entry &e : m_entries)
        if (e.isNew == isNew && e.id == id) {
            e.text = text;
            return;
        }
    m_entries.append(Entry{isNew, id, text});
}

std::optional<QString> PendingEdits::find(bool isNew, qint64 id) const {
    for (const Entry &e : m_entries)
        if (e.isNew == isNew && e.id == id)
            return e.text;
    return std::nullopt;
}

void PendingEdits::remove(bool isNew, qint64 id) {
    m_entries.removeIf([&](const Entry &e) { return e.isNew == isNew && e.id == id; });
}
