// The main window: menus by role and export state, start-up panels, background, logout/exit, whole-database
// copy and restore, help.
#include "ScriptedDialogService.h"
#include "TestDatabase.h"
#include "data/DatabaseCopy.h"
#include "data/DatabaseKey.h"
#include "data/PasswordHash.h"
#include "data/Schema.h"
#include "rating/EditorContext.h"
#include "shell/ProgramExit.h"
#include "shell/ProgramLook.h"
#include "shell/StartupPanel.h"
#include "shell/frmAbout.h"
#include "shell/frmAuth.h"
#include "shell/frmMenu.h"
#include "ui/EditorLink.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QUrl>

using Icon = DialogService::Icon;

class tst_mainwindow : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void menusByRoleAndExportState_data();
    void menusByRoleAndExportState();
    void startupPanelRule_data();
    void startupPanelRule();
    void startupCheckBoxStoresChoice();
    void backgroundChosenKeptAndRemoved();
    void backgroundKeptPerUserAcrossLogins();
    void badBackgroundIsIgnored();
    void askToSaveCancelKeepsWindow_data();
    void askToSaveCancelKeepsWindow();
    void refusedCloseKeepsWindow_data();
    void refusedCloseKeepsWindow();
    void exportFullDatabaseIsReadableCopy();
    void exportRefusesLiveDatabase();
    void restoreRefusesWrongFile();
    void restoreNeedsBackupFirst();
    void backupRefusesFileToRestore();
    void restoreReplacesDatabaseAndEnds();
    void helpAndAbout();
    void windowsCarryProgramLook();

private:
    std::unique_ptr<frmMenu> openMenu(qint64 usrId);
    QString writePicture(const QString &name, const QColor &color);
    QString writeFile(const QString &name, const QByteArray &bytes);
    std::unique_ptr<TestDatabase> m_db;
    std::unique_ptr<ScriptedDialogService> m_dialogs;
    std::unique_ptr<EditorContext> m_editors;
    int m_exitRequests = 0;
    qint64 m_admin = 0;
    qint64 m_teacher = 0;
};

void tst_mainwindow::init() {
    m_exitRequests = 0;
    ProgramExit::setHandler([this] { ++m_exitRequests; });
    m_db = std::make_unique<TestDatabase>();
    m_dialogs = std::make_unique<ScriptedDialogService>();
    m_editors = std::make_unique<EditorContext>();
    m_admin = m_db->addUser(QStringLiteral("igazgato"), QStringLiteral("Igazgató Úr"), true,
                            PasswordHash::hash(QStringLiteral("admin")));
    m_teacher = m_db->addUser(QStringLiteral("anna"), QStringLiteral("Kiss Anna"), false,
                              PasswordHash::hash(QStringLiteral("titok")));
    m_db->db().connection().exec(QStringLiteral("UPDATE USERS SET usr_startup=0"));
}

void tst_mainwindow::cleanup() {
    m_dialogs->verifyDone();
    m_dialogs.reset();
    EditorLink::setAskToSave(nullptr);
    m_db.reset();
    ProgramExit::setHandler(nullptr);
}

std::unique_ptr<frmMenu> tst_mainwindow::openMenu(qint64 usrId) {
    m_db->loginAs(usrId);
    auto menu = std::make_unique<frmMenu>(*m_editors);
    menu->setAttribute(Qt::WA_DeleteOnClose, false);
    menu->load();
    menu->show();
    return menu;
}

QString tst_mainwindow::writePicture(const QString &name, const QColor &color) {
    QImage img(40, 30, QImage::Format_RGB32);
    img.fill(color);
    const QString path = m_db->dir() + QLatin1Char('/') + name;
    img.save(path);
    return path;
}

QString tst_mainwindow::writeFile(const QString &name, const QByteArray &bytes) {
    const QString path = m_db->dir() + QLatin1Char('/') + name;
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        QTest::qFail("cannot write a test file", __FILE__, __LINE__);
    f.write(bytes);
    return path;
}

void tst_mainwindow::menusByRoleAndExportState_data() {
    QTest::addColumn<bool>("admin");
    QTest::addColumn<int>("exportState");
    QTest::newRow("administrator, master") << true << 0;
    QTest::newRow("teacher, master") << false << 0;
    QTest::newRow("administrator, checkout copy") << true << 1;
    QTest::newRow("teacher, checkout copy") << false << 1;
    QTest::newRow("teacher, return copy") << false << 2;
}

void tst_mainwindow::menusByRoleAndExportState() {
    QFETCH(bool, admin);
    QFETCH(int, exportState);
    m_db->db().run(QStringLiteral("setDBState"), {exportState});
    auto menu = openMenu(admin ? m_admin : m_teacher);
    const QString user =
        admin ? QStringLiteral("Lorvanto - Igazgató Úr") : QStringLiteral("Lorvanto - Kiss Anna");
    if (TestDatabase::onServer()) // the server's database is named too
        QVERIFY(menu->windowTitle().startsWith(user) &&
                menu->windowTitle().contains(QUrl(m_db->path()).path().mid(1)));
    else
        QCOMPARE(menu->windowTitle(), user);
    QCOMPARE(menu->mnuManage->menuAction()->isVisible(), exportState != 1);
    // The class-level import is never usable in a checkout copy, its window present or not.
    menu->mnuImportRating->setEnabled(true);
    menu->load();
    QCOMPARE(menu->mnuImportRating->isEnabled(), exportState != 1);
    QCOMPARE(menu->mnuSeasons->isVisible(), admin);
    QCOMPARE(menu->mnuS5->isVisible(), admin);
    QCOMPARE(menu->mnuAdmin->menuAction()->isVisible(), admin);
    QCOMPARE(menu->mnuImportFullDB->isEnabled(), admin);
    QCOMPARE(menu->mnuExportFullDB->isEnabled(), admin);
    QVERIFY(menu->mnuLogout->isEnabled());
    QCOMPARE(menu->parameters().count(), 1);
    QCOMPARE(menu->fileFilter(), QStringLiteral("Lorvanto fájlok (*.mb)"));
    // Names, captions and nesting of a few items.
    QCOMPARE(menu->findChild<QAction *>(QStringLiteral("mnuRate"))->text(), QStringLiteral("Érté&kelés..."));
    QCOMPARE(menu->mnuImportFullDB->parent(), menu->mnuImport);
    QCOMPARE(menu->cmdLog->text(), QStringLiteral("&Módosítási jegyzék..."));
}

void tst_mainwindow::startupPanelRule_data() {
    QTest::addColumn<bool>("admin");
    QTest::addColumn<int>("startup");
    QTest::addColumn<QString>("panel");
    QTest::addColumn<QString>("steps"); // each step button with the menu item it opens
    QTest::newRow("administrator, panel on")
        << true << 1 << "frmStartUp"
        << "cmdIskolaAdatai:mnuSchool cmdErtIdoszak:mnuSeasons cmdUser:mnuUserGroups cmdOsztaly:mnuClasses "
           "frmTantargy:mnuSubjects";
    QTest::newRow("teacher, panel on") << false << 1 << "frmStartupUser"
                                       << "cmdOsztaly:mnuClasses cmdErtekeles:mnuRate";
    QTest::newRow("teacher, panel off") << false << 0 << ""
                                        << "";
}

void tst_mainwindow::startupPanelRule() {
    QFETCH(bool, admin);
    QFETCH(int, startup);
    QFETCH(QString, panel);
    QFETCH(QString, steps);
    const qint64 user = admin ? m_admin : m_teacher;
    m_db->db().run(QStringLiteral("setParameter"), {startup, user});
    auto menu = openMenu(user);
    if (panel.isEmpty()) {
        QVERIFY(!menu->startupPanel());
        menu->mnuStartup->trigger(); // still reachable from the menu
        QVERIFY(menu->startupPanel());
        QCOMPARE(menu->startupPanel()->objectName(),
                 admin ? QStringLiteral("frmStartUp") : QStringLiteral("frmStartupUser"));
        QVERIFY(!menu->startupPanel()->findChild<QCheckBox *>(QStringLiteral("chbStartup"))->isChecked());
        return;
    }
    QVERIFY(menu->startupPanel());
    QCOMPARE(menu->startupPanel()->objectName(), panel);
    QCOMPARE(menu->startupPanel()->windowTitle(), QStringLiteral("Indulás..."));
    QVERIFY(menu->startupPanel()->isVisible());
    QVERIFY(menu->startupPanel()->findChild<QCheckBox *>(QStringLiteral("chbStartup"))->isChecked());
    const QString text =
        menu->startupPanel()->findChild<QWidget *>(QStringLiteral("Text1"))->property("plainText").toString();
    QVERIFY(text.startsWith(admin ? QStringLiteral("Igazgatói (adminisztrátori) bejelentkező szöveg")
                                  : QStringLiteral("Tisztelt Felhasználó!")));
    // A step is captioned as the menu item it opens, without the "&" and the "...".
    for (const QString &step : steps.split(QLatin1Char(' '))) {
        QString item = menu->findChild<QAction *>(step.section(QLatin1Char(':'), 1))->text().remove('&');
        item.chop(3);
        auto *button = menu->startupPanel()->findChild<QPushButton *>(step.section(QLatin1Char(':'), 0, 0));
        QCOMPARE(button->text().section(QStringLiteral(". "), 1), item);
    }
    // Logout closes the panel.
    QPointer<QDialog> shown = menu->startupPanel();
    menu->mnuLogout->trigger();
    QTRY_VERIFY(!shown);
}

void tst_mainwindow::startupCheckBoxStoresChoice() {
    m_db->db().run(QStringLiteral("setParameter"), {1, m_teacher});
    auto menu = openMenu(m_teacher);
    auto *panel = menu->startupPanel();
    auto *box = panel->findChild<QCheckBox *>(QStringLiteral("chbStartup"));
    QTest::mouseClick(box, Qt::LeftButton);
    QCOMPARE(
        m_db->scalar(QStringLiteral("SELECT usr_startup FROM USERS WHERE usr_id=?"), {m_teacher}).toInt(), 0);
    QVERIFY(panel->isVisible());
    QTest::mouseClick(box, Qt::LeftButton);
    QCOMPARE(
        m_db->scalar(QStringLiteral("SELECT usr_startup FROM USERS WHERE usr_id=?"), {m_teacher}).toInt(), 1);
    QCOMPARE(panel->findChild<QPushButton *>(QStringLiteral("cmdErtekeles"))->text(),
             QStringLiteral("2. Értékelés"));
    QTest::mouseClick(panel->findChild<QPushButton *>(QStringLiteral("btnHide")), Qt::LeftButton);
    QTRY_VERIFY(!menu->startupPanel());
}

void tst_mainwindow::backgroundChosenKeptAndRemoved() {
    auto menu = openMenu(m_teacher);
    QCOMPARE(menu->backgroundPath(), QString());
    // Cancelled with no picture shown: nothing is asked.
    m_dialogs->expectOpenFile(QString());
    menu->mnuBG->trigger();
    const QString picture = writePicture(QStringLiteral("hatter.bmp"), Qt::darkGreen);
    m_dialogs->expectOpenFile(picture);
    menu->mnuBG->trigger();
    QCOMPARE(menu->backgroundPath(), picture);
    QCOMPARE(m_db->scalar(QStringLiteral("SELECT usr_bg FROM USERS WHERE usr_id=?"), {m_teacher}).toString(),
             picture);
    QCOMPARE(menu->fileFilter(), QStringLiteral("Lorvanto fájlok (*.mb)"));
    // Cancelled while shown: No keeps it, Yes removes it.
    const QString question = QStringLiteral("Szeretné a hátteret eltávolítani (egyszínű háttere lesz)?");
    m_dialogs->expectOpenFile(QString());
    m_dialogs->expectMessage(question, Icon::Question, QMessageBox::No);
    menu->mnuBG->trigger();
    QCOMPARE(menu->backgroundPath(), picture);
    QCOMPARE(m_dialogs->shown().last().defaultButton, QMessageBox::No);
    m_dialogs->expectOpenFile(QString());
    m_dialogs->expectMessage(question, Icon::Question, QMessageBox::Yes);
    menu->mnuBG->trigger();
    QCOMPARE(menu->backgroundPath(), QString());
    QCOMPARE(m_db->scalar(QStringLiteral("SELECT usr_bg FROM USERS WHERE usr_id=?"), {m_teacher}).toString(),
             QString());
}

void tst_mainwindow::backgroundKeptPerUserAcrossLogins() {
    const QString red = writePicture(QStringLiteral("piros.jpg"), Qt::red);
    const QString blue = writePicture(QStringLiteral("kek.bmp"), Qt::blue);
    m_db->db().run(QStringLiteral("saveBG"), {red, m_admin});
    m_db->db().run(QStringLiteral("saveBG"), {blue, m_teacher});
    frmAuth auth;
    QVERIFY(auth.load());
    auth.show();
    auto login = [&](const QString &name, const QString &password) {
        auth.cmbUsers->setEditText(name);
        auth.txtPassword->setText(password);
        QTest::mouseClick(auth.btnLogin, Qt::LeftButton);
        return auth.menuWindow();
    };
    QPointer<frmMenu> menu = login(QStringLiteral("igazgato"), QStringLiteral("admin"));
    QCOMPARE(menu->backgroundPath(), red);
    menu->mnuLogout->trigger();
    QTRY_VERIFY(!menu);
    menu = login(QStringLiteral("anna"), QStringLiteral("titok"));
    QCOMPARE(menu->backgroundPath(), blue);
    QCOMPARE(menu->windowTitle().section(QStringLiteral(" - "), 0, 1),
             QStringLiteral("Lorvanto - Kiss Anna"));
    QVERIFY(!menu->mnuAdmin->menuAction()->isVisible());
}

void tst_mainwindow::badBackgroundIsIgnored() {
    const QString broken = writeFile(QStringLiteral("rossz.jpg"), "nem kép");
    m_db->db().run(QStringLiteral("saveBG"), {m_db->dir() + QStringLiteral("/eltunt.jpg"), m_teacher});
    auto menu = openMenu(m_teacher);
    QCOMPARE(menu->backgroundPath(), QString());
    m_dialogs->expectOpenFile(broken);
    menu->mnuBG->trigger();
    QCOMPARE(menu->backgroundPath(), QString());
}

void tst_mainwindow::askToSaveCancelKeepsWindow_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("logout") << "logout";
    QTest::newRow("exit") << "exit";
    QTest::newRow("close box") << "close";
}

void tst_mainwindow::askToSaveCancelKeepsWindow() {
    QFETCH(QString, how);
    auto menu = openMenu(m_teacher);
    int asked = 0;
    bool allow = false;
    EditorLink::setAskToSave([&] {
        ++asked;
        return allow;
    });
    auto act = [&] {
        if (how == QLatin1String("logout"))
            menu->mnuLogout->trigger();
        else if (how == QLatin1String("exit"))
            menu->mnuExit->trigger();
        else
            menu->close();
    };
    act();
    QCOMPARE(asked, 1);
    QVERIFY(menu->isVisible());
    QCOMPARE(m_exitRequests, 0);
    QSignalSpy closed(menu.get(), &frmMenu::closedForGood);
    allow = true;
    act();
    QCOMPARE(asked, 2);
    QCOMPARE(closed.count(), 1);
    QCOMPARE(closed.first().first().toBool(), how == QLatin1String("logout"));
}

void tst_mainwindow::refusedCloseKeepsWindow_data() {
    QTest::addColumn<bool>("logout");
    QTest::newRow("logout") << true;
    QTest::newRow("exit") << false;
}

void tst_mainwindow::refusedCloseKeepsWindow() {
    QFETCH(bool, logout);
    // A window of the document area that will not close (its own question answered Cancel).
    struct Stubborn : QWidget {
        void closeEvent(QCloseEvent *event) override { event->ignore(); }
    };
    auto menu = openMenu(m_teacher);
    int asked = 0;
    EditorLink::setAskToSave([&] {
        ++asked;
        return true;
    });
    menu->mdiArea()->addSubWindow(new Stubborn)->show();
    QSignalSpy closed(menu.get(), &frmMenu::closedForGood);
    (logout ? menu->mnuLogout : menu->mnuExit)->trigger();
    QVERIFY(menu->isVisible());
    QCOMPARE(closed.count(), 0);
    // The next attempt asks the save question again.
    menu->close();
    QCOMPARE(asked, 2);
    QVERIFY(menu->isVisible());
}

void tst_mainwindow::exportFullDatabaseIsReadableCopy() {
    m_db->addPupil(QStringLiteral("Mentett"), QStringLiteral("Tanuló"));
    auto menu = openMenu(m_admin);
    const QString target = writeFile(QStringLiteral("mentes.mb"), "régi tartalom");
    // Another program is in the middle of a write: the copy holds only what was committed.
    auto other = m_db->secondProgram();
    Transaction pending(other->devDB.connection());
    other->devDB.run(QStringLiteral("createEmptyStudent"));
    m_dialogs->expectSaveFile(target);
    m_dialogs->expectMessage(QStringLiteral("Az adatbázis mentése elkészült:*"), Icon::Information);
    menu->mnuExportFullDB->trigger();
    DatabaseCopy::check(target);
    Connection copy;
    copy.open(target, databaseKey());
    const Recordset pupils = copy.query(QStringLiteral("SELECT tan_vnev FROM TANULO"));
    QCOMPARE(pupils.count(), 1);
    QCOMPARE(pupils.field(QStringLiteral("tan_vnev")).toString(), QStringLiteral("Mentett"));
    QVERIFY(!QFile::exists(target + QStringLiteral(".masolat")));
}

void tst_mainwindow::exportRefusesLiveDatabase() {
    SKIP_ON_SERVER("a server database is no file that a save could overwrite");
    auto menu = openMenu(m_admin);
    m_dialogs->expectSaveFile(m_db->path());
    m_dialogs->expectMessage(QStringLiteral("A fájl nem menthető ide, mert ez a program adatbázisa*"),
                             Icon::Exclamation);
    menu->mnuExportFullDB->trigger();
    QVERIFY(m_db->db().isOpen());
    QCOMPARE(m_db->db().run(QStringLiteral("getUsers")).count(), 2);
}

void tst_mainwindow::restoreRefusesWrongFile() {
    SKIP_ON_SERVER("the test damages a copy of the database file");
    auto menu = openMenu(m_admin);
    const QString wrong = writeFile(QStringLiteral("level.mb"), "mb42 ez egy mondatfájl, nem adatbázis");
    QFile db(m_db->path());
    QVERIFY(db.open(QIODevice::ReadOnly));
    const QByteArray before = db.readAll();
    db.close();
    m_dialogs->expectOpenFile(wrong);
    m_dialogs->expectMessage(
        QStringLiteral(
            "A kiválasztott fájl nem Lorvanto adatbázis, vagy megsérült, ezért nem állítható vissza.*"),
        Icon::Exclamation);
    menu->mnuImportFullDB->trigger();
    QVERIFY(db.open(QIODevice::ReadOnly));
    QCOMPARE(db.readAll(), before);
    QVERIFY(m_db->db().isOpen());
    QCOMPARE(m_exitRequests, 0);
}

void tst_mainwindow::restoreNeedsBackupFirst() {
    const QString source = m_db->dir() + QStringLiteral("/regi.mb");
    Schema::createDatabase(source);
    auto menu = openMenu(m_admin);
    m_dialogs->expectOpenFile(source);
    m_dialogs->expectMessage(QStringLiteral("Figyelem! Az 'Adatbázis importálása'*"), Icon::Exclamation,
                             QMessageBox::Yes);
    m_dialogs->expectSaveFile(QString()); // the backup is cancelled
    m_dialogs->expectMessage(QStringLiteral("Biztonsági másolat nélkül a visszaállítás nem folytatódik."),
                             Icon::Information);
    menu->mnuImportFullDB->trigger();
    QCOMPARE(m_dialogs->shown().at(0).defaultButton, QMessageBox::No);
    QCOMPARE(m_db->db().run(QStringLiteral("getUsers")).count(), 2);
    QCOMPARE(m_exitRequests, 0);
}

void tst_mainwindow::backupRefusesFileToRestore() {
    const QString source = m_db->dir() + QStringLiteral("/regi.mb");
    Schema::createDatabase(source);
    const QByteArray before = [&] {
        QFile f(source);
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }();
    auto menu = openMenu(m_admin);
    m_dialogs->expectOpenFile(source);
    m_dialogs->expectMessage(QStringLiteral("Figyelem! Az 'Adatbázis importálása'*"), Icon::Exclamation,
                             QMessageBox::Yes);
    m_dialogs->expectSaveFile(source);
    m_dialogs->expectMessage(QStringLiteral("A biztonsági másolat nem írhatja felül a visszaállítandó "
                                            "adatbázist. Válasszon másik fájlt!"),
                             Icon::Exclamation);
    m_dialogs->expectMessage(QStringLiteral("Biztonsági másolat nélkül a visszaállítás nem folytatódik."),
                             Icon::Information);
    menu->mnuImportFullDB->trigger();
    QFile f(source);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), before);
    QCOMPARE(m_exitRequests, 0);
}

void tst_mainwindow::restoreReplacesDatabaseAndEnds() {
    const QString source = m_db->dir() + QStringLiteral("/regi.mb");
    // A copy under another key this installation holds: restored, it takes the key of the database.
    m_db->app().givenKey = DatabaseKey::engineKey(DatabaseKey::generate());
    Schema::createDatabase(source, m_db->app().givenKey);
    {
        Connection c;
        c.open(source, m_db->app().givenKey);
        c.query(QStringLiteral("INSERT INTO TANULO (tan_vnev) VALUES ('Visszaállított')"));
    }
    const QString backup = m_db->dir() + QStringLiteral("/biztonsagi.mb");
    auto menu = openMenu(m_admin);
    m_dialogs->expectOpenFile(source);
    m_dialogs->expectMessage(QStringLiteral("Figyelem! Az 'Adatbázis importálása'*"), Icon::Exclamation,
                             QMessageBox::Yes);
    m_dialogs->expectSaveFile(backup);
    m_dialogs->expectMessage(QStringLiteral("Az adatbázis mentése elkészült:*"), Icon::Information);
    m_dialogs->expectMessage(
        QStringLiteral("A program most kilép, és visszaállítja a kiválasztott adatbázist.\n"
                       "A Mégse gombra kattintva még megszakíthatja a műveletet."),
        Icon::Information, QMessageBox::Ok);
    menu->mnuImportFullDB->trigger();
    QCOMPARE(m_exitRequests, 1);
    QVERIFY(!m_db->db().isOpen());
    Connection restored;
    restored.open(m_db->path(), databaseKey());
    QCOMPARE(
        restored.query(QStringLiteral("SELECT count(*) AS n FROM USERS")).field(QStringLiteral("n")).toInt(),
        0);
    QCOMPARE(restored.query(QStringLiteral("SELECT tan_vnev FROM TANULO"))
                 .field(QStringLiteral("tan_vnev"))
                 .toString(),
             QStringLiteral("Visszaállított"));
    Connection saved;
    m_db->app().openWithKeys(saved, backup);
    QCOMPARE(
        saved.query(QStringLiteral("SELECT count(*) AS n FROM USERS")).field(QStringLiteral("n")).toInt(), 2);
}

void tst_mainwindow::helpAndAbout() {
    auto menu = openMenu(m_teacher);
    m_db->app().helpFile = m_db->dir() + QStringLiteral("/lorvanto.html");
    m_dialogs->expectMessage(QStringLiteral("A súgó nem nyitható meg:*"), Icon::Exclamation);
    menu->mnuContents->trigger();
    writeFile(QStringLiteral("lorvanto.html"), "<html></html>");
    m_dialogs->expectOpenUrl(QUrl::fromLocalFile(m_db->app().helpFile));
    menu->mnuContents->trigger();
    m_dialogs->expectOpenUrl(QUrl(QStringLiteral("https://www.oktatas.hu/kozneveles/szoveges_ertekeles")));
    menu->mnuOM->trigger();
    m_dialogs->expectModal(QStringLiteral("frmAbout"), [this](QDialog *d) {
        [&] { QCOMPARE(d->windowTitle(), QStringLiteral("Névjegy...")); }();
        // It names the database open, a file or a server's.
        const QString shown = d->findChildren<QLabel *>().constLast()->text();
        [&] { QVERIFY(shown.contains(m_db->db().connection().description().toHtmlEscaped())); }();
        QTest::mouseClick(d->findChild<QPushButton *>(QStringLiteral("Command1")), Qt::LeftButton);
        return d->result();
    });
    menu->mnuAbout->trigger();
}

void tst_mainwindow::windowsCarryProgramLook() {
    ProgramLook::install(); // as the program does at start
    const QIcon program = QApplication::windowIcon();
    QVERIFY(!program.pixmap(32, 32).isNull());
    auto menu = openMenu(m_admin);
    menu->mnuRate->trigger();
    qint64 about = 0;
    m_dialogs->expectModal(QStringLiteral("frmAbout"), [&](QDialog *d) {
        about = d->windowIcon().cacheKey();
        return int(QDialog::Accepted);
    });
    menu->mnuAbout->trigger();
    QCOMPARE(menu->windowIcon().cacheKey(), program.cacheKey());
    QCOMPARE(menu->findChild<QMdiSubWindow *>()->windowIcon().cacheKey(), program.cacheKey());
    QCOMPARE(about, program.cacheKey());
    // The editor's buttons, long captions among them, leave their text an "M" of room on each side.
    for (QPushButton *b : menu->findChild<QMdiSubWindow *>()->findChildren<QPushButton *>()) {
        const QFontMetrics fm = b->fontMetrics();
        if (b->isVisible())
            QVERIFY2(b->width() - fm.horizontalAdvance(b->text().remove('&')) >=
                         2 * fm.horizontalAdvance('M'),
                     qPrintable(b->text()));
    }
}

LORVANTO_TEST_BOTH_ENGINES_GUI(tst_mainwindow)
#include "tst_mainwindow.moc"
