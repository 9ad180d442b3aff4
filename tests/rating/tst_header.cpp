// The rating's header data, clauses, templates, and finalisation with its undoing.
#include "EditorSession.h"
#include "SchoolFixture.h"
#include "ScriptedDialogService.h"
#include "TestDatabase.h"
#include "data/Clock.h"
#include "rating/EditorWidgets.h"
#include "rating/HeaderRules.h"
#include "rating/RatingHeaderView.h"
#include "rating/frmKid.h"
#include "rating/frmMain.h"
#include "shell/ProgramExit.h"
#include "shell/frmMenu.h"
#include "ui/EditorLink.h"
#include "ui/LinkLabel.h"
#include "ui/ValidMark.h"

#include <QComboBox>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTreeWidget>

using Icon = DialogService::Icon;
using namespace HeaderRules;

class tst_header : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void wholeNumbers_data();
    void wholeNumbers();
    void years_data();
    void years();
    void dates_data();
    void dates();
    void februaryHasTwentyNineDays();
    void validationColoursLabelsAndBlocksFinalising();
    void invalidValuesAreStillSaved();
    void dateThatIsNoDateIsStoredNull();
    void yearWidenedOnLeavingAndTodayLink();
    void openingDoesNotMarkDirty();
    void clauses();
    void clauseLimitAndEmptyMessages();
    void templates_data();
    void templates();
    void noTemplates();
    void longStoredValuesKeptWhole();
    void finaliseSavesFirstAndFreezesNumbers();
    void undoByAdministratorVoidsSheets();
    void undoRefusedOncePrinted_data();
    void undoRefusedOncePrinted();
    void staleLockKeepsHolderReading();

private:
    frmMain *openEditor(qint64 user, int pupil = 0);
    qint64 ratingOf(int pupil);
    QVariant column(const char *name, int pupil = 0);

    std::unique_ptr<EditorSession> m_s;
};

void tst_header::init() {
    m_s = std::make_unique<EditorSession>();
}

void tst_header::cleanup() {
    m_s->close();
    m_s.reset();
}

frmMain *tst_header::openEditor(qint64 user, int pupil) {
    frmMain *editor = m_s->openEditor(user);
    m_s->choosePupil(editor, pupil);
    editor->opView0->setChecked(true);
    return editor;
}

qint64 tst_header::ratingOf(int pupil) {
    return m_s->ratingOf(pupil);
}

QVariant tst_header::column(const char *name, int pupil) {
    return m_s->db.scalar(QStringLiteral("SELECT %1 FROM ERTEKELES WHERE ert_id=?").arg(QLatin1String(name)),
                          {ratingOf(pupil)});
}

void tst_header::wholeNumbers_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::newRow("digits") << "12" << true;
    QTest::newRow("zero") << "0" << true;
    QTest::newRow("fraction") << "12.5" << false;
    QTest::newRow("comma fraction") << "1,5" << false;
    QTest::newRow("blanks around") << " 12 " << true;
    QTest::newRow("plus sign") << "+5" << false;
    QTest::newRow("minus sign") << "-5" << true;
    QTest::newRow("blanks only") << "  " << false;
    QTest::newRow("blank inside") << "1 2" << false;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("letters") << "abc" << false;
    QTest::newRow("leading zero") << "012" << false;
}

void tst_header::wholeNumbers() {
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QCOMPARE(isWholeNumber(text), valid);
}

void tst_header::years_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("widened");
    QTest::newRow("08") << "08"
                        << "2008";
    QTest::newRow("29") << "29"
                        << "2029";
    QTest::newRow("95") << "95"
                        << "1995";
    QTest::newRow("four digits") << "2024"
                                 << "2024";
    QTest::newRow("letters") << "abc"
                             << "abc";
    QTest::newRow("empty") << ""
                           << "";
}

void tst_header::years() {
    QFETCH(QString, typed);
    QFETCH(QString, widened);
    QCOMPARE(widenYear(typed), widened);
}

void tst_header::dates_data() {
    QTest::addColumn<QString>("year");
    QTest::addColumn<int>("month");
    QTest::addColumn<int>("day");
    QTest::addColumn<QDate>("date");
    QTest::newRow("ordinary") << "2025" << 5 << 14 << QDate(2025, 6, 15);
    QTest::newRow("leap day") << "2024" << 1 << 28 << QDate(2024, 2, 29);
    QTest::newRow("no leap day") << "2023" << 1 << 28 << QDate();
    QTest::newRow("short year") << "25" << 0 << 0 << QDate(2025, 1, 1);
    QTest::newRow("no year") << "" << 0 << 0 << QDate();
    QTest::newRow("letters") << "év" << 0 << 0 << QDate();
}

void tst_header::dates() {
    QFETCH(QString, year);
    QFETCH(int, month);
    QFETCH(int, day);
    QFETCH(QDate, date);
    QCOMPARE(headerDate(year, month, day), date);
}

void tst_header::februaryHasTwentyNineDays() {
    RatingHeaderView view;
    view.cmbMonth->setCurrentIndex(1);
    QCOMPARE(view.cmbDay->count(), 29);
    view.cmbMonth->setCurrentIndex(3);
    QCOMPARE(view.cmbDay->count(), 30);
    view.cmbMonth->setCurrentIndex(11);
    QCOMPARE(view.cmbDay->count(), 31);
    QCOMPARE(view.cmbMonth->itemText(0), QStringLiteral("január"));
}

void tst_header::validationColoursLabelsAndBlocksFinalising() {
    frmMain *editor = openEditor(m_s->school.teacher);
    RatingHeaderView *h = editor->header;
    QVERIFY(h->txtMulOrak->isEnabled());
    QVERIFY(!h->btnClose->isEnabled()); // empty number fields are not valid yet
    QVERIFY(hasInvalidMark(h->lblMulOrak));
    h->txtMulOrak->setText(QStringLiteral("12"));
    h->txtIgazolatlan->setText(QStringLiteral("2"));
    h->txtKelt->setText(QStringLiteral("2025"));
    QVERIFY(!hasInvalidMark(h->lblMulOrak));
    QVERIFY(!hasInvalidMark(h->lblKelt));
    QVERIFY(h->btnClose->isEnabled());
    QCOMPARE(h->btnClose->text(), QStringLiteral("&Véglegesítés"));
    h->txtIgazolatlan->setText(QStringLiteral("1.5"));
    QVERIFY(hasInvalidMark(h->lblIgazolatlan));
    QVERIFY(!h->btnClose->isEnabled());
    QVERIFY(editor->isDirty());
}

void tst_header::invalidValuesAreStillSaved() {
    SKIP_ON_SERVER("a server keeps only numbers in a number column; the save is refused there, the text kept");
    frmMain *editor = openEditor(m_s->school.teacher);
    RatingHeaderView *h = editor->header;
    h->txtMulOrak->setText(QStringLiteral("1O"));
    h->txtIgazolatlan->setText(QString());
    h->txtEvfolyam->setText(QStringLiteral("Felsőbb évfolyamba léphet."));
    h->txtKelt->setText(QStringLiteral("2025"));
    h->cmbMonth->setCurrentIndex(5);
    h->cmbDay->setCurrentIndex(14);
    QTest::mouseClick(h->btnSaveRating, Qt::LeftButton);
    QCOMPARE(column("ert_mulaszt").toString(), QStringLiteral("1O"));
    QCOMPARE(column("ert_igazolatlan").toString(), QString());
    QVERIFY(!column("ert_igazolatlan").isNull());
    QCOMPARE(column("ert_hatarozat_evf").toString(), QStringLiteral("Felsőbb évfolyamba léphet."));
    QCOMPARE(column("ert_keltezes").toDate(), QDate(2025, 6, 15));
    QVERIFY(!editor->isDirty());
    h->txtMulOrak->setText(QStringLiteral("7"));
    QTest::mouseClick(h->btnSaveRating, Qt::LeftButton);
    QCOMPARE(column("ert_mulaszt").toInt(), 7);
    QCOMPARE(
        m_s->db
            .scalar(QStringLiteral("SELECT typeof(ert_mulaszt) FROM ERTEKELES WHERE ert_id=?"), {ratingOf(0)})
            .toString(),
        QStringLiteral("integer"));
}

void tst_header::dateThatIsNoDateIsStoredNull() {
    m_s->db.db().run(QStringLiteral("updateMainRatingData"),
                     {1, 1, QString(), QDate(2024, 1, 1), ratingOf(0)});
    frmMain *editor = openEditor(m_s->school.teacher);
    RatingHeaderView *h = editor->header;
    QCOMPARE(h->txtKelt->text(), QStringLiteral("2024"));
    h->txtKelt->setText(QStringLiteral("2023"));
    h->cmbMonth->setCurrentIndex(1);
    h->cmbDay->setCurrentIndex(28); // 29 February 2023
    QTest::mouseClick(h->btnSaveRating, Qt::LeftButton);
    QVERIFY(column("ert_keltezes").isNull());
}

void tst_header::yearWidenedOnLeavingAndTodayLink() {
    Clock::set([] { return QDateTime(QDate(2026, 3, 9), QTime(8, 0)); });
    frmMain *editor = openEditor(m_s->school.teacher);
    RatingHeaderView *h = editor->header;
    h->txtKelt->setText(QStringLiteral("08"));
    QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(h->txtKelt, &leave);
    QCOMPARE(h->txtKelt->text(), QStringLiteral("2008"));
    QTest::mouseClick(h->findChild<LinkLabel *>(QStringLiteral("Label6")), Qt::LeftButton);
    QCOMPARE(h->txtKelt->text(), QStringLiteral("2026"));
    QCOMPARE(h->cmbMonth->currentText(), QStringLiteral("március"));
    QCOMPARE(h->cmbDay->currentText(), QStringLiteral("9"));
    QVERIFY(editor->isDirty());
}

void tst_header::openingDoesNotMarkDirty() {
    m_s->db.db().run(QStringLiteral("updateMainRatingData"),
                     {3, 1, QStringLiteral("Határozat"), QDate(2025, 6, 13), ratingOf(0)});
    frmMain *editor = openEditor(m_s->school.teacher);
    QVERIFY(!editor->isDirty());
    QCOMPARE(editor->header->cmbDay->currentText(), QStringLiteral("13"));
    QCOMPARE(editor->header->lblONS->text(), QStringLiteral("<nincs megadva>"));
    QCOMPARE(editor->header->lblTLSZ_SZ->text(), QStringLiteral("T-1"));
    editor->header->cmbDay->setCurrentIndex(2);
    emit editor->header->cmbDay->activated(2);
    QVERIFY(editor->isDirty());
}

void tst_header::clauses() {
    frmMain *editor = openEditor(m_s->school.teacher);
    RatingHeaderView *h = editor->header;
    h->txtActual->setPlainText(QStringLiteral("Első sor\nmásodik sor  "));
    QTest::mouseClick(h->btnAddClause, Qt::LeftButton);
    QCOMPARE(m_s->db.scalar(QStringLiteral("SELECT zdk_szoveg FROM ZARADEK")).toString(),
             QStringLiteral("Első sormásodik sor"));
    QCOMPARE(h->listClosures->topLevelItemCount(), 1);
    QCOMPARE(h->txtActual->toPlainText(), QString());
    const qint64 zdk = m_s->db.scalar(QStringLiteral("SELECT zdk_id FROM ZARADEK")).toLongLong();
    QCOMPARE(
        m_s->db.scalar(QStringLiteral("SELECT log_rekord_id FROM LOG WHERE log_megj='Uj zaradek felvetele'"))
            .toLongLong(),
        zdk);
    QVERIFY(!editor->isDirty()); // clauses are written at once

    h->listClosures->setCurrentItem(h->listClosures->topLevelItem(0));
    QCOMPARE(h->txtActual->toPlainText(), QStringLiteral("Első sormásodik sor"));
    h->txtActual->setPlainText(QStringLiteral("Javított záradék."));
    QTest::mouseClick(h->btnModifyClause, Qt::LeftButton);
    QCOMPARE(m_s->db.scalar(QStringLiteral("SELECT zdk_szoveg FROM ZARADEK")).toString(),
             QStringLiteral("Javított záradék."));
    QCOMPARE(
        m_s->db.scalar(QStringLiteral("SELECT log_rekord_id FROM LOG WHERE log_megj='Rekord frissitese'"))
            .toLongLong(),
        zdk);

    h->listClosures->setCurrentItem(h->listClosures->topLevelItem(0));
    m_s->dialogs.expectMessage(QStringLiteral("Biztosan törli a kijelölt záradékot?"), Icon::Question,
                               QMessageBox::No);
    QTest::mouseClick(h->btnRemoveClause, Qt::LeftButton);
    QCOMPARE(m_s->db.scalar(QStringLiteral("SELECT count(*) FROM ZARADEK")).toInt(), 1);
    m_s->dialogs.expectMessage(QStringLiteral("Biztosan törli a kijelölt záradékot?"), Icon::Question,
                               QMessageBox::Yes);
    QTest::mouseClick(h->btnRemoveClause, Qt::LeftButton);
    QCOMPARE(m_s->db.scalar(QStringLiteral("SELECT count(*) FROM ZARADEK")).toInt(), 0);
    QCOMPARE(h->listClosures->topLevelItemCount(), 0);
    QCOMPARE(m_s->db.scalar(QStringLiteral("SELECT log_tabla FROM LOG WHERE log_megj='Zaradek torlese'"))
                 .toString(),
             QStringLiteral("ZARADEK"));
}

void tst_header::clauseLimitAndEmptyMessages() {
    frmMain *editor = openEditor(m_s->school.teacher);
    RatingHeaderView *h = editor->header;
    h->txtActual->setFocus();
    QTest::keyClicks(h->txtActual, QString(600, QLatin1Char('a')));
    QCOMPARE(h->txtActual->toPlainText().size(), 510);
    h->txtActual->setPlainText(QStringLiteral("  \n "));
    m_s->dialogs.expectMessage(QStringLiteral("A beviteli mezőnek látható szöveget kell tartalmaznia."),
                               Icon::Information);
    QTest::mouseClick(h->btnAddClause, Qt::LeftButton);
    QCOMPARE(h->txtActual->toPlainText(), QString());
    m_s->dialogs.expectMessage(QStringLiteral("Nincs elem kiválasztva."), Icon::Information);
    QTest::mouseClick(h->btnModifyClause, Qt::LeftButton);
    m_s->dialogs.expectMessage(QStringLiteral("Nincs elem kiválasztva."), Icon::Information);
    QTest::mouseClick(h->btnRemoveClause, Qt::LeftButton);
}

void tst_header::templates_data() {
    QTest::addColumn<bool>("clause");
    QTest::newRow("clause") << true;
    QTest::newRow("decision") << false;
}

void tst_header::templates() {
    QFETCH(bool, clause);
    frmMain *editor = openEditor(m_s->school.teacher);
    RatingHeaderView *h = editor->header;
    h->txtActual->setPlainText(QStringLiteral("Eleje: "));
    h->txtEvfolyam->setText(QStringLiteral("régi határozat"));
    QString chosen;
    m_s->dialogs.expectModal(QStringLiteral("frmTemplate"), [&](QDialog *d) {
        [&] { QCOMPARE(d->windowTitle(), QStringLiteral("Sablon beszúrása")); }();
        auto *list = d->findChild<QTreeWidget *>(QStringLiteral("lvTemplates"));
        list->setCurrentItem(list->topLevelItem(1));
        chosen = list->currentItem()->text(0);
        QTest::mouseClick(d->findChild<QPushButton *>(QStringLiteral("btnOK")), Qt::LeftButton);
        return d->result();
    });
    QTest::mouseClick(
        h->findChild<LinkLabel *>(clause ? QStringLiteral("Command1") : QStringLiteral("Command2")),
        Qt::LeftButton);
    const QString expected =
        m_s->db
            .scalar(clause ? QStringLiteral("SELECT zds_szoveg FROM ZDK_SABLON WHERE zds_id=2")
                           : QStringLiteral("SELECT hat_szoveg FROM HAT_SABLON WHERE hat_id=2"))
            .toString();
    QCOMPARE(chosen, expected);
    if (clause) {
        QCOMPARE(h->txtActual->toPlainText(), QStringLiteral("Eleje: ") + expected);
        QCOMPARE(h->txtEvfolyam->text(), QStringLiteral("régi határozat"));
    } else {
        QCOMPARE(h->txtEvfolyam->text(), expected);
        QCOMPARE(h->txtActual->toPlainText(), QStringLiteral("Eleje: "));
    }
}

void tst_header::noTemplates() {
    m_s->db.db().connection().exec(QStringLiteral("DELETE FROM ZDK_SABLON; DELETE FROM HAT_SABLON"));
    frmMain *editor = openEditor(m_s->school.teacher);
    m_s->dialogs.expectMessage(QStringLiteral("Nincs záradéksablon definiálva."), Icon::Information);
    QTest::mouseClick(editor->header->Command1, Qt::LeftButton);
    m_s->dialogs.expectMessage(QStringLiteral("Nincs határozatsablon definiálva."), Icon::Information);
    QTest::mouseClick(editor->header->Command2, Qt::LeftButton);
}

void tst_header::longStoredValuesKeptWhole() {
    const QString decision = QStringLiteral("Felsőbb évfolyamba léphet. ").repeated(9); // 243 characters
    m_s->db.db().run(QStringLiteral("updateMainRatingData"), {1234, 5, decision, QVariant(), ratingOf(0)});
    m_s->db.db().connection().query(QStringLiteral("UPDATE HAT_SABLON SET hat_szoveg=? WHERE hat_id=1"),
                                    {decision});
    frmMain *editor = openEditor(m_s->school.teacher);
    RatingHeaderView *h = editor->header;
    QCOMPARE(h->txtEvfolyam->text(), decision);
    QCOMPARE(h->txtMulOrak->text(), QStringLiteral("1234"));
    // A template too long for the field is refused with a word, the field left as it was.
    h->txtEvfolyam->setText(QStringLiteral("Rövid."));
    m_s->dialogs.expectModal(QStringLiteral("frmTemplate"), [](QDialog *d) {
        auto *list = d->findChild<QTreeWidget *>(QStringLiteral("lvTemplates"));
        list->setCurrentItem(list->topLevelItem(0));
        QTest::mouseClick(d->findChild<QPushButton *>(QStringLiteral("btnOK")), Qt::LeftButton);
        return d->result();
    });
    m_s->dialogs.expectMessage(QStringLiteral("A sablon hosszabb, mint amennyit a határozat mezője befogad*"),
                               Icon::Exclamation);
    QTest::mouseClick(h->Command2, Qt::LeftButton);
    QCOMPARE(h->txtEvfolyam->text(), QStringLiteral("Rövid."));
    // Saving writes back the stored absences whole.
    QTest::mouseClick(h->btnSaveRating, Qt::LeftButton);
    QCOMPARE(column("ert_mulaszt").toInt(), 1234);
    QCOMPARE(column("ert_hatarozat_evf").toString(), QStringLiteral("Rövid."));
}

void tst_header::finaliseSavesFirstAndFreezesNumbers() {
    frmMain *editor = openEditor(m_s->school.teacher);
    RatingHeaderView *h = editor->header;
    h->txtMulOrak->setText(QStringLiteral("4"));
    h->txtIgazolatlan->setText(QStringLiteral("0"));
    h->txtKelt->setText(QStringLiteral("2025"));
    editor->opView1->setChecked(true);
    editor->txtRating->setFocus();
    editor->txtRating->insertPlainText(QStringLiteral("Utolsó simítás."));
    // The pupil's numbers change after they were shown: the shown ones are frozen.
    m_s->db.db().connection().query(QStringLiteral("UPDATE TANULO SET tan_tlapszam='T-99' WHERE tan_id=?"),
                                    {m_s->school.pupils[0]});
    // The other sub-competencies are still empty: the check lists them, and the teacher goes on.
    m_s->dialogs.expectModal(QStringLiteral("frmFinaliseCheck"), [](QDialog *d) {
        QTest::mouseClick(d->findChild<QPushButton *>(QStringLiteral("btnFinalise")), Qt::LeftButton);
        return d->result();
    });
    m_s->dialogs.expectMessage(
        QStringLiteral("Véglegesítés után az adatok és az értékelések csak visszavéglegesítéssel lesznek "
                       "módosíthatók, ehhez csak az igazgatónak van joga. Folytatja?"),
        Icon::Question, QMessageBox::Yes);
    QTest::mouseClick(h->btnClose, Qt::LeftButton);
    QCOMPARE(column("ert_vegleges").toString(), QStringLiteral("I"));
    QCOMPARE(
        m_s->db.scalar(QStringLiteral("SELECT esz_szoveg FROM ERTRESZ WHERE esz_ert_id=?"), {ratingOf(0)})
            .toString(),
        QStringLiteral("Utolsó simítás."));
    QCOMPARE(column("ert_mulaszt").toInt(), 4);
    QCOMPARE(column("ert_tlapszam").toString(), QStringLiteral("T-1"));
    QCOMPARE(column("ert_sorsz").toString(), QString()); // the "not given" mark is shown, not stored
    QCOMPARE(m_s->db
                 .scalar(QStringLiteral(
                             "SELECT count(*) FROM LOG WHERE log_megj='Veglegesites' AND log_rekord_id=?"),
                         {ratingOf(0)})
                 .toInt(),
             1);
    // Reopened read-only, finalised.
    QVERIFY(!editor->isEditable());
    QVERIFY(!editor->txtRating->isEnabled());
    QVERIFY(!h->txtMulOrak->isEnabled());
    QVERIFY(editor->windowTitle().endsWith(QStringLiteral(" - Végleges")));
    QCOMPARE(h->btnClose->text(), QStringLiteral("&Visszavéglegesítés"));
    QVERIFY(!h->btnClose->isEnabled()); // a teacher cannot undo it
    QCOMPARE(h->lblTLSZ_SZ->text(), QStringLiteral("T-1"));
    QCOMPARE(editor->kidWindow()->listKid->currentItem()->text(1), QStringLiteral("Véglegesítve"));
    // Closing the editor gives the lock back.
    QVERIFY(editor->parentWidget()->close());
    QCOMPARE(column("ert_lock_usr_id").toInt(), 0);
}

void tst_header::undoByAdministratorVoidsSheets() {
    m_s->db.db().run(QStringLiteral("setFinalizationMode"), {QStringLiteral("I"), ratingOf(0)});
    m_s->db.db().connection().query(
        QStringLiteral(
            "INSERT INTO LAP (lap_ert_id, lap_tipus, lap_szam, lap_sorszam) VALUES (?, 'B', 1, 'X1')"),
        {ratingOf(0)});
    frmMain *editor = openEditor(m_s->school.admin);
    RatingHeaderView *h = editor->header;
    QCOMPARE(h->btnClose->text(), QStringLiteral("&Visszavéglegesítés"));
    QVERIFY(h->btnClose->isEnabled());
    QVERIFY(!editor->isEditable());
    m_s->dialogs.expectMessage(
        QStringLiteral("Ha folytatja, az adatok újra írhatóak lesznek. Visszavonja a véglegesítést?"),
        Icon::Question, QMessageBox::No);
    QTest::mouseClick(h->btnClose, Qt::LeftButton);
    QCOMPARE(column("ert_vegleges").toString(), QStringLiteral("I"));
    m_s->dialogs.expectMessage(
        QStringLiteral("Ha folytatja, az adatok újra írhatóak lesznek. Visszavonja a véglegesítést?"),
        Icon::Question, QMessageBox::Yes);
    QTest::mouseClick(h->btnClose, Qt::LeftButton);
    QCOMPARE(column("ert_vegleges").toString(), QStringLiteral("N"));
    QCOMPARE(m_s->db.scalar(QStringLiteral("SELECT lap_del FROM LAP")).toInt(), 1);
    QCOMPARE(m_s->db.scalar(QStringLiteral("SELECT count(*) FROM LOG WHERE log_megj='Visszaveglegesites'"))
                 .toInt(),
             1);
    QVERIFY(editor->isEditable());
    QCOMPARE(column("ert_lock_usr_id").toLongLong(), m_s->school.admin);
    QCOMPARE(h->btnClose->text(), QStringLiteral("&Véglegesítés"));
}

void tst_header::undoRefusedOncePrinted_data() {
    QTest::addColumn<QString>("status");
    QTest::newRow("T") << "T";
    QTest::newRow("B") << "B";
    QTest::newRow("P") << "P";
}

void tst_header::undoRefusedOncePrinted() {
    QFETCH(QString, status);
    m_s->db.db().run(QStringLiteral("setFinalizationMode"), {status, ratingOf(0)});
    m_s->db.db().connection().query(
        QStringLiteral("UPDATE ERTEKELES SET ert_nyomtatas_datum='2025-06-14' WHERE ert_id=?"),
        {ratingOf(0)});
    frmMain *editor = openEditor(m_s->school.admin);
    QCOMPARE(editor->header->btnClose->text(), QStringLiteral("&Visszavéglegesítés"));
    QVERIFY(!editor->header->btnClose->isEnabled());
    QVERIFY(editor->windowTitle().endsWith(status == QLatin1String("P")
                                               ? QStringLiteral(" - Végleges, nyomtatott: 2025. június 14.")
                                               : QStringLiteral(" - Végleges")));
}

void tst_header::staleLockKeepsHolderReading() {
    // The teacher's own program ended without releasing the lock.
    m_s->db.db().run(QStringLiteral("setLock"), {m_s->school.teacher, ratingOf(0)});
    frmMain *editor = openEditor(m_s->school.teacher);
    QVERIFY(!editor->isEditable());
    QCOMPARE(editor->kidWindow()->listKid->topLevelItem(0)->text(2), QStringLiteral("Kiss Anna"));
    QVERIFY(editor->parentWidget()->close());
    QCOMPARE(column("ert_lock_usr_id").toLongLong(), m_s->school.teacher);
}

LORVANTO_TEST_BOTH_ENGINES_GUI(tst_header)
#include "tst_header.moc"
