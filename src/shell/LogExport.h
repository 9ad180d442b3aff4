#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>

class Recordset;

// The export of the event log: a text file in code page 1250, a heading line and one line per LOG row, each
// line its ";"-joined values in double quotes, ended by CR LF.
namespace LogExport {

// The date of an entry as the file carries it ("2026. december 08."), without the time of day.
QString formatDate(const QVariant &timeStamp);
// One line with its quotes and line end, still as text.
QString line(const QStringList &values);
// The whole file for the rows of getAllLog.
QByteArray contents(const Recordset &log);

// Writes the whole log to the file and then empties the log, in one transaction, so no entry made meanwhile
// is lost unexported. The log is emptied only when the file was written and closed without error; false and
// the reason in error otherwise (the log then stays whole). Engine errors are thrown.
bool exportAndClear(const QString &path, QString *error);

} // namespace LogExport
