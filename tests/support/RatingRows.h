#pragma once

#include "TestDatabase.h"

#include <QDate>

// Rows a printing test needs besides those TestDatabase makes: the school, a curriculum tree and a rating
// with its text parts and clauses, inserted directly as the rating editor would leave them.
class RatingRows {
public:
    explicit RatingRows(TestDatabase &t) : m_t(t) {}

    void setSchool(const QString &omCode, const QString &town);
    qint64 addSubject(qint64 tevId, const QString &printName, bool deleted = false);
    qint64 addCompetency(qint64 ataId, const QString &name, bool deleted = false);
    qint64 addSubCompetency(qint64 kpbId, const QString &name, bool deleted = false);
    // A rating of a pupil in a class and period, with its header data.
    qint64 addRating(qint64 tanId, qint64 oszId, qint64 tevId, const QString &status = QStringLiteral("I"));
    void setRatingField(qint64 ertId, const QString &column, const QVariant &value);
    qint64 addPart(qint64 ertId, qint64 akbId, const QVariant &text);
    qint64 addClause(qint64 ertId, const QString &text);
    void addSheet(qint64 ertId, const QString &kind, int sheet, const QString &serial, bool deleted = false);

    // A whole pupil with a rating in a new period and class: returns the rating id; pupil id in tanId.
    struct Rating {
        qint64 tevId = 0, oszId = 0, tanId = 0, ertId = 0;
    };
    Rating makeRating(const QString &family = QStringLiteral("Kovács"),
                      const QString &given = QStringLiteral("Ödön"),
                      const QString &status = QStringLiteral("I"));
    // A subject with one competency and one sub-competency under it: gives the sub-competency.
    qint64 addBranch(qint64 tevId, const QString &subject, const QString &competency,
                     const QString &subCompetency);

private:
    TestDatabase &m_t;
};
