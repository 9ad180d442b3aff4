#pragma once

#include <QList>
#include <QString>

class AppData;

// Moves a whole school between databases: file to server, server to file, file to file or server to server.
namespace SchoolCopy {

struct Table {
    QString name;
    qint64 rows = 0;
};

// Copies every row of every table of the program from one database to another, keys kept, and gives the rows
// copied per table. Each of from and to is a file path or a libpq URI; files are opened under the keys of
// the installation (keys), and a file to that does not exist yet is made under the strongest of them. The
// target must hold no row: a server database either without the program's tables (they are made) or with
// them all empty. The whole copy is one transaction on the target, which checks its row counts against the
// source before it commits; the counters of the keys go on past the source's, so a new row never takes a
// key the school has used. Throws DbError; nothing is written then. The source is only read.
QList<Table> copy(const AppData &keys, const QString &from, const QString &to);
// The same into a database that holds a school already: its rows are replaced in the same one transaction.
QList<Table> restore(const AppData &keys, const QString &from, const QString &to);

} // namespace SchoolCopy
