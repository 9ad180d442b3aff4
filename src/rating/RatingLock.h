#pragma once

#include <QString>

// The edit lock of a rating: one user at a time may edit it.
namespace RatingLock {

// Takes the lock for the user only while the rating is free, in one step, so two users opening the same
// rating at the same moment cannot both get it. True when this user now holds it.
bool take(qint64 ertId, qint64 usrId);
void release(qint64 ertId);
// The name of the user holding the lock, or an empty text when it is free.
QString holderName(qint64 ertId);

} // namespace RatingLock
