#pragma once

#include "data/DatabaseKey.h"

#include <QByteArray>
#include <QList>
#include <QString>

// Converting a school's database from the key it has (the built-in one, or an earlier school key) to a
// fresh school key of its own.
namespace KeyChange {

struct Result {
    QString backup; // the copy of the file under its old key, beside it
    QByteArray raw; // the new key; shown to the administrator once as its settings line
};

// Re-encrypts the database file at path, which opens under one of keys, with a fresh school key, after a
// copy under the old key has been written beside it. Refuses (DbError, with nothing changed) while another
// program has the file open or writes to it, and while a class is checked out of it (or it is itself a
// checkout copy): a copy under the old key would not come back. The caller closes its own connections to
// the file first.
Result convert(const QString &path, const QList<DatabaseKey::Key> &keys);

} // namespace KeyChange
