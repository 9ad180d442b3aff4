#pragma once

#include "data/Recordset.h"
#include "rating/PendingEdits.h"

#include <QDate>
#include <QString>

// Reading and writing the text parts of a rating, and the small rules of the editor that need no window.
namespace RatingParts {

// The stored part of a rating for a sub-competency: its newest row, with older duplicates removed first.
// An empty recordset when the part has no row.
Recordset loadPart(qint64 ertId, qint64 akbId);

// Writes every pending part in one transaction (a new non-empty text is inserted, an emptied stored one
// deleted, a changed one updated; texts are trimmed of blanks; each write is logged). On failure nothing
// is written and the edits are left as they were; DbError says why. False, with nothing written, when the
// rating is no longer open (finalised meanwhile by someone else).
bool save(qint64 ertId, const PendingEdits &edits);

// A text as it is stored: without the blanks at its two ends.
QString trimBlanks(const QString &text);

// A text part as it is stored: blanks (only blanks) trimmed from both ends.
QString trimBlanks(const QString &s);

// Whether a bank sentence is listed to this user: common and offered sentences to everybody, private
// and withdrawn ones (and those written in a checkout copy) only to their owner.
bool isSentenceVisible(const QString &sharing, qint64 owner, qint64 user);
// The sharing code of a sentence a teacher adds from the editor.
QString newSentenceSharing(bool offered, int exportState);

// The text with insert put in at position (clamped to the text).
QString insertAt(const QString &text, int position, const QString &insert);

// "Lezáratlan", "Véglegesítve", ... for an ert_vegleges value.
QString statusLabel(const QString &vegleges);
// A date as "2024. május 07." (a null date gives an empty text).
QString longDate(const QDate &date);

} // namespace RatingParts
