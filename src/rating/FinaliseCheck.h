#pragma once

#include "data/Recordset.h"
#include "rating/RatingOutline.h"

#include <QList>
#include <QString>
#include <QStringList>

class SpellChecker;

// What is worth a second look before a rating is finalised: sub-competencies left empty, a name of another
// pupil of the class (the copy-paste error), misspelt words, and parts word for word the same as another
// pupil's (a note only).
class FinaliseCheck {
public:
    struct Finding {
        enum class Kind { EmptyParts, OtherPupilName, Misspelt, SameAsOther };
        Kind kind;
        QString where; // the subject, the part or the clause
        QString what;
        bool noteOnly() const { return kind == Kind::SameAsOther; }
        // "Üres részterület", "Más tanuló neve", "Helyesírás", "Megjegyzés".
        QString kindText() const;
    };

    struct Rating {
        qint64 ertId = 0;
        qint64 oszId = 0;
        qint64 tevId = 0;
        qint64 tanId = 0;
        QList<RatingOutline::Part> parts; // as they would be saved now
        QStringList clauses;
        QString decision;
    };

    // Reads the class (its pupils' names and parts) and checks the rating. spelling may be null or not
    // ready: then no spelling is checked.
    static QList<Finding> run(const Rating &rating, SpellChecker *spelling);

    // The rating as the editor holds it (its ERTEKELES row, the pending edits and the decision typed): the
    // outline read now with the pending edits laid over it, and the stored clauses.
    static Rating read(const Recordset &ratingRow, const PendingEdits &edits, const QString &decision);
};
