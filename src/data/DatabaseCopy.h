#pragma once

#include <QString>

class Connection;

// Copies of whole database files: the backup of the live file and the restore of a copy over it.
namespace DatabaseCopy {

// Writes a consistent copy of an open database to dest (under the key the database is open under), even while
// other users write to the file: the engine's online backup, to a temporary name beside dest, checked, then
// renamed into place. On failure dest is left as it was and DbError says why; dest may not be the database
// itself or its journal.
void backup(Connection &source, const QString &dest);
// The first half of backup(): the checked copy under a temporary name beside dest, for a caller that marks
// the copy before it moves it over dest with replace().
QString snapshot(Connection &source, const QString &dest);

// Throws DbError unless the file opens under a key this installation holds (WrongKey when none reads it)
// and holds the program's tables. Gives the key it opened under, as the engine takes it.
QByteArray check(const QString &path);

// Puts a checked copy of source beside target under a temporary name. Gives that name; the caller moves it
// over target with replace() once nothing holds target open. With a key, a copy under another key is
// re-encrypted under it, so the file it replaces keeps its key.
QString stage(const QString &source, const QString &target, const QByteArray &key = QByteArray());

// A name beside the database for a backup copy of it, stamped with the time; never an existing file's.
QString backupName(const QString &database);
// Renames a staged copy over target in one step.
void replace(const QString &staged, const QString &target);

} // namespace DatabaseCopy
