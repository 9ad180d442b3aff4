#include "exchange/ClassCheckout.h"

#include "data/AppData.h"
#include "data/Connection.h"
#include "data/DatabaseCopy.h"
#include "data/DbError.h"
#include "data/modSub.h"

#include <QFile>
#include <QHash>

namespace {

// The exchange connection on a file, closed again however the scope ends. A copy this program has just
// written and checked need not be checked again (a full read of the file).
class ExchangeFile {
public:
    explicit ExchangeFile(const QString &path, bool verify = true) : m_set(AppData::current().devExp) {
        // A copy is under the key of the database it came from: any key this installation holds.
        m_set.close();
        AppData::current().openWithKeys(m_set.connection(), path, verify);
    }
    ~ExchangeFile() { m_set.close(); }
    ExchangeFile(const ExchangeFile &) = delete;
    ExchangeFile &operator=(const ExchangeFile &) = delete;
    CommandSet &operator*() { return m_set; }
    CommandSet *operator->() { return &m_set; }

    int state() {
        const Recordset rs = m_set.run(QStringLiteral("getDBState"));
        if (rs.count() == 0)
            return -1;
        bool ok = false;
        const int state = rs.at(0, QStringLiteral("par_ertek")).toString().trimmed().toInt(&ok);
        return ok ? state : -1;
    }
    // The class the copy carries: its EXPORT row.
    qint64 carriedClass() { return carried().at(0, QStringLiteral("exp_osz_id")).toLongLong(); }
    Recordset carried() {
        Recordset rs = m_set.run(QStringLiteral("getClassID"));
        if (rs.count() != 1)
            throw DbError(QStringLiteral("A másolat nem egy kiexportált osztályt tartalmaz."));
        return rs;
    }

private:
    CommandSet &m_set;
};

CommandSet &db() {
    return AppData::current().devDB;
}

qint64 lastKey(const char *table) {
    return modSub::GetLastKey(QString::fromLatin1(table));
}

QString className(const Recordset &cls) {
    return cls.at(0, QStringLiteral("osz_evfolyam")).toString() + QStringLiteral(". ") +
           cls.at(0, QStringLiteral("osz_nev")).toString();
}

// The period of the returned class in this database, created when it is gone.
qint64 masterPeriod(const Recordset &period) {
    const QVariant year = period.at(0, QStringLiteral("tev_ev"));
    const QVariant kind = period.at(0, QStringLiteral("tev_honap"));
    const Recordset same = db().run(QStringLiteral("getIdenticalPeriod"), {year, kind});
    if (same.count())
        return same.at(0, QStringLiteral("tev_id")).toLongLong();
    db().run(QStringLiteral("addTanev"), {year, kind, period.at(0, QStringLiteral("tev_hivatalos")),
                                          period.at(0, QStringLiteral("tev_megjegyzes"))});
    const qint64 id = lastKey("TANEV");
    modSub::WriteLog(QStringLiteral("TANEV"), id, QStringLiteral("Idoszak importalasa"));
    return id;
}

qint64 masterClass(const Recordset &cls, qint64 tevId) {
    const QVariant grade = cls.at(0, QStringLiteral("osz_evfolyam"));
    const QVariant started = cls.at(0, QStringLiteral("osz_indulas_eve"));
    const QVariant name = cls.at(0, QStringLiteral("osz_nev"));
    const Recordset same = db().run(QStringLiteral("getIdenticalClass"), {tevId, grade, started, name});
    if (same.count())
        return same.at(0, QStringLiteral("osz_id")).toLongLong();
    db().run(QStringLiteral("createClass"),
             {tevId, grade, name, cls.at(0, QStringLiteral("osz_ofonok_usr_id")), started,
              cls.at(0, QStringLiteral("osz_megj"))});
    const qint64 id = lastKey("OSZTALY");
    modSub::WriteLog(QStringLiteral("OSZTALY"), id,
                     QStringLiteral("Osztaly importalasa: ") + name.toString());
    return id;
}

// Removes a rating's parts and clauses, and with remove the rating itself, as removing a pupil from a
// class does.
void clearRating(qint64 ertId, bool remove) {
    db().run(QStringLiteral("deleteERTRESZek"), {ertId});
    db().run(QStringLiteral("deleteClausesOfRating"), {ertId});
    if (remove)
        db().run(QStringLiteral("deleteKidFromClass"), {ertId});
}

QString refusalText(ClassCheckout::Refusal refusal) {
    switch (refusal) {
    case ClassCheckout::Refusal::NoClass:
        return QStringLiteral("Nincs osztály kiválasztva.");
    case ClassCheckout::Refusal::UserHasClass:
        return QStringLiteral("Egy felhasználó egyszerre csak egy osztályt exportálhat ki.");
    case ClassCheckout::Refusal::ClassLocked:
        return QStringLiteral("Az osztály zárolva van, ezért nem exportálható.");
    case ClassCheckout::Refusal::None:
        break;
    }
    return QString();
}

qint64 masterPupil(const Recordset &kid) {
    auto f = [&kid](const char *column) { return kid.at(0, QString::fromLatin1(column)); };
    const Recordset same = db().run(QStringLiteral("getIdenticalKids"),
                                    {f("tan_vnev"), f("tan_knev"), f("tan_anev"), f("tan_szdatum")});
    if (same.count())
        return same.at(0, QStringLiteral("tan_id")).toLongLong();
    db().run(QStringLiteral("createKid"),
             {f("tan_vnev"), f("tan_knev"), f("tan_anev"), f("tan_gondv_nev"), f("tan_szhely"),
              f("tan_orszag"), f("tan_szdatum"), f("tan_tlapszam"), f("tan_sorsz")});
    const qint64 id = lastKey("TANULO");
    modSub::WriteLog(QStringLiteral("TANULO"), id, QStringLiteral("Tanulo importalasa"));
    return id;
}

} // namespace

ClassCheckout::Refusal ClassCheckout::checkOutRefusal(qint64 oszId) {
    if (oszId <= 0)
        return Refusal::NoClass;
    const int state = modSub::GetExportState();
    const qint64 me = AppData::current().login.userId();
    if (state == 0 && db().run(QStringLiteral("countUsersExports"), {QString::number(me)}).count() > 0)
        return Refusal::UserHasClass;
    // Handing out a class that is already out would let two copies overwrite each other's work; a copy can
    // send back only the class it carries.
    if ((state == 1) != modSub::IsClassExported(oszId))
        return Refusal::ClassLocked;
    return Refusal::None;
}

void ClassCheckout::checkOut(qint64 oszId, const QString &target) {
    AppData &app = AppData::current();
    // The write lock of this database comes first: between the check and the copy no other user of the
    // shared file can hand the class out too, nor change it so that the copy misses the change.
    Transaction t(app.devDB.connection());
    if (const Refusal refusal = checkOutRefusal(oszId); refusal != Refusal::None)
        throw DbError(refusalText(refusal));
    const bool returning = modSub::GetExportState() != 0;
    if (!returning)
        db().run(QStringLiteral("addExportedClass"), {oszId, app.login.userId()});
    // The engine copies no file through a connection that is writing: a second one reads what is committed,
    // which no other user can change while this transaction holds the lock.
    QString staged;
    {
        Connection reader;
        reader.open(app.devDB.connection().path(), app.devDB.connection().key(), false);
        staged = DatabaseCopy::snapshot(reader, target);
    }
    try {
        {
            ExchangeFile copy(staged, false);
            Transaction ct(copy->connection());
            copy->run(QStringLiteral("setDBState"), {returning ? 2 : 1});
            if (!returning) {
                copy->run(QStringLiteral("purgeEXPORT"));
                copy->run(QStringLiteral("addExportedClass"), {oszId});
                copy->run(QStringLiteral("setExportUser"), {app.login.userId()});
            }
            ct.commit();
        }
        if (returning) {
            db().run(QStringLiteral("setDBState"), {0});
            db().run(QStringLiteral("purgeEXPORT"));
        }
        const Recordset cls = db().run(QStringLiteral("getSpecClass"), {oszId});
        modSub::WriteLog(QStringLiteral("OSZTALY"), oszId,
                         QStringLiteral("Osztaly kiexportalasa: ") +
                             (cls.count() ? className(cls) : QString()));
        DatabaseCopy::replace(staged, target);
        try {
            t.commit();
        } catch (...) {
            // This database did not take the change, so the copy must not go out either.
            QFile::remove(target);
            throw;
        }
    } catch (...) {
        QFile::remove(staged);
        throw;
    }
}

int ClassCheckout::copyState(const QString &path) {
    ExchangeFile copy(path);
    return copy.state();
}

bool ClassCheckout::hasClassesOut() {
    return modSub::GetExportState() == 0 && db().run(QStringLiteral("getExportedClasses")).count() > 0;
}

QString ClassCheckout::takeCheckoutCopy(const QString &path) {
    AppData &app = AppData::current();
    // A server holds the whole school for everybody: one teacher's copy must not take its place.
    if (app.devDB.isOpen() && app.devDB.connection().isServer())
        throw DbError(QStringLiteral("A kiszolgálón lévő iskolai adatbázis helyére nem vehető át egy "
                                     "kiexportált osztály másolata. A másolatot a tanító gépén, saját "
                                     "adatbázisfájlba vegye át."));
    if (app.devDB.isOpen() && hasClassesOut())
        throw DbError(QStringLiteral("Ebből az adatbázisból osztályok vannak kiexportálva, ezért nem "
                                     "cserélhető le egy kiexportált osztály másolatára."));
    // The file this program has open is the one replaced.
    const QString database = app.devDB.isOpen() ? app.devDB.connection().path() : modSub::GetDatabasePath();
    const QString staged = DatabaseCopy::stage(path, database);
    const QString backup = DatabaseCopy::backupName(database);
    try {
        ExchangeFile copy(staged, false);
        if (copy.state() != 1)
            throw DbError(QStringLiteral("A fájl nem kiexportált osztály másolata."));
        const Recordset carried = copy.carried();
        // The copy has users of its own: the teacher as the copy knows him by his login, else whoever the
        // class was handed out to.
        const Recordset me = copy->run(QStringLiteral("getUserByLogin"), {app.login.login()});
        const QVariant user =
            me.count() ? me.at(0, QStringLiteral("usr_id")) : carried.at(0, QStringLiteral("exp_usr_id"));
        Transaction t(copy->connection());
        copy->run(QStringLiteral("purgeEXPORT"));
        copy->run(QStringLiteral("setDBState"), {1});
        copy->run(QStringLiteral("addExportedClass"), {carried.at(0, QStringLiteral("exp_osz_id"))});
        copy->run(QStringLiteral("setExportUser"), {user});
        t.commit();
        // The database replaced stays beside the new one: a copy taken in by mistake loses nothing.
        if (app.devDB.isOpen())
            DatabaseCopy::backup(app.devDB.connection(), backup);
        else if (!QFile::copy(database, backup))
            throw DbError(QStringLiteral("A(z) „%1” fájl nem írható.").arg(backup));
    } catch (...) {
        QFile::remove(staged);
        QFile::remove(backup);
        throw;
    }
    app.devDB.close();
    app.devPrint.close();
    try {
        DatabaseCopy::replace(staged, database);
    } catch (...) {
        app.openDatabase(database);
        throw;
    }
    app.openDatabase(database);
    modSub::WriteLog(QStringLiteral("EXPORT"), 0, QStringLiteral("Kiexportalt osztaly importalasa"));
    return backup;
}

qint64 ClassCheckout::mergeReturnCopy(const QString &path) {
    ExchangeFile copy(path);
    if (copy.state() != 2)
        throw DbError(QStringLiteral("A fájl nem visszaküldött osztály másolata."));
    const qint64 copyClass = copy.carriedClass();
    const Recordset cls = copy->run(QStringLiteral("getClass"), {copyClass});
    if (cls.count() == 0)
        throw DbError(QStringLiteral("A másolatban nincs meg a kiexportált osztály."));
    const Recordset ratings = copy->run(QStringLiteral("getRatingsOfClass"), {copyClass});
    // A class without pupils still has its own period.
    const QVariant copyPeriod = ratings.count() ? ratings.at(0, QStringLiteral("ert_tev_id"))
                                                : cls.at(0, QStringLiteral("osz_tev_id"));
    const Recordset period = copy->run(QStringLiteral("getPeriod"), {copyPeriod});
    if (period.count() == 0)
        throw DbError(QStringLiteral("A másolatban nincs meg az osztály időszaka."));

    Transaction t(db().connection());
    const qint64 tevId = masterPeriod(period);
    const qint64 oszId = masterClass(cls, tevId);
    // The master's ratings of the class by pupil: a returned rating of the same pupil updates its row in
    // place, so the row keeps its id and its printed sheets; the rows the copy no longer has go.
    QHash<qint64, qint64> stale;
    QList<qint64> stray; // of another period, or a second one of a pupil
    const Recordset old = db().run(QStringLiteral("getRatingsOfClass"), {oszId});
    for (int i = 0; i < old.count(); ++i) {
        const qint64 tanId = old.at(i, QStringLiteral("ert_tan_id")).toLongLong();
        const qint64 ertId = old.at(i, QStringLiteral("ert_id")).toLongLong();
        if (old.at(i, QStringLiteral("ert_tev_id")).toLongLong() == tevId && !stale.contains(tanId))
            stale.insert(tanId, ertId);
        else
            stray << ertId;
    }
    Command &getKid = copy->command(QStringLiteral("getKid"));
    Command &getParts = copy->command(QStringLiteral("getErtreszOfRating"));
    Command &getClauses = copy->command(QStringLiteral("getClausesOfRating"));
    Command &addRating = db().command(QStringLiteral("addRating2"));
    Command &setRating = db().command(QStringLiteral("setReturnedRating"));
    Command &addPart = db().command(QStringLiteral("createRatingData"));
    Command &addClause = db().command(QStringLiteral("addClosure"));
    auto column = [&ratings](int row, const char *name) {
        return ratings.at(row, QString::fromLatin1(name));
    };
    for (int i = 0; i < ratings.count(); ++i) {
        const Recordset kid = getKid.execute({column(i, "ert_tan_id")});
        if (kid.count() == 0)
            throw DbError(QStringLiteral("A másolat egy értékeléséhez nem tartozik tanuló."));
        const qint64 tanId = masterPupil(kid);
        qint64 ertId = stale.take(tanId);
        if (ertId) {
            clearRating(ertId, false);
        } else {
            addRating.execute({tanId, oszId, tevId, column(i, "ert_vegleges")});
            ertId = lastKey("ERTEKELES");
        }
        setRating.execute({column(i, "ert_vegleges"), column(i, "ert_mulaszt"), column(i, "ert_igazolatlan"),
                           column(i, "ert_hatarozat_evf"), column(i, "ert_keltezes"), column(i, "ert_sorsz"),
                           column(i, "ert_tlapszam"), column(i, "ert_bizszam"),
                           column(i, "ert_nyomtatas_datum"), ertId});
        modSub::WriteLog(QStringLiteral("ERTEKELES"), ertId, QStringLiteral("Ertekeles importalasa"));
        const Recordset parts = getParts.execute({column(i, "ert_id")});
        for (int p = 0; p < parts.count(); ++p)
            addPart.execute({ertId, parts.at(p, QStringLiteral("esz_akb_id")),
                             parts.at(p, QStringLiteral("esz_szoveg"))});
        const Recordset clauses = getClauses.execute({column(i, "ert_id")});
        for (int c = 0; c < clauses.count(); ++c)
            addClause.execute({ertId, clauses.at(c, QStringLiteral("zdk_szoveg"))});
    }
    for (const qint64 ertId : stray + stale.values())
        clearRating(ertId, true);
    // The class comes home under the id it was handed out with; a class the master had to recreate was
    // never locked here under its new id.
    db().run(QStringLiteral("importClass"), {copyClass});
    modSub::WriteLog(QStringLiteral("EXPORT"), copyClass, QStringLiteral("Osztaly visszaimportalasa"));
    t.commit();
    return oszId;
}
