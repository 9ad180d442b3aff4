#pragma once

#include "print/PrintOptions.h"

#include <QList>
#include <QString>
#include <QStringList>

// The sheets of official runs as the LAP table keeps them, and the finalisation status they advance. A sheet
// is one leaf printed on both sides: sheet k is made of pages 2k-1 and 2k.
namespace SheetRecords {

// Document types of the LAP rows.
inline const QString kCertificate = QStringLiteral("B");
inline const QString kRegisterSheet = QStringLiteral("T");
// The serial stored for a sheet that did not print well.
inline const QString kFailed = QStringLiteral("HIBA");

// Number of sheets of a document of that many pages.
inline int sheetCount(int pages) {
    return (pages + 1) / 2;
}

// True when the official document of that type has been printed for a rating in this status.
bool alreadyPrinted(const QString &status, const QString &type);
// The status after an official run of that type: "I" to "B" or "T", the other printed one to "P".
QString advancedStatus(const QString &status, const QString &type);

// The rating's status as stored now; empty when the rating is gone.
QString storedStatus(qint64 ertId);

// The name options of the text ("Értékelési területek/alterületek kiírása") as the rating keeps them for the
// official runs: 0 none, 1 subject headings, 2 subject, competency and sub-competency names.
int namesCode(const PrintOptions &options);
void applyNames(int code, PrintOptions &options);

// Records a completed official run in one transaction: one row per sheet, k ascending, with its serial or
// "HIBA"; the name options the run printed with; the rating's status advanced from the one stored now; a
// log entry for each failed page and one for the end of the run. A rating that meanwhile got printed of that
// type (another window's run) or lost its finalisation is refused with PrintError. A failure writes nothing.
void recordRun(qint64 ertId, const QString &type, const QStringList &serials, const QList<int> &failedPages,
               int names);

// Stores the serial of a reprinted sheet and logs it, in one transaction.
void storeReprint(qint64 ertId, const QString &type, int sheet, const QString &serial);

} // namespace SheetRecords
