#include "admin/SchoolYear.h"

#include "data/AppData.h"
#include "data/Connection.h"
#include "data/modSub.h"

namespace {
CommandSet &db() {
    return AppData::current().devDB;
}
} // namespace

const QStringList &SchoolYear::periodKinds() {
    static const QStringList kinds{
        QStringLiteral("1. negyedév"), QStringLiteral("Félév"),      QStringLiteral("3. negyedév"),
        QStringLiteral("Év vége"),     QStringLiteral("Szeptember"), QStringLiteral("Október"),
        QStringLiteral("November"),    QStringLiteral("December"),   QStringLiteral("Január"),
        QStringLiteral("Február"),     QStringLiteral("Március"),    QStringLiteral("Április"),
        QStringLiteral("Május"),       QStringLiteral("Június")};
    return kinds;
}

QString SchoolYear::officialFlag(const QString &kind) {
    return kind == QStringLiteral("Félév") || kind == QStringLiteral("Év vége") ? QStringLiteral("Igen")
                                                                                : QStringLiteral("Nem");
}

bool SchoolYear::isWholeNumber(const QString &text) {
    // The number columns hold 32 bits: a larger number would be stored as something else.
    bool ok = false;
    const int n = text.toInt(&ok);
    return ok && QString::number(n) == text;
}

QString SchoolYear::fullYear(const QString &text) {
    const QString t = text.trimmed();
    if (!isWholeNumber(t))
        return text;
    const int n = t.toInt();
    if (n >= 0 && n < 30)
        return QString::number(2000 + n);
    if (n >= 30 && n < 100)
        return QString::number(1900 + n);
    if (n >= 100 && n <= 9999)
        return QStringLiteral("%1").arg(n, 4, 10, QLatin1Char('0'));
    return text;
}

int SchoolYear::daysToChoose(int month) {
    switch (month) {
    case 4:
    case 6:
    case 9:
    case 11:
        return 30;
    case 2:
        return 29;
    default:
        return 31;
    }
}

QVariant SchoolYear::birthDate(const QString &year, int month, int day) {
    if (!isWholeNumber(year.trimmed()))
        return QVariant();
    const QDate d(year.trimmed().toInt(), month, day);
    return d.isValid() && d.year() >= 1 ? QVariant(d) : QVariant();
}

QString SchoolYear::classText(const QVariant &grade, const QVariant &name) {
    return grade.toString() + QStringLiteral(". ") + name.toString();
}

bool SchoolYear::isClassLocked(qint64 oszId) {
    return (modSub::GetExportState() == 1) != modSub::IsClassExported(oszId);
}

qint64 SchoolYear::createPeriod(int year, const QString &kind, const QString &remark,
                                const std::function<void()> &progress) {
    CommandSet &set = db();
    Transaction t(set.connection());
    Recordset active;
    const bool hasActive = modSub::FindActivePeriod(active);
    const qint64 source = hasActive ? active.field(QStringLiteral("tev_id")).toLongLong() : 0;
    const qint64 tevId =
        set.run(QStringLiteral("addTanev"), {year, kind, officialFlag(kind), remark}).newKey();
    if (hasActive)
        modSub::CopyCurriculum(source, tevId, progress);
    modSub::WriteLog(QStringLiteral("TANEV"), tevId, QStringLiteral("Uj idoszak felvetele"));
    if (!modSub::FindActivePeriod(active))
        set.run(QStringLiteral("updateActivePeriod"), {tevId});
    t.commit();
    return tevId;
}

void SchoolYear::copyClasses(const QList<qint64> &classes, qint64 targetTevId, int shift) {
    CommandSet &set = db();
    Transaction t(set.connection());
    for (qint64 oszId : classes) {
        const Recordset cls = set.run(QStringLiteral("getSpecClass"), {oszId});
        if (cls.count() == 0)
            continue;
        const qint64 newId =
            set.run(QStringLiteral("createClass"),
                    {targetTevId, cls.field(QStringLiteral("osz_evfolyam")).toInt() + shift,
                     cls.field(QStringLiteral("osz_nev")), cls.field(QStringLiteral("osz_ofonok_usr_id")),
                     cls.field(QStringLiteral("osz_indulas_eve")), cls.field(QStringLiteral("osz_megj"))})
                .newKey();
        set.run(QStringLiteral("copyRightsOfClass"), {newId, oszId});
        modSub::CopyClassMembers(newId, oszId, targetTevId);
        modSub::WriteLog(QStringLiteral("OSZTALY"), newId, QStringLiteral("Uj letrehozasa masolassal"));
    }
    t.commit();
}

void SchoolYear::removePupil(qint64 tanId, qint64 oszId, qint64 tevId) {
    CommandSet &set = db();
    Transaction t(set.connection());
    const Recordset ratings = set.run(QStringLiteral("checkRatings"), {tanId, oszId, tevId});
    for (int i = 0; i < ratings.count(); ++i) {
        const QVariant ertId = ratings.at(i, QStringLiteral("ert_id"));
        set.run(QStringLiteral("deleteERTRESZek"), {ertId});
        set.run(QStringLiteral("deleteClausesOfRating"), {ertId});
        set.run(QStringLiteral("deleteKidFromClass"), {ertId});
    }
    t.commit();
}

void SchoolYear::addPupils(const QList<PupilRow> &rows, qint64 oszId, qint64 tevId) {
    CommandSet &set = db();
    Command &createKid = set.command(QStringLiteral("createKid"));
    Command &addRating = set.command(QStringLiteral("addRating"));
    Transaction t(set.connection());
    for (const PupilRow &p : rows) {
        const qint64 tanId =
            createKid
                .execute({p.family, p.given, p.mother, p.guardian, p.birthPlace,
                          QStringLiteral("Magyarország"), p.birthDate, p.registerNo, p.serialNo})
                .newKey();
        addRating.execute({tanId, oszId, tevId});
    }
    t.commit();
}

void SchoolYear::putInClass(const QList<qint64> &pupils, qint64 oszId, qint64 tevId) {
    CommandSet &set = db();
    Transaction t(set.connection());
    for (qint64 tanId : pupils) {
        const Recordset existing = set.run(QStringLiteral("checkRatings2"), {tanId, tevId});
        if (existing.count() > 0) {
            set.run(QStringLiteral("updateRating"),
                    {oszId, existing.field(QStringLiteral("ert_osz_id")), tanId, tevId});
        } else {
            const qint64 ertId = set.run(QStringLiteral("addRating"), {tanId, oszId, tevId}).newKey();
            modSub::WriteLog(QStringLiteral("ERTEKELES"), ertId,
                             QStringLiteral("Gyermek felvétele osztályba"));
        }
    }
    t.commit();
}
