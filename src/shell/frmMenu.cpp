#include "shell/frmMenu.h"

#include "admin/frmClasses.h"
#include "admin/frmKidEdit.h"
#include "admin/frmManageUsers.h"
#include "admin/frmProfile.h"
#include "admin/frmSchool.h"
#include "admin/frmSeason.h"
#include "curriculum/SentenceBank.h"
#include "curriculum/SentenceFiles.h"
#include "curriculum/frmSubjects.h"
#include "data/AppData.h"
#include "data/DatabaseCopy.h"
#include "data/DbError.h"
#include "data/KeyChange.h"
#include "data/Maintenance.h"
#include "data/WriteTarget.h"
#include "data/modSub.h"
#include "exchange/ClassCheckout.h"
#include "exchange/clsExport.h"
#include "exchange/frmLocked.h"
#include "exchange/modExport.h"
#include "exchange/modImport.h"
#include "rating/EditorWidgets.h"
#include "rating/frmMain.h"
#include "shell/ProgramExit.h"
#include "shell/StartupPanel.h"
#include "shell/frmAbout.h"
#include "shell/frmAutoSave.h"
#include "shell/frmLog.h"
#include "ui/DialogService.h"
#include "ui/EditorLink.h"
#include "ui/Guard.h"
#include "ui/MainTitle.h"
#include "ui/WaitCursor.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QTimer>
#include <QUrl>

namespace {
const QString kLorvantoFilter = QStringLiteral("Lorvanto fájlok (*.mb)");
const QString kPictureFilter = QStringLiteral("Képek (*.jpg; *.bmp) (*.bmp *.jpg *.jpeg)");
const QString kDatabaseFilter = QStringLiteral("Lorvanto fájlok (*.mb);;Minden fájl (*)");
// The education authority's information page on textual evaluation.
const QString kAuthorityPage = QStringLiteral("https://www.oktatas.hu/kozneveles/szoveges_ertekeles");
} // namespace

frmMenu::frmMenu(EditorContext &editorContext, QWidget *parent)
    : QMainWindow(parent), m_editorContext(editorContext) {
    setObjectName(QStringLiteral("frmMenu"));
    setAttribute(Qt::WA_DeleteOnClose);
    m_mdi = new QMdiArea(this);
    m_mdi->setObjectName(QStringLiteral("mdiArea"));
    m_mdi->installEventFilter(this);
    setCentralWidget(m_mdi);
    m_filter = kLorvantoFilter;
    buildMenus();
    resize(1024, 720);
    // The sentence import of the menu adds to the bank as the sentence window does.
    SentenceFiles::installImport();
}

frmMenu::~frmMenu() = default;

QAction *frmMenu::item(QMenu *menu, const char *name, const QString &caption) {
    QAction *a = menu->addAction(caption);
    a->setObjectName(QString::fromLatin1(name));
    return a;
}

QAction *frmMenu::separator(QMenu *menu, const char *name) {
    QAction *a = menu->addSeparator();
    a->setObjectName(QString::fromLatin1(name));
    return a;
}

QMenu *frmMenu::submenu(QMenu *menu, const char *name, const QString &caption) {
    QMenu *m = menu ? menu->addMenu(caption) : menuBar()->addMenu(caption);
    m->setObjectName(QString::fromLatin1(name));
    m->menuAction()->setObjectName(QString::fromLatin1(name) + QStringLiteral("Action"));
    return m;
}

void frmMenu::buildMenus() {
    mnuFile = submenu(nullptr, "mnuFile", QStringLiteral("&Fájl"));
    mnuRate = item(mnuFile, "mnuRate", QStringLiteral("Érté&kelés..."));
    separator(mnuFile, "mnuS7");
    mnuImport = submenu(mnuFile, "mnuImport", QStringLiteral("&Importálás"));
    mnuImportText = item(mnuImport, "mnuImportText", QStringLiteral("Értékelés s&zövege..."));
    mnuImportRating = item(mnuImport, "mnuImportRating", QStringLiteral("&Osztály szintű értékelés..."));
    separator(mnuImport, "mnuS14");
    mnuImportSentences = item(mnuImport, "mnuImportSentences", QStringLiteral("&Globális mondatok..."));
    mnuImportFullDB = item(mnuImport, "mnuImportFullDB", QStringLiteral("&Teljes adatbázis..."));
    mnuExport = submenu(mnuFile, "mnuExport", QStringLiteral("E&xportálás"));
    mnuExportText = item(mnuExport, "mnuExportText", QStringLiteral("Értékelés s&zövege..."));
    separator(mnuExport, "mnuS13");
    mnuExportAllSentences =
        item(mnuExport, "mnuExportAllSentences", QStringLiteral("Az összes &mondatom..."));
    mnuExportFullDB = item(mnuExport, "mnuExportFullDB", QStringLiteral("&Teljes adatbázis..."));
    separator(mnuFile, "mnuS6");
    mnuLogout = item(mnuFile, "mnuLogout", QStringLiteral("Ki&jelentkezés"));
    mnuExit = item(mnuFile, "mnuExit", QStringLiteral("&Kilépés"));

    mnuManage = submenu(nullptr, "mnuManage", QStringLiteral("&Beállítások"));
    mnuAutoSave = item(mnuManage, "mnuAutoSave", QStringLiteral("&Automatikus mentés..."));
    mnuBG = item(mnuManage, "mnuBG", QStringLiteral("&Háttér..."));
    mnuS5 = separator(mnuManage, "mnuS5");
    mnuRS = submenu(mnuManage, "mnuRS", QStringLiteral("&Értékelés beállításai"));
    mnuSeasons = item(mnuRS, "mnuSeasons", QStringLiteral("Értékelési &időszakok..."));
    mnuClasses = item(mnuRS, "mnuClasses", QStringLiteral("&Osztályok..."));
    cmd_tanulok = item(mnuRS, "cmd_tanulok", QStringLiteral("&Tanulók..."));
    separator(mnuRS, "mnuS10");
    mnuSubjects = item(mnuRS, "mnuSubjects", QStringLiteral("Tantá&rgyak..."));
    mnuAdmin = submenu(mnuManage, "mnuAdmin", QStringLiteral("&Adminisztráció"));
    mnuUserGroups = item(mnuAdmin, "mnuUserGroups", QStringLiteral("&Felhasználók..."));
    mnuSchool = item(mnuAdmin, "mnuSchool", QStringLiteral("&Iskola adatai..."));
    separator(mnuAdmin, "mnuS12");
    mnuLocked = item(mnuAdmin, "mnuLocked", QStringLiteral("&Zárolt értékelések..."));
    separator(mnuAdmin, "mnuS9");
    cmdLog = item(mnuAdmin, "cmdLog", QStringLiteral("&Módosítási jegyzék..."));
    mnuHandle = item(mnuAdmin, "mnuHandle", QStringLiteral("Adatbázis &karbantartása..."));
    mnuEncrypt = item(mnuAdmin, "mnuEncrypt", QStringLiteral("Adatbázis titkosítása..."));
    separator(mnuManage, "mnuS3");
    mnuMyProfile = item(mnuManage, "mnuMyProfile", QStringLiteral("&Saját adataim..."));

    mnuHelp = submenu(nullptr, "mnuHelp", QStringLiteral("&Súgó"));
    mnuStartup = item(mnuHelp, "mnuStartup", QStringLiteral("&Induló képernyő..."));
    mnuContents = item(mnuHelp, "mnuContents", QStringLiteral("&Témakörök..."));
    separator(mnuHelp, "mS11");
    mnuOM = item(mnuHelp, "mnuOM", QStringLiteral("Szöveges értékelési információk"));
    mnuAbout = item(mnuHelp, "mnuAbout", QStringLiteral("&Névjegy..."));

    // The text of a rating goes out of and comes into the editor while it has an editable rating open; the
    // editor enables these.
    mnuImportText->setEnabled(false);
    mnuExportText->setEnabled(false);

    connectGuarded(mnuRate, &QAction::triggered, this, &frmMenu::mnuRate_Click);
    connectGuarded(mnuLogout, &QAction::triggered, this, &frmMenu::mnuLogout_Click);
    connectGuarded(mnuExit, &QAction::triggered, this, &frmMenu::mnuExit_Click);
    connectGuarded(mnuAutoSave, &QAction::triggered, this, &frmMenu::mnuAutoSave_Click);
    connectGuarded(mnuBG, &QAction::triggered, this, &frmMenu::mnuBG_Click);
    connectGuarded(mnuExportFullDB, &QAction::triggered, this, &frmMenu::mnuExportFullDB_Click);
    connectGuarded(mnuImportFullDB, &QAction::triggered, this, &frmMenu::mnuImportFullDB_Click);
    connectGuarded(mnuImportRating, &QAction::triggered, this, &frmMenu::mnuImportRating_Click);
    connectGuarded(mnuLocked, &QAction::triggered, this, &frmMenu::mnuLocked_Click);
    connectGuarded(mnuImportText, &QAction::triggered, this, &frmMenu::mnuImportText_Click);
    connectGuarded(mnuExportText, &QAction::triggered, this, &frmMenu::mnuExportText_Click);
    connectGuarded(mnuStartup, &QAction::triggered, this, &frmMenu::mnuStartup_Click);
    connectGuarded(mnuContents, &QAction::triggered, this, &frmMenu::mnuContents_Click);
    connectGuarded(mnuOM, &QAction::triggered, this, &frmMenu::mnuOM_Click);
    connectGuarded(mnuAbout, &QAction::triggered, this, &frmMenu::mnuAbout_Click);
    connectGuarded(mnuSubjects, &QAction::triggered, this, &frmMenu::mnuSubjects_Click);
    connectGuarded(mnuImportSentences, &QAction::triggered, this, &frmMenu::mnuImportSentences_Click);
    connectGuarded(mnuExportAllSentences, &QAction::triggered, this, &frmMenu::mnuExportAllSentences_Click);
    connectGuarded(mnuUserGroups, &QAction::triggered, this, &frmMenu::mnuUserGroups_Click);
    connectGuarded(mnuSchool, &QAction::triggered, this, &frmMenu::mnuSchool_Click);
    connectGuarded(cmdLog, &QAction::triggered, this, &frmMenu::cmdLog_Click);
    connectGuarded(mnuHandle, &QAction::triggered, this, &frmMenu::mnuHandle_Click);
    connectGuarded(mnuMyProfile, &QAction::triggered, this, &frmMenu::mnuMyProfile_Click);
    connectGuarded(mnuEncrypt, &QAction::triggered, this, &frmMenu::mnuEncrypt_Click);
    // The school-year windows: each opens modally and keeps no state between openings.
    auto modal = [this](QAction *action, auto makeWindow) {
        connect(action, &QAction::triggered, this, [this, makeWindow] {
            guarded(this, [this, makeWindow] {
                auto window = makeWindow(this);
                dialogs().runModal(window.get());
            });
        });
    };
    modal(mnuSeasons, [](QWidget *parent) { return std::make_unique<frmSeason>(parent); });
    modal(mnuClasses, [](QWidget *parent) { return std::make_unique<frmClasses>(parent); });
    modal(cmd_tanulok, [](QWidget *parent) { return std::make_unique<frmKidEdit>(parent); });
}

void frmMenu::load() {
    AppData &app = AppData::current();
    const Record &user = app.login.currentUser;
    const bool admin = app.login.isAdmin;
    if (modSub::GetExportState() == 1) {
        // A checkout copy holds one class handed out from a master: no administration here.
        mnuManage->menuAction()->setVisible(false);
        mnuImportRating->setEnabled(false);
    }
    m_filter = kLorvantoFilter;
    m_bgPath.clear();
    const QVariant bg = user.value(QStringLiteral("usr_bg"));
    if (!bg.isNull() && !bg.toString().isEmpty())
        showBackground(bg.toString()); // a picture that no longer loads is simply not shown
    mnuImportFullDB->setEnabled(admin);
    mnuExportFullDB->setEnabled(admin);
    setWindowTitle(mainTitle());
    if (!admin) {
        mnuS5->setVisible(false);
        mnuSeasons->setVisible(false);
        mnuAdmin->menuAction()->setVisible(false);
    }
    m_parameters = app.devDB.run(QStringLiteral("getParameter"));
    if (user.toInt(QStringLiteral("usr_startup")) != 0)
        mnuStartup_Click();
}

bool frmMenu::showBackground(const QString &path) {
    QPixmap picture;
    if (!picture.load(path))
        return false;
    m_bgPicture = picture;
    m_bgPath = path;
    scaleBackground();
    return true;
}

void frmMenu::removeBackground() {
    m_bgPicture = QPixmap();
    m_bgPath.clear();
    m_mdi->setBackground(palette().brush(QPalette::Dark));
}

void frmMenu::scaleBackground() {
    if (m_bgPicture.isNull())
        return;
    const QSize area = m_mdi->viewport()->size().expandedTo(QSize(1, 1));
    m_mdi->setBackground(
        QBrush(m_bgPicture.scaled(area, Qt::KeepAspectRatioByExpanding, Qt::SmoothTransformation)));
}

bool frmMenu::eventFilter(QObject *watched, QEvent *event) {
    if (watched == m_mdi && event->type() == QEvent::Resize)
        scaleBackground();
    return QMainWindow::eventFilter(watched, event);
}

void frmMenu::mnuBG_Click() {
    m_filter = kPictureFilter;
    const QString path =
        dialogs().openFile(this, QStringLiteral("Háttérkép kiválasztása"), QString(), m_filter);
    m_filter = kLorvantoFilter;
    AppData &app = AppData::current();
    if (!path.isEmpty()) {
        if (showBackground(path))
            app.devDB.run(QStringLiteral("saveBG"), {path, app.login.userId()});
        return;
    }
    if (m_bgPath.isEmpty())
        return;
    if (dialogs().ask(this, QStringLiteral("Szeretné a hátteret eltávolítani (egyszínű háttere lesz)?"),
                      QMessageBox::No)) {
        removeBackground();
        app.devDB.run(QStringLiteral("saveBG"), {QString(), app.login.userId()});
    }
}

void frmMenu::mnuAutoSave_Click() {
    // While the rating editor is open the autosave window loaded with it (and its timer) is the one to
    // change.
    if (frmAutoSave *loaded = frmAutoSave::instance()) {
        dialogs().runModal(loaded);
        return;
    }
    frmAutoSave window;
    window.tmrCheck->stop();
    dialogs().runModal(&window);
}

bool frmMenu::exportFullDatabase(const QString &caption, const QString &restoreFile) {
    const QString path = WriteTarget::withSuffix(
        dialogs().saveFile(this, caption, QString(), kLorvantoFilter), QStringLiteral("mb"));
    if (path.isEmpty())
        return false;
    if (const QString refused = WriteTarget::refusal(path); !refused.isEmpty()) {
        dialogs().warn(this, refused);
        return false;
    }
    const QFileInfo target(path);
    if (!restoreFile.isEmpty() && target.exists() &&
        target.canonicalFilePath() == QFileInfo(restoreFile).canonicalFilePath()) {
        dialogs().warn(this, QStringLiteral("A biztonsági másolat nem írhatja felül a visszaállítandó "
                                            "adatbázist. Válasszon másik fájlt!"));
        return false;
    }
    try {
        clsExport::ExportDB(path);
    } catch (const DbError &e) {
        dialogs().error(this, QStringLiteral("Az adatbázis mentése nem sikerült.\n\n%1").arg(e.message()));
        return false;
    }
    dialogs().inform(this, QStringLiteral("Az adatbázis mentése elkészült:\n%1").arg(path));
    return true;
}

void frmMenu::mnuExportFullDB_Click() {
    exportFullDatabase(QStringLiteral("Teljes adatbázis mentése"));
}

void frmMenu::mnuImportFullDB_Click() {
    const QString chosen =
        dialogs().openFile(this, QStringLiteral("Adatbázis visszaállítása"), QString(), kDatabaseFilter);
    if (chosen.isEmpty())
        return;
    // Nothing is replaced by a file that is not a sound Lorvanto database.
    try {
        DatabaseCopy::check(chosen);
    } catch (const WrongKey &e) {
        dialogs().warn(this, e.message());
        return;
    } catch (const DbError &e) {
        dialogs().warn(this,
                       QStringLiteral("A kiválasztott fájl nem Lorvanto adatbázis, vagy megsérült, ezért nem "
                                      "állítható vissza.\n\n%1")
                           .arg(e.message()));
        return;
    }
    const QString question = QStringLiteral(
        "Figyelem! Az 'Adatbázis importálása' funkció az adatbázis egy az egyben visszaállítására szolgál.\n"
        "Visszaállításkor a jelenlegi adatok törlődnek, törlés előtt az adatbázisról a program biztonsági "
        "másolatot készít.\nBiztosan folytatja?");
    if (dialogs().message(this, question, DialogService::Icon::Exclamation,
                          QMessageBox::Yes | QMessageBox::No, QMessageBox::No) != QMessageBox::Yes)
        return;
    if (!exportFullDatabase(QStringLiteral("Biztonsági másolat mentése"), chosen)) {
        dialogs().inform(this, QStringLiteral("Biztonsági másolat nélkül a visszaállítás nem folytatódik."));
        return;
    }
    if (dialogs().message(this,
                          QStringLiteral("A program most kilép, és visszaállítja a kiválasztott adatbázist.\n"
                                         "A Mégse gombra kattintva még megszakíthatja a műveletet."),
                          DialogService::Icon::Information,
                          QMessageBox::Ok | QMessageBox::Cancel) != QMessageBox::Ok)
        return;
    AppData &app = AppData::current();
    const QString database = modSub::GetDatabasePath();
    QString staged;
    try {
        staged = DatabaseCopy::stage(chosen, database, app.devDB.connection().key());
    } catch (const DbError &e) {
        dialogs().error(
            this,
            QStringLiteral("A visszaállítás nem sikerült, az adatbázis változatlan.\n\n%1").arg(e.message()));
        return;
    }
    app.devDB.close();
    app.devPrint.close();
    try {
        DatabaseCopy::replace(staged, database);
    } catch (const DbError &e) {
        dialogs().error(
            this,
            QStringLiteral("A visszaállítás nem sikerült, az adatbázis változatlan.\n\n%1").arg(e.message()));
    }
    ProgramExit::request();
}

void frmMenu::mnuImportRating_Click() {
    const QString path = dialogs().openFile(this, QStringLiteral("Osztály szintű értékelés importálása"),
                                            QString(), kLorvantoFilter);
    if (path.isEmpty())
        return;
    const QString readError = QStringLiteral("Olvasási hiba: lehet, hogy a fájl sérült vagy ezt a formátumot "
                                             "nem lehet ebbe az adatbázisba illeszteni.");
    int state = -1;
    try {
        state = ClassCheckout::copyState(path);
    } catch (const WrongKey &e) {
        dialogs().warn(this, e.message());
        return;
    } catch (const DbError &) {
        // A foreign or damaged file: told below like a copy of the wrong state.
    }
    if (state != 1 && state != 2) {
        dialogs().warn(this, readError);
        return;
    }
    if (state == 1 && ClassCheckout::hasClassesOut()) {
        dialogs().warn(this, QStringLiteral("Ebből az adatbázisból osztályok vannak kiexportálva, ezért nem "
                                            "cserélhető le egy kiexportált osztály másolatára. Előbb "
                                            "importálja vissza vagy oldja fel a kiexportált osztályokat!"));
        return;
    }
    dialogs().inform(
        this, QStringLiteral("Mielőtt folytatná, célszerű biztonsági mentést készíteni az adatbázisról."));
    const QString done = QStringLiteral("Az osztály tanulóinak értékelései, minősítései sikeresen be lettek "
                                        "importálva. A változások életbeléptetéséhez újra kell indítania a "
                                        "programot.");
    if (state == 2) {
        try {
            ClassCheckout::mergeReturnCopy(path);
        } catch (const DbError &) {
            dialogs().warn(this, readError);
            return;
        }
        dialogs().inform(this, done);
        return;
    }
    if (!dialogs().ask(this, QStringLiteral("Importálás után az adatbázis jelenlegi adataihoz nem lehet majd "
                                            "hozzáférni, az ütköző adatok felül lesznek írva. Folytatja?")))
        return;
    // The editor holds a rating of the database about to be replaced: it saves (or not) and closes first.
    if (!EditorLink::askToSave())
        return;
    for (QMdiSubWindow *sub : m_mdi->subWindowList())
        if (!sub->close())
            return;
    QString backup;
    try {
        backup = ClassCheckout::takeCheckoutCopy(path);
    } catch (const DbError &) {
        dialogs().warn(this, readError);
        return;
    }
    dialogs().inform(this, done + QStringLiteral("\n\nA korábbi adatbázis biztonsági másolata: %1")
                                      .arg(QDir::toNativeSeparators(backup)));
    // The logged-in user and the menus belong to the database that was replaced.
    ProgramExit::request();
}

void frmMenu::mnuImportText_Click() {
    const QString path = dialogs().openFile(this, QStringLiteral("Értékelés szövegének importálása"),
                                            QString(), kLorvantoFilter);
    if (!path.isEmpty())
        modImport::ImportFile(this, path, ExchangeFile::Text, modImport::Target());
}

void frmMenu::mnuExportText_Click() {
    if (frmMain *editor = frmMain::instance())
        modExport::ExportText(this, editor->txtRating->toPlainText());
}

void frmMenu::mnuLocked_Click() {
    frmLocked window(this);
    dialogs().runModal(&window);
}

void frmMenu::mnuRate_Click() {
    if (frmMain *open = frmMain::instance()) {
        if (auto *sub = qobject_cast<QMdiSubWindow *>(open->parentWidget()))
            m_mdi->setActiveSubWindow(sub);
        return;
    }
    auto *editor = new frmMain(this, m_editorContext);
    // The text of a rating comes in and goes out while the editor has an editable rating open; it opens with
    // none.
    const auto enableTextItems = [this](bool editable) {
        mnuImportText->setEnabled(editable);
        mnuExportText->setEnabled(editable);
    };
    enableTextItems(false);
    connect(editor, &frmMain::editableChanged, this, enableTextItems);
    // The autosave window is loaded hidden while the editor is open, so its timer saves the editor's edits.
    QPointer<frmAutoSave> autoSave = new frmAutoSave(nullptr);
    connect(editor, &QObject::destroyed, this, [autoSave] { delete autoSave.data(); });
    QMdiSubWindow *sub = m_mdi->addSubWindow(editor);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setWindowIcon(windowIcon());
    sub->showMaximized();
}

void frmMenu::mnuStartup_Click() {
    if (m_startup) {
        m_startup->raise();
        m_startup->activateWindow();
        return;
    }
    if (AppData::current().login.isAdmin)
        m_startup = new frmStartUp(this);
    else
        m_startup = new frmStartupUser(this);
    m_startup->show();
}

void frmMenu::mnuContents_Click() {
    const QString help = AppData::current().helpFile;
    if (!QFileInfo::exists(help) || !dialogs().openUrl(QUrl::fromLocalFile(help)))
        dialogs().warn(this, QStringLiteral("A súgó nem nyitható meg: %1").arg(help));
}

void frmMenu::mnuOM_Click() {
    dialogs().openUrl(QUrl(kAuthorityPage));
}

void frmMenu::mnuAbout_Click() {
    frmAbout about(this);
    dialogs().runModal(&about);
}

void frmMenu::mnuUserGroups_Click() {
    const LoginState &self = AppData::current().login;
    const QString userTitle =
        QStringLiteral("Lorvanto - ") + self.currentUser.toString(QStringLiteral("usr_nev"));
    frmManageUsers window(this);
    window.ReloadUsers();
    dialogs().runModal(&window);
    // Administrators may have renamed themselves; a rating window's own caption is left to it.
    if (windowTitle() == userTitle)
        setWindowTitle(QStringLiteral("Lorvanto - ") + self.currentUser.toString(QStringLiteral("usr_nev")));
}

void frmMenu::mnuSchool_Click() {
    frmSchool window(this);
    window.load();
    dialogs().runModal(&window);
}

void frmMenu::cmdLog_Click() {
    frmLog window(this);
    window.load();
    dialogs().runModal(&window);
}

void frmMenu::mnuHandle_Click() {
    WaitCursor wait;
    Maintenance::RunDatabaseMaintenance();
}

void frmMenu::mnuEncrypt_Click() {
    if (!dialogs().ask(
            this,
            QStringLiteral("Az adatbázist a program az iskola saját, új kulcsával titkosítja, előtte "
                           "a régi kulccsal biztonsági másolatot készít róla mellé. Az új kulcsot "
                           "tartalmazó sort utána minden gép beállítófájljába be kell írni, mert "
                           "nélküle az adatbázis nem olvasható.\nFolytatja?"),
            QMessageBox::No))
        return;
    AppData &app = AppData::current();
    const QString database = app.devDB.connection().path();
    // The program's own connections let go of the file, so that only other programs count as its users; they
    // come back under the new key.
    app.devExp.close();
    app.devPrint.close();
    app.devDB.close();
    KeyChange::Result done;
    try {
        WaitCursor wait;
        done = KeyChange::convert(database, app.databaseKeys());
    } catch (const DbError &e) {
        app.openDatabase(database);
        dialogs().warn(this, e.message());
        return;
    }
    app.givenKey = DatabaseKey::engineKey(done.raw);
    app.openDatabase(database);
    modSub::WriteLog(QString(), 0, QStringLiteral("Adatbazis titkositasa sajat kulccsal"));
    dialogs().inform(
        this,
        QStringLiteral("Az adatbázis mostantól az iskola saját kulcsával van titkosítva. Az alábbi sort "
                       "írja be minden gép beállítófájljába, és őrizze meg biztos helyen; nélküle az "
                       "adatbázis nem olvasható:\n\n%1\n\nA régi kulccsal titkosított biztonsági "
                       "másolat: %2")
            .arg(DatabaseKey::settingsLine(done.raw), QDir::toNativeSeparators(done.backup)));
}

void frmMenu::mnuMyProfile_Click() {
    // The stored row, not the one read at login: the user may have been changed since.
    AppData &app = AppData::current();
    const Recordset stored = app.devDB.run(QStringLiteral("getSpecUser"), {app.login.userId()});
    frmProfile window(this);
    window.LoadData(stored.count() ? stored.record() : app.login.currentUser, true);
    dialogs().runModal(&window);
}

void frmMenu::mnuLogout_Click() {
    if (m_startup)
        m_startup->close();
    if (!EditorLink::askToSave())
        return;
    m_loggingOut = true;
    closeAsked();
}

void frmMenu::mnuExit_Click() {
    if (!EditorLink::askToSave())
        return;
    closeAsked();
}

void frmMenu::closeAsked() {
    // The save question was answered just now. The window stays on screen until the close is certain; a
    // close refused by one of its windows leaves it as it was, asking again the next time.
    m_closingByCode = true;
    const bool closed = close();
    m_closingByCode = false;
    if (!closed)
        m_loggingOut = false;
}

void frmMenu::closeEvent(QCloseEvent *event) {
    if (!m_closingByCode && !EditorLink::askToSave()) {
        event->ignore();
        return;
    }
    // The editor goes first: its unload releases the lock of the open rating. Its own question was answered
    // just now, so it closes without asking again.
    for (QMdiSubWindow *sub : m_mdi->subWindowList())
        if (!sub->close()) {
            event->ignore();
            return;
        }
    event->accept();
    if (m_startup)
        m_startup->close();
    if (m_loggingOut)
        guarded(nullptr, [] { modSub::WriteLog(QString(), 0, QStringLiteral("logout")); });
    emit closedForGood(m_loggingOut);
}

void frmMenu::mnuSubjects_Click() {
    frmSubjects window(this);
    dialogs().runModal(&window);
}

void frmMenu::mnuImportSentences_Click() {
    const QString path =
        dialogs().openFile(this, QStringLiteral("Mondatok importálása"), QString(), SentenceFiles::kFilter);
    if (!path.isEmpty())
        modImport::ImportFile(this, path, ExchangeFile::Sentences, modImport::Target());
}

void frmMenu::mnuExportAllSentences_Click() {
    const QStringList texts = SentenceBank::ExportableSentences();
    if (texts.isEmpty()) {
        dialogs().inform(this, QStringLiteral("Nincs exportálható mondat."));
        return;
    }
    SentenceFiles::exportSentences(this, texts);
}
