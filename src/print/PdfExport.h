#pragma once

#include "print/PrintOptions.h"

#include <QList>
#include <QString>

class CommandSet;
struct PrintDocument;

// Documents of ratings written straight to PDF, without the print window: the developer's --print-pdf and,
// later, the PDF output of a whole class.
namespace PdfExport {

// The pupil of a rating; 0 when there is no such rating.
qint64 pupilOfRating(CommandSet &devPrint, qint64 ertId);

// Composes the trial document of a rating (no duplicate mark, every personal item printed) and gives it.
PrintDocument composeTrial(CommandSet &devPrint, qint64 ertId, PrintOptions::Document kind);

// Writes several documents one after the other into one PDF file. Throws PrintError when it cannot.
void writeDocuments(const QString &path, const QList<PrintDocument> &documents);

// Parses "certificate", "a4" or "register"; false for anything else.
bool parseKind(const QString &text, PrintOptions::Document &kind);

} // namespace PdfExport
