#pragma once

#include <QDate>
#include <QString>
#include <QVariant>

// The rules of the rating's header fields.
namespace HeaderRules {

// A whole number as typed: digits with an optional minus sign, written as the number is written (no "+",
// no leading zero, no fraction); blanks around it do not count.
bool isWholeNumber(const QString &text);
// The value stored for an absence field: the number when the text is one, else the text as typed.
QVariant absenceValue(const QString &text);
// A year as typed, widened to four digits ("08" -> "2008", "95" -> "1995"); a text that is no year stays.
QString widenYear(const QString &text);
// The date of the year field and the month and day lists (0-based indexes); null when they form no date.
QDate headerDate(const QString &yearText, int monthIndex, int dayIndex);
// A clause as stored: line breaks removed (lines joined without separator), blanks trimmed.
QString clauseText(const QString &typed);
// Days offered for a month (0-based): February always has 29.
int daysInMonth(int monthIndex);

} // namespace HeaderRules
