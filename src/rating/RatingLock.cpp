#include "rating/RatingLock.h"

#include "data/AppData.h"

bool RatingLock::take(qint64 ertId, qint64 usrId) {
    CommandSet &db = AppData::current().devDB;
    return db.run(QStringLiteral("setLockIfFree"), {usrId, ertId}).changed() == 1;
}

void RatingLock::release(qint64 ertId) {
    AppData::current().devDB.run(QStringLiteral("removeLock"), {ertId});
}

QString RatingLock::holderName(qint64 ertId) {
    const Recordset rs = AppData::current().devDB.run(QStringLiteral("getAllOfRating"), {ertId});
    return rs.count() ? rs.field(QStringLiteral("usr_nev")).toString() : QString();
}
