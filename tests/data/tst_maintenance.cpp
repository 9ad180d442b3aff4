// The database maintenance pass: duplicate rating parts and missing placeholder nodes.
#include "SchoolFixture.h"
#include "TestDatabase.h"
#include "data/Maintenance.h"

#include <QTest>

class tst_maintenance : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void duplicatePartsKeepNewest();
    void missingNodesOfActivePeriodCreated();
    void emptyDatabaseAndSecondRunChangeNothing();

private:
    void addPart(qint64 eszId, qint64 ertId, qint64 akbId);
    QStringList snapshot();
    std::unique_ptr<TestDatabase> m_db;
    std::unique_ptr<SchoolFixture> m_school;
};

void tst_maintenance::init() {
    m_db = std::make_unique<TestDatabase>();
    m_school = std::make_unique<SchoolFixture>(*m_db);
}

void tst_maintenance::cleanup() {
    m_school.reset();
    m_db.reset();
}

void tst_maintenance::addPart(qint64 eszId, qint64 ertId, qint64 akbId) {
    m_db->db().connection().query(
        QStringLiteral(
            "INSERT INTO ERTRESZ (esz_id, esz_ert_id, esz_akb_id, esz_szoveg) VALUES (?, ?, ?, ?)"),
        {eszId, ertId, akbId, QStringLiteral("rész %1").arg(eszId)});
}

// Every row of the tables the pass may touch, as text.
QStringList tst_maintenance::snapshot() {
    QStringList rows;
    for (const char *sql : {"SELECT esz_id, esz_ert_id, esz_akb_id FROM ERTRESZ ORDER BY esz_id",
                            "SELECT kpb_id, kpb_ata_id, kpb_nev, kpb_del FROM KMPBANK ORDER BY kpb_id",
                            "SELECT akb_id, akb_kpb_id, akb_nev, akb_del FROM ALKMPBANK ORDER BY akb_id"}) {
        const Recordset rs = m_db->db().connection().query(QString::fromLatin1(sql));
        for (int r = 0; r < rs.count(); ++r) {
            QStringList values;
            for (const QString &c : rs.columns())
                values << rs.at(r, c).toString();
            rows << values.join(QLatin1Char('|'));
        }
    }
    return rows;
}

void tst_maintenance::duplicatePartsKeepNewest() {
    const qint64 a = m_school->ratingOf(0), b = m_school->ratingOf(1);
    const qint64 x = m_school->addition, y = m_school->subtraction;
    for (qint64 id : {5, 9, 7})
        addPart(id, a, x);
    addPart(6, a, y); // same rating, other sub-competency
    addPart(8, b, x); // same sub-competency, other rating
    addPart(12, b, y);
    addPart(11, b, y);
    Maintenance::RunDatabaseMaintenance();
    const Recordset kept =
        m_db->db().connection().query(QStringLiteral("SELECT esz_id FROM ERTRESZ ORDER BY esz_id"));
    QStringList ids;
    for (int i = 0; i < kept.count(); ++i)
        ids << kept.at(i, QStringLiteral("esz_id")).toString();
    QCOMPARE(ids.join(QLatin1Char(',')), QStringLiteral("6,8,9,12"));
    QCOMPARE(m_db->scalar(QStringLiteral("SELECT esz_szoveg FROM ERTRESZ WHERE esz_id=9")),
             QVariant(QStringLiteral("rész 9")));
}

void tst_maintenance::missingNodesOfActivePeriodCreated() {
    SchoolFixture &s = *m_school;
    const qint64 bare = s.addSubject(s.period, QStringLiteral("Rajz"));
    const qint64 halfComp = s.addComp(s.math, QStringLiteral("Mérés"));
    const qint64 deletedSubject = s.addSubject(s.period, QStringLiteral("Régi tárgy"));
    m_db->db().run(QStringLiteral("deleteSubject"), {deletedSubject});
    const qint64 deletedChildOnly = s.addComp(s.music, QStringLiteral("Hangszer"));
    m_db->db().run(QStringLiteral("deleteComp"), {deletedChildOnly});
    const qint64 oldBare = s.addSubject(s.oldPeriod, QStringLiteral("Technika"));
    const qint64 oldComp =
        s.addComp(s.addSubject(s.oldPeriod, QStringLiteral("Olvasás")), QStringLiteral("Hang"));
    const QStringList before = snapshot();

    Maintenance::RunDatabaseMaintenance();

    auto count = [&](const char *sql, qint64 key) {
        return m_db->scalar(QString::fromLatin1(sql), {key}).toInt();
    };
    // A bare subject gets one nameless competency with one nameless sub-competency.
    const Recordset comp =
        m_db->db().connection().query(QStringLiteral("SELECT * FROM KMPBANK WHERE kpb_ata_id=?"), {bare});
    QCOMPARE(comp.count(), 1);
    QCOMPARE(comp.at(0, QStringLiteral("kpb_nev")).toString(), QString());
    const Recordset sub = m_db->db().connection().query(
        QStringLiteral("SELECT * FROM ALKMPBANK WHERE akb_kpb_id=?"), {comp.at(0, QStringLiteral("kpb_id"))});
    QCOMPARE(sub.count(), 1);
    QCOMPARE(sub.at(0, QStringLiteral("akb_nev")).toString(), QString());
    // A competency without sub-competency gets one; complete, deleted and other periods' nodes stay.
    QCOMPARE(count("SELECT count(*) FROM ALKMPBANK WHERE akb_kpb_id=? AND akb_nev=''", halfComp), 1);
    QCOMPARE(count("SELECT count(*) FROM ALKMPBANK WHERE akb_kpb_id=?", s.mathComp), 2);
    QCOMPARE(count("SELECT count(*) FROM KMPBANK WHERE kpb_ata_id=?", deletedSubject), 0);
    QCOMPARE(count("SELECT count(*) FROM ALKMPBANK WHERE akb_kpb_id=?", deletedChildOnly), 0);
    QCOMPARE(count("SELECT count(*) FROM KMPBANK WHERE kpb_ata_id=?", oldBare), 0);
    QCOMPARE(count("SELECT count(*) FROM ALKMPBANK WHERE akb_kpb_id=?", oldComp), 0);
    // Exactly three rows were added: nothing else changed.
    const QStringList after = snapshot();
    QCOMPARE(after.size(), before.size() + 3);
    for (const QString &row : before)
        QVERIFY2(after.contains(row), qPrintable(row));
}

void tst_maintenance::emptyDatabaseAndSecondRunChangeNothing() {
    // No rating parts at all, then a repaired database: neither run finds anything to do twice.
    m_school->addSubject(m_school->period, QStringLiteral("Rajz"));
    Maintenance::RunDatabaseMaintenance();
    const QStringList once = snapshot();
    Maintenance::RunDatabaseMaintenance();
    QCOMPARE(snapshot(), once);
    // A database without an active period keeps its tree as it is.
    m_db->db().connection().exec(QStringLiteral("UPDATE TANEV SET tev_aktiv=0"));
    m_school->addSubject(m_school->period, QStringLiteral("Testnevelés"));
    const QStringList noActive = snapshot();
    Maintenance::RunDatabaseMaintenance();
    QCOMPARE(snapshot(), noActive);
}

LORVANTO_TEST_BOTH_ENGINES_GUI(tst_maintenance)
#include "tst_maintenance.moc"
