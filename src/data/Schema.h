#pragma once

#include <QString>
#include <QStringList>

// The tables of a Lorvanto database file and the making of a new, empty one. The program itself never
// creates tables in a file it opens: a new file is made only on request (--create-database).
namespace Schema {

// Upper-case names of every table the program needs.
QStringList tableNames();

// Writes a new encrypted database file at path with every table, the export state "0" and the clause and
// decision templates. The file is built under a temporary name and renamed into place, so a failure leaves
// nothing behind. Throws DbError; refuses to overwrite an existing file.
void createDatabase(const QString &path);

} // namespace Schema
