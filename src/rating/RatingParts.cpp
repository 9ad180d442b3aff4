#include "rating/RatingParts.h"

#include "data/AppData.h"
#include "data/modSub.h"

QString RatingParts::trimBlanks(const QString &s) {
    qsizetype a = 0;
    qsizetype b = s.size();
    while (a < b && s[a] == QLatin1Char(' '))
        ++a;
    while (b > a && s[b - 1] == QLatin1Char(' '))
        --b;
    return s.mid(a, b - a);
}

Recordset RatingParts::loadPart(qint64 ertId, qint64 akbId) {
    CommandSet &db = AppData::current().devDB;
    Command &get = db.command(QStringLiteral("getRatingData"));
    Recordset rs = get.execute({akbId, ertId});
    if (rs.count() > 1) {
        const qint64 newest =
            db.run(QStringLiteral("getLastIdOfAK"), {ertId, akbId}).field(QStringLiteral("id")).toLongLong();
        db.run(QStringLiteral("deleteErtreszExceptOne"), {ertId, akbId, newest});
        rs = get.execute();
    }
    return rs;
}

bool RatingParts::save(qint64 ertId, const PendingEdits &edits) {
    CommandSet &db = AppData::current().devDB;
    Transaction t(db.connection());
    // Read inside the write transaction: nobody can finalise the rating between this check and the writes.
    const Recordset status = db.run(QStringLiteral("getRatingStatus"), {ertId});
    if (status.count() == 0 || status.field(QStringLiteral("ert_vegleges")).toString() != QLatin1String("N"))
        return false;
    for (const PendingEdits::Entry &e : edits.entries()) {
        const QString text = trimBlanks(e.text);
        if (e.isNew && !text.isEmpty())
            db.run(QStringLiteral("createRatingData"), {ertId, e.id, text});
        else if (!e.isNew && text.isEmpty())
            db.run(QStringLiteral("deleteRating"), {e.id});
        else if (!e.isNew)
            db.run(QStringLiteral("saveRatingData"), {text, e.id});
        modSub::WriteLog(QStringLiteral("ERTRESZ"), e.id, QStringLiteral("Ertekeles mentese"));
    }
    t.commit();
    return true;
}

bool RatingParts::isSentenceVisible(const QString &sharing, qint64 owner, qint64 user) {
    if (sharing == QLatin1String("M") || sharing == QLatin1String("A"))
        return true;
    static const QStringList ownOnly = {QStringLiteral("U"), QStringLiteral("P"), QStringLiteral("X"),
                                        QStringLiteral("Y")};
    return ownOnly.contains(sharing) && owner == user;
}

QString RatingParts::newSentenceSharing(bool offered, int exportState) {
    if (exportState == 1)
        return offered ? QStringLiteral("X") : QStringLiteral("Y");
    return offered ? QStringLiteral("U") : QStringLiteral("P");
}

QString RatingParts::insertAt(const QString &text, int position, const QString &insert) {
    const int p = std::clamp(position, 0, int(text.size()));
    return text.left(p) + insert + text.mid(p);
}

QString RatingParts::statusLabel(const QString &vegleges) {
    if (vegleges == QLatin1String("P"))
        return QStringLiteral("Nyomtatva");
    if (vegleges == QLatin1String("I"))
        return QStringLiteral("Véglegesítve");
    if (vegleges == QLatin1String("T"))
        return QStringLiteral("T. Nyomtatva");
    if (vegleges == QLatin1String("B"))
        return QStringLiteral("B. Nyomtatva");
    if (vegleges == QLatin1String("N"))
        return QStringLiteral("Lezáratlan");
    return QString();
}

QString RatingParts::longDate(const QDate &date) {
    static const char *const months[] = {"január",     "február", "március",  "április",
                                         "május",      "június",  "július",   "augusztus",
                                         "szeptember", "október", "november", "december"};
    if (!date.isValid())
        return QString();
    return QStringLiteral("%1. %2 %3.")
        .arg(date.year())
        .arg(QString::fromUtf8(months[date.month() - 1]))
        .arg(date.day(), 2, 10, QLatin1Char('0'));
}
