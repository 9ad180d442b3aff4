#pragma once

#include "exchange/ClassFile.h"

// A class read from a class file, written into a period of this database.
namespace ClassImport {

// The longest login: what a user types at the login window.
constexpr int MaxLoginLength = 10;

// The login made for a class teacher who comes with a class file: the first character of the name and its
// last word, in lower case ("Kiss Anna" gives "kanna"), cut to ten characters; when that login is taken
// (whole logins compared, case ignored) a number takes the place of its last characters.
QString LoginFromName(const QString &name);

// Creates the class in the period with its class teacher (found by name, or created with an empty
// password) and its pupils (found by name, mother's name and birth date, or created), each with a rating
// "N", in one transaction. Gives the new class's id. Throws DbError; on failure nothing is written.
qint64 Import(const ClassFile::Content &content, qint64 tevId);

} // namespace ClassImport
