// Autosave (interval rules, timing on the replaceable clock) and the two small question windows.
#include "ScriptedDialogService.h"
#include "TestDatabase.h"
#include "data/Clock.h"
#include "shell/AutoSaveSchedule.h"
#include "shell/frmAutoSave.h"
#include "ui/EditorLink.h"
#include "ui/frmInput.h"
#include "ui/frmMsgBox.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using Icon = DialogService::Icon;

class tst_smalldialogs : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void intervalRule_data();
    void intervalRule();
    void nullIntervalShowsFive();
    void autosaveTiming();
    void intervalChangeRestartsCountAndIsStored_data();
    void intervalChangeRestartsCountAndIsStored();
    void closeBoxOnlyHides();
    void msgBoxResults_data();
    void msgBoxResults();
    void inputAnswers_data();
    void inputAnswers();

private:
    QDateTime m_now;
    std::unique_ptr<TestDatabase> m_db;
    std::unique_ptr<ScriptedDialogService> m_dialogs;
    qint64 m_user = 0;
};

void tst_smalldialogs::init() {
    m_now = QDateTime(QDate(2026, 12, 8), QTime(10, 0, 0));
    Clock::set([this] { return m_now; });
    m_db = std::make_unique<TestDatabase>();
    m_dialogs = std::make_unique<ScriptedDialogService>();
    m_user = m_db->addUser(QStringLiteral("anna"), QStringLiteral("Kiss Anna"), false);
    m_db->loginAs(m_user);
}

void tst_smalldialogs::cleanup() {
    m_dialogs->verifyDone();
    m_dialogs.reset();
    m_db.reset();
    Clock::reset();
    EditorLink::setOpen(false);
    EditorLink::setSaveChanges(nullptr);
}

void tst_smalldialogs::intervalRule_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::newRow("0") << "0" << false;
    QTest::newRow("1") << "1" << true;
    QTest::newRow("5") << "5" << true;
    QTest::newRow("15") << "15" << true;
    QTest::newRow("16") << "16" << false;
    QTest::newRow("decimal point") << "5.5" << false;
    QTest::newRow("decimal comma") << "5,5" << false;
    QTest::newRow("whole with decimals") << "5.0" << false;
    QTest::newRow("text") << "öt" << false;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("negative") << "-3" << false;
    QTest::newRow("blanks around") << " 7 " << true;
}

void tst_smalldialogs::intervalRule() {
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QCOMPARE(AutoSaveSchedule::isValidInterval(text), valid);
    frmAutoSave window;
    window.txtInterval->setText(text);
    QCOMPARE(window.findChild<QPushButton *>(QStringLiteral("btnDone"))->isEnabled(), valid);
    QCOMPARE(window.findChild<QLabel *>(QStringLiteral("lblWarning"))->isVisibleTo(&window), !valid);
    QCOMPARE(window.lblWarning->text(), QStringLiteral("Az értéknek 1 és 15 közé kell esnie."));
}

void tst_smalldialogs::nullIntervalShowsFive() {
    frmAutoSave window;
    QCOMPARE(window.windowTitle(), QStringLiteral("Automatikus mentés"));
    QCOMPARE(window.txtInterval->text(), QStringLiteral("5"));
    QCOMPARE(window.schedule().next(), m_now.addSecs(5 * 60));
    QCOMPARE(window.tmrCheck->interval(), 100);
}

void tst_smalldialogs::autosaveTiming() {
    m_db->db().run(QStringLiteral("updateAutoSave"), {5, m_user});
    m_db->loginAs(m_user);
    int saves = 0;
    int logRowsAtSave = -1;
    EditorLink::setOpen(true);
    EditorLink::setSaveChanges([&] {
        ++saves;
        logRowsAtSave =
            m_db->scalar(QStringLiteral("SELECT count(*) FROM LOG WHERE log_megj='AUTOSAVE START'")).toInt();
    });
    frmAutoSave window;
    QVERIFY(window.tmrCheck->isActive());
    m_now = m_now.addSecs(5 * 60); // exactly five minutes: not yet later than the due moment
    window.tmrCheck_Timer();
    QCOMPARE(saves, 0);
    m_now = m_now.addMSecs(100);
    window.tmrCheck_Timer();
    QCOMPARE(saves, 1);
    QCOMPARE(logRowsAtSave, 1); // the log entry is written before the save
    QCOMPARE(m_db->scalar(QStringLiteral("SELECT log_usr_id FROM LOG")).toLongLong(), m_user);
    window.tmrCheck_Timer();
    QCOMPARE(saves, 1);
    // The next one is counted from the last save, not from the clock hour.
    m_now = m_now.addSecs(4 * 60 + 59);
    window.tmrCheck_Timer();
    QCOMPARE(saves, 1);
    m_now = m_now.addSecs(2);
    window.tmrCheck_Timer();
    QCOMPARE(saves, 2);
    // The real timer drives the same tick.
    m_now = m_now.addSecs(6 * 60);
    QTRY_COMPARE_WITH_TIMEOUT(saves, 3, 2000);
}

void tst_smalldialogs::intervalChangeRestartsCountAndIsStored_data() {
    QTest::addColumn<bool>("editorOpen");
    QTest::newRow("editor open") << true;
    QTest::newRow("editor closed") << false;
}

void tst_smalldialogs::intervalChangeRestartsCountAndIsStored() {
    QFETCH(bool, editorOpen);
    EditorLink::setOpen(editorOpen);
    frmAutoSave window;
    m_now = m_now.addSecs(4 * 60);
    window.txtInterval->setText(QStringLiteral("12"));
    QTest::mouseClick(window.btnDone, Qt::LeftButton);
    QCOMPARE(m_db->scalar(QStringLiteral("SELECT usr_autosave FROM USERS WHERE usr_id=?"), {m_user}).toInt(),
             12);
    QCOMPARE(window.schedule().next(), m_now.addSecs(12 * 60));
    QCOMPARE(window.tmrCheck->isActive(), editorOpen);
    QVERIFY(!window.isVisible());
}

void tst_smalldialogs::closeBoxOnlyHides() {
    EditorLink::setOpen(true);
    int saves = 0;
    EditorLink::setSaveChanges([&] { ++saves; });
    QPointer<frmAutoSave> window = new frmAutoSave;
    window->show();
    QVERIFY(!window->close());
    QVERIFY(window);
    QVERIFY(!window->isVisible());
    QVERIFY(window->tmrCheck->isActive());
    m_now = m_now.addSecs(6 * 60);
    QTRY_COMPARE_WITH_TIMEOUT(saves, 1, 2000);
    delete window;
}

void tst_smalldialogs::msgBoxResults_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("result");
    QTest::newRow("save") << "btnOKSave" << 2;
    QTest::newRow("insert only") << "btnOKNoSave" << 1;
    QTest::newRow("cancel") << "btnCancel" << 0;
}

void tst_smalldialogs::msgBoxResults() {
    QFETCH(QString, button);
    QFETCH(int, result);
    frmMsgBox box;
    QCOMPARE(box.windowTitle(), QStringLiteral("Lorvanto"));
    m_dialogs->expectModal(QStringLiteral("frmMsgBox"), [button](QDialog *d) {
        QTest::mouseClick(d->findChild<QPushButton *>(button), Qt::LeftButton);
        return d->result();
    });
    dialogs().runModal(&box);
    QCOMPARE(box.Result(), result);
    QVERIFY(!box.isVisible());
}

void tst_smalldialogs::inputAnswers_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<bool>("confirm");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("serial");
    QTest::newRow("ok confirmed") << "cmdOk" << true << "ok"
                                  << "AB 123456";
    QTest::newRow("ok not confirmed") << "cmdOk" << false << ""
                                      << "";
    QTest::newRow("give up confirmed") << "cmdMegse" << true << "megse"
                                       << "";
    QTest::newRow("give up not confirmed") << "cmdMegse" << false << ""
                                           << "";
}

void tst_smalldialogs::inputAnswers() {
    QFETCH(QString, button);
    QFETCH(bool, confirm);
    QFETCH(QString, answer);
    QFETCH(QString, serial);
    frmInput input;
    QCOMPARE(input.windowTitle(), QStringLiteral("Sorszám megadása"));
    input.show();
    input.txtInput->setText(QStringLiteral("AB 123456"));
    if (button == QLatin1String("cmdOk"))
        m_dialogs->expectMessage(QStringLiteral("Helyes a sorszám: AB 123456 ?"), Icon::Question,
                                 confirm ? QMessageBox::Yes : QMessageBox::No);
    else
        m_dialogs->expectMessage(QStringLiteral("Biztos felfüggeszti a nyomtatást?"), Icon::Question,
                                 confirm ? QMessageBox::Yes : QMessageBox::No);
    QTest::mouseClick(input.findChild<QPushButton *>(button), Qt::LeftButton);
    QCOMPARE(input.isVisible(), !confirm);
    if (confirm) {
        QCOMPARE(input.answer(), answer);
        QCOMPARE(input.serial(), serial);
    }
}

LORVANTO_TEST_BOTH_ENGINES_GUI(tst_smalldialogs)
#include "tst_smalldialogs.moc"
