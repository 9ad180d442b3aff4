#include "data/modSub.h"

#include "data/AppData.h"
#include "data/Clock.h"
#include "data/DbError.h"
#include "data/PgConnection.h"

#include <QElapsedTimer>
#include <QFileInfo>

namespace {

CommandSet &db() {
    return AppData::current().devDB;
}

QString keyColumnOf(const QString &table) {
    static const QHash<QString, QString> keys = {
        {QStringLiteral("ALKMPBANK"), QStringLiteral("akb_id")},
        {QStringLiteral("ATARGY"), QStringLiteral("ata_id")},
        {QStringLiteral("CSOPORT"), QStringLiteral("csp_id")},
        {QStringLiteral("CSOPTAG"), QStringLiteral("cst_id")},
        {QStringLiteral("ERTEKELES"), QStringLiteral("ert_id")},
        {QStringLiteral("ERTRESZ"), QStringLiteral("esz_id")},
        {QStringLiteral("INTEZMENY"), QStringLiteral("int_id")},
        {QStringLiteral("JOG"), QStringLiteral("jog_id")},
        {QStringLiteral("KMPBANK"), QStringLiteral("kpb_id")},
        {QStringLiteral("MONDATBANK"), QStringLiteral("mdb_id")},
        {QStringLiteral("OSZTALY"), QStringLiteral("osz_id")},
        {QStringLiteral("TANEV"), QStringLiteral("tev_id")},
        {QStringLiteral("USERS"), QStringLiteral("usr_id")},
        {QStringLiteral("ZARADEK"), QStringLiteral("zdk_id")},
        {QStringLiteral("TANULO"), QStringLiteral("tan_id")},
    };
    return keys.value(table.toUpper());
}

} // namespace

QString modSub::GetDatabasePath() {
    const AppData &app = AppData::current();
    const QString path =
        ProgramFiles::chooseDatabase(app.databaseOverride, app.databaseSettings, app.programDir).path;
    // A server database is named by its address; whether it is there shows when it is opened.
    if (!PgConnection::isUri(path) && !QFileInfo(path).isFile())
        throw DatabaseMissing(path);
    return path;
}

void modSub::SetHelpFile() {
    AppData &app = AppData::current();
    app.helpFile = ProgramFiles::helpFile(app.programDir);
}

void modSub::WriteLog(const QString &table, qint64 recordKey, const QString &description, int user) {
    AppData &app = AppData::current();
    Command &log = app.devDB.command(QStringLiteral("cmdLog"));
    log.setParam(QStringLiteral("log_rekord_id"), recordKey);
    if (user == 0) {
        log.setParam(QStringLiteral("log_usr_id"), app.login.userId());
        log.setParam(QStringLiteral("log_usr_login"), app.login.login());
        log.setParam(QStringLiteral("log_tabla"), table);
    } else if (user == -1) {
        log.setParam(QStringLiteral("log_usr_id"), -1);
        log.setParam(QStringLiteral("log_usr_login"), table.left(10));
        log.setParam(QStringLiteral("log_tabla"), QString());
    } else {
        log.setParam(QStringLiteral("log_tabla"), table);
    }
    QDateTime now = Clock::now();
    now.setTime(QTime(now.time().hour(), now.time().minute(), now.time().second()));
    log.setParam(QStringLiteral("log_time_stamp"), now);
    log.setParam(QStringLiteral("log_megj"), description.left(50));
    log.execute();
}

qint64 modSub::GetLastKey(const QString &table) {
    const QString column = keyColumnOf(table);
    if (column.isEmpty())
        throw DbError(QStringLiteral("Ismeretlen tábla: %1").arg(table));
    CommandSet &set = db();
    if (set.connection().hasInserted(table))
        return set.connection().lastInsert(table);
    Command &cmd = set.command(QStringLiteral("getLastId"));
    cmd.setSql(QStringLiteral("SELECT MAX(%1) AS id FROM %2").arg(column, table.toUpper()));
    const Recordset rs = cmd.execute();
    return rs.count() ? rs.at(0, QStringLiteral("id")).toLongLong() : 0;
}

Recordset modSub::LoadClauses(qint64 ertId) {
    return db().run(QStringLiteral("getClosures"), {ertId});
}

void modSub::SetRatingRegisterNumbers(qint64 ertId, const QString &registerSheetNumber,
                                      const QString &serialNumber) {
    db().run(QStringLiteral("setRating_TLAPSORSZAM"), {registerSheetNumber, serialNumber, ertId});
}

Recordset modSub::OpenOrCreateRating(qint64 tanId, qint64 oszId, qint64 tevId) {
    CommandSet &set = db();
    Command &check = set.command(QStringLiteral("checkRatings"));
    Recordset rs = check.execute({tanId, oszId, tevId});
    if (rs.count() > 0)
        return rs;
    // Look again inside a writing transaction: two users choosing the same pupil at once must not
    // create two ratings for him.
    Transaction t(set.connection());
    rs = check.execute();
    if (rs.count() > 0) {
        t.commit();
        return rs;
    }
    set.run(QStringLiteral("addRating"), {tanId, oszId, tevId});
    const qint64 ertId = GetLastKey(QStringLiteral("ERTEKELES"));
    const Recordset pupil = set.run(QStringLiteral("getAStudent"), {tanId});
    const QString sorsz = pupil.count() ? pupil.at(0, QStringLiteral("tan_sorsz")).toString() : QString();
    const QString tlap = pupil.count() ? pupil.at(0, QStringLiteral("tan_tlapszam")).toString() : QString();
    set.run(QStringLiteral("setDunno"), {tlap, sorsz, ertId});
    rs = check.execute(); // its parameters still hold the three keys
    t.commit();
    return rs;
}

void modSub::CopyClassMembers(qint64 newOszId, qint64 oldOszId, qint64 newTevId) {
    db().run(QStringLiteral("copyClass"), {newOszId, newTevId, oldOszId, newTevId});
}

bool modSub::IsClassExported(qint64 oszId) {
    return db().run(QStringLiteral("findClassInExport"), {oszId}).count() > 0;
}

int modSub::GetClassRight(qint64 oszId, qint64 usrId) {
    const AppData &app = AppData::current();
    if (usrId == -1 && app.login.isAdmin)
        return RightAdmin;
    const qint64 user = usrId == -1 ? app.login.userId() : usrId;
    CommandSet &set = db();
    const Recordset cls = set.run(QStringLiteral("getSpecClass"), {oszId});
    if (cls.count() && !cls.at(0, QStringLiteral("osz_ofonok_usr_id")).isNull() &&
        cls.at(0, QStringLiteral("osz_ofonok_usr_id")).toLongLong() == user)
        return RightFormTeacher;
    const Recordset usr = set.run(QStringLiteral("getSpecUser"), {user});
    if (usr.count() && usr.at(0, QStringLiteral("usr_admin_rights")).toBool())
        return RightAdmin;
    const Recordset rights = set.run(QStringLiteral("getRights"), {user, oszId});
    if (rights.count() == 0) {
        set.run(QStringLiteral("createRights"), {QString::number(user), QString::number(oszId)});
        return RightNone;
    }
    const QString type = rights.at(0, QStringLiteral("jog_tipus")).toString();
    if (type == QLatin1String("O"))
        return RightRead;
    if (type == QLatin1String("I"))
        return RightReadWrite;
    return RightNone;
}

bool modSub::FindActivePeriod(Recordset &periods) {
    periods = db().run(QStringLiteral("getActivePeriod"));
    return periods.count() > 0;
}

qint64 modSub::GetClassOfPupil(qint64 tanId) {
    Recordset active;
    if (!FindActivePeriod(active))
        return 0;
    const Recordset rs =
        db().run(QStringLiteral("getClassOfStudent"), {tanId, active.at(0, QStringLiteral("tev_id"))});
    return rs.count() ? rs.at(0, QStringLiteral("osz_id")).toLongLong() : 0;
}

QString modSub::PeriodKindText(const QVariant &kind) {
    bool numeric = false;
    const int month = kind.toString().trimmed().toInt(&numeric);
    return numeric ? QStringLiteral("%1").arg(month, 2, 10, QLatin1Char('0')) : kind.toString();
}

QList<modSub::PeriodItem> modSub::PeriodListItems() {
    QList<PeriodItem> items;
    const Recordset rs = db().run(QStringLiteral("getPeriods"));
    for (int i = 0; i < rs.count(); ++i) {
        PeriodItem item;
        const QString kindText = PeriodKindText(rs.at(i, QStringLiteral("tev_honap")));
        item.id = rs.at(i, QStringLiteral("tev_id")).toLongLong();
        item.active = rs.at(i, QStringLiteral("tev_aktiv")).toBool();
        item.text = rs.at(i, QStringLiteral("tev_ev")).toString() + QStringLiteral(" - ") + kindText +
                    (item.active ? QStringLiteral(" (Aktív)") : QString());
        items << item;
    }
    return items;
}

void modSub::CopyCurriculum(qint64 oldTevId, qint64 newTevId, const std::function<void()> &progress) {
    CommandSet &set = db();
    Command &getSubjects = set.command(QStringLiteral("getSubjects"));
    Command &getComps = set.command(QStringLiteral("getSubjectCompetencies"));
    Command &getSubComps = set.command(QStringLiteral("getSubComps"));
    Command &getSentences = set.command(QStringLiteral("getSentences"));
    Command &createSubject = set.command(QStringLiteral("createSubject"));
    Command &createComp = set.command(QStringLiteral("createComp"));
    Command &createSubComp = set.command(QStringLiteral("createSubComp"));
    Command &addSentence2 = set.command(QStringLiteral("addSentence2"));

    QElapsedTimer sinceProgress;
    sinceProgress.start();
    auto tick = [&] {
        if (progress && sinceProgress.elapsed() >= 50) {
            progress();
            sinceProgress.restart();
        }
    };

    Transaction t(set.connection());
    const Recordset subjects = getSubjects.execute({oldTevId});
    for (int s = 0; s < subjects.count(); ++s) {
        createSubject.execute({subjects.at(s, QStringLiteral("ata_rnev")), newTevId});
        const qint64 newAta = GetLastKey(QStringLiteral("ATARGY"));
        const Recordset comps = getComps.execute({subjects.at(s, QStringLiteral("ata_id"))});
        for (int c = 0; c < comps.count(); ++c) {
            createComp.execute({newAta, comps.at(c, QStringLiteral("kpb_nev"))});
            const qint64 newKpb = GetLastKey(QStringLiteral("KMPBANK"));
            const Recordset subs = getSubComps.execute({comps.at(c, QStringLiteral("kpb_id"))});
            for (int a = 0; a < subs.count(); ++a) {
                createSubComp.execute({newKpb, subs.at(a, QStringLiteral("akb_nev"))});
                const qint64 newAkb = GetLastKey(QStringLiteral("ALKMPBANK"));
                const Recordset sentences = getSentences.execute({subs.at(a, QStringLiteral("akb_id"))});
                for (int m = 0; m < sentences.count(); ++m) {
                    addSentence2.execute({newAkb, sentences.at(m, QStringLiteral("mdb_szoveg")),
                                          sentences.at(m, QStringLiteral("mdb_megoszt")),
                                          sentences.at(m, QStringLiteral("mdb_usr_id"))});
                    tick();
                }
            }
        }
        tick();
    }
    t.commit();
}

int modSub::GetExportState() {
    const Recordset rs = db().run(QStringLiteral("getState"));
    if (rs.count() == 0)
        return 0;
    return int(rs.at(0, QStringLiteral("par_ertek")).toString().trimmed().toDouble());
}
