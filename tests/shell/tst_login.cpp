// Start-up and login through the login window's named controls, every message checked.
#include "ScriptedDialogService.h"
#include "TestDatabase.h"
#include "data/Connection.h"
#include "data/DatabaseKey.h"
#include "data/PasswordHash.h"
#include "shell/ProgramExit.h"
#include "shell/frmAuth.h"
#include "shell/frmMenu.h"
#include "shell/frmSetNewPass.h"
#include "ui/LinkLabel.h"
#include "ui/ValidMark.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <future>
#include <thread>

using Icon = DialogService::Icon;

class tst_login : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void freshDatabaseOffersIgazgato();
    void usersWithoutAdminGetNoSeed();
    void firstLoginSetsPassword();
    void newPasswordRule_data();
    void newPasswordRule();
    void cancelSettingPasswordLeavesNobodyLoggedIn();
    void firstPasswordWindowActsOnItsOwnUser();
    void igazgatoNeverDoubled_data();
    void igazgatoNeverDoubled();
    void failedAttempts_data();
    void failedAttempts();
    void goodPasswordLogsIn();
    void longNameNotCut();
    void plainTextPasswordIsHashedAtLogin();
    void reminder_data();
    void reminder();
    void closingLoginWindowEndsProgram_data();
    void closingLoginWindowEndsProgram();
    void logoutReturnsToLoginAndAnotherUserGetsHisMenus();
    void missingDatabase_data();
    void missingDatabase();
    void unreadableSettingsReportedAndIgnored();
    void foreignDatabase();

private:
    void login(frmAuth &auth, const QString &name, const QString &password);
    int m_exitRequests = 0;
    std::unique_ptr<TestDatabase> m_db;
    std::unique_ptr<ScriptedDialogService> m_dialogs;
};

void tst_login::init() {
    m_exitRequests = 0;
    ProgramExit::setHandler([this] { ++m_exitRequests; });
    m_db = std::make_unique<TestDatabase>();
    m_dialogs = std::make_unique<ScriptedDialogService>();
}

void tst_login::cleanup() {
    m_dialogs->verifyDone();
    m_dialogs.reset();
    m_db.reset();
    ProgramExit::setHandler(nullptr);
}

void tst_login::login(frmAuth &auth, const QString &name, const QString &password) {
    auth.cmbUsers->setEditText(name);
    auth.txtPassword->setText(password);
    QTest::mouseClick(auth.findChild<QPushButton *>(QStringLiteral("btnLogin")), Qt::LeftButton);
}

void tst_login::freshDatabaseOffersIgazgato() {
    frmAuth auth;
    QVERIFY(auth.load());
    QCOMPARE(auth.windowTitle(), QStringLiteral("Bejelentkezés - Lorvanto"));
    auto *users = auth.findChild<QComboBox *>(QStringLiteral("cmbUsers"));
    QCOMPARE(users->count(), 1);
    QCOMPARE(users->itemText(0), QStringLiteral("igazgato"));
    const Recordset admin = m_db->db().run(QStringLiteral("chkPass"), {QStringLiteral("igazgato")});
    QCOMPARE(admin.field(QStringLiteral("usr_nev")).toString(), QStringLiteral("Igazgató"));
    QVERIFY(admin.field(QStringLiteral("usr_admin_rights")).toBool());
    QVERIFY(admin.field(QStringLiteral("usr_paswd")).isNull());
    // Loading again does not add a second administrator.
    auth.ReloadUsers();
    QCOMPARE(users->count(), 1);
}

void tst_login::usersWithoutAdminGetNoSeed() {
    m_db->addUser(QStringLiteral("anna"), QStringLiteral("Kiss Anna"), false,
                  PasswordHash::hash(QStringLiteral("titok")));
    frmAuth auth;
    QVERIFY(auth.load());
    QCOMPARE(auth.cmbUsers->count(), 1);
    QCOMPARE(auth.cmbUsers->itemText(0), QStringLiteral("anna"));
}

void tst_login::firstLoginSetsPassword() {
    frmAuth auth;
    QVERIFY(auth.load());
    auth.show();
    m_dialogs->expectMessage(QStringLiteral("Első bejelentkezéskor meg kell változtatnia a jelszavát."),
                             Icon::Information);
    login(auth, QStringLiteral("igazgato"), QStringLiteral("akármi"));
    frmSetNewPass *set = auth.setNewPassWindow();
    QVERIFY(set);
    QVERIFY(set->isVisible());
    QCOMPARE(set->windowTitle(), QStringLiteral("Jelszó első beállítása: Igazgató (igazgato)"));
    QCOMPARE(set->findChild<QLineEdit *>(QStringLiteral("txtPassword"))->text(), QStringLiteral("akármi"));
    QCOMPARE(auth.txtPassword->text(), QString());
    QVERIFY(!AppData::current().login.loggedIn);

    set->findChild<QLineEdit *>(QStringLiteral("txtPasswordConfirm"))->setText(QStringLiteral("akármi"));
    set->findChild<QLineEdit *>(QStringLiteral("txtReminder"))->setText(QStringLiteral("a kedvenc szavam"));
    auto *done = set->findChild<QPushButton *>(QStringLiteral("btnDone"));
    QVERIFY(done->isEnabled());
    QTest::mouseClick(done, Qt::LeftButton);

    const Recordset user = m_db->db().run(QStringLiteral("chkPass"), {QStringLiteral("igazgato")});
    const QString stored = user.field(QStringLiteral("usr_paswd")).toString();
    QVERIFY(stored != QStringLiteral("akármi"));
    QVERIFY(PasswordHash::verify(stored, QStringLiteral("akármi")));
    QCOMPARE(user.field(QStringLiteral("usr_emlekezteto")).toString(), QStringLiteral("a kedvenc szavam"));
    const Recordset log = m_db->db().run(QStringLiteral("getAllLog"));
    QCOMPARE(log.count(), 1);
    QCOMPARE(log.field(QStringLiteral("log_tabla")).toString(), QStringLiteral("USERS"));
    QCOMPARE(log.field(QStringLiteral("log_megj")).toString(), QStringLiteral("Jelszo letrehozasa"));
    QCOMPARE(log.field(QStringLiteral("log_rekord_id")).toLongLong(),
             user.field(QStringLiteral("usr_id")).toLongLong());
    QVERIFY(!auth.isVisible());
    QVERIFY(auth.menuWindow());
    QVERIFY(auth.menuWindow()->isVisible());
    QCOMPARE(auth.menuWindow()->windowTitle().section(QStringLiteral(" - "), 0, 1),
             QStringLiteral("Lorvanto - Igazgató"));
    QVERIFY(auth.IsAdmin());
    QCOMPARE(auth.currentUser().toString(QStringLiteral("usr_login")), QStringLiteral("igazgato"));
    QVERIFY(AppData::current().login.loggedIn);
}

void tst_login::newPasswordRule_data() {
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("confirm");
    QTest::addColumn<bool>("passwordValid");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("three characters") << "abc"
                                      << "abc" << false << false;
    QTest::newRow("leading space") << " abcd"
                                   << " abcd" << false << false;
    QTest::newRow("trailing space") << "abcd "
                                    << "abcd " << false << false;
    QTest::newRow("only spaces") << "     "
                                 << "     " << false << false;
    QTest::newRow("four characters") << "abcd"
                                     << "abcd" << true << true;
    QTest::newRow("inner space") << "ab cd"
                                 << "ab cd" << true << true;
    QTest::newRow("mismatch") << "abcd"
                              << "abce" << true << false;
    QTest::newRow("case differs") << "abcd"
                                  << "ABCD" << true << false;
    QTest::newRow("confirm empty") << "abcdef"
                                   << "" << true << false;
}

void tst_login::newPasswordRule() {
    QFETCH(QString, password);
    QFETCH(QString, confirm);
    QFETCH(bool, passwordValid);
    QFETCH(bool, enabled);
    frmSetNewPass set;
    QTest::keyClicks(set.txtPassword, password);
    QTest::keyClicks(set.txtPasswordConfirm, confirm);
    QCOMPARE(set.btnDone->isEnabled(), enabled);
    QCOMPARE(hasInvalidMark(set.findChild<QLabel *>(QStringLiteral("lblPassword"))), !passwordValid);
    QCOMPARE(hasInvalidMark(set.findChild<QLabel *>(QStringLiteral("lblPasswordConfirm"))), !enabled);
}

void tst_login::cancelSettingPasswordLeavesNobodyLoggedIn() {
    frmAuth auth;
    QVERIFY(auth.load());
    auth.show();
    m_dialogs->expectMessage(QStringLiteral("Első bejelentkezéskor meg kell változtatnia a jelszavát."),
                             Icon::Information);
    login(auth, QStringLiteral("igazgato"), QString());
    QPointer<frmSetNewPass> set = auth.setNewPassWindow();
    QTest::mouseClick(set->findChild<QPushButton *>(QStringLiteral("btnCancel")), Qt::LeftButton);
    QTRY_VERIFY(!set);
    QVERIFY(auth.isVisible());
    QVERIFY(!auth.menuWindow());
    QVERIFY(!AppData::current().login.loggedIn);
    QVERIFY(m_db->db()
                .run(QStringLiteral("chkPass"), {QStringLiteral("igazgato")})
                .field(QStringLiteral("usr_paswd"))
                .isNull());
    QCOMPARE(m_exitRequests, 0);
}

void tst_login::firstPasswordWindowActsOnItsOwnUser() {
    const qint64 anna = m_db->addUser(QStringLiteral("anna"), QStringLiteral("Kiss Anna"), false,
                                      PasswordHash::hash(QStringLiteral("titok")));
    const qint64 bela = m_db->addUser(QStringLiteral("bela"), QStringLiteral("Nagy Béla"), true);
    frmAuth auth;
    QVERIFY(auth.load());
    auth.show();
    const QString first = QStringLiteral("Első bejelentkezéskor meg kell változtatnia a jelszavát.");
    m_dialogs->expectMessage(first, Icon::Information);
    login(auth, QStringLiteral("bela"), QStringLiteral("újjelszó"));
    QPointer<frmSetNewPass> set = auth.setNewPassWindow();
    // Another attempt ends the window of the earlier one.
    m_dialogs->expectMessage(QStringLiteral("Hibás jelszó!"), Icon::Exclamation);
    login(auth, QStringLiteral("anna"), QStringLiteral("rossz"));
    QTRY_VERIFY(!set);
    // A window whose login state changed under it still acts on the user it was opened for.
    m_dialogs->expectMessage(first, Icon::Information);
    login(auth, QStringLiteral("bela"), QStringLiteral("újjelszó"));
    set = auth.setNewPassWindow();
    m_db->loginAs(anna);
    set->txtPasswordConfirm->setText(QStringLiteral("újjelszó"));
    QTest::mouseClick(set->btnDone, Qt::LeftButton);
    auto stored = [this](qint64 id) {
        return m_db->scalar(QStringLiteral("SELECT usr_paswd FROM USERS WHERE usr_id=?"), {id}).toString();
    };
    QVERIFY(PasswordHash::verify(stored(bela), QStringLiteral("újjelszó")));
    QVERIFY(PasswordHash::verify(stored(anna), QStringLiteral("titok")));
    QCOMPARE(m_db->scalar(QStringLiteral("SELECT log_usr_id FROM LOG WHERE log_megj='Jelszo letrehozasa'"))
                 .toLongLong(),
             bela);
    QCOMPARE(auth.menuWindow()->windowTitle().section(QStringLiteral(" - "), 0, 1),
             QStringLiteral("Lorvanto - Nagy Béla"));
}

void tst_login::igazgatoNeverDoubled_data() {
    QTest::addColumn<bool>("otherProgramSeeds");
    QTest::newRow("igazgato without administrator rights") << false;
    QTest::newRow("another program seeding at the same moment") << true;
}

void tst_login::igazgatoNeverDoubled() {
    QFETCH(bool, otherProgramSeeds);
    std::thread other;
    if (otherProgramSeeds) {
        // The other program has added "igazgato" but not committed yet when this one looks (opening the
        // file under its key takes a moment, hence the long wait before the commit).
        std::promise<void> added;
        other = std::thread([path = m_db->path(), &added] {
            Connection c;
            c.open(path, databaseKey());
            c.begin();
            c.exec(QStringLiteral("INSERT INTO USERS (usr_nev, usr_login, usr_beosztas, usr_admin_rights) "
                                  "VALUES ('Igazgató', 'igazgato', 'Igazgató', 1)"));
            added.set_value();
            std::this_thread::sleep_for(std::chrono::seconds(3));
            c.commit();
        });
        added.get_future().wait();
    } else {
        m_db->addUser(QStringLiteral("Igazgato"), QStringLiteral("Régi Igazgató"), false,
                      PasswordHash::hash(QStringLiteral("titok")));
    }
    frmAuth auth;
    const bool loaded = auth.load();
    if (other.joinable())
        other.join();
    QVERIFY(loaded);
    const Recordset rows = m_db->db().connection().query(
        QStringLiteral("SELECT * FROM USERS WHERE usr_login='igazgato' COLLATE HU_NOCASE"));
    QCOMPARE(rows.count(), 1);
    QCOMPARE(rows.field(QStringLiteral("usr_admin_rights")).toBool(), otherProgramSeeds);
    QCOMPARE(auth.cmbUsers->count(), 1);
    if (!otherProgramSeeds)
        QVERIFY(PasswordHash::verify(rows.field(QStringLiteral("usr_paswd")).toString(),
                                     QStringLiteral("titok")));
}

void tst_login::failedAttempts_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("loggedName");
    QTest::newRow("unknown user") << "senki"
                                  << "titok"
                                  << "Nincs ilyen felhasználó!"
                                  << "senki";
    QTest::newRow("wrong password") << "anna"
                                    << "rossz"
                                    << "Hibás jelszó!"
                                    << "anna";
    QTest::newRow("password case counts") << "anna"
                                          << "TITOK"
                                          << "Hibás jelszó!"
                                          << "anna";
    QTest::newRow("password spaces count") << "anna"
                                           << "titok "
                                           << "Hibás jelszó!"
                                           << "anna";
    QTest::newRow("long unknown name") << "ismeretlenfelhasznalo"
                                       << "x"
                                       << "Nincs ilyen felhasználó!"
                                       << "ismeretlen";
}

void tst_login::failedAttempts() {
    QFETCH(QString, name);
    QFETCH(QString, password);
    QFETCH(QString, message);
    QFETCH(QString, loggedName);
    m_db->addUser(QStringLiteral("anna"), QStringLiteral("Kiss Anna"), false,
                  PasswordHash::hash(QStringLiteral("titok")));
    frmAuth auth;
    QVERIFY(auth.load());
    auth.show();
    QVERIFY(QTest::qWaitForWindowExposed(&auth));
    m_dialogs->expectMessage(message, Icon::Exclamation);
    login(auth, name, password);
    QCOMPARE(auth.txtPassword->text(), QString());
    QTRY_VERIFY(auth.txtPassword->hasFocus());
    QVERIFY(!auth.menuWindow());
    const Recordset log = m_db->db().run(QStringLiteral("getAllLog"));
    QCOMPARE(log.count(), 1);
    QCOMPARE(log.field(QStringLiteral("log_usr_id")).toInt(), -1);
    QCOMPARE(log.field(QStringLiteral("log_usr_login")).toString(), loggedName);
    QCOMPARE(log.field(QStringLiteral("log_tabla")).toString(), QString());
    QCOMPARE(log.field(QStringLiteral("log_megj")).toString(), QStringLiteral("Bejelentkezesi probalkozas"));
    // Attempts are not limited: the next good one gets in.
    login(auth, QStringLiteral("anna"), QStringLiteral("titok"));
    QVERIFY(auth.menuWindow());
}

void tst_login::goodPasswordLogsIn() {
    const qint64 anna = m_db->addUser(QStringLiteral("anna"), QStringLiteral("Kiss Anna"), false,
                                      PasswordHash::hash(QStringLiteral("titok")));
    frmAuth auth;
    QVERIFY(auth.load());
    auth.show();
    login(auth, QStringLiteral("ANNA"), QStringLiteral("titok"));
    QVERIFY(!auth.isVisible());
    QVERIFY(auth.menuWindow()->isVisible());
    QCOMPARE(auth.menuWindow()->windowTitle().section(QStringLiteral(" - "), 0, 1),
             QStringLiteral("Lorvanto - Kiss Anna"));
    QVERIFY(!auth.IsAdmin());
    QCOMPARE(auth.txtPassword->text(), QString());
    const Recordset log = m_db->db().run(QStringLiteral("getAllLog"));
    QCOMPARE(log.count(), 1);
    QCOMPARE(log.field(QStringLiteral("log_megj")).toString(), QStringLiteral("login"));
    QCOMPARE(log.field(QStringLiteral("log_usr_id")).toLongLong(), anna);
    QCOMPARE(log.field(QStringLiteral("log_usr_login")).toString(), QStringLiteral("anna"));
    QCOMPARE(log.field(QStringLiteral("log_tabla")).toString(), QString());
    QCOMPARE(log.field(QStringLiteral("log_rekord_id")).toInt(), 0);
}

void tst_login::longNameNotCut() {
    m_db->addUser(QStringLiteral("abcdefghij"), QStringLiteral("Tíz Betű"), false,
                  PasswordHash::hash(QStringLiteral("jelszo")));
    frmAuth auth;
    QVERIFY(auth.load());
    m_dialogs->expectMessage(QStringLiteral("Nincs ilyen felhasználó!"), Icon::Exclamation);
    login(auth, QStringLiteral("abcdefghijklm"), QStringLiteral("jelszo"));
    QVERIFY(!auth.menuWindow());
}

void tst_login::plainTextPasswordIsHashedAtLogin() {
    m_db->addUser(QStringLiteral("regi"), QStringLiteral("Régi Felhasználó"), true,
                  QStringLiteral("Régi Jelszó"));
    frmAuth auth;
    QVERIFY(auth.load());
    m_dialogs->expectMessage(QStringLiteral("Hibás jelszó!"), Icon::Exclamation);
    login(auth, QStringLiteral("regi"), QStringLiteral("régi jelszó"));
    QCOMPARE(m_db->scalar(QStringLiteral("SELECT usr_paswd FROM USERS WHERE usr_login='regi'")).toString(),
             QStringLiteral("Régi Jelszó"));
    login(auth, QStringLiteral("regi"), QStringLiteral("Régi Jelszó"));
    QVERIFY(auth.menuWindow());
    const QString stored =
        m_db->scalar(QStringLiteral("SELECT usr_paswd FROM USERS WHERE usr_login='regi'")).toString();
    QVERIFY(PasswordHash::isHash(stored));
    QVERIFY(PasswordHash::verify(stored, QStringLiteral("Régi Jelszó")));
}

void tst_login::reminder_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QVariant>("reminder");
    QTest::addColumn<QString>("message");
    const QString none = QStringLiteral("Ön nem állított be jelszóemlékeztetőt. Forduljon az igazgatóhoz!");
    QTest::newRow("reminder set") << "  anna " << QVariant(QStringLiteral("a macskám neve"))
                                  << "a macskám neve";
    QTest::newRow("reminder empty") << "anna" << QVariant(QString()) << none;
    QTest::newRow("reminder null") << "anna" << QVariant() << none;
    QTest::newRow("unknown name") << "senki" << QVariant(QStringLiteral("x")) << none;
}

void tst_login::reminder() {
    QFETCH(QString, typed);
    QFETCH(QVariant, reminder);
    QFETCH(QString, message);
    const qint64 anna = m_db->addUser(QStringLiteral("anna"), QStringLiteral("Kiss Anna"), true,
                                      PasswordHash::hash(QStringLiteral("titok")));
    m_db->db().connection().query(QStringLiteral("UPDATE USERS SET usr_emlekezteto=? WHERE usr_id=?"),
                                  {reminder, anna});
    frmAuth auth;
    QVERIFY(auth.load());
    auth.show();
    auth.cmbUsers->setEditText(typed);
    m_dialogs->expectMessage(message, Icon::Information);
    QTest::mouseClick(auth.findChild<LinkLabel *>(QStringLiteral("Label3")), Qt::LeftButton);
    for (const auto &shown : m_dialogs->shown())
        QVERIFY(!shown.text.contains(QStringLiteral("titok")));
}

void tst_login::closingLoginWindowEndsProgram_data() {
    QTest::addColumn<bool>("byButton");
    QTest::newRow("close box") << false;
    QTest::newRow("Kilépés") << true;
}

void tst_login::closingLoginWindowEndsProgram() {
    QFETCH(bool, byButton);
    frmAuth auth;
    QVERIFY(auth.load());
    auth.show();
    if (byButton) {
        auto *exit = auth.findChild<QPushButton *>(QStringLiteral("cmdExit"));
        QCOMPARE(exit->text(), QStringLiteral("&Kilépés"));
        QTest::mouseClick(exit, Qt::LeftButton);
    } else {
        auth.close();
    }
    QCOMPARE(m_exitRequests, 1);
    QVERIFY(!auth.isVisible());
}

void tst_login::logoutReturnsToLoginAndAnotherUserGetsHisMenus() {
    m_db->addUser(QStringLiteral("igazgato"), QStringLiteral("Igazgató Úr"), true,
                  PasswordHash::hash(QStringLiteral("admin")));
    m_db->addUser(QStringLiteral("anna"), QStringLiteral("Kiss Anna"), false,
                  PasswordHash::hash(QStringLiteral("titok")));
    frmAuth auth;
    QVERIFY(auth.load());
    auth.show();
    login(auth, QStringLiteral("igazgato"), QStringLiteral("admin"));
    QPointer<frmMenu> menu = auth.menuWindow();
    QVERIFY(menu->mnuAdmin->menuAction()->isVisible());
    menu->mnuLogout->trigger();
    QTRY_VERIFY(!menu);
    QVERIFY(auth.isVisible());
    QCOMPARE(m_exitRequests, 0);
    QCOMPARE(m_db->scalar(QStringLiteral("SELECT log_megj FROM LOG ORDER BY log_id DESC LIMIT 1")).toString(),
             QStringLiteral("logout"));

    login(auth, QStringLiteral("anna"), QStringLiteral("titok"));
    menu = auth.menuWindow();
    QCOMPARE(menu->windowTitle().section(QStringLiteral(" - "), 0, 1),
             QStringLiteral("Lorvanto - Kiss Anna"));
    QVERIFY(!menu->mnuAdmin->menuAction()->isVisible());
    QVERIFY(!menu->mnuSeasons->isVisible());
    QVERIFY(!auth.IsAdmin());
    // Closing the main window otherwise than by logout ends the program.
    menu->close();
    QCOMPARE(m_exitRequests, 1);
}

void tst_login::missingDatabase_data() {
    // Files in the test folder, which also holds a sound database beside the program.
    QTest::addColumn<QString>("commandLine");
    QTest::addColumn<QString>("userSettings");
    QTest::addColumn<QString>("systemSettings");
    QTest::addColumn<QString>("named");
    QTest::newRow("command line") << "nincs.dll"
                                  << ""
                                  << "msvcrx.dll"
                                  << "nincs.dll";
    QTest::newRow("folder in the system settings") << ""
                                                   << ""
                                                   << "mappa"
                                                   << "mappa";
    QTest::newRow("user settings over a good system path") << ""
                                                           << "nincs.dll"
                                                           << "msvcrx.dll"
                                                           << "nincs.dll";
}

void tst_login::missingDatabase() {
    QFETCH(QString, commandLine);
    QFETCH(QString, userSettings);
    QFETCH(QString, systemSettings);
    QFETCH(QString, named);
    const QDir dir(m_db->dir());
    QVERIFY(dir.mkdir(QStringLiteral("mappa")));
    const auto inDir = [&](const QString &file) { return file.isEmpty() ? file : dir.filePath(file); };
    AppData &app = m_db->app();
    app.databaseOverride = inDir(commandLine);
    app.databaseSettings.user = inDir(userSettings);
    app.databaseSettings.system = inDir(systemSettings);
    frmAuth auth;
    m_dialogs->expectMessage(QStringLiteral("Az adatbázis nem található!\n\n%1")
                                 .arg(QDir::toNativeSeparators(dir.filePath(named))),
                             Icon::Critical);
    QVERIFY(!auth.load());
    QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("nincs.dll"))));
}

void tst_login::unreadableSettingsReportedAndIgnored() {
    // Installed: nothing beside the program; the system-wide settings name the school's database.
    QTemporaryDir programDir;
    AppData &app = m_db->app();
    app.programDir = programDir.path();
    const QString problem =
        QStringLiteral("A beállítófájl nem olvasható, a program nem veszi figyelembe:\n/x");
    app.databaseSettings.problems = {problem};
    app.databaseSettings.system = m_db->path();
    frmAuth auth;
    m_dialogs->expectMessage(problem, Icon::Exclamation);
    QVERIFY(auth.load());
    QCOMPARE(auth.findChild<QComboBox *>(QStringLiteral("cmbUsers"))->itemText(0),
             QStringLiteral("igazgato"));
}

void tst_login::foreignDatabase() {
    const QString path = m_db->dir() + QStringLiteral("/szoveg.dll");
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("Ez csak egy szövegfájl, nem adatbázis. Ez csak egy szövegfájl, nem adatbázis.\n");
    f.close();
    m_db->app().databaseOverride = path;
    frmAuth auth;
    m_dialogs->expectMessage(
        QStringLiteral("Az adatbázis nem nyitható meg.\n\n%1\n\nA fájl nem Lorvanto adatbázis*")
            .arg(QDir::toNativeSeparators(path)),
        Icon::Critical);
    QVERIFY(!auth.load());
    QFile check(path);
    QVERIFY(check.open(QIODevice::ReadOnly));
    QVERIFY(check.readAll().startsWith("Ez csak egy szövegfájl"));
}

LORVANTO_TEST_BOTH_ENGINES_GUI(tst_login)
#include "tst_login.moc"
