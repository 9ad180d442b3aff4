#include "data/Catalogue.h"

#include <QRegularExpression>

namespace {

struct Entry {
    const char *name;
    const char *params; // "name type[=preset], ..." with type long, integer, text or date
    const char *sql;
    const char *pgSql = nullptr; // the server's text, only where the file's SQL does not serve both
};

ParamType typeOf(const QString &t) {
    if (t == QLatin1String("integer"))
        return ParamType::Integer;
    if (t == QLatin1String("text"))
        return ParamType::Text;
    if (t == QLatin1String("date"))
        return ParamType::Date;
    return ParamType::Long;
}

CommandDef toDef(const Entry &e) {
    CommandDef d;
    d.name = QString::fromUtf8(e.name);
    d.sql = QString::fromUtf8(e.sql);
    if (e.pgSql)
        d.pgSql = QString::fromUtf8(e.pgSql);
    const QString params = QString::fromUtf8(e.params);
    for (const QString &item : params.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QStringList parts = item.trimmed().split(QLatin1Char(' '), Qt::SkipEmptyParts);
        ParamDef p;
        p.name = parts.value(0);
        QString type = parts.value(1);
        const int eq = type.indexOf(QLatin1Char('='));
        if (eq >= 0) {
            p.preset = type.mid(eq + 1);
            type.truncate(eq);
        }
        p.type = typeOf(type);
        d.params << p;
    }
    static const QRegularExpression insertInto(QStringLiteral("^\\s*INSERT\\s+INTO\\s+(\\w+)"),
                                               QRegularExpression::CaseInsensitiveOption);
    const auto m = insertInto.match(d.sql);
    if (m.hasMatch())
        d.insertTable = m.captured(1).toUpper();
    return d;
}

QList<CommandDef> build(const Entry *entries, size_t n) {
    QList<CommandDef> out;
    out.reserve(qsizetype(n));
    for (size_t i = 0; i < n; ++i)
        out << toDef(entries[i]);
    return out;
}

// The order in which the documents print the parts of a rating, and in which the fill line of the editor
// counts them: subjects as they were created (the certificate's order), competencies and
// sub-competencies alphabetically in Hungarian, keys settling equal names.
#define PRINT_ORDER                                                                                          \
    " ORDER BY ATARGY.ata_id, KMPBANK.kpb_nev COLLATE HU, KMPBANK.kpb_id, ALKMPBANK.akb_nev COLLATE HU, "    \
    "ALKMPBANK.akb_id, ERTRESZ.esz_id"

// Lookups by name compare text without regard to case (HU_NOCASE folds accented letters too); lists of
// names shown to people are in Hungarian alphabetical order (HU).
const Entry kDevDB[] = {
    {"getUsers", "", "SELECT * FROM USERS ORDER BY usr_login COLLATE HU"},
    {"chkPass", "usr_login text", "SELECT * FROM USERS WHERE usr_login = ? COLLATE HU_NOCASE"},
    {"getSubjects", "tev_id long", "SELECT * FROM ATARGY WHERE ata_tev_id=? AND ata_del=0"},
    {"getSubjectCompetencies", "ata_id long", "SELECT * FROM KMPBANK WHERE kpb_ata_id=? AND kpb_del=0"},
    {"getSubComps", "kpb_id long", "SELECT * FROM ALKMPBANK WHERE akb_kpb_id = ? AND akb_del=0"},
    {"getSentences", "akb_id long",
     "SELECT * FROM MONDATBANK WHERE mdb_akb_id=? ORDER BY mdb_szoveg COLLATE HU"},
    {"addSentence", "akb_id long, mdb_szoveg text, mdb_megoszt text=U, usr_id long",
     "INSERT INTO MONDATBANK (mdb_akb_id, mdb_szoveg, mdb_megoszt, mdb_usr_id) VALUES (?, ?, ?, ?)"},
    {"getClasses", "", "SELECT * FROM OSZTALY"},
    {"getSchoolData", "", "SELECT * FROM INTEZMENY"},
    {"updateSchoolData", "int_nev text, int_omkod text, int_irsz long, int_varos text, int_ut text",
     "UPDATE INTEZMENY SET int_nev = ?, int_omkod = ?, int_irsz = ?, int_varos = ?, int_ut = ?"},
    {"updatePassword", "usr_paswd text, usr_emlekezteto text, usr_login text",
     "UPDATE USERS SET usr_paswd = ?, usr_emlekezteto=? WHERE usr_login = ? COLLATE HU_NOCASE"},
    {"getSpecStudent", "tan_id long, osz_id long",
     "SELECT * FROM TANULO, ERTEKELES, OSZTALY WHERE TANULO.tan_id = ERTEKELES.ert_tan_id AND OSZTALY.osz_id "
     "= "
     "ERTEKELES.ert_osz_id AND tan_id=? AND osz_id=?"},
    {"getPeriods", "", "SELECT * FROM TANEV WHERE tev_del=0 ORDER BY tev_ev, tev_honap"},
    {"checkRatings", "tan_id long, osz_id long, tev_id long",
     "SELECT * FROM ERTEKELES WHERE ert_tan_id = ? AND ert_osz_id = ? AND ert_tev_id = ?"},
    {"addRating", "tan_id long, osz_id long, tev_id long",
     "INSERT INTO ERTEKELES (ert_tan_id, ert_osz_id, ert_tev_id, ert_vegleges) VALUES (?, ?, ?, 'N')"},
    {"getRatingData", "akb_id long, ert_id long",
     "SELECT * FROM ERTEKELES, ERTRESZ, ALKMPBANK WHERE ERTEKELES.ert_id = ERTRESZ.esz_ert_id AND "
     "ERTRESZ.esz_akb_id "
     "= ALKMPBANK.akb_id AND ALKMPBANK.akb_id = ? AND ERTEKELES.ert_id = ?"},
    {"createRatingData", "ert_id long, akb_id long, esz_szoveg text",
     "INSERT INTO ERTRESZ (esz_ert_id, esz_akb_id, esz_szoveg) VALUES (?, ?, ?)"},
    {"getAkbByName", "akb_nev text", "SELECT * FROM ALKMPBANK WHERE akb_nev = ? COLLATE HU_NOCASE"},
    {"saveRatingData", "esz_szoveg text, esz_id long", "UPDATE ERTRESZ SET esz_szoveg = ? WHERE esz_id = ?"},
    {"countMemberships", "usr_id long, csp_id long",
     "SELECT COUNT(*) AS Cnt FROM CSOPTAG, USERS WHERE CSOPTAG.cst_usr_id = USERS.usr_id AND USERS.usr_id = "
     "? AND "
     "CSOPTAG.cst_csp_id = ?"},
    {"getClassData", "osz_id long", "SELECT * FROM OSZTALY WHERE osz_id = ?"},
    {"getSpecUser", "usr_id long", "SELECT * FROM USERS WHERE usr_id = ?"},
    {"updateUsrRightsToClass", "jog_tipus text, usr_id long, osz_id long",
     "UPDATE JOG SET jog_tipus=? WHERE jog_usr_id=? AND jog_osz_id=?"},
    {"countUser", "usr_login text", "SELECT COUNT(*) AS Cnt FROM USERS WHERE usr_login=? COLLATE HU_NOCASE"},
    {"addUser", "usr_nev text, usr_login text, usr_beosztas text",
     "INSERT INTO USERS (usr_nev, usr_login, usr_paswd, usr_beosztas) VALUES (?, ?, '', ?)"},
    {"delUser", "usr_id long", "DELETE FROM USERS WHERE usr_id=?"},
    {"getTANEV", "", "SELECT tev_id, tev_ev, tev_honap, tev_hivatalos, tev_megjegyzes FROM TANEV"},
    {"updateUser", "usr_nev text, usr_login text, usr_beosztas text, usr_id long",
     "UPDATE USERS SET usr_nev=?, usr_login=?, usr_beosztas=? WHERE usr_id=?"},
    {"addTanev", "tev_ev long, tev_honap text, tev_hivatalos text, tev_megjegyzes text",
     "INSERT INTO TANEV (tev_ev, tev_honap, tev_hivatalos, tev_megjegyzes) VALUES (?, ?, ?, ?)"},
    {"resetPassword", "usr_id long", "UPDATE USERS SET usr_paswd='', usr_emlekezteto='' WHERE usr_id=?"},
    {"getStudentsByClass", "osz_id long",
     "SELECT TANULO.* FROM ERTEKELES, TANULO WHERE ERTEKELES.ert_tan_id = TANULO.tan_id AND "
     "ERTEKELES.ert_osz_id=? ORDER BY tan_vnev COLLATE HU, tan_knev COLLATE HU, tan_id"},
    {"getRights", "usr_id long, osz_id long", "SELECT * FROM JOG WHERE jog_usr_id=? AND jog_osz_id=?"},
    {"getPeriodClasses", "tev_id long",
     "SELECT * FROM OSZTALY WHERE OSZTALY.osz_tev_id = ? ORDER BY osz_evfolyam, osz_nev COLLATE HU"},
    {"countAdmins", "", "SELECT COUNT(*) AS Cnt FROM USERS WHERE usr_admin_rights<>0"},
    {"addAdmin", "",
     "INSERT INTO USERS (usr_nev, usr_login, usr_beosztas, usr_admin_rights) VALUES ('Igazgató', 'igazgato', "
     "'Igazgató', 1)"},
    // A pupil has one rating per period: pupils rated in the target period already are left where they are.
    {"copyClass", "ert_osz_id long, ert_tev_id long, ert_osz_id_old long, ert_tev_id_target long",
     "INSERT INTO ERTEKELES (ert_osz_id, ert_tan_id, ert_tev_id, ert_vegleges) SELECT ? AS ert_osz_id, "
     "ert_tan_id, ? AS ert_tev_id, 'N' AS ert_vegleges FROM ERTEKELES WHERE ert_osz_id=? "
     "AND ert_tan_id NOT IN (SELECT ert_tan_id FROM ERTEKELES WHERE ert_tev_id=?) GROUP BY ert_tan_id"},
    {"getSpecPeriod", "tev_id long", "SELECT * FROM TANEV WHERE tev_id=?"},
    {"createClass",
     "tev_id long, osz_evfolyam long, osz_nev text, osz_ofonok_usr_id long, indulas_eve long, osz_megj text",
     "INSERT INTO OSZTALY (osz_tev_id, osz_evfolyam, osz_nev, osz_ofonok_usr_id, osz_indulas_eve, osz_megj) "
     "VALUES "
     "(?, ?, ?, ?, ?, ?)"},
    {"getSpecClass", "osz_id long", "SELECT * FROM OSZTALY WHERE osz_id=?"},
    {"updateClass",
     "osz_evfolyam long, osz_nev text, osz_ofo long, osz_indulas long, osz_megj text, osz_id long",
     "UPDATE OSZTALY SET osz_evfolyam=?, osz_nev=?, osz_ofonok_usr_id=?, osz_indulas_eve=?, osz_megj=? WHERE "
     "osz_id=?"},
    {"createEmptyClass", "",
     "INSERT INTO OSZTALY (osz_tev_id, osz_evfolyam, osz_nev, osz_ofonok_usr_id, osz_indulas_eve, osz_megj) "
     "VALUES "
     "(0, 0, '', 0, 1900, '')"},
    {"getAStudent", "tan_id long", "SELECT * FROM TANULO WHERE tan_id=?"},
    {"updateStudent",
     "tan_vnev text, tan_knev text, tan_anev text, tan_gondv_nev text, tan_szhely text, tan_szdatum date, "
     "tan_tlapszam text, tan_sorsz text, tan_orszag text, tan_id long",
     "UPDATE TANULO SET tan_vnev=?, tan_knev=?, tan_anev=?, tan_gondv_nev=?, tan_szhely=?, tan_szdatum=?, "
     "tan_tlapszam=?, tan_sorsz=?, tan_orszag=? WHERE tan_id=?"},
    {"createEmptyStudent", "", "INSERT INTO TANULO (tan_vnev) VALUES ('')"},
    {"getStudents", "",
     "SELECT * FROM TANULO WHERE tan_del=0 ORDER BY tan_vnev COLLATE HU, tan_knev COLLATE HU"},
    {"updateAutoSave", "usr_autosave long, usr_id long", "UPDATE USERS SET usr_autosave=? WHERE usr_id=?"},
    {"createSubject", "ata_rnev text, tev_id long",
     "INSERT INTO ATARGY (ata_rnev, ata_tev_id) VALUES (?, ?)"},
    // The writes of the curriculum touch live rows only, and a child is made only under a live parent:
    // a node deleted meanwhile by another user is then a write that touched no row.
    {"updateSubject", "ata_rnev text, ata_id long",
     "UPDATE ATARGY SET ata_rnev=? WHERE ata_id=? AND ata_del=0"},
    {"deleteSubject", "ata_id long", "UPDATE ATARGY SET ata_del=1 WHERE ata_id=? AND ata_del=0"},
    {"updateComp", "kpb_nev text, kpb_id long", "UPDATE KMPBANK SET kpb_nev=? WHERE kpb_id=? AND kpb_del=0"},
    {"updateSubComp", "akb_nev text, akb_id long",
     "UPDATE ALKMPBANK SET akb_nev=? WHERE akb_id=? AND akb_del=0"},
    {"deleteComp", "kpb_id long", "UPDATE KMPBANK SET kpb_del=1 WHERE kpb_id=? AND kpb_del=0"},
    {"deleteSubComp", "akb_id long", "UPDATE ALKMPBANK SET akb_del=1 WHERE akb_id=? AND akb_del=0"},
    {"createComp", "ata_id long, kpb_nev text",
     "INSERT INTO KMPBANK (kpb_ata_id, kpb_nev) SELECT CAST(?1 AS INTEGER), ?2 WHERE EXISTS (SELECT 1 FROM "
     "ATARGY WHERE ata_id=CAST(?1 AS INTEGER) AND ata_del=0)"},
    {"countComps", "ata_id long", "SELECT COUNT(*) AS Cnt FROM KMPBANK WHERE kpb_ata_id=?"},
    {"createSubComp", "kpb_id long, akb_nev text",
     "INSERT INTO ALKMPBANK (akb_kpb_id, akb_nev) SELECT CAST(?1 AS INTEGER), ?2 WHERE EXISTS (SELECT 1 FROM "
     "KMPBANK WHERE kpb_id=CAST(?1 AS INTEGER) AND kpb_del=0)"},
    {"getDummyComp", "ata_id long",
     "SELECT * FROM KMPBANK WHERE kpb_ata_id=? AND (kpb_nev IS NULL OR trim(kpb_nev)='') AND kpb_del=0"},
    {"getDummySubComp", "kpb_id long",
     "SELECT * FROM ALKMPBANK WHERE akb_kpb_id=? AND (akb_nev IS NULL OR trim(akb_nev)='') AND akb_del=0"},
    {"updateSentence", "mdb_szoveg text, mdb_id long", "UPDATE MONDATBANK SET mdb_szoveg=? WHERE mdb_id=?"},
    {"setSentenceSharing", "mdb_megoszt text, mdb_id long",
     "UPDATE MONDATBANK SET mdb_megoszt=? WHERE mdb_id=?"},
    {"getUserByName", "usr_login text", "SELECT * FROM USERS WHERE usr_login=? COLLATE HU_NOCASE"},
    {"getAllSentences", "", "SELECT DISTINCT * FROM MONDATBANK"},
    {"cmdLog",
     "log_tabla text, log_rekord_id long, log_usr_id long, log_time_stamp date, log_megj text, log_usr_login "
     "text",
     "INSERT INTO LOG (log_tabla, log_rekord_id, log_usr_id, log_time_stamp, log_megj, log_usr_login) VALUES "
     "(?, ?, ?, "
     "?, ?, ?)"},
    {"deleteClass", "osz_id long", "UPDATE OSZTALY SET osz_torolt=1 WHERE osz_id=?"},
    // Absences go in as typed: a number is stored as a number, anything else is kept as text rather than
    // lost.
    {"updateMainRatingData",
     "ert_mulaszt text, ert_igazolatlan text, ert_hatarozat_evf text, ert_keltezes date, ert_id long",
     "UPDATE ERTEKELES SET ert_mulaszt=?, ert_igazolatlan=?, ert_hatarozat_evf=?, ert_keltezes=? WHERE "
     "ert_id=?"},
    {"setFinalizationMode", "ert_vegleges text, ert_id long",
     "UPDATE ERTEKELES SET ert_vegleges=? WHERE ert_id=?"},
    // Read again just before a save, so that a rating finalised meanwhile by someone else is not written.
    {"getRatingStatus", "ert_id long", "SELECT ert_vegleges FROM ERTEKELES WHERE ert_id=?"},
    {"copyRightsOfClass", "osz_id long, osz_id_old long",
     "INSERT INTO JOG (jog_usr_id, jog_osz_id, jog_tipus) SELECT jog_usr_id, ? AS jog_osz_id, jog_tipus FROM "
     "JOG "
     "WHERE jog_osz_id=?"},
    {"getClosures", "ert_id long", "SELECT * FROM ZARADEK WHERE zdk_ert_id=?"},
    {"addClosure", "ert_id long, zdk_szoveg text",
     "INSERT INTO ZARADEK (zdk_ert_id, zdk_szoveg) VALUES (?, ?)"},
    {"updateClosure", "zdk_szoveg text, zdk_id long", "UPDATE ZARADEK SET zdk_szoveg=? WHERE zdk_id=?"},
    {"deleteClosure", "zdk_id long", "DELETE FROM ZARADEK WHERE zdk_id=?"},
    {"getLastId", "", ""},
    // Every entry is listed, a page at a time after the given key: failed logins show the name typed,
    // entries of users deleted since are marked so.
    {"getLog", "after_log_id long, page_rows long",
     "SELECT LOG.log_id, LOG.log_tabla, LOG.log_rekord_id, LOG.log_time_stamp, CASE WHEN LOG.log_usr_id = -1 "
     "THEN LOG.log_usr_login WHEN USERS.usr_id IS NULL THEN '<törölt felhasználó>' ELSE USERS.usr_login END "
     "AS usr_login, LOG.log_megj FROM LOG LEFT JOIN USERS ON LOG.log_usr_id = USERS.usr_id "
     "WHERE LOG.log_id > ? ORDER BY LOG.log_id LIMIT ?"},
    {"getStudentAll", "tev_id long",
     "SELECT DISTINCT TANULO.* FROM TANULO, ERTEKELES WHERE (TANULO.tan_del = 0) AND (TANULO.tan_id = "
     "ERTEKELES.ert_tan_id) AND (ERTEKELES.ert_tev_id = ?)"},
    {"delTanulo", "tan_id long", "UPDATE TANULO SET tan_del = 1 WHERE tan_id = ?"},
    {"deleteSentence", "mdb_id long", "DELETE FROM MONDATBANK WHERE mdb_id=?"},
    {"getAllLog", "", "SELECT * FROM LOG"},
    {"clearLog", "", "DELETE FROM LOG"},
    {"saveBG", "usr_bg text, usr_id long", "UPDATE USERS SET usr_bg=? WHERE usr_id=?"},
    {"deleteRating", "esz_id long", "DELETE FROM ERTRESZ WHERE esz_id=?"},
    {"getActivePeriod", "", "SELECT * FROM TANEV WHERE tev_aktiv<>0"},
    {"getClassOfStudent", "tan_id long, tev_id long",
     "SELECT OSZTALY.* FROM OSZTALY, ERTEKELES WHERE OSZTALY.osz_id = ERTEKELES.ert_osz_id AND "
     "ERTEKELES.ert_tan_id=? "
     "AND ERTEKELES.ert_tev_id=?"},
    {"createSchoolData", "int_nev text, int_omkod text, int_irsz long, int_varos text, int_ut text",
     "INSERT INTO INTEZMENY (int_nev, int_omkod, int_irsz, int_varos, int_ut) VALUES (?, ?, ?, ?, ?)"},
    {"deleteSubCompSentences", "akb_id long", "DELETE FROM MONDATBANK WHERE mdb_akb_id=?"},
    {"updateActivePeriod", "tev_id long",
     "UPDATE TANEV SET tev_aktiv = CASE WHEN tev_id=? THEN 1 ELSE 0 END"},
    {"deleteKidFromClass", "ert_id long", "DELETE FROM ERTEKELES WHERE ert_id=?"},
    {"deleteClausesOfRating", "ert_id long", "DELETE FROM ZARADEK WHERE zdk_ert_id=?"},
    {"updateRating", "osz_id_new long, osz_id long, tan_id long, tev_id long",
     "UPDATE ERTEKELES SET ert_osz_id=? WHERE ert_osz_id=? AND ert_tan_id = ? AND ert_tev_id = ?"},
    {"checkRatings2", "tan_id long, tev_id long",
     "SELECT * FROM ERTEKELES WHERE ert_tan_id = ? AND ert_tev_id = ?"},
    {"deletePeriod", "tev_id long", "UPDATE TANEV SET tev_del=1 WHERE tev_id=?"},
    {"addSentence2", "akb_id long, mdb_szoveg text, mdb_megoszt text, usr_id long",
     "INSERT INTO MONDATBANK (mdb_akb_id, mdb_szoveg, mdb_megoszt, mdb_usr_id) VALUES (?, ?, ?, ?)"},
    {"setLock", "usr_id long, ert_id long", "UPDATE ERTEKELES SET ert_lock_usr_id=? WHERE ert_id=?"},
    {"removeLock", "ert_id long", "UPDATE ERTEKELES SET ert_lock_usr_id=0 WHERE ert_id=?"},
    // The lock is taken only while the rating is free, so that of two users opening it at once one wins.
    {"setLockIfFree", "usr_id long, ert_id long",
     "UPDATE ERTEKELES SET ert_lock_usr_id=? WHERE ert_id=? AND ert_lock_usr_id=0"},
    {"getLockedRatings", "tev_id long", "SELECT * FROM ERTEKELES WHERE ert_lock_usr_id<>0 AND ert_tev_id=?"},
    {"getAllOfRating", "ert_id long",
     "SELECT USERS.usr_nev, OSZTALY.osz_evfolyam, OSZTALY.osz_nev, TANULO.tan_knev, TANULO.tan_vnev FROM "
     "ERTEKELES, "
     "TANULO, OSZTALY, USERS WHERE ERTEKELES.ert_tan_id = TANULO.tan_id AND ERTEKELES.ert_osz_id = "
     "OSZTALY.osz_id AND "
     "ERTEKELES.ert_lock_usr_id = USERS.usr_id AND (ERTEKELES.ert_id = ?)"},
    {"getParameter", "", "SELECT PARAMETER.* FROM PARAMETER"},
    {"setParameter", "usr_startup integer, usr_id long", "UPDATE USERS SET usr_startup=? WHERE usr_id=?"},
    {"createRights", "usr_id text, osz_id text",
     "INSERT INTO JOG (jog_usr_id, jog_osz_id, jog_tipus) VALUES (CAST(? AS INTEGER), CAST(? AS INTEGER), "
     "'')"},
    {"addExportedClass", "osz_id long, usr_id long",
     "INSERT INTO EXPORT (exp_osz_id, exp_usr_id) VALUES (?, ?)"},
    // Register numbers are texts on the pupil; they are copied as texts (an empty number stays empty).
    {"setDunno", "ert_tlapszam text, ert_sorsz text, ert_id long",
     "UPDATE ERTEKELES SET ert_tlapszam=?, ert_sorsz=? WHERE ert_id = ?"},
    {"deleteUserFromJOG", "usr_id long", "DELETE FROM JOG WHERE jog_usr_id=?"},
    {"getZDKTemplates", "", "SELECT * FROM ZDK_SABLON ORDER BY zds_id"},
    {"getHatTemplates", "", "SELECT * FROM HAT_SABLON ORDER BY hat_id"},
    {"deleteERTRESZek", "ert_id long", "DELETE FROM ERTRESZ WHERE esz_ert_id=?"},
    {"countMatchingTlapszam_Sorsz",
     "tan_id long, tan_tlapszam text, tan_sorsz text, tev_id long, osz_id long",
     "SELECT * FROM TANULO, ERTEKELES WHERE (TANULO.tan_id = ERTEKELES.ert_tan_id) AND (TANULO.tan_id <> ?) "
     "AND "
     "((TANULO.tan_tlapszam = ? COLLATE HU_NOCASE) OR (TANULO.tan_sorsz = ? COLLATE HU_NOCASE)) AND "
     "(ERTEKELES.ert_tev_id = ?) AND (ERTEKELES.ert_osz_id = ?)"},
    {"getUserByRealName", "usr_nev text", "SELECT * FROM USERS WHERE usr_nev=? COLLATE HU_NOCASE"},
    {"setRating_TLAPSORSZAM", "ert_tlapszam text, ert_sorsz text, ert_id long",
     "UPDATE ERTEKELES SET ert_tlapszam=?, ert_sorsz=? WHERE ert_id=?"},
    {"getIdenticalKids", "tan_vnev text, tan_knev text, tan_anev text, tan_szdatum date",
     "SELECT * FROM TANULO WHERE tan_vnev=? COLLATE HU_NOCASE AND tan_knev=? COLLATE HU_NOCASE AND "
     "tan_anev=? "
     "COLLATE HU_NOCASE AND tan_szdatum IS ? AND tan_del=0",
     "SELECT * FROM TANULO WHERE tan_vnev=? COLLATE HU_NOCASE AND tan_knev=? COLLATE HU_NOCASE AND "
     "tan_anev=? COLLATE HU_NOCASE AND tan_szdatum IS NOT DISTINCT FROM ? AND tan_del=0"},
    {"exportClass", "osz_id text, usr_id text",
     "INSERT INTO EXPORT (exp_osz_id, exp_usr_id) VALUES (CAST(? AS INTEGER), CAST(? AS INTEGER))"},
    {"getState", "", "SELECT * FROM PARAMETER WHERE par_nev='export'"},
    {"findClassInExport", "osz_id long", "SELECT * FROM EXPORT WHERE exp_osz_id=?"},
    {"setDBState", "par_ertek long", "UPDATE PARAMETER SET par_ertek=? WHERE par_nev='export'"},
    {"countUsersExports", "usr_id text", "SELECT * FROM EXPORT WHERE exp_usr_id=CAST(? AS INTEGER)"},
    {"purgeEXPORT", "", "DELETE FROM EXPORT"},
    {"checkPeriodForRatings", "tev_id long", "SELECT ert_id FROM ERTEKELES WHERE ert_tev_id=?"},
    {"getIdenticalClass", "tev_id long, osz_evfolyam text, osz_indulas_eve long, osz_nev text",
     "SELECT * FROM OSZTALY WHERE osz_tev_id=? AND osz_evfolyam=CAST(? AS INTEGER) AND osz_indulas_eve=? AND "
     "osz_nev=? COLLATE HU_NOCASE AND osz_torolt=0"},
    {"getIdenticalPeriod", "tev_ev long, tev_honap text",
     "SELECT * FROM TANEV WHERE tev_ev=? AND tev_honap=? COLLATE HU_NOCASE AND tev_del=0"},
    {"DELETE_RATINGS_OF_CLASS", "osz_id long", "DELETE FROM ERTEKELES WHERE ert_osz_id=?"},
    {"createKid",
     "tan_vnev text, tan_knev text, tan_anev text, tan_gondv_nev text, tan_szhely text, tan_orszag text, "
     "tan_szdatum "
     "date, tan_tlapszam text, tan_sorsz text",
     "INSERT INTO TANULO (tan_vnev, tan_knev, tan_anev, tan_gondv_nev, tan_szhely, tan_orszag, tan_szdatum, "
     "tan_tlapszam, tan_sorsz) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"},
    {"getRatingsOfClass", "osz_id long", "SELECT * FROM ERTEKELES WHERE ert_osz_id=?"},
    {"addRating2", "tan_id long, osz_id long, tev_id long, ert_vegleges text",
     "INSERT INTO ERTEKELES (ert_tan_id, ert_osz_id, ert_tev_id, ert_vegleges) VALUES (?, ?, ?, ?)"},
    // Everything a teacher edits in a rating's row, as a returned copy brings it back.
    {"setReturnedRating",
     "ert_vegleges text, ert_mulaszt text, ert_igazolatlan text, ert_hatarozat_evf text, ert_keltezes date, "
     "ert_sorsz text, ert_tlapszam text, ert_bizszam text, ert_nyomtatas_datum date, ert_id long",
     "UPDATE ERTEKELES SET ert_vegleges=?, ert_mulaszt=?, ert_igazolatlan=?, ert_hatarozat_evf=?, "
     "ert_keltezes=?, ert_sorsz=?, ert_tlapszam=?, ert_bizszam=?, ert_nyomtatas_datum=? WHERE ert_id=?"},
    {"getExportedClasses", "", "SELECT * FROM EXPORT"},
    {"importClass", "osz_id long", "DELETE FROM EXPORT WHERE exp_osz_id=?"},
    {"getLastIdOfAK", "ert_id long, akb_id long",
     "SELECT MAX(esz_id) AS id FROM ERTRESZ WHERE esz_ert_id = ? AND esz_akb_id = ?"},
    {"deleteErtreszExceptOne", "ert_id long, akb_id long, esz_id long",
     "DELETE FROM ERTRESZ WHERE esz_ert_id=? AND esz_akb_id=? AND esz_id<>?"},
    {"getAllErtreszDesc", "",
     "SELECT esz_id, esz_ert_id, esz_akb_id FROM ERTRESZ ORDER BY esz_ert_id, esz_akb_id, esz_id DESC"},
    // Every sub-competency of a period with the stored part of one rating, in the order the documents
    // print the parts: the fill line counts the sheets printing lays out.
    {"getRatingOutline", "ert_id long, tev_id long",
     "SELECT ATARGY.ata_id, ATARGY.ata_rnev, KMPBANK.kpb_nev, ALKMPBANK.akb_id, ALKMPBANK.akb_nev, "
     "ERTRESZ.esz_id, ERTRESZ.esz_szoveg FROM ATARGY JOIN KMPBANK ON KMPBANK.kpb_ata_id = ATARGY.ata_id "
     "JOIN ALKMPBANK ON ALKMPBANK.akb_kpb_id = KMPBANK.kpb_id LEFT JOIN ERTRESZ ON ERTRESZ.esz_akb_id = "
     "ALKMPBANK.akb_id AND ERTRESZ.esz_ert_id = ? WHERE ATARGY.ata_tev_id = ? AND ATARGY.ata_del=0 AND "
     "KMPBANK.kpb_del=0 AND ALKMPBANK.akb_del=0" PRINT_ORDER},
    {"getClassPupilNames", "osz_id long, tev_id long",
     "SELECT ERTEKELES.ert_id, TANULO.tan_id, TANULO.tan_vnev, TANULO.tan_knev FROM ERTEKELES, TANULO WHERE "
     "ERTEKELES.ert_tan_id = TANULO.tan_id AND ERTEKELES.ert_osz_id=? AND ERTEKELES.ert_tev_id=? AND "
     "TANULO.tan_del=0"},
    {"getClassPartsExcept", "osz_id long, tev_id long, ert_id long",
     "SELECT ERTRESZ.esz_akb_id, ERTRESZ.esz_szoveg, TANULO.tan_vnev, TANULO.tan_knev FROM ERTRESZ, "
     "ERTEKELES, TANULO WHERE ERTRESZ.esz_ert_id = ERTEKELES.ert_id AND ERTEKELES.ert_tan_id = TANULO.tan_id "
     "AND ERTEKELES.ert_osz_id=? AND ERTEKELES.ert_tev_id=? AND ERTEKELES.ert_id<>? AND TANULO.tan_del=0"},
    // Of the rating parts of one rating and sub-competency only the newest (highest key) is kept.
    {"deleteDuplicateErtresz", "",
     "DELETE FROM ERTRESZ WHERE EXISTS (SELECT 1 FROM ERTRESZ AS newer WHERE newer.esz_ert_id = "
     "ERTRESZ.esz_ert_id AND newer.esz_akb_id = ERTRESZ.esz_akb_id AND newer.esz_id > ERTRESZ.esz_id)"},
    {"getUsersByName", "", "SELECT * FROM USERS ORDER BY usr_nev COLLATE HU, usr_id"},
    // The live classes of a period with the name of their form teacher, as lists show them.
    {"getPeriodClassesWithTeacher", "tev_id long",
     "SELECT OSZTALY.*, USERS.usr_nev FROM OSZTALY LEFT JOIN USERS ON USERS.usr_id = "
     "OSZTALY.osz_ofonok_usr_id WHERE OSZTALY.osz_tev_id = ? AND OSZTALY.osz_torolt = 0 ORDER BY "
     "OSZTALY.osz_evfolyam, OSZTALY.osz_nev COLLATE HU, OSZTALY.osz_id"},
};

const Entry kDevPrint[] = {
    {"getTanulo", "ert_id long, tan_id long",
     "SELECT ERTEKELES.ert_id, ERTEKELES.ert_tan_id, TANULO.tan_anev, TANULO.tan_id, TANULO.tan_gondv_nev, "
     "TANULO.tan_knev, TANULO.tan_vnev, TANULO.tan_orszag, TANULO.tan_szhely, TANULO.tan_szdatum, "
     "OSZTALY.osz_evfolyam, OSZTALY.osz_om, OSZTALY.osz_indulas_eve, ERTEKELES.ert_hatarozat_evf, "
     "ERTEKELES.ert_igazolatlan, ERTEKELES.ert_keltezes, ERTEKELES.ert_mulaszt, ERTEKELES.ert_sorsz, "
     "ERTEKELES.ert_tlapszam, ERTEKELES.ert_vegleges, ERTEKELES.ert_tev_id, ERTEKELES.ert_biz_nevek, "
     "ERTEKELES.ert_tlap_nevek FROM ERTEKELES, TANULO, OSZTALY "
     "WHERE "
     "ERTEKELES.ert_tan_id = TANULO.tan_id AND ERTEKELES.ert_osz_id = OSZTALY.osz_id AND (ERTEKELES.ert_id = "
     "?) AND "
     "(ERTEKELES.ert_tan_id = ?)"},
    {"getErtresz", "esz_ert_id long",
     "SELECT ERTRESZ.esz_id, ERTRESZ.esz_szoveg, ALKMPBANK.akb_nev, ATARGY.ata_rnev, KMPBANK.kpb_nev FROM "
     "ERTRESZ, "
     "ALKMPBANK, KMPBANK, ATARGY WHERE ERTRESZ.esz_akb_id = ALKMPBANK.akb_id AND ALKMPBANK.akb_kpb_id = "
     "KMPBANK.kpb_id "
     "AND KMPBANK.kpb_ata_id = ATARGY.ata_id AND (ERTRESZ.esz_ert_id = ?) AND ATARGY.ata_del=0 AND "
     "KMPBANK.kpb_del=0 "
     "AND ALKMPBANK.akb_del=0" PRINT_ORDER},
    {"cmdIskola", "", "SELECT INTEZMENY.* FROM INTEZMENY"},
    {"setBizszam", "ert_bizszam text, ert_id long", "UPDATE ERTEKELES SET ert_bizszam = ? WHERE ert_id = ?"},
    {"setTlapszam", "ert_tlapszam text, ert_id long",
     "UPDATE ERTEKELES SET ert_tlapszam = ? WHERE ert_id = ?"},
    {"getZaradek", "ert_id long",
     "SELECT zdk_id, zdk_ert_id, zdk_szoveg FROM ZARADEK WHERE (zdk_ert_id = ?)"},
    {"getBranchFromESZ", "esz_id long",
     "SELECT * FROM ERTRESZ, ALKMPBANK, KMPBANK, ATARGY WHERE ERTRESZ.esz_id=? AND "
     "ERTRESZ.esz_akb_id=ALKMPBANK.akb_id "
     "AND ALKMPBANK.akb_kpb_id=KMPBANK.kpb_id AND KMPBANK.kpb_ata_id=ATARGY.ata_id"},
    {"getOldalak", "ert_id long, lap_tipus text", "SELECT * FROM LAP WHERE lap_ert_id = ? AND lap_tipus = ?"},
    {"insOldal", "lap_ert_id long, lap_sorszam text, lap_tipus text, lap_szam long",
     "INSERT INTO LAP (lap_ert_id, lap_sorszam, lap_tipus, lap_szam) VALUES (?, ?, ?, ?)"},
    {"getLaps", "ert_id long, lap_tipus text",
     "SELECT * FROM LAP WHERE lap_ert_id=? AND lap_tipus=? AND lap_del=0"},
    {"setErt_vegleges", "ert_vegleges text, ert_id long",
     "UPDATE ERTEKELES SET ert_vegleges = ? WHERE ert_id = ?"},
    // The name options an official run printed with, kept so that a reprinted sheet carries the same text.
    {"setBizNevek", "ert_biz_nevek long, ert_id long",
     "UPDATE ERTEKELES SET ert_biz_nevek = ? WHERE ert_id = ?"},
    {"setTlapNevek", "ert_tlap_nevek long, ert_id long",
     "UPDATE ERTEKELES SET ert_tlap_nevek = ? WHERE ert_id = ?"},
    {"updLapsorszam", "lap_sorszam text, lap_ert_id long, lap_tipus text, lap_szam integer",
     "UPDATE LAP SET lap_sorszam = ? WHERE lap_ert_id= ? AND lap_tipus = ? AND lap_szam = ?"},
    {"getTanuloOsztaly", "ert_id long",
     "SELECT osz_evfolyam, osz_nev FROM OSZTALY, ERTEKELES WHERE osz_id = ert_osz_id AND ert_id = ?"},
    {"getTanev", "tev_id long", "SELECT TANEV.* FROM TANEV WHERE (tev_id = ?)"},
    {"delLapok", "ert_id long", "UPDATE LAP SET lap_del = 1 WHERE lap_ert_id = ?"},
};

const Entry kDevExp[] = {
    {"setDBState", "par_ertek long", "UPDATE PARAMETER SET par_ertek=? WHERE par_nev='export'"},
    {"purgeParamTable", "", "DELETE FROM PARAMETER WHERE par_nev LIKE 'export%'"},
    {"addExportedClass", "osz_id long", "INSERT INTO EXPORT (exp_osz_id) VALUES (?)"},
    // A checkout copy taken in by a teacher names him as the one who has its class.
    {"setExportUser", "usr_id long", "UPDATE EXPORT SET exp_usr_id=?"},
    {"purgeEXPORT", "", "DELETE FROM EXPORT"},
    {"getDBState", "", "SELECT * FROM PARAMETER WHERE par_nev='export'"},
    {"getClassID", "", "SELECT * FROM EXPORT"},
    {"getRatingsOfClass", "osz_id long", "SELECT * FROM ERTEKELES WHERE ert_osz_id=?"},
    {"getErtreszOfRating", "ert_id long", "SELECT * FROM ERTRESZ WHERE esz_ert_id=?"},
    {"getClausesOfRating", "ert_id long", "SELECT * FROM ZARADEK WHERE zdk_ert_id=? ORDER BY zdk_id"},
    {"getUserByLogin", "usr_login text", "SELECT usr_id FROM USERS WHERE usr_login=? COLLATE HU_NOCASE"},
    {"getPeriod", "tev_id long", "SELECT * FROM TANEV WHERE tev_id=?"},
    {"getClass", "osz_id long", "SELECT * FROM OSZTALY WHERE osz_id=?"},
    {"getKid", "tan_id long", "SELECT * FROM TANULO WHERE tan_id=?"},
};

} // namespace

QList<CommandDef> Catalogue::devDB() {
    return build(kDevDB, std::size(kDevDB));
}

QList<CommandDef> Catalogue::devPrint() {
    return build(kDevPrint, std::size(kDevPrint));
}

QList<CommandDef> Catalogue::devExp() {
    return build(kDevExp, std::size(kDevExp));
}
