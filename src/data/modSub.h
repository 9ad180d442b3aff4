#pragma once

#include "data/Recordset.h"

#include <QString>
#include <functional>

// The shared routines every window uses, working on the current program data (AppData::current()).
namespace modSub {

// The database file: the one named with --database, in LORVANTO_DATABASE or in the settings, else the one
// beside the program. Throws DatabaseMissing when there is no such file (a folder is none either).
QString GetDatabasePath();
// The help file beside the program or in the installed data folder.
void SetHelpFile();

// Writes one LOG row. user 0: the logged-in user; user -1: a failed login, table carrying the typed name.
void WriteLog(const QString &table, qint64 recordKey, const QString &description, int user = 0);

// The key of the row just inserted into a table: this connection's own insert when it made one, otherwise
// the table's largest key (0 for an empty table). Only the tables of the program are accepted.
qint64 GetLastKey(const QString &table);

Recordset LoadClauses(qint64 ertId);
void SetRatingRegisterNumbers(qint64 ertId, const QString &registerSheetNumber, const QString &serialNumber);

// Finds the rating of a pupil in a class and period, creating it (status "N", register numbers copied
// from the pupil) when there is none; gives the rating's row.
Recordset OpenOrCreateRating(qint64 tanId, qint64 oszId, qint64 tevId);

// Every pupil of the old class gets a rating "N" in the new class and period, unless he has a rating in
// that period already (one rating per pupil and period).
void CopyClassMembers(qint64 newOszId, qint64 oldOszId, qint64 newTevId);
bool IsClassExported(qint64 oszId);

// Rights levels of a user on a class.
enum ClassRight { RightNone = 0, RightRead = 1, RightReadWrite = 3, RightFormTeacher = 4, RightAdmin = 5 };
// usrId -1 means the logged-in user.
int GetClassRight(qint64 oszId, qint64 usrId = -1);

bool FindActivePeriod(Recordset &periods);
qint64 GetClassOfPupil(qint64 tanId);

struct PeriodItem {
    QString text;
    qint64 id = 0;
    bool active = false;
};
// The kind of a period as lists show it: a month number with two digits ("02"), a text ("Félév") as it is.
QString PeriodKindText(const QVariant &kind);
// The live periods as FillPeriodList shows them ("2024 - Félév (Aktív)").
QList<PeriodItem> PeriodListItems();

// Copies the live curriculum tree of a period, sentences included, into another period in one transaction.
// progress, when given, is called now and then (at most every 50 ms) so a window can keep itself alive.
void CopyCurriculum(qint64 oldTevId, qint64 newTevId, const std::function<void()> &progress = {});

// 0 master, 1 checkout copy, 2 return copy.
int GetExportState();

} // namespace modSub
