// Setting up a school year through its windows: periods, classes and their copying, the class editor with
// its pupils and the Excel import, the pupil editor and the two pupil lists, and the main-menu items.
#include "RatingRows.h"
#include "SchoolFixture.h"
#include "ScriptedDialogService.h"
#include "TestDatabase.h"
#include "admin/SchoolYear.h"
#include "admin/frmAllKids.h"
#include "admin/frmClasses.h"
#include "admin/frmEditClass.h"
#include "admin/frmEditKid.h"
#include "admin/frmKidEdit.h"
#include "admin/frmSeason.h"
#include "data/Clock.h"
#include "data/modSub.h"
#include "rating/EditorContext.h"
#include "shell/frmMenu.h"
#include "ui/ValidMark.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

using Icon = DialogService::Icon;

namespace {
QTreeWidgetItem *rowWithText(QTreeWidget *list, const QString &text) {
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        if (list->topLevelItem(i)->text(0) == text)
            return list->topLevelItem(i);
    return nullptr;
}

bool isBold(const QTreeWidgetItem *row) {
    return row->font(0).bold() && row->font(2).bold();
}

void choose(QComboBox *box, qint64 key) {
    box->setCurrentIndex(box->findData(key));
    emit box->activated(box->currentIndex());
}

QLineEdit *field(QWidget *w, int i) {
    return w->findChild<QLineEdit *>(QStringLiteral("Fields(%1)").arg(i));
}

QLabel *label(QWidget *w, int i) {
    return w->findChild<QLabel *>(QStringLiteral("Labels(%1)").arg(i));
}

void leave(QWidget *w) {
    QFocusEvent out(QEvent::FocusOut);
    QApplication::sendEvent(w, &out);
}

// Fills the new-pupil window with a valid pupil.
void fillPupil(frmEditKid &kid, const QString &family, const QString &registerNo, int year = 2016) {
    const QStringList values{family, "Piroska",      "Nagy Ilona",         "Nagy Ilona",
                             "Győr", "Magyarország", QString::number(year)};
    for (int i = 0; i < values.size(); ++i)
        kid.Fields[i]->setText(values[i]);
    kid.txtTLSZ->setText(registerNo);
}
} // namespace

class tst_schoolyear : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void newPeriodCopiesCurriculum_data();
    void newPeriodCopiesCurriculum();
    void firstPeriodBecomesActiveAndClickActivates();
    void newPeriodOffersCurrentSchoolYear_data();
    void newPeriodOffersCurrentSchoolYear();
    void periodDeleteRules();
    void copyClasses_data();
    void copyClasses();
    void copyNeverRatesTwice();
    void classListFollowsRightsAndLocks();
    void classFieldValidation_data();
    void classFieldValidation();
    void newClassCreatedOnPupilsTab();
    void removePupilTakesOnlyThatClassRating();
    void excelImport_data();
    void excelImport();
    void registerNumberUniqueInClass_data();
    void registerNumberUniqueInClass();
    void birthDateRules_data();
    void birthDateRules();
    void allKidsMovesPupilWithRating();
    void activePupilListRights_data();
    void activePupilListRights();
    void deletePupilFromList();
    void menuOpensWindows_data();
    void menuOpensWindows();
    void captions_data();
    void captions();

private:
    std::unique_ptr<TestDatabase> m_db;
    std::unique_ptr<SchoolFixture> m_school;
    std::unique_ptr<ScriptedDialogService> m_dialogs;
    int count(const QString &sql, const QVariantList &values = {}) {
        return m_db->scalar(sql, values).toInt();
    }
};

void tst_schoolyear::init() {
    m_db = std::make_unique<TestDatabase>();
    m_school = std::make_unique<SchoolFixture>(*m_db);
    m_dialogs = std::make_unique<ScriptedDialogService>();
    m_db->loginAs(m_school->admin);
}

void tst_schoolyear::cleanup() {
    m_dialogs->verifyDone();
    m_dialogs.reset();
    m_school.reset();
    m_db.reset();
}

void tst_schoolyear::newPeriodCopiesCurriculum_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("official");
    QTest::newRow("Félév") << "Félév"
                           << "Igen";
    QTest::newRow("Év vége") << "Év vége"
                             << "Igen";
    QTest::newRow("Szeptember") << "Szeptember"
                                << "Nem";
    QTest::newRow("3. negyedév") << "3. negyedév"
                                 << "Nem";
}

void tst_schoolyear::newPeriodCopiesCurriculum() {
    QFETCH(QString, kind);
    QFETCH(QString, official);
    m_school->addSubject(m_school->period, "Törölt tárgy");
    m_db->db().run("deleteSubject", {modSub::GetLastKey("ATARGY")});
    frmSeason w;
    QCOMPARE(w.grdSeason->topLevelItemCount(), 2);
    w.cmdUj->click();
    QVERIFY(w.fmeUj->isEnabled());
    QVERIFY(!w.grdSeason->isEnabled());
    QCOMPARE(w.UpDown1->minimum(), 2024);
    QCOMPARE(w.UpDown1->maximum(), 2025);
    w.UpDown1->stepUp();
    QCOMPARE(w.txtEv->text(), "2025");
    QCOMPARE(w.lblEv->text(), "/2026");
    w.cmbHonap->setCurrentIndex(w.cmbHonap->findText(kind));
    w.txtMegjegyzes->setText("  második  ");
    w.cmdSave->click();

    const qint64 tev = m_db->scalar("SELECT MAX(tev_id) FROM TANEV").toLongLong();
    QCOMPARE(m_db->scalar("SELECT tev_hivatalos FROM TANEV WHERE tev_id=?", {tev}).toString(), official);
    QCOMPARE(m_db->scalar("SELECT tev_honap FROM TANEV WHERE tev_id=?", {tev}).toString(), kind);
    QCOMPARE(m_db->scalar("SELECT tev_megjegyzes FROM TANEV WHERE tev_id=?", {tev}).toString(), "második");
    QCOMPARE(m_db->scalar("SELECT tev_ev FROM TANEV WHERE tev_id=?", {tev}).toInt(), 2025);
    // The live subjects with every level and sentence, placeholders included; the deleted subject stays.
    QCOMPARE(count("SELECT COUNT(*) FROM ATARGY WHERE ata_tev_id=?", {tev}), 2);
    QCOMPARE(count("SELECT COUNT(*) FROM KMPBANK, ATARGY WHERE kpb_ata_id=ata_id AND ata_tev_id=?", {tev}),
             2);
    QCOMPARE(
        count("SELECT COUNT(*) FROM ALKMPBANK, KMPBANK, ATARGY WHERE akb_kpb_id=kpb_id AND kpb_ata_id=ata_id "
              "AND ata_tev_id=?",
              {tev}),
        3);
    QCOMPARE(
        count("SELECT COUNT(*) FROM MONDATBANK, ALKMPBANK, KMPBANK, ATARGY WHERE mdb_akb_id=akb_id AND "
              "akb_kpb_id=kpb_id AND kpb_ata_id=ata_id AND ata_tev_id=? AND mdb_megoszt='P' AND mdb_usr_id=?",
              {tev, m_school->teacher}),
        1);
    QCOMPARE(count("SELECT COUNT(*) FROM LOG WHERE log_tabla='TANEV' AND log_rekord_id=? AND "
                   "log_megj='Uj idoszak felvetele'",
                   {tev}),
             1);
    // The active period stays the one it was.
    QCOMPARE(m_db->scalar("SELECT tev_id FROM TANEV WHERE tev_aktiv<>0").toLongLong(), m_school->period);
    QVERIFY(!w.fmeUj->isEnabled());
    QVERIFY(w.grdSeason->isEnabled());
    QVERIFY(w.prgCopy->isHidden());
    QCOMPARE(w.grdSeason->topLevelItemCount(), 3);
    QTreeWidgetItem *added = rowWithText(w.grdSeason, "2025/2026");
    QVERIFY(added);
    QCOMPARE(added->text(1), kind);
    QVERIFY(!isBold(added));
}

void tst_schoolyear::firstPeriodBecomesActiveAndClickActivates() {
    TestDatabase empty;
    empty.loginAs(empty.addUser("igazgato", "Igazgató", true));
    frmSeason w;
    QCOMPARE(w.grdSeason->topLevelItemCount(), 0);
    w.cmdUj->click();
    w.txtEv->setText("2026");
    QCOMPARE(w.lblEv->text(), "/2027");
    w.cmdSave->click();
    QCOMPARE(w.grdSeason->topLevelItemCount(), 1);
    QVERIFY(isBold(w.grdSeason->topLevelItem(0)));
    QCOMPARE(empty.scalar("SELECT tev_ev FROM TANEV WHERE tev_aktiv<>0").toInt(), 2026);

    w.cmdUj->click();
    w.txtEv->setText("2027");
    w.cmbHonap->setCurrentIndex(w.cmbHonap->findText("Év vége"));
    w.cmdSave->click();
    QTreeWidgetItem *second = w.grdSeason->findItems("Év vége", Qt::MatchExactly, 1).value(0);
    QVERIFY(second && !isBold(second));
    // Choosing a row only shows its state; activating takes the user's click.
    w.grdSeason->setCurrentItem(second);
    QVERIFY(w.chkActive->isEnabled());
    QVERIFY(!w.chkActive->isChecked());
    QCOMPARE(empty.scalar("SELECT tev_ev FROM TANEV WHERE tev_aktiv<>0").toInt(), 2026);
    w.chkActive->click();
    QCOMPARE(empty.scalar("SELECT COUNT(*) FROM TANEV WHERE tev_aktiv<>0").toInt(), 1);
    QCOMPARE(empty.scalar("SELECT tev_ev FROM TANEV WHERE tev_aktiv<>0").toInt(), 2027);
    QVERIFY(isBold(w.grdSeason->findItems("Év vége", Qt::MatchExactly, 1).value(0)));

    // A typed year that is no year is refused before anything is written.
    w.cmdUj->click();
    w.txtEv->setText("20x6");
    m_dialogs->expectMessage("A tanév kezdő évét számmal adja meg (például 2005)!", Icon::Exclamation);
    w.cmdSave->click();
    QCOMPARE(empty.scalar("SELECT COUNT(*) FROM TANEV").toInt(), 2);
}

void tst_schoolyear::newPeriodOffersCurrentSchoolYear_data() {
    QTest::addColumn<QDate>("today");
    QTest::addColumn<QString>("year");
    QTest::newRow("August: the school year still under way") << QDate(2031, 8, 31) << "2030";
    QTest::newRow("September: the new school year") << QDate(2031, 9, 1) << "2031";
}

void tst_schoolyear::newPeriodOffersCurrentSchoolYear() {
    QFETCH(QDate, today);
    QFETCH(QString, year);
    TestDatabase empty;
    empty.loginAs(empty.addUser("igazgato", "Igazgató", true));
    Clock::set([today] { return QDateTime(today, QTime(10, 0)); });
    frmSeason w;
    Clock::reset();
    w.cmdUj->click();
    QCOMPARE(w.txtEv->text(), year);
    QCOMPARE(w.lblEv->text(), QStringLiteral("/%1").arg(year.toInt() + 1));
}

void tst_schoolyear::periodDeleteRules() {
    frmSeason w;
    m_dialogs->expectMessage("Először kattintson a törölni kívánt időszakra!", Icon::Information);
    w.btnDelete->click();

    // The active period has the fixture's ratings; the old one gets one too.
    RatingRows rows(*m_db);
    const qint64 oldClass = m_db->addClass(m_school->oldPeriod, 1, "a");
    const qint64 rating = rows.addRating(m_school->pupils[0], oldClass, m_school->oldPeriod);
    w.grdSeason->setCurrentItem(w.grdSeason->findItems("Év vége", Qt::MatchExactly, 1).value(0));
    m_dialogs->expectMessage(
        "Az értékelési, minősítési időszakban már van értékelés, minősítés. Nem lehet törölni.",
        Icon::Information);
    w.btnDelete->click();

    m_db->db().run("deleteKidFromClass", {rating});
    m_dialogs->expectMessage("Biztosan törli a kijelölt értékelési, minősítési időszakot?", Icon::Information,
                             QMessageBox::No);
    w.btnDelete->click();
    QCOMPARE(count("SELECT tev_del FROM TANEV WHERE tev_id=?", {m_school->oldPeriod}), 0);
    m_dialogs->expectMessage("Biztosan törli a kijelölt értékelési, minősítési időszakot?", Icon::Information,
                             QMessageBox::Yes);
    w.btnDelete->click();
    QCOMPARE(count("SELECT tev_del FROM TANEV WHERE tev_id=?", {m_school->oldPeriod}), 1);
    QCOMPARE(w.grdSeason->topLevelItemCount(), 1);

    m_db->db().connection().exec("DELETE FROM ERTEKELES");
    w.grdSeason->setCurrentItem(w.grdSeason->topLevelItem(0));
    m_dialogs->expectMessage(
        "Mindig kell lennie egy értékelési, minősítési időszaknak. Az utolsót nem lehet törölni.",
        Icon::Information);
    w.btnDelete->click();
    QCOMPARE(count("SELECT COUNT(*) FROM TANEV WHERE tev_del=0"), 1);
    m_db->addPeriod(2025, "Félév", false);
    w.LoadList();
    w.grdSeason->setCurrentItem(w.grdSeason->findItems("2024/2025", Qt::MatchExactly).value(0));
    m_dialogs->expectMessage("Az aktív értékelési, minősítési időszakot nem lehet törölni. Előbb tegyen "
                             "aktívvá egy másik időszakot!",
                             Icon::Information);
    w.btnDelete->click();
    QCOMPARE(count("SELECT tev_del FROM TANEV WHERE tev_id=?", {m_school->period}), 0);
}

void tst_schoolyear::copyClasses_data() {
    QTest::addColumn<int>("sourceYear");
    QTest::addColumn<bool>("tick");
    QTest::addColumn<QString>("question");
    QTest::addColumn<int>("grade");
    QTest::newRow("forward with the tick")
        << 2007 << true
        << "A másolásra kerülő osztályok évfolyamát a program 1 évvel fogja növelni. Folytatja?" << 3;
    QTest::newRow("backward with the tick")
        << 2024 << true << "A program nem csökkenti az osztályok évfolyamát automatikusan.\nFolytatja?" << 2;
    QTest::newRow("forward without the tick") << 2007 << false << "" << 2;
}

void tst_schoolyear::copyClasses() {
    QFETCH(int, sourceYear);
    QFETCH(bool, tick);
    QFETCH(QString, question);
    QFETCH(int, grade);
    const qint64 p2007 = m_db->addPeriod(2007, "Év vége", false);
    const qint64 p2008 = m_db->addPeriod(2008, "Félév", true);
    const qint64 source = sourceYear == 2007 ? p2007 : m_school->period;
    qint64 oldClass = m_school->cls;
    if (sourceYear == 2007) {
        oldClass = m_db->addClass(p2007, 2, "a", m_school->teacher);
        for (qint64 tan : m_school->pupils)
            m_db->db().run("addRating", {tan, oldClass, p2007});
        m_school->setRight(m_school->teacher, oldClass, "I");
    }
    m_school->setRight(m_school->other, oldClass, "O");
    m_db->db().connection().exec("UPDATE ERTEKELES SET ert_vegleges='I'");

    frmClasses w;
    QCOMPARE(w.cmbPeriod->currentData().toLongLong(), p2008);
    QVERIFY(w.btnAdd->isEnabled());
    w.mnuCopy->trigger();
    QCOMPARE(w.btnAdd->text(), "<< Bemásol");
    QCOMPARE(w.btnCancel->text(), "&Mégse");
    QVERIFY(!w.cmbPeriod->isEnabled());
    m_dialogs->expectMessage("Nincs osztály kiválasztva!", Icon::Information);
    w.btnAdd->click();
    choose(w.cmbSrcPeriod, source);
    QTreeWidgetItem *row = rowWithText(w.dlSrc, "2. a");
    QVERIFY(row);
    row->setCheckState(0, Qt::Checked);
    w.chkAutoAdvance->setChecked(tick);
    if (!question.isEmpty())
        m_dialogs->expectMessage(question, Icon::Question, QMessageBox::Yes);
    w.btnAdd->click();

    QCOMPARE(w.btnAdd->text(), "&Hozzáad >>");
    QCOMPARE(count("SELECT COUNT(*) FROM OSZTALY WHERE osz_tev_id=?", {p2008}), 1);
    const qint64 copy = m_db->scalar("SELECT osz_id FROM OSZTALY WHERE osz_tev_id=?", {p2008}).toLongLong();
    QCOMPARE(count("SELECT osz_evfolyam FROM OSZTALY WHERE osz_id=?", {copy}), grade);
    QCOMPARE(m_db->scalar("SELECT osz_nev FROM OSZTALY WHERE osz_id=?", {copy}).toString(), "a");
    QCOMPARE(m_db->scalar("SELECT osz_ofonok_usr_id FROM OSZTALY WHERE osz_id=?", {copy}),
             m_db->scalar("SELECT osz_ofonok_usr_id FROM OSZTALY WHERE osz_id=?", {oldClass}));
    QCOMPARE(m_db->scalar("SELECT group_concat(jog_usr_id || jog_tipus) FROM (SELECT * FROM JOG WHERE "
                          "jog_osz_id=? ORDER BY jog_usr_id) AS j",
                          {copy}),
             m_db->scalar("SELECT group_concat(jog_usr_id || jog_tipus) FROM (SELECT * FROM JOG WHERE "
                          "jog_osz_id=? ORDER BY jog_usr_id) AS j",
                          {oldClass}));
    QCOMPARE(count("SELECT COUNT(*) FROM ERTEKELES WHERE ert_osz_id=? AND ert_tev_id=? AND ert_vegleges='N'",
                   {copy, p2008}),
             3);
    QCOMPARE(count("SELECT COUNT(*) FROM LOG WHERE log_megj='Uj letrehozasa masolassal' AND log_rekord_id=?",
                   {copy}),
             1);
    QVERIFY(rowWithText(w.dlClass, QStringLiteral("%1. a").arg(grade)));
}

void tst_schoolyear::copyNeverRatesTwice() {
    frmClasses w;
    w.mnuCopy->trigger();
    choose(w.cmbSrcPeriod, m_school->period);
    rowWithText(w.dlSrc, "2. a")->setCheckState(0, Qt::Checked);
    m_dialogs->expectMessage("Az osztályokat nem lehet a saját értékelési, minősítési időszakukba másolni. "
                             "Válasszon másik időszakot!",
                             Icon::Information);
    w.btnAdd->click();
    SchoolYear::copyClasses({m_school->cls, m_school->cls}, m_school->oldPeriod, 0); // twice
    QCOMPARE(count("SELECT COUNT(*) FROM ERTEKELES"), 6);
}

void tst_schoolyear::classListFollowsRightsAndLocks() {
    const qint64 hidden = m_db->addClass(m_school->period, 3, "b");
    const qint64 exported = m_db->addClass(m_school->period, 4, "c");
    m_school->setRight(m_school->teacher, exported, "I");
    m_db->db().run("exportClass", {QString::number(exported), QString::number(m_school->admin)});
    m_db->loginAs(m_school->teacher);
    frmClasses w;
    QCOMPARE(w.dlClass->topLevelItemCount(), 2);
    QVERIFY(!rowWithText(w.dlClass, "3. b"));
    QVERIFY(!w.btnAdd->isEnabled()); // administrators only
    QTreeWidgetItem *locked = rowWithText(w.dlClass, "4. c");
    QCOMPARE(locked->foreground(0).color(), QColor(255, 0, 0));
    QVERIFY(rowWithText(w.dlClass, "2. a")->foreground(0).color() != QColor(255, 0, 0));
    w.dlClass->setCurrentItem(locked);
    QVERIFY(w.btnDelete->isEnabled());
    m_dialogs->expectMessage("Az osztályt valaki kiexportálta. Nem lehet hozzányúlni.", Icon::Information);
    w.btnDelete->click();
    QCOMPARE(count("SELECT osz_torolt FROM OSZTALY WHERE osz_id=?", {exported}), 0);

    // A locked class opens read-only: its pupil actions are unusable and nothing is saved.
    m_dialogs->expectMessage("Az osztályt valaki kiexportálta. A módosítások nem lesznek elmentve.",
                             Icon::Information);
    m_dialogs->expectModal("frmEditClass", [](QDialog *d) {
        auto *e = static_cast<frmEditClass *>(d);
        for (QPushButton *b : {e->mnuNew, e->mnuExisting, e->btnEdit, e->btnRemove})
            if (b->isEnabled())
                return -1;
        e->Fields[2]->setText("z");
        e->btnOK->click();
        return e->result();
    });
    w.btnEdit->click();
    QCOMPARE(m_db->scalar("SELECT osz_nev FROM OSZTALY WHERE osz_id=?", {exported}).toString(), "c");

    w.dlClass->setCurrentItem(rowWithText(w.dlClass, "2. a"));
    m_dialogs->expectMessage("Biztosan törli a kijelölt osztályt?", Icon::Question, QMessageBox::Yes);
    w.btnDelete->click();
    QCOMPARE(count("SELECT osz_torolt FROM OSZTALY WHERE osz_id=?", {m_school->cls}), 1);
    QCOMPARE(count("SELECT COUNT(*) FROM LOG WHERE log_megj='Torles' AND log_rekord_id=?", {m_school->cls}),
             1);
    QCOMPARE(w.dlClass->topLevelItemCount(), 1);
    Q_UNUSED(hidden);
}

void tst_schoolyear::classFieldValidation_data() {
    QTest::addColumn<QString>("grade");
    QTest::addColumn<bool>("valid");
    QTest::newRow("whole") << "3" << true;
    QTest::newRow("fraction") << "2.5" << false;
    QTest::newRow("text") << "x" << false;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("leading zero") << "03" << false;
    QTest::newRow("blank around") << " 3" << false;
    QTest::newRow("beyond 32 bits") << "3000000000" << false;
}

void tst_schoolyear::classFieldValidation() {
    QFETCH(QString, grade);
    QFETCH(bool, valid);
    frmEditClass w;
    w.PrepareNew(m_school->period);
    QCOMPARE(w.windowTitle(), "Osztály: <új>");
    QVERIFY(w.chkOfficial->isChecked());
    QVERIFY(!w.btnOK->isEnabled());
    w.Fields[2]->setText("c");
    w.cmbClassLeader->setCurrentIndex(w.cmbClassLeader->findText("Kiss Anna"));
    w.Fields[3]->setText("24");
    leave(w.Fields[3]);
    QCOMPARE(w.Fields[3]->text(), "2024");
    QCOMPARE(w.lblPair->text(), "/2025");
    field(&w, 1)->setText(grade);
    QCOMPARE(w.btnOK->isEnabled(), valid);
    QCOMPARE(hasInvalidMark(label(&w, 1)), !valid);
    QVERIFY(!hasInvalidMark(label(&w, 4))); // an empty remark is allowed
    if (!valid) {
        m_dialogs->expectMessage("Helytelen adatokat adott meg! Kérem, töltse ki a hiányzó adatokat!",
                                 Icon::Information);
        QMetaObject::invokeMethod(&w, [&w] { emit w.btnOK->clicked(); });
        QCoreApplication::processEvents();
        QCOMPARE(count("SELECT COUNT(*) FROM OSZTALY WHERE osz_nev='c'"), 0);
        return;
    }
    w.btnOK->click();
    QCOMPARE(w.result(), int(QDialog::Accepted));
    const qint64 created = m_db->scalar("SELECT osz_id FROM OSZTALY WHERE osz_nev='c'").toLongLong();
    QCOMPARE(count("SELECT osz_evfolyam FROM OSZTALY WHERE osz_id=?", {created}), 3);
    QCOMPARE(count("SELECT osz_indulas_eve FROM OSZTALY WHERE osz_id=?", {created}), 2024);
    QCOMPARE(m_db->scalar("SELECT osz_ofonok_usr_id FROM OSZTALY WHERE osz_id=?", {created}).toLongLong(),
             m_school->teacher);
    QCOMPARE(count("SELECT COUNT(*) FROM LOG WHERE log_megj='Uj letrehozasa' AND log_rekord_id=?", {created}),
             1);
}

void tst_schoolyear::newClassCreatedOnPupilsTab() {
    m_db->addUser("aa", "Igazgató Úr", false); // a namesake of the class teacher, listed before him
    frmEditClass w;
    w.PrepareNew(m_school->period);
    m_dialogs->expectMessage("Az osztályt létre kell hoznia, mielőtt folytatja. Létrehozza?", Icon::Question,
                             QMessageBox::No);
    w.TabStrip1->setCurrentIndex(1);
    QCOMPARE(w.TabStrip1->currentIndex(), 0);
    m_dialogs->expectMessage("Az osztályt létre kell hoznia, mielőtt folytatja. Létrehozza?", Icon::Question,
                             QMessageBox::Yes);
    m_dialogs->expectMessage("Hibás adatokat adott meg. Kérem, ellenőrizze őket!", Icon::Information);
    w.TabStrip1->setCurrentIndex(1);
    QCOMPARE(w.TabStrip1->currentIndex(), 0);

    w.Fields[1]->setText("1");
    w.Fields[2]->setText("d");
    w.Fields[3]->setText("24"); // Enter confirms with the year field still in focus
    w.cmbClassLeader->setCurrentIndex(1);
    m_dialogs->expectMessage("Az osztályt létre kell hoznia, mielőtt folytatja. Létrehozza?", Icon::Question,
                             QMessageBox::Yes);
    m_dialogs->expectMessage("Az osztály létrejött.", Icon::Information);
    w.TabStrip1->setCurrentIndex(1);
    QCOMPARE(w.TabStrip1->currentIndex(), 1);
    QVERIFY(w.classId() != 0);
    QCOMPARE(w.windowTitle(), "Osztály: 1. d");
    QCOMPARE(count("SELECT COUNT(*) FROM OSZTALY WHERE osz_nev='d' AND osz_tev_id=?", {m_school->period}), 1);
    QCOMPARE(count("SELECT osz_indulas_eve FROM OSZTALY WHERE osz_nev='d'"), 2024);

    // Confirming afterwards saves the class it already is, without making a second one.
    w.Fields[4]->setText("délutános");
    w.btnOK->click();
    QCOMPARE(count("SELECT COUNT(*) FROM OSZTALY WHERE osz_nev='d'"), 1);
    QCOMPARE(m_db->scalar("SELECT osz_megj FROM OSZTALY WHERE osz_nev='d'").toString(), "délutános");
    QCOMPARE(m_db->scalar("SELECT osz_ofonok_usr_id FROM OSZTALY WHERE osz_nev='d'").toLongLong(),
             m_school->admin);
    QCOMPARE(count("SELECT COUNT(*) FROM LOG WHERE log_megj='Rekord frissitese' AND log_rekord_id=?",
                   {w.classId()}),
             1);
}

void tst_schoolyear::removePupilTakesOnlyThatClassRating() {
    RatingRows rows(*m_db);
    const qint64 pupil = m_school->pupils[0];
    const qint64 here = m_school->ratingOf(0);
    rows.addPart(here, m_school->addition, "Szépen számol.");
    rows.addClause(here, "Magasabb évfolyamba léphet.");
    const qint64 oldClass = m_db->addClass(m_school->oldPeriod, 1, "a");
    const qint64 elsewhere = rows.addRating(pupil, oldClass, m_school->oldPeriod);
    rows.addPart(elsewhere, m_school->addition, "Tavalyi szöveg.");
    rows.addClause(elsewhere, "Tavalyi záradék.");

    frmEditClass w;
    QVERIFY(w.LoadClass(m_school->cls));
    QCOMPARE(w.listKids->topLevelItemCount(), 3);
    m_dialogs->expectMessage("Nincs elem kijelölve!", Icon::Information);
    w.btnRemove->click();
    w.listKids->setCurrentItem(rowWithText(w.listKids, "Árva Ádám"));
    m_dialogs->expectMessage("Biztosan eltávolítja a kijelölt osztályból a tanulót?", Icon::Question,
                             QMessageBox::Yes);
    w.btnRemove->click();
    QCOMPARE(w.listKids->topLevelItemCount(), 2);
    QCOMPARE(count("SELECT COUNT(*) FROM ERTEKELES WHERE ert_id=?", {here}), 0);
    QCOMPARE(count("SELECT COUNT(*) FROM ERTRESZ WHERE esz_ert_id=?", {here}), 0);
    QCOMPARE(count("SELECT COUNT(*) FROM ZARADEK WHERE zdk_ert_id=?", {here}), 0);
    QCOMPARE(count("SELECT COUNT(*) FROM ERTRESZ WHERE esz_ert_id=?", {elsewhere}), 1);
    QCOMPARE(count("SELECT COUNT(*) FROM ZARADEK WHERE zdk_ert_id=?", {elsewhere}), 1);
    QCOMPARE(count("SELECT COUNT(*) FROM TANULO WHERE tan_id=? AND tan_del=0", {pupil}), 1);
}

void tst_schoolyear::excelImport_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("icon");
    QTest::addColumn<int>("added");
    QTest::newRow("pupil list") << QFINDTESTDATA("data/pupils.xls")
                                << "Felvett tanulók: 4\nKihagyott sorok (üres név): 1"
                                << int(Icon::Information) << 4;
    QTest::newRow("a column missing") << QFINDTESTDATA("data/missing.xls")
                                      << "A munkalap első sorából hiányzik a következő oszlop: Születési "
                                         "hely.\nHelyes fejlécű üres mintát a "
                                         "„Minta mentése...” gombbal menthet."
                                      << int(Icon::Exclamation) << 0;
    QTest::newRow("first sheet Munka1")
        << QFINDTESTDATA("data/munka1.xls") << "Felvett tanulók: 1\nKihagyott sorok (üres név): 0"
        << int(Icon::Information) << 1;
    QTest::newRow("the saved sample")
        << ""
        << "Felvett tanulók: 0\nKihagyott sorok (üres név): 0" << int(Icon::Information) << 0;
}

void tst_schoolyear::excelImport() {
    QFETCH(QString, file);
    QFETCH(QString, message);
    QFETCH(int, icon);
    QFETCH(int, added);
    const int before = count("SELECT COUNT(*) FROM TANULO");
    frmEditClass w;
    QVERIFY(w.LoadClass(m_school->cls));
    QTemporaryDir dir;
    if (file.isEmpty()) { // "Minta mentése..." adds the extension
        m_dialogs->expectSaveFile(dir.filePath("minta"));
        w.btnSample->click();
        file = dir.filePath("minta.xlsx");
    }
    m_dialogs->expectOpenFile(file);
    m_dialogs->expectMessage(message, Icon(icon));
    w.btnImport->click();
    QCOMPARE(count("SELECT COUNT(*) FROM TANULO"), before + added);
    QCOMPARE(w.listKids->topLevelItemCount(), 3 + added);
    QCOMPARE(count("SELECT COUNT(*) FROM ERTEKELES WHERE ert_osz_id=? AND ert_tev_id=? AND ert_vegleges='N'",
                   {m_school->cls, m_school->period}),
             3 + added);
    if (added == 4) {
        QCOMPARE(count("SELECT COUNT(*) FROM TANULO WHERE tan_vnev='Kovács' AND tan_knev='Anna Mária' AND "
                       "tan_orszag='Magyarország' AND tan_szdatum='2015-03-04' AND tan_tlapszam='12'"),
                 1);
        QCOMPARE(
            count("SELECT COUNT(*) FROM TANULO WHERE tan_vnev='' AND tan_knev='Petőfi' AND tan_szdatum IS "
                  "NULL"),
            1);
        // The list shows the names in the order people read them.
        QCOMPARE(w.listKids->topLevelItem(0)->text(0), "Petőfi");
        QCOMPARE(w.listKids->topLevelItem(1)->text(0), "Árva Ádám");
    }
}

void tst_schoolyear::registerNumberUniqueInClass_data() {
    QTest::addColumn<bool>("sameClass");
    QTest::addColumn<QString>("registerNo");
    QTest::addColumn<bool>("saved");
    QTest::newRow("taken in the class") << true << "T-1" << false;
    QTest::newRow("taken in another class") << false << "T-1" << true;
    QTest::newRow("free in the class") << true << "T-9" << true;
    QTest::newRow("empty like the others") << true << "" << true;
}

void tst_schoolyear::registerNumberUniqueInClass() {
    QFETCH(bool, sameClass);
    QFETCH(QString, registerNo);
    QFETCH(bool, saved);
    const qint64 cls = sameClass ? m_school->cls : m_db->addClass(m_school->period, 2, "b");
    frmEditKid kid;
    kid.PrepareNew(cls, m_school->period);
    QVERIFY(!kid.btnOK->isEnabled());
    fillPupil(kid, "Vadász", registerNo);
    QVERIFY(kid.btnOK->isEnabled());
    if (!saved)
        m_dialogs->expectMessage("Már létezik ilyen törzslapszám vagy napló sorszám ebben az osztályban.",
                                 Icon::Information);
    kid.btnOK->click();
    QCOMPARE(kid.result(), saved ? int(QDialog::Accepted) : int(QDialog::Rejected));
    QCOMPARE(count("SELECT COUNT(*) FROM TANULO, ERTEKELES WHERE tan_id=ert_tan_id AND tan_vnev='Vadász' AND "
                   "ert_osz_id=? AND ert_tev_id=?",
                   {cls, m_school->period}),
             saved ? 1 : 0);
    QCOMPARE(count("SELECT COUNT(*) FROM LOG WHERE log_tabla='TANULO' AND log_megj='Uj tanulo felvetele'"),
             saved ? 1 : 0);
    if (!saved) {
        // The entered data stay for correcting; an existing pupil may keep his own number.
        QCOMPARE(kid.Fields[frmEditKid::Family]->text(), "Vadász");
        frmEditKid own;
        QVERIFY(own.LoadKid(m_school->pupils[0], m_school->cls, m_school->period));
        QCOMPARE(own.windowTitle(), "Tanuló: Árva Ádám");
        QCOMPARE(own.txtTLSZ->text(), "T-1");
        own.Fields[frmEditKid::Year]->setText("2015");
        own.Fields[frmEditKid::Guardian]->setText("Árva Gyám");
        own.btnOK->click();
        QCOMPARE(own.result(), int(QDialog::Accepted));
        QCOMPARE(count("SELECT COUNT(*) FROM LOG WHERE log_megj='Rekord frisiitese' AND log_rekord_id=?",
                       {m_school->pupils[0]}),
                 1);
    }
}

void tst_schoolyear::birthDateRules_data() {
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("month"); // 1-based
    QTest::addColumn<int>("days");
    QTest::addColumn<int>("day");
    QTest::addColumn<QString>("stored");
    QTest::newRow("29 February of a leap year") << 2016 << 2 << 29 << 29 << "2016-02-29";
    QTest::newRow("29 February of a common year") << 2015 << 2 << 29 << 29 << "";
    QTest::newRow("30 April") << 2015 << 4 << 30 << 30 << "2015-04-30";
    QTest::newRow("31 December") << 2015 << 12 << 31 << 31 << "2015-12-31";
    QTest::newRow("two-digit year") << 15 << 3 << 31 << 4 << "2015-03-04";
}

void tst_schoolyear::birthDateRules() {
    QFETCH(int, year);
    QFETCH(int, month);
    QFETCH(int, days);
    QFETCH(int, day);
    QFETCH(QString, stored);
    frmEditKid kid;
    kid.PrepareNew(m_school->cls, m_school->period);
    fillPupil(kid, "Dátum", "D-1", year);
    kid.cmbMonth->setCurrentIndex(month - 1);
    QCOMPARE(kid.cmbDay->count(), days);
    kid.cmbDay->setCurrentIndex(day - 1);
    kid.Fields[frmEditKid::Year]->setText("12x");
    QVERIFY(hasInvalidMark(kid.Labels[frmEditKid::Year]));
    QVERIFY(!kid.btnOK->isEnabled());
    kid.Fields[frmEditKid::Year]->setText(QString::number(year));
    kid.btnOK->click();
    QCOMPARE(m_db->scalar("SELECT tan_szdatum FROM TANULO WHERE tan_vnev='Dátum'").toString(), stored);
}

void tst_schoolyear::allKidsMovesPupilWithRating() {
    const qint64 target = m_db->addClass(m_school->period, 2, "b");
    const qint64 moving = m_school->pupils[1];
    const qint64 rating = m_school->ratingOf(1);
    const qint64 newcomer = m_db->addPupil("Újonc", "Ubul");
    const qint64 lockedClass = m_db->addClass(m_school->period, 4, "x");
    m_db->db().run("exportClass", {QString::number(lockedClass), QString::number(m_school->admin)});
    m_db->db().run("addRating", {m_db->addPupil("Zárt", "Zoltán"), lockedClass, m_school->period});

    frmEditClass editor;
    QVERIFY(editor.LoadClass(target));
    m_dialogs->expectModal("frmAllKids", [&](QDialog *d) {
        auto *w = static_cast<frmAllKids *>(d);
        // Pupils of locked classes are not offered; a pupil without a class shows "<nincs>".
        if (w->listKids->topLevelItemCount() != 4 || rowWithText(w->listKids, "Zárt Zoltán"))
            return -1;
        if (rowWithText(w->listKids, "Bodnár Boglárka")->text(3) != "2. a" ||
            rowWithText(w->listKids, "Újonc Ubul")->text(3) != "<nincs>")
            return -1;
        rowWithText(w->listKids, "Bodnár Boglárka")->setCheckState(0, Qt::Checked);
        rowWithText(w->listKids, "Újonc Ubul")->setCheckState(0, Qt::Checked);
        w->btnOK->click();
        return w->result();
    });
    editor.mnuExisting->click();
    QCOMPARE(editor.listKids->topLevelItemCount(), 2);
    QCOMPARE(m_db->scalar("SELECT ert_osz_id FROM ERTEKELES WHERE ert_id=?", {rating}).toLongLong(), target);
    QCOMPARE(count("SELECT COUNT(*) FROM ERTEKELES WHERE ert_tan_id=? AND ert_tev_id=?",
                   {moving, m_school->period}),
             1);
    const qint64 newRating =
        m_db->scalar("SELECT ert_id FROM ERTEKELES WHERE ert_tan_id=? AND ert_osz_id=?", {newcomer, target})
            .toLongLong();
    QVERIFY(newRating != 0);
    QCOMPARE(count("SELECT COUNT(*) FROM LOG WHERE log_tabla='ERTEKELES' AND log_rekord_id=? AND "
                   "log_megj='Gyermek felvétele osztályba'",
                   {newRating}),
             1);
}

void tst_schoolyear::activePupilListRights_data() {
    QTest::addColumn<QString>("right");
    QTest::addColumn<int>("listed");
    QTest::addColumn<bool>("mayChange");
    QTest::newRow("no right") << "N" << 0 << false;
    QTest::newRow("read") << "O" << 3 << false;
    QTest::newRow("read and write") << "I" << 3 << true;
}

void tst_schoolyear::activePupilListRights() {
    QFETCH(QString, right);
    QFETCH(int, listed);
    QFETCH(bool, mayChange);
    m_school->setRight(m_school->teacher, m_school->cls, right);
    m_db->loginAs(m_school->teacher);
    frmKidEdit w;
    QCOMPARE(w.grdTanulok->topLevelItemCount(), listed);
    if (!listed)
        return;
    QTreeWidgetItem *row = rowWithText(w.grdTanulok, "Bodnár Boglárka");
    QCOMPARE(row->text(2), "Pécs, 2015. március 14.");
    QCOMPARE(row->text(3), "2. a");
    w.grdTanulok->setCurrentItem(row);
    QCOMPARE(w.cmdModosit->isEnabled(), mayChange);
    QCOMPARE(w.cmdTorol->isEnabled(), mayChange);
    // Sorting by a column, and back the other way on a second click.
    w.show();
    QHeaderView *header = w.grdTanulok->header();
    const QPoint nameHeader(header->sectionViewportPosition(0) + 5, header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, nameHeader);
    QCOMPARE(w.grdTanulok->topLevelItem(0)->text(0), "Csók Cecília");
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, nameHeader);
    QCOMPARE(w.grdTanulok->topLevelItem(0)->text(0), "Árva Ádám");
}

void tst_schoolyear::deletePupilFromList() {
    m_db->db().run("exportClass", {QString::number(m_school->cls), QString::number(m_school->admin)});
    frmKidEdit w;
    QTreeWidgetItem *row = rowWithText(w.grdTanulok, "Csók Cecília");
    QCOMPARE(row->foreground(0).color(), QColor(255, 0, 0));
    w.grdTanulok->setCurrentItem(row);
    QVERIFY(!w.cmdTorol->isEnabled()); // a locked class's pupil is not changed here
    m_db->db().run("importClass", {m_school->cls});
    w.LoadList();
    w.grdTanulok->setCurrentItem(rowWithText(w.grdTanulok, "Csók Cecília"));
    QVERIFY(w.cmdTorol->isEnabled());
    m_dialogs->expectMessage("Biztosan törli a kijelölt tanulót?", Icon::Question, QMessageBox::Yes);
    w.cmdTorol->click();
    QCOMPARE(count("SELECT tan_del FROM TANULO WHERE tan_id=?", {m_school->pupils[2]}), 1);
    QCOMPARE(count("SELECT COUNT(*) FROM LOG WHERE log_tabla='TANUOLO' AND log_megj='DELETE tanulo' AND "
                   "log_rekord_id=?",
                   {m_school->pupils[2]}),
             1);
    QCOMPARE(w.grdTanulok->topLevelItemCount(), 2);
}

void tst_schoolyear::menuOpensWindows_data() {
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("window");
    QTest::newRow("mnuSeasons") << "mnuSeasons"
                                << "frmSeason";
    QTest::newRow("mnuClasses") << "mnuClasses"
                                << "frmClasses";
    QTest::newRow("cmd_tanulok") << "cmd_tanulok"
                                 << "frmKidEdit";
    QTest::newRow("start-up panel") << "cmdOsztaly"
                                    << "frmClasses";
}

void tst_schoolyear::menuOpensWindows() {
    QFETCH(QString, item);
    QFETCH(QString, window);
    EditorContext editors;
    frmMenu menu(editors);
    menu.load();
    menu.mnuStartup->trigger();
    if (QAction *action = menu.findChild<QAction *>(item)) {
        QVERIFY(action->isEnabled());
        m_dialogs->expectModal(window, [](QDialog *) { return int(QDialog::Rejected); });
        action->trigger();
    } else {
        auto *button = menu.startupPanel()->findChild<QPushButton *>(item);
        QVERIFY(button && button->isEnabled());
        m_dialogs->expectModal(window, [](QDialog *) { return int(QDialog::Rejected); });
        button->click();
    }
    QCOMPARE(m_dialogs->pending(), 0);
}

void tst_schoolyear::captions_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("control"); // empty: the window's title
    QTest::addColumn<QString>("text");
    QTest::newRow("period window") << "frmSeason"
                                   << ""
                                   << "Értékelési időszakok";
    QTest::newRow("class teacher") << "frmEditClass"
                                   << "LabelN"
                                   << "&Osztályfőnök:";
    QTest::newRow("school pupils") << "frmAllKids"
                                   << "btnCancel"
                                   << "&Mégse";
    QTest::newRow("pupil list hint")
        << "frmKidEdit"
        << "Label1"
        << "Új tanuló felvételéhez kattintson a Beállítások/Értékelés beállításai/"
           "Osztályok menüpontra, majd a megfelelő osztály megnyitása után vegye "
           "fel a tanulókat!";
}

void tst_schoolyear::captions() {
    QFETCH(QString, window);
    QFETCH(QString, control);
    QFETCH(QString, text);
    std::unique_ptr<QDialog> w;
    if (window == "frmSeason")
        w = std::make_unique<frmSeason>();
    else if (window == "frmEditClass")
        w = std::make_unique<frmEditClass>();
    else if (window == "frmAllKids")
        w = std::make_unique<frmAllKids>();
    else
        w = std::make_unique<frmKidEdit>();
    QObject *shown = control.isEmpty() ? w.get() : w->findChild<QObject *>(control);
    QVERIFY(shown);
    QCOMPARE(control.isEmpty() ? w->windowTitle() : shown->property("text").toString(), text);
}

LORVANTO_TEST_BOTH_ENGINES_GUI(tst_schoolyear)
#include "tst_schoolyear.moc"
