#pragma once

#include <QString>

// A class handed out to a teacher as a copy of the whole database, and its way back. The master locks a
// class it hands out (an EXPORT row naming the class and the user); the copy is marked "1" and names the
// class it carries. The teacher sends the class back in a copy marked "2", which the master merges.
//
// Every step writes its files beside their targets and renames them into place only once they are
// complete and marked, so a failure never leaves a file that looks like a valid copy, and the writes to
// this database go in one transaction with the rename.
namespace ClassCheckout {

enum class Refusal {
    None,
    NoClass,      // no class chosen
    UserHasClass, // the master has already handed a class out to this user
    ClassLocked,  // the class is out already (master), or is not the one this copy carries
};
// Whether the logged-in user may check the class out of this database now.
Refusal checkOutRefusal(qint64 oszId);

// Writes the copy to target and marks it and this database: a master hands the class out (the copy is
// "1"); a checkout copy sends its class back (the copy is "2", this database returns to "0"). Checks again
// under this database's write lock; throws DbError when refused now or on failure, and then target and
// this database are as they were.
void checkOut(qint64 oszId, const QString &target);

// The export state of a database file from elsewhere, read through the exchange connection (which is
// closed again). Throws DbError for a file that does not open under the key, is damaged or is not a
// Lorvanto database.
int copyState(const QString &path);

// Whether this is a master with classes handed out: such a database must not be replaced by a copy.
bool hasClassesOut();

// A checkout copy ("1") becomes this installation's database: the copy is put beside the database, marked
// as carrying its class for the logged-in user (his user in the copy, found by his login), and renamed over
// it; the connections are reopened on it. The database replaced is kept beside it; gives that backup's
// path. Throws DbError, also for a master with classes out; on failure the database is unchanged.
QString takeCheckoutCopy(const QString &path);

// Merges the class a return copy ("2") carries into this database in one transaction and unlocks it:
// period and class found or created; the copy's ratings of the class with their header data, parts and
// clauses update the master's rating of the same pupil in place (keeping its id and printed sheets) or are
// added; the master's other ratings of the class go. Gives the class's id here. Throws DbError; on failure
// this database is unchanged.
qint64 mergeReturnCopy(const QString &path);

} // namespace ClassCheckout
