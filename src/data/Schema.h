#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

class Connection;

// The tables of a Lorvanto database file and the making of a new, empty one. The program itself never
// creates tables in a file it opens: a new file is made only on request (--create-database). A file made by
// an earlier version gets the columns added since when it is opened (upgrade).
namespace Schema {

// Upper-case names of every table the program needs.
QStringList tableNames();

// Writes a new encrypted database file at path with every table, the export state "0" and the clause and
// decision templates. The file is built under a temporary name and renamed into place, so a failure leaves
// nothing behind. Throws DbError; refuses to overwrite an existing file. key: as the engine takes it; the
// built-in key when empty. A libpq URI makes them in that server database instead, in one transaction, with
// the collations the catalogue names; refused when the database already holds a table.
void createDatabase(const QString &path, const QByteArray &key = QByteArray());

// Makes every table and index in the open database, without a row, in the transaction the caller holds;
// on a server also the Hungarian collations when they are not there yet. Throws DbError.
void createTables(Connection &c);

// Adds the columns that a file made by an earlier version lacks, in one transaction; writes nothing to a file
// that has them all. Throws DbError.
void upgrade(Connection &c);

} // namespace Schema
