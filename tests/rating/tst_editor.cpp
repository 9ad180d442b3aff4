// The rating selection and the rating editor, driven through their named controls.
#include "EditorSession.h"
#include "SchoolFixture.h"
#include "ScriptedDialogService.h"
#include "TestDatabase.h"
#include "data/Clock.h"
#include "data/DbError.h"
#include "rating/EditorWidgets.h"
#include "rating/RatingHeaderView.h"
#include "rating/RatingLock.h"
#include "rating/frmKid.h"
#include "rating/frmMain.h"
#include "shell/ProgramExit.h"
#include "shell/frmAutoSave.h"
#include "shell/frmMenu.h"
#include "ui/EditorLink.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTabBar>
#include <QTest>
#include <QTreeWidget>

using Icon = DialogService::Icon;

class tst_editor : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void pupilListCreatesRatingsAndShowsState();
    void checkoutCopyColours_data();
    void checkoutCopyColours();
    void openingShowsPupilAndTakesLock();
    void newPartCreatesRowAndEmptyingDeletesIt();
    void pendingTextsSurviveSwitching();
    void blanksOnlyIsEmpty();
    void sentenceInsertedAtCaretWithBlank();
    void sentencesListedBySharing();
    void addingSentence_data();
    void addingSentence();
    void placeholderSubjectShowsTextBoxAlone();
    void readOnly_data();
    void readOnly();
    void lockReleasedOnOtherPupilAndOnClose();
    void lockTakenMeanwhileOpensReadOnly();
    void askToSave_data();
    void askToSave();
    void failedSaveKeepsEdits();
    void revertDropsPendingPart_data();
    void revertDropsPendingPart();
    void autosaveSavesOpenRating();
    void autosaveWaitsForOpenWindows();
    void headerShownOnlyForActivePeriod_data();
    void headerShownOnlyForActivePeriod();
    void finaliseButtonOffWhenReadOnly_data();
    void finaliseButtonOffWhenReadOnly();
    void ratingFinalisedMeanwhileIsNotWritten();
    void failedOpeningLeavesNoLock();
    void chooserKeepsChosenPeriod();
    void noActivePeriod();
    void logoutReleasesLock();

private:
    frmMain *openEditor(qint64 user);
    void choosePupil(frmMain *editor, int pupilRow, bool expectModal = true);
    void type(frmMain *editor, const QString &text);
    void selectSub(frmMain *editor, qint64 akbId);
    QVariant partText(int pupil, qint64 akbId);
    QString caption() const;
    qint64 ratingOf(int pupil);

    std::unique_ptr<EditorSession> m_s;
    QDateTime m_now;
};

void tst_editor::init() {
    m_s = std::make_unique<EditorSession>();
}

void tst_editor::cleanup() {
    m_s->close();
    m_s.reset();
}

// Chooses a period in the pupil chooser as the user does.
static std::function<void(QDialog *)> choosePeriod(const char *text) {
    return [text](QDialog *d) {
        auto *periods = d->findChild<QComboBox *>(QStringLiteral("cmbPeriod"));
        periods->setCurrentIndex(periods->findText(QString::fromUtf8(text), Qt::MatchStartsWith));
        emit periods->activated(periods->currentIndex());
    };
}

frmMain *tst_editor::openEditor(qint64 user) {
    return m_s->openEditor(user);
}

void tst_editor::choosePupil(frmMain *editor, int pupilRow, bool expectModal) {
    if (expectModal)
        m_s->choosePupil(editor, pupilRow);
    else
        QTest::mouseClick(editor->btnSelect, Qt::LeftButton);
}

void tst_editor::type(frmMain *editor, const QString &text) {
    // Typed as the keyboard would (QTest's key clicks know only ASCII letters).
    editor->txtRating->setFocus();
    editor->txtRating->insertPlainText(text);
}

QString tst_editor::caption() const {
    // A maximised editor adds its own title in brackets to the main window's; a server's name is left out.
    return m_s->menu->windowTitle()
        .section(QStringLiteral(" - ["), 0, 0)
        .remove(QStringLiteral(" - ") + m_s->db.db().connection().description());
}

void tst_editor::selectSub(frmMain *editor, qint64 akbId) {
    for (int s = 0; s < editor->tabSubjects->count(); ++s) {
        editor->tabSubjects->setCurrentIndex(s);
        for (int c = 0; c < editor->tabCompetencies->count(); ++c) {
            editor->tabCompetencies->setCurrentIndex(c);
            const int i = editor->cmbSubCompetencies->findData(akbId);
            if (i >= 0) {
                editor->cmbSubCompetencies->setCurrentIndex(i);
                return;
            }
        }
    }
    QFAIL("no such sub-competency");
}

qint64 tst_editor::ratingOf(int pupil) {
    return m_s->ratingOf(pupil);
}

QVariant tst_editor::partText(int pupil, qint64 akbId) {
    return m_s->db.scalar(
        QStringLiteral("SELECT esz_szoveg FROM ERTRESZ WHERE esz_ert_id=? AND esz_akb_id=?"),
        {ratingOf(pupil), akbId});
}

void tst_editor::pupilListCreatesRatingsAndShowsState() {
    // A pupil who is in the class of the old period only gets his rating for the chosen period on listing.
    const qint64 newcomer = m_s->db.addPupil(QStringLiteral("Dózsa"), QStringLiteral("Dénes"));
    m_s->db.db().run(QStringLiteral("addRating2"),
                     {newcomer, m_s->school.cls, m_s->school.oldPeriod, QStringLiteral("P")});
    m_s->db.db().run(QStringLiteral("setFinalizationMode"), {QStringLiteral("I"), ratingOf(1)});
    frmMain *editor = openEditor(m_s->school.teacher);
    QVERIFY(editor);
    QCOMPARE(editor->lblNoKid->text(), QStringLiteral("Nincs gyermek kiválasztva!"));
    QCOMPARE(editor->views->currentWidget(), editor->frmHideAll);
    frmKid *kid = editor->kidWindow();
    QVERIFY(kid->prepare());
    QCOMPARE(kid->windowTitle(), QStringLiteral("Tanuló kiválasztása"));
    QCOMPARE(kid->cmbPeriod->currentText(), QStringLiteral("2024 - Félév (Aktív)"));
    QCOMPARE(kid->dlClass->topLevelItemCount(), 1);
    QCOMPARE(kid->dlClass->topLevelItem(0)->text(0), QStringLiteral("2. a"));
    QCOMPARE(kid->dlClass->topLevelItem(0)->text(1), QStringLiteral("2020/2021"));
    kid->dlClass->setCurrentItem(kid->dlClass->topLevelItem(0));
    QCOMPARE(kid->Rite(), 3);
    QCOMPARE(kid->listKid->topLevelItemCount(), 4);
    QCOMPARE(kid->listKid->topLevelItem(0)->text(0), QStringLiteral("Árva Ádám"));
    QCOMPARE(kid->listKid->topLevelItem(0)->text(1), QStringLiteral("Lezáratlan"));
    QVERIFY(kid->listKid->topLevelItem(0)->font(1).bold());
    QCOMPARE(kid->listKid->topLevelItem(1)->text(1), QStringLiteral("Véglegesítve"));
    QVERIFY(!kid->listKid->topLevelItem(1)->font(1).bold());
    QCOMPARE(kid->listKid->topLevelItem(0)->text(2), QStringLiteral("nem"));
    QCOMPARE(
        m_s->db
            .scalar(QStringLiteral("SELECT ert_vegleges FROM ERTEKELES WHERE ert_tan_id=? AND ert_tev_id=?"),
                    {newcomer, m_s->school.period})
            .toString(),
        QStringLiteral("N"));
    // A class without rights is not listed; a deleted class neither.
    const qint64 hidden = m_s->db.addClass(m_s->school.period, 3, QStringLiteral("b"));
    m_s->db.addClass(m_s->school.period, 4, QStringLiteral("c"), m_s->school.teacher);
    m_s->db.db().run(QStringLiteral("deleteClass"),
                     {m_s->db.addClass(m_s->school.period, 1, QStringLiteral("d"), m_s->school.teacher)});
    kid->LoadClasses();
    QCOMPARE(kid->dlClass->topLevelItemCount(), 2);
    Q_UNUSED(hidden);
}

void tst_editor::checkoutCopyColours_data() {
    QTest::addColumn<int>("exportState");
    QTest::addColumn<bool>("exported");
    QTest::addColumn<bool>("red");
    QTest::addColumn<QString>("lockText");
    QTest::newRow("master, class at home") << 0 << false << false << "nem";
    QTest::newRow("master, class checked out") << 0 << true << true << "Exportálva";
    QTest::newRow("checkout copy, other class") << 1 << false << true << "Nincs importálva";
    QTest::newRow("checkout copy, its class") << 1 << true << false << "nem";
}

void tst_editor::checkoutCopyColours() {
    QFETCH(int, exportState);
    QFETCH(bool, exported);
    QFETCH(bool, red);
    QFETCH(QString, lockText);
    m_s->db.db().run(QStringLiteral("setDBState"), {exportState});
    if (exported)
        m_s->db.db().run(QStringLiteral("addExportedClass"), {m_s->school.cls, m_s->school.admin});
    frmMain *editor = openEditor(m_s->school.teacher);
    frmKid *kid = editor->kidWindow();
    QVERIFY(kid->prepare());
    QTreeWidgetItem *row = kid->dlClass->topLevelItem(0);
    QCOMPARE(row->foreground(0).color() == QColor(255, 0, 0), red);
    QCOMPARE(row->foreground(2).color() == QColor(255, 0, 0), red);
    kid->dlClass->setCurrentItem(row);
    for (int i = 0; i < kid->listKid->topLevelItemCount(); ++i)
        QCOMPARE(kid->listKid->topLevelItem(i)->text(2), lockText);
    kid->listKid->setCurrentItem(kid->listKid->topLevelItem(0));
    QCOMPARE(kid->readOnly(), red);
}

void tst_editor::openingShowsPupilAndTakesLock() {
    m_s->db.db().connection().query(
        QStringLiteral("UPDATE TANULO SET tan_szhely='Pécs', tan_anev='Kovács Mária' WHERE tan_id=?"),
        {m_s->school.pupils[0]});
    frmMain *editor = openEditor(m_s->school.teacher);
    choosePupil(editor, 0);
    QCOMPARE(editor->windowTitle(), QStringLiteral("Értékelés: Árva Ádám (2. a)"));
    QCOMPARE(editor->lblName->text(), QStringLiteral("Árva Ádám"));
    QCOMPARE(editor->lblBirth->text(), QStringLiteral("Szül.: Pécs, 2015. március 14."));
    QCOMPARE(editor->lblMother->text(), QStringLiteral("Anyja neve: Kovács Mária"));
    QVERIFY(editor->lblNoKid->isHidden());
    QCOMPARE(editor->views->currentWidget(), editor->frmRating);
    QCOMPARE(editor->tabSubjects->count(), 2);
    // The tabs were filled while their page was hidden; they must still take their height when shown.
    QTRY_VERIFY(editor->tabSubjects->height() > 0);
    QTRY_VERIFY(editor->tabCompetencies->height() > 0);
    QCOMPARE(editor->tabSubjects->tabText(0), QStringLiteral("Matematika"));
    QCOMPARE(editor->tabCompetencies->tabText(0), QStringLiteral("Számolás"));
    QCOMPARE(editor->cmbSubCompetencies->currentText(), QStringLiteral("Összeadás"));
    QVERIFY(editor->txtRating->isEnabled());
    QVERIFY(!editor->isDirty());
    QCOMPARE(caption(), QStringLiteral("Lorvanto - Kiss Anna"));
    QCOMPARE(
        m_s->db.scalar(QStringLiteral("SELECT ert_lock_usr_id FROM ERTEKELES WHERE ert_id=?"), {ratingOf(0)})
            .toLongLong(),
        m_s->school.teacher);
    QVERIFY(m_s->menu->mnuExportText->isEnabled());
    editor->opView0->setChecked(true);
    QCOMPARE(editor->views->currentWidget(), static_cast<QWidget *>(editor->header));
}

void tst_editor::newPartCreatesRowAndEmptyingDeletesIt() {
    frmMain *editor = openEditor(m_s->school.teacher);
    choosePupil(editor, 0);
    type(editor, QStringLiteral("Szépen számol. "));
    QVERIFY(editor->isDirty());
    QCOMPARE(caption(), QStringLiteral("Lorvanto - Kiss Anna*"));
    QTest::mouseClick(editor->btnSave, Qt::LeftButton);
    QCOMPARE(partText(0, m_s->school.addition).toString(), QStringLiteral("Szépen számol."));
    QCOMPARE(m_s->db.scalar(QStringLiteral("SELECT count(*) FROM ERTRESZ")).toInt(), 1);
    QCOMPARE(caption(), QStringLiteral("Lorvanto - Kiss Anna"));
    QVERIFY(!editor->isDirty());
    QCOMPARE(editor->txtRating->toPlainText(), QStringLiteral("Szépen számol. ")); // as typed, blank and all
    QCOMPARE(m_s->db.scalar(QStringLiteral("SELECT log_megj FROM LOG WHERE log_tabla='ERTRESZ'")).toString(),
             QStringLiteral("Ertekeles mentese"));
    editor->txtRating->selectAll();
    QTest::keyClick(editor->txtRating, Qt::Key_Delete);
    QTest::mouseClick(editor->btnSave, Qt::LeftButton);
    QCOMPARE(m_s->db.scalar(QStringLiteral("SELECT count(*) FROM ERTRESZ")).toInt(), 0);
}

void tst_editor::pendingTextsSurviveSwitching() {
    frmMain *editor = openEditor(m_s->school.teacher);
    choosePupil(editor, 1);
    type(editor, QStringLiteral("Összead."));
    selectSub(editor, m_s->school.subtraction);
    QCOMPARE(editor->txtRating->toPlainText(), QString());
    type(editor, QStringLiteral("Kivon."));
    selectSub(editor, m_s->school.musicSub);
    type(editor, QStringLiteral("Énekel."));
    selectSub(editor, m_s->school.addition);
    QCOMPARE(editor->txtRating->toPlainText(), QStringLiteral("Összead."));
    selectSub(editor, m_s->school.subtraction);
    QCOMPARE(editor->txtRating->toPlainText(), QStringLiteral("Kivon."));
    QCOMPARE(editor->pendingEdits().count(), 3);
    QCOMPARE(m_s->db.scalar(QStringLiteral("SELECT count(*) FROM ERTRESZ")).toInt(), 0);
    QTest::mouseClick(editor->btnSave, Qt::LeftButton);
    QCOMPARE(partText(1, m_s->school.addition).toString(), QStringLiteral("Összead."));
    QCOMPARE(partText(1, m_s->school.subtraction).toString(), QStringLiteral("Kivon."));
    QCOMPARE(partText(1, m_s->school.musicSub).toString(), QStringLiteral("Énekel."));
}

void tst_editor::blanksOnlyIsEmpty() {
    frmMain *editor = openEditor(m_s->school.teacher);
    choosePupil(editor, 0);
    type(editor, QStringLiteral("    "));
    QVERIFY(editor->isDirty());
    QTest::mouseClick(editor->btnSave, Qt::LeftButton);
    QCOMPARE(m_s->db.scalar(QStringLiteral("SELECT count(*) FROM ERTRESZ")).toInt(), 0);
}

void tst_editor::sentenceInsertedAtCaretWithBlank() {
    frmMain *editor = openEditor(m_s->school.teacher);
    choosePupil(editor, 0);
    type(editor, QStringLiteral("AB"));
    QTextCursor c = editor->txtRating->textCursor();
    c.setPosition(1);
    editor->txtRating->setTextCursor(c);
    QTreeWidgetItem *first = editor->dlSentences->topLevelItem(1);
    QCOMPARE(first->text(0), QStringLiteral("Hibátlanul ad össze. "));
    editor->dlSentences->setCurrentItem(first);
    emit editor->dlSentences->itemDoubleClicked(first, 0);
    QCOMPARE(editor->txtRating->toPlainText(), QStringLiteral("AHibátlanul ad össze. B"));
    QCOMPARE(editor->txtRating->textCursor().position(), 1 + int(first->text(0).size()));
    QVERIFY(editor->isDirty());
}

void tst_editor::sentencesListedBySharing() {
    frmMain *editor = openEditor(m_s->school.teacher);
    choosePupil(editor, 0);
    QStringList shown;
    for (int i = 0; i < editor->dlSentences->topLevelItemCount(); ++i)
        shown << editor->dlSentences->topLevelItem(i)->text(0);
    QCOMPARE(shown,
             (QStringList{QStringLiteral("Anna saját mondata. "), QStringLiteral("Hibátlanul ad össze. "),
                          QStringLiteral("Tízes átlépéssel is ügyes. ")}));
}

void tst_editor::addingSentence_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("exportState");
    QTest::addColumn<bool>("offer");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("inserted");
    QTest::newRow("save, offered") << "btnOKSave" << 0 << true << "U" << true;
    QTest::newRow("save, kept") << "btnOKSave" << 0 << false << "P" << true;
    QTest::newRow("save in checkout copy") << "btnOKSave" << 1 << true << "X" << true;
    QTest::newRow("insert only") << "btnOKNoSave" << 0 << false << "" << true;
    QTest::newRow("cancel") << "btnCancel" << 0 << false << "" << false;
}

void tst_editor::addingSentence() {
    QFETCH(QString, button);
    QFETCH(int, exportState);
    QFETCH(bool, offer);
    QFETCH(QString, stored);
    QFETCH(bool, inserted);
    m_s->db.db().run(QStringLiteral("setDBState"), {exportState});
    if (exportState == 1)
        m_s->db.db().run(QStringLiteral("addExportedClass"), {m_s->school.cls, m_s->school.admin});
    frmMain *editor = openEditor(m_s->school.teacher);
    choosePupil(editor, 0);
    QVERIFY(!editor->btnAdd->isEnabled());
    editor->txtNewSentence->insert(QStringLiteral("Jól használja az ujjait."));
    QVERIFY(editor->btnAdd->isEnabled());
    m_s->dialogs.expectModal(QStringLiteral("frmMsgBox"), [button](QDialog *d) {
        QTest::mouseClick(d->findChild<QPushButton *>(button), Qt::LeftButton);
        return d->result();
    });
    if (!stored.isEmpty())
        m_s->dialogs.expectMessage(QStringLiteral("Kiajánlja a mondatot?"), Icon::Question,
                                   offer ? QMessageBox::Yes : QMessageBox::No);
    QTest::mouseClick(editor->btnAdd, Qt::LeftButton);
    const Recordset rs = m_s->db.db().connection().query(
        QStringLiteral("SELECT * FROM MONDATBANK WHERE mdb_szoveg='Jól használja az ujjait.'"));
    QCOMPARE(rs.count(), stored.isEmpty() ? 0 : 1);
    if (!stored.isEmpty()) {
        QCOMPARE(rs.field(QStringLiteral("mdb_megoszt")).toString(), stored);
        QCOMPARE(rs.field(QStringLiteral("mdb_usr_id")).toLongLong(), m_s->school.teacher);
        QCOMPARE(rs.field(QStringLiteral("mdb_akb_id")).toLongLong(), m_s->school.addition);
        QCOMPARE(m_s->db.scalar(QStringLiteral("SELECT log_megj FROM LOG WHERE log_tabla='MONDATBANK'"))
                     .toString(),
                 QStringLiteral("Uj mondat felvetele"));
        QCOMPARE(editor->dlSentences->topLevelItemCount(), 4);
    }
    QCOMPARE(editor->txtRating->toPlainText(),
             inserted ? QStringLiteral("Jól használja az ujjait. ") : QString());
    QCOMPARE(editor->txtNewSentence->text(),
             inserted ? QString() : QStringLiteral("Jól használja az ujjait."));
}

void tst_editor::placeholderSubjectShowsTextBoxAlone() {
    frmMain *editor = openEditor(m_s->school.teacher);
    choosePupil(editor, 0);
    QVERIFY(editor->tabCompetencies->isVisibleTo(editor));
    editor->tabSubjects->setCurrentIndex(1);
    QCOMPARE(editor->tabSubjects->tabText(1), QStringLiteral("Ének"));
    QVERIFY(!editor->tabCompetencies->isVisibleTo(editor));
    QVERIFY(!editor->lblCompetence->isVisibleTo(editor));
    QVERIFY(!editor->cmbSubCompetencies->isVisibleTo(editor));
    QVERIFY(editor->txtRating->isVisibleTo(editor));
    QCOMPARE(editor->cmbSubCompetencies->currentData().toLongLong(), m_s->school.musicSub);
}

void tst_editor::readOnly_data() {
    QTest::addColumn<QString>("why");
    QTest::newRow("read right only") << "level1";
    QTest::newRow("locked by another user") << "locked";
    QTest::newRow("finalised") << "final";
    QTest::newRow("period not active") << "inactive";
}

void tst_editor::readOnly() {
    QFETCH(QString, why);
    if (why == QLatin1String("level1"))
        m_s->school.setRight(m_s->school.teacher, m_s->school.cls, QStringLiteral("O"));
    else if (why == QLatin1String("locked"))
        m_s->db.db().run(QStringLiteral("setLock"), {m_s->school.other, ratingOf(0)});
    else if (why == QLatin1String("final"))
        m_s->db.db().run(QStringLiteral("setFinalizationMode"), {QStringLiteral("I"), ratingOf(0)});
    else {
        // The class belongs to a period that is not the active one any more.
        const qint64 next = m_s->db.addPeriod(2025, QStringLiteral("Félév"), false);
        m_s->db.db().run(QStringLiteral("updateActivePeriod"), {next});
    }
    m_s->db.db().run(QStringLiteral("createRatingData"),
                     {ratingOf(0), m_s->school.addition, QStringLiteral("Tárolt szöveg.")});
    frmMain *editor = openEditor(m_s->school.teacher);
    if (why == QLatin1String("inactive")) {
        m_s->dialogs.expectModal(QStringLiteral("frmKid"),
                                 EditorSession::pickPupil(0, choosePeriod("2024 - Félév")));
        choosePupil(editor, 0, false);
    } else {
        choosePupil(editor, 0);
    }
    QCOMPARE(editor->txtRating->toPlainText(), QStringLiteral("Tárolt szöveg."));
    QVERIFY(!editor->isEditable());
    QVERIFY(!editor->txtRating->isEnabled());
    QVERIFY(!editor->btnSave->isEnabled());
    QVERIFY(!editor->dlSentences->isEnabled());
    QVERIFY(!m_s->menu->mnuImportText->isEnabled());
    if (why == QLatin1String("final"))
        QCOMPARE(editor->windowTitle(), QStringLiteral("Értékelés: Árva Ádám (2. a) - Végleges"));
    // A reader and a past period take no lock; a finalised rating is locked by whoever may reopen it.
    const qint64 expectedHolder = why == QLatin1String("locked")  ? m_s->school.other
                                  : why == QLatin1String("final") ? m_s->school.teacher
                                                                  : 0;
    QCOMPARE(
        m_s->db.scalar(QStringLiteral("SELECT ert_lock_usr_id FROM ERTEKELES WHERE ert_id=?"), {ratingOf(0)})
            .toLongLong(),
        expectedHolder);
    // Text put in the box by other means than typing is still not saved.
    editor->txtRating->setPlainText(QStringLiteral("Felülírva."));
    editor->header->txtMulOrak->setText(QStringLiteral("9"));
    editor->SaveChanges();
    QCOMPARE(partText(0, m_s->school.addition).toString(), QStringLiteral("Tárolt szöveg."));
    QVERIFY(m_s->db.scalar(QStringLiteral("SELECT ert_mulaszt FROM ERTEKELES WHERE ert_id=?"), {ratingOf(0)})
                .isNull());
    m_s->dialogs.expectMessage(QStringLiteral("Menti a változásokat, mielőtt folytatja?"), Icon::Question,
                               QMessageBox::No);
    // A reader never unlocks: closing leaves another user's lock in place.
    QVERIFY(editor->parentWidget()->close());
    QCOMPARE(
        m_s->db.scalar(QStringLiteral("SELECT ert_lock_usr_id FROM ERTEKELES WHERE ert_id=?"), {ratingOf(0)})
            .toLongLong(),
        why == QLatin1String("locked") ? m_s->school.other : 0);
}

void tst_editor::lockReleasedOnOtherPupilAndOnClose() {
    frmMain *editor = openEditor(m_s->school.teacher);
    choosePupil(editor, 0);
    const QString lockOf = QStringLiteral("SELECT ert_lock_usr_id FROM ERTEKELES WHERE ert_id=?");
    QCOMPARE(m_s->db.scalar(lockOf, {ratingOf(0)}).toLongLong(), m_s->school.teacher);
    choosePupil(editor, 2);
    QCOMPARE(m_s->db.scalar(lockOf, {ratingOf(0)}).toLongLong(), 0);
    QCOMPARE(m_s->db.scalar(lockOf, {ratingOf(2)}).toLongLong(), m_s->school.teacher);
    // Another copy of the program cannot take it meanwhile.
    auto second = m_s->db.secondProgram();
    {
        AppData::Scope scope(*second);
        QVERIFY(!RatingLock::take(ratingOf(2), m_s->school.other));
    }
    QPointer<frmMain> guard = editor;
    QVERIFY(editor->parentWidget()->close());
    QTRY_VERIFY(!guard);
    QCOMPARE(m_s->db.scalar(lockOf, {ratingOf(2)}).toLongLong(), 0);
    QVERIFY(!EditorLink::isOpen());
    QVERIFY(!frmAutoSave::instance()); // its timer goes with the editor
}

void tst_editor::lockTakenMeanwhileOpensReadOnly() {
    frmMain *editor = openEditor(m_s->school.teacher);
    m_s->dialogs.expectModal(QStringLiteral("frmKid"), [this](QDialog *d) {
        auto *classes = d->findChild<QTreeWidget *>(QStringLiteral("dlClass"));
        classes->setCurrentItem(classes->topLevelItem(0));
        auto *kids = d->findChild<QTreeWidget *>(QStringLiteral("listKid"));
        kids->setCurrentItem(kids->topLevelItem(0));
        // Another teacher opens the same rating between the listing and the choice.
        auto second = m_s->db.secondProgram();
        {
            AppData::Scope scope(*second);
            RatingLock::take(ratingOf(0), m_s->school.other);
        }
        QTest::mouseClick(d->findChild<QPushButton *>(QStringLiteral("btnSelect")), Qt::LeftButton);
        return d->result();
    });
    m_s->dialogs.expectMessage(
        QStringLiteral(
            "Az értékelést közben Nagy Béla megnyitotta szerkesztésre, ezért most csak olvasható."),
        Icon::Information);
    choosePupil(editor, 0, false);
    QVERIFY(!editor->isEditable());
    choosePupil(editor, 1);
    QCOMPARE(
        m_s->db.scalar(QStringLiteral("SELECT ert_lock_usr_id FROM ERTEKELES WHERE ert_id=?"), {ratingOf(0)})
            .toLongLong(),
        m_s->school.other);
}

void tst_editor::askToSave_data() {
    QTest::addColumn<int>("answer");
    QTest::newRow("yes") << int(QMessageBox::Yes);
    QTest::newRow("no") << int(QMessageBox::No);
    QTest::newRow("cancel") << int(QMessageBox::Cancel);
}

void tst_editor::askToSave() {
    QFETCH(int, answer);
    frmMain *editor = openEditor(m_s->school.teacher);
    choosePupil(editor, 0);
    type(editor, QStringLiteral("Félbehagyott."));
    QPointer<frmMain> guard = editor;
    m_s->dialogs.expectMessage(QStringLiteral("Menti a változásokat, mielőtt folytatja?"), Icon::Question,
                               QMessageBox::StandardButton(answer));
    const bool closed = editor->parentWidget()->close();
    QCOMPARE(closed, answer != QMessageBox::Cancel);
    if (answer == QMessageBox::Cancel) {
        QVERIFY(guard);
        QVERIFY(editor->isDirty());
        QCOMPARE(editor->txtRating->toPlainText(), QStringLiteral("Félbehagyott."));
        // Logging out asks the same question through the main window.
        m_s->dialogs.expectMessage(QStringLiteral("Menti a változásokat, mielőtt folytatja?"), Icon::Question,
                                   QMessageBox::Cancel);
        m_s->menu->mnuLogout->trigger();
        QVERIFY(m_s->menu->isVisible());
        return;
    }
    QTRY_VERIFY(!guard);
    QCOMPARE(partText(0, m_s->school.addition).toString(),
             answer == QMessageBox::Yes ? QStringLiteral("Félbehagyott.") : QString());
    QCOMPARE(caption(), QStringLiteral("Lorvanto - Kiss Anna"));
}

void tst_editor::failedSaveKeepsEdits() {
    frmMain *editor = openEditor(m_s->school.teacher);
    choosePupil(editor, 0);
    type(editor, QStringLiteral("Nem veszhet el."));
    m_s->db.failWrites(QStringLiteral("INSERT"), QStringLiteral("ERTRESZ"), QStringLiteral("hiba"));
    m_s->dialogs.expectMessage(QStringLiteral("A mentés nem sikerült, a módosítások megmaradtak.*"),
                               Icon::Critical);
    QTest::mouseClick(editor->btnSave, Qt::LeftButton);
    QVERIFY(editor->isDirty());
    QCOMPARE(editor->pendingEdits().count(), 1);
    QCOMPARE(caption(), QStringLiteral("Lorvanto - Kiss Anna*"));
    m_s->db.allowWrites(QStringLiteral("ERTRESZ"));
    QTest::mouseClick(editor->btnSave, Qt::LeftButton);
    QCOMPARE(partText(0, m_s->school.addition).toString(), QStringLiteral("Nem veszhet el."));
}

void tst_editor::revertDropsPendingPart_data() {
    QTest::addColumn<bool>("headerEdited");
    QTest::newRow("text only") << false;
    QTest::newRow("header changed too") << true;
}

void tst_editor::revertDropsPendingPart() {
    QFETCH(bool, headerEdited);
    m_s->db.db().run(QStringLiteral("createRatingData"),
                     {ratingOf(0), m_s->school.addition, QStringLiteral("Eredeti.")});
    frmMain *editor = openEditor(m_s->school.teacher);
    choosePupil(editor, 0);
    if (headerEdited)
        editor->header->txtMulOrak->setText(QStringLiteral("7"));
    type(editor, QStringLiteral(" Toldás"));
    m_s->dialogs.expectMessage(
        QStringLiteral(
            "A művelet visszavonja az aktuális kompetencia értékelésén végzett módosításokat. Folytatja?"),
        Icon::Question, QMessageBox::Yes);
    QTest::mouseClick(editor->btnRevert, Qt::LeftButton);
    QCOMPARE(editor->txtRating->toPlainText(), QStringLiteral("Eredeti."));
    // The header change is still unsaved: marked, and saved when the user leaves.
    QCOMPARE(editor->isDirty(), headerEdited);
    QCOMPARE(caption(),
             headerEdited ? QStringLiteral("Lorvanto - Kiss Anna*") : QStringLiteral("Lorvanto - Kiss Anna"));
    if (headerEdited)
        m_s->dialogs.expectMessage(QStringLiteral("Menti a változásokat, mielőtt folytatja?"), Icon::Question,
                                   QMessageBox::Yes);
    QVERIFY(editor->parentWidget()->close());
    QCOMPARE(
        m_s->db.scalar(QStringLiteral("SELECT ert_mulaszt FROM ERTEKELES WHERE ert_id=?"), {ratingOf(0)}),
        headerEdited ? QVariant(7) : QVariant());
    QCOMPARE(partText(0, m_s->school.addition).toString(), QStringLiteral("Eredeti."));
}

void tst_editor::autosaveSavesOpenRating() {
    m_now = QDateTime(QDate(2026, 12, 8), QTime(9, 0));
    Clock::set([this] { return m_now; });
    frmMain *editor = openEditor(m_s->school.teacher);
    choosePupil(editor, 0);
    type(editor, QStringLiteral("Magától mentődik. "));
    QTextCursor caret = editor->txtRating->textCursor();
    caret.setPosition(7);
    editor->txtRating->setTextCursor(caret);
    QVERIFY(frmAutoSave::instance());
    m_now = m_now.addSecs(5 * 60 + 1);
    frmAutoSave::instance()->tmrCheck_Timer();
    QCOMPARE(partText(0, m_s->school.addition).toString(), QStringLiteral("Magától mentődik."));
    QVERIFY(!editor->isDirty());
    // The user types on where he was: the text as typed and the caret are left alone.
    QCOMPARE(editor->txtRating->toPlainText(), QStringLiteral("Magától mentődik. "));
    QCOMPARE(editor->txtRating->textCursor().position(), 7);
    QCOMPARE(
        m_s->db.scalar(QStringLiteral("SELECT count(*) FROM LOG WHERE log_megj='AUTOSAVE START'")).toInt(),
        1);
}

void tst_editor::autosaveWaitsForOpenWindows() {
    m_now = QDateTime(QDate(2026, 12, 8), QTime(9, 0));
    Clock::set([this] { return m_now; });
    const auto tickWhenDue = [this] {
        m_now = m_now.addSecs(5 * 60 + 1);
        frmAutoSave::instance()->tmrCheck_Timer();
    };
    const QString startCount = QStringLiteral("SELECT count(*) FROM LOG WHERE log_megj='AUTOSAVE START'");
    frmMain *editor = openEditor(m_s->school.teacher);
    choosePupil(editor, 0);
    type(editor, QStringLiteral("Elvetendő."));
    // Falling due while the question is open, it does not save what the user is about to throw away.
    m_s->dialogs.expectMessage(QStringLiteral("Menti a változásokat, mielőtt folytatja?"), Icon::Question,
                               QMessageBox::No, tickWhenDue);
    m_s->dialogs.expectModal(QStringLiteral("frmKid"), EditorSession::pickPupil(0));
    QTest::mouseClick(editor->btnSelect, Qt::LeftButton);
    QVERIFY(partText(0, m_s->school.addition).isNull());
    QCOMPARE(m_s->db.scalar(startCount).toInt(), 0);
    // A failing save shows its box once: the ticks while it is open neither log nor save again.
    type(editor, QStringLiteral("Nem veszhet el."));
    m_s->db.failWrites(QStringLiteral("INSERT"), QStringLiteral("ERTRESZ"), QStringLiteral("hiba"));
    m_s->dialogs.expectMessage(QStringLiteral("A mentés nem sikerült, a módosítások megmaradtak.*"),
                               Icon::Critical, QMessageBox::Ok, tickWhenDue);
    tickWhenDue();
    QCOMPARE(m_s->db.scalar(startCount).toInt(), 1);
    QVERIFY(editor->isDirty());
}

void tst_editor::headerShownOnlyForActivePeriod_data() {
    QTest::addColumn<bool>("active");
    QTest::newRow("active period") << true;
    QTest::newRow("past period") << false;
}

void tst_editor::headerShownOnlyForActivePeriod() {
    QFETCH(bool, active);
    m_s->db.db().run(QStringLiteral("updateMainRatingData"),
                     {12, 2, QStringLiteral("Felsőbb évfolyamba léphet."), QDate(2025, 2, 28), ratingOf(0)});
    m_s->db.db().connection().query(
        QStringLiteral(
            "INSERT INTO LAP (lap_ert_id, lap_tipus, lap_szam, lap_sorszam) VALUES (?, 'T', 1, 'AB 11')"),
        {ratingOf(0)});
    m_s->db.db().run(QStringLiteral("addClosure"),
                     {ratingOf(0), QStringLiteral("Egyéni munkarend szerint halad.")});
    if (!active)
        m_s->db.db().run(QStringLiteral("updateActivePeriod"), {m_s->school.oldPeriod});
    frmMain *editor = openEditor(m_s->school.teacher);
    m_s->dialogs.expectModal(QStringLiteral("frmKid"),
                             EditorSession::pickPupil(0, choosePeriod("2024 - Félév")));
    QTest::mouseClick(editor->btnSelect, Qt::LeftButton);
    QCOMPARE(editor->header->txtMulOrak->text(), active ? QStringLiteral("12") : QString());
    QCOMPARE(editor->header->txtIgazolatlan->text(), active ? QStringLiteral("2") : QString());
    QCOMPARE(editor->header->txtEvfolyam->text(),
             active ? QStringLiteral("Felsőbb évfolyamba léphet.") : QString());
    QCOMPARE(editor->header->txtKelt->text(), QStringLiteral("2025"));
    QCOMPARE(editor->header->cmbMonth->currentText(), QStringLiteral("február"));
    QCOMPARE(editor->header->cmbDay->count(), 29);
    QCOMPARE(editor->header->cmbDay->currentText(), QStringLiteral("28"));
    QCOMPARE(editor->header->lblTLSZ_SZ->text(), QStringLiteral("T-1"));
    QCOMPARE(editor->header->lblONS->text(), QStringLiteral("<nincs megadva>"));
    QCOMPARE(editor->header->List1->count(), 1);
    QCOMPARE(editor->header->List1->item(0)->text(), QStringLiteral("1: AB 11"));
    QCOMPARE(editor->header->listClosures->topLevelItemCount(), 1);
    QVERIFY(!editor->isDirty());
}

void tst_editor::finaliseButtonOffWhenReadOnly_data() {
    QTest::addColumn<QString>("why");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("finalised, free") << "final" << true;
    QTest::newRow("locked by another user") << "locked" << false;
    QTest::newRow("class exported") << "exported" << false;
    QTest::newRow("past period") << "past" << false;
}

void tst_editor::finaliseButtonOffWhenReadOnly() {
    QFETCH(QString, why);
    QFETCH(bool, enabled);
    m_s->db.db().run(QStringLiteral("setFinalizationMode"), {QStringLiteral("I"), ratingOf(0)});
    if (why == QLatin1String("locked"))
        m_s->db.db().run(QStringLiteral("setLock"), {m_s->school.other, ratingOf(0)});
    else if (why == QLatin1String("exported"))
        m_s->db.db().run(QStringLiteral("addExportedClass"), {m_s->school.cls, m_s->school.admin});
    else if (why == QLatin1String("past"))
        m_s->db.db().run(QStringLiteral("updateActivePeriod"), {m_s->school.oldPeriod});
    frmMain *editor = openEditor(m_s->school.admin);
    m_s->dialogs.expectModal(QStringLiteral("frmKid"),
                             EditorSession::pickPupil(0, choosePeriod("2024 - Félév")));
    QTest::mouseClick(editor->btnSelect, Qt::LeftButton);
    QVERIFY(editor->isRatingOpen());
    QCOMPARE(editor->header->btnClose->text(), QStringLiteral("&Visszavéglegesítés"));
    QCOMPARE(editor->header->btnClose->isEnabled(), enabled);
}

void tst_editor::ratingFinalisedMeanwhileIsNotWritten() {
    frmMain *editor = openEditor(m_s->school.teacher);
    choosePupil(editor, 0);
    type(editor, QStringLiteral("Későn jött."));
    auto second = m_s->db.secondProgram();
    {
        AppData::Scope scope(*second);
        second->devDB.run(QStringLiteral("setFinalizationMode"), {QStringLiteral("I"), ratingOf(0)});
    }
    m_s->dialogs.expectMessage(
        QStringLiteral(
            "Az értékelést közben véglegesítették, ezért nem menthető. A módosítások megmaradtak."),
        Icon::Exclamation);
    QTest::mouseClick(editor->btnSave, Qt::LeftButton);
    QVERIFY(partText(0, m_s->school.addition).isNull());
    QVERIFY(editor->isDirty());
    QCOMPARE(editor->txtRating->toPlainText(), QStringLiteral("Későn jött."));
    QCOMPARE(editor->pendingEdits().count(), 1);
}

void tst_editor::failedOpeningLeavesNoLock() {
    frmMain *editor = openEditor(m_s->school.teacher);
    // The rights table goes away between the listing and the choice: opening fails half-way.
    m_s->dialogs.expectModal(QStringLiteral("frmKid"), EditorSession::pickPupil(0, [this](QDialog *) {
                                 m_s->db.db().connection().exec(
                                     QStringLiteral("ALTER TABLE JOG RENAME TO JOG2"));
                             }));
    m_s->dialogs.expectMessage(QStringLiteral("*"), Icon::Critical);
    QTest::mouseClick(editor->btnSelect, Qt::LeftButton);
    QVERIFY(!editor->isRatingOpen());
    QCOMPARE(
        m_s->db.scalar(QStringLiteral("SELECT ert_lock_usr_id FROM ERTEKELES WHERE ert_id=?"), {ratingOf(0)})
            .toLongLong(),
        0);
}

void tst_editor::chooserKeepsChosenPeriod() {
    frmMain *editor = openEditor(m_s->school.teacher);
    m_s->dialogs.expectModal(QStringLiteral("frmKid"), [](QDialog *d) {
        choosePeriod("2023 - Év vége")(d);
        return int(QDialog::Rejected);
    });
    QString shown;
    m_s->dialogs.expectModal(QStringLiteral("frmKid"), [&shown](QDialog *d) {
        shown = d->findChild<QComboBox *>(QStringLiteral("cmbPeriod"))->currentText();
        return int(QDialog::Rejected);
    });
    QTest::mouseClick(editor->btnSelect, Qt::LeftButton);
    QTest::mouseClick(editor->btnSelect, Qt::LeftButton);
    QCOMPARE(shown, QStringLiteral("2023 - Év vége"));
}

void tst_editor::noActivePeriod() {
    m_s->db.db().connection().exec(QStringLiteral("UPDATE TANEV SET tev_aktiv=0"));
    frmMain *editor = openEditor(m_s->school.teacher);
    m_s->dialogs.expectMessage(QStringLiteral("Nincs aktív értékelési, minősítési időszak."),
                               Icon::Exclamation);
    QTest::mouseClick(editor->btnSelect, Qt::LeftButton);
    QVERIFY(!editor->isRatingOpen());
    QCOMPARE(editor->kidWindow()->dlClass->topLevelItemCount(), 0);
    QCOMPARE(editor->kidWindow()->cmbPeriod->count(), 2); // the periods are listed all the same
}

void tst_editor::logoutReleasesLock() {
    frmMain *editor = openEditor(m_s->school.teacher);
    choosePupil(editor, 1);
    type(editor, QStringLiteral("Kijelentkezés előtt."));
    QCOMPARE(
        m_s->db.scalar(QStringLiteral("SELECT ert_lock_usr_id FROM ERTEKELES WHERE ert_id=?"), {ratingOf(1)})
            .toLongLong(),
        m_s->school.teacher);
    m_s->dialogs.expectMessage(QStringLiteral("Menti a változásokat, mielőtt folytatja?"), Icon::Question,
                               QMessageBox::Yes);
    QPointer<frmMenu> menu = m_s->menu;
    menu->mnuLogout->trigger();
    QTRY_VERIFY(!menu);
    QCOMPARE(
        m_s->db.scalar(QStringLiteral("SELECT ert_lock_usr_id FROM ERTEKELES WHERE ert_id=?"), {ratingOf(1)})
            .toLongLong(),
        0);
    QCOMPARE(partText(1, m_s->school.addition).toString(), QStringLiteral("Kijelentkezés előtt."));
    QVERIFY(!EditorLink::isOpen());
}

LORVANTO_TEST_BOTH_ENGINES_GUI(tst_editor)
#include "tst_editor.moc"
