#pragma once

#include "admin/PupilSheet.h"

#include <QList>
#include <QString>
#include <QVariant>
#include <functional>

// The rules and writes of setting up a school year — periods, classes and the pupils in them — without
// windows. Writes that belong together run in one transaction each, so a failure leaves nothing half-done.
namespace SchoolYear {

// The period kinds offered for a new period, in order.
const QStringList &periodKinds();
// "Igen" for the kinds printed on official certificates, "Nem" for every other.
QString officialFlag(const QString &kind);

// A whole number written as it would be printed back ("3", not "03", "3.0" or " 3") that a number column
// holds (32 bits).
bool isWholeNumber(const QString &text);
// A year as typed, written out in four digits ("5" → "2005", "99" → "1999"); other text stays as it is.
QString fullYear(const QString &text);
// The days a month offers for choosing (1-based month; February offers 29).
int daysToChoose(int month);
// The date of birth from the three fields; null when they do not make a real date.
QVariant birthDate(const QString &year, int month, int day);

// "3. a"
QString classText(const QVariant &grade, const QVariant &name);
// A class is locked here when it was handed out from this database, or, in a copy handed out, when it is
// not the class handed out with it.
bool isClassLocked(qint64 oszId);

// Creates a period with a copy of the active period's curriculum, logs it and makes it active when no
// period is. progress is called now and then during the copy. Gives the new tev_id.
qint64 createPeriod(int year, const QString &kind, const QString &remark,
                    const std::function<void()> &progress = {});

// Copies classes with their rights and pupils into a period, the grade raised by shift.
void copyClasses(const QList<qint64> &classes, qint64 targetTevId, int shift);

// Takes a pupil out of a class: his rating there with its text parts and clauses goes; the pupil stays.
void removePupil(qint64 tanId, qint64 oszId, qint64 tevId);

// Writes the pupils of a list as new pupils of the class, each with a rating in the period.
void addPupils(const QList<PupilRow> &rows, qint64 oszId, qint64 tevId);

// Puts existing pupils into a class: a pupil with a rating in the period elsewhere is moved with it.
void putInClass(const QList<qint64> &pupils, qint64 oszId, qint64 tevId);

} // namespace SchoolYear
