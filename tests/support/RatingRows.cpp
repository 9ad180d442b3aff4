#include "RatingRows.h"

#include "data/Connection.h"
#include "data/modSub.h"

namespace {

qint64 insert(TestDatabase &t, const QString &sql, const QVariantList &values) {
    t.db().connection().query(sql, values);
    return t.db().connection().lastInsertRowid();
}

} // namespace

void RatingRows::setSchool(const QString &omCode, const QString &town) {
    m_t.db().connection().query(QStringLiteral("DELETE FROM INTEZMENY"));
    m_t.db().connection().query(
        QStringLiteral("INSERT INTO INTEZMENY (int_nev, int_omkod, int_irsz, int_varos, int_ut) VALUES "
                       "('Petőfi Sándor Általános Iskola', ?, 7621, ?, 'Fő utca 1.')"),
        {omCode, town});
}

qint64 RatingRows::addSubject(qint64 tevId, const QString &printName, bool deleted) {
    return insert(m_t, QStringLiteral("INSERT INTO ATARGY (ata_rnev, ata_tev_id, ata_del) VALUES (?, ?, ?)"),
                  {printName, tevId, deleted ? 1 : 0});
}

qint64 RatingRows::addCompetency(qint64 ataId, const QString &name, bool deleted) {
    return insert(m_t, QStringLiteral("INSERT INTO KMPBANK (kpb_ata_id, kpb_nev, kpb_del) VALUES (?, ?, ?)"),
                  {ataId, name.isNull() ? QVariant() : QVariant(name), deleted ? 1 : 0});
}

qint64 RatingRows::addSubCompetency(qint64 kpbId, const QString &name, bool deleted) {
    return insert(
        m_t, QStringLiteral("INSERT INTO ALKMPBANK (akb_kpb_id, akb_nev, akb_del) VALUES (?, ?, ?)"),
        {kpbId, name.isNull() ? QVariant() : QVariant(name), deleted ? 1 : 0});
}

qint64 RatingRows::addRating(qint64 tanId, qint64 oszId, qint64 tevId, const QString &status) {
    return insert(m_t,
                  QStringLiteral("INSERT INTO ERTEKELES (ert_tan_id, ert_osz_id, ert_tev_id, ert_vegleges, "
                                 "ert_mulaszt, ert_igazolatlan, ert_hatarozat_evf, ert_keltezes, ert_sorsz, "
                                 "ert_tlapszam) VALUES (?, ?, ?, ?, 12, 2, 'Magasabb évfolyamba léphet.', "
                                 "'2025-06-13', '17', 'T-123/2025')"),
                  {tanId, oszId, tevId, status});
}

void RatingRows::setRatingField(qint64 ertId, const QString &column, const QVariant &value) {
    m_t.db().connection().query(QStringLiteral("UPDATE ERTEKELES SET %1 = ? WHERE ert_id = ?").arg(column),
                                {value, ertId});
}

qint64 RatingRows::addPart(qint64 ertId, qint64 akbId, const QVariant &text) {
    return insert(m_t,
                  QStringLiteral("INSERT INTO ERTRESZ (esz_ert_id, esz_akb_id, esz_szoveg) VALUES (?, ?, ?)"),
                  {ertId, akbId, text});
}

qint64 RatingRows::addClause(qint64 ertId, const QString &text) {
    return insert(m_t, QStringLiteral("INSERT INTO ZARADEK (zdk_ert_id, zdk_szoveg) VALUES (?, ?)"),
                  {ertId, text});
}

void RatingRows::addSheet(qint64 ertId, const QString &kind, int sheet, const QString &serial, bool deleted) {
    m_t.db().connection().query(
        QStringLiteral("INSERT INTO LAP (lap_ert_id, lap_tipus, lap_szam, lap_sorszam, "
                       "lap_del) VALUES (?, ?, ?, ?, ?)"),
        {ertId, kind, sheet, serial, deleted ? 1 : 0});
}

RatingRows::Rating RatingRows::makeRating(const QString &family, const QString &given,
                                          const QString &status) {
    Rating r;
    r.tevId = m_t.addPeriod(2024, QStringLiteral("Év vége"), true);
    r.oszId = m_t.addClass(r.tevId, 3, QStringLiteral("b"));
    r.tanId = m_t.addPupil(family, given, QStringLiteral("T-123/2025"), QStringLiteral("17"));
    r.ertId = addRating(r.tanId, r.oszId, r.tevId, status);
    return r;
}

qint64 RatingRows::addBranch(qint64 tevId, const QString &subject, const QString &competency,
                             const QString &subCompetency) {
    const qint64 ata = addSubject(tevId, subject);
    const qint64 kpb = addCompetency(ata, competency);
    return addSubCompetency(kpb, subCompetency);
}
