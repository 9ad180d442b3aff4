#pragma once

#include "rating/PendingEdits.h"

#include <QList>
#include <QString>

// The text parts of one rating laid over the curriculum of its period: every sub-competency, in the order
// the documents print them, with its stored text. Read once; the pending edits are laid over it in memory,
// so the aids can look at the rating as it would be saved without going to the database.
class RatingOutline {
public:
    struct Part {
        qint64 akbId = 0;
        qint64 eszId = 0; // 0: no stored row
        qint64 subjectId = 0;
        QString subject; // print name
        QString competency;
        QString subCompetency;
        QString text;
    };

    static RatingOutline load(qint64 ertId, qint64 tevId);

    // The parts with the pending texts in place of the stored ones, trimmed as the save trims them.
    QList<Part> withPending(const PendingEdits &edits) const;
    const QList<Part> &parts() const { return m_parts; }
    void setParts(const QList<Part> &parts) { m_parts = parts; }

    // Where a part is, for people: "Matematika / Számolás / Összeadás", unnamed levels left out.
    static QString label(const Part &part);

private:
    QList<Part> m_parts;
};
