#include "shell/frmMenu.h"

#include "data/AppData.h"
#include "data/modSub.h"
#include "shell/Guard.h"

#include <QCloseEvent>
#include <QMdiArea>
#include <QMenuBar>

namespace {
frmMenu::SaveQuestion &saveQuestion() {
    static frmMenu::SaveQuestion q;
    return q;
}
} // namespace

frmMenu::frmMenu(QWidget *parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("frmMenu"));
    setAttribute(Qt::WA_DeleteOnClose);
    m_mdi = new QMdiArea(this);
    m_mdi->setObjectName(QStringLiteral("mdiArea"));
    setCentralWidget(m_mdi);
    buildMenus();
    resize(1024, 720);
}

frmMenu::~frmMenu() = default;

void frmMenu::setSaveQuestion(SaveQuestion question) {
    saveQuestion() = std::move(question);
}

bool frmMenu::askToSave() {
    return saveQuestion() ? saveQuestion()() : true;
}

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
    separator(mnuManage, "mnuS3");
    mnuMyProfile = item(mnuManage, "mnuMyProfile", QStringLiteral("&Saját adataim..."));

    mnuHelp = submenu(nullptr, "mnuHelp", QStringLiteral("&Súgó"));
    mnuStartup = item(mnuHelp, "mnuStartup", QStringLiteral("&Induló képernyő..."));
    mnuContents = item(mnuHelp, "mnuContents", QStringLiteral("&Témakörök..."));
    separator(mnuHelp, "mS11");
    mnuOM = item(mnuHelp, "mnuOM", QStringLiteral("Szöveges értékelési információk"));
    mnuAbout = item(mnuHelp, "mnuAbout", QStringLiteral("&Névjegy..."));

    // Items whose windows are not part of the program yet stay unusable rather than pretend to work.
    for (QAction *pending : {mnuRate,
                             mnuImportText,
                             mnuImportRating,
                             mnuImportSentences,
                             mnuImportFullDB,
                             mnuExportText,
                             mnuExportAllSentences,
                             mnuExportFullDB,
                             mnuAutoSave,
                             mnuBG,
                             mnuSeasons,
                             mnuClasses,
                             cmd_tanulok,
                             mnuSubjects,
                             mnuUserGroups,
                             mnuSchool,
                             mnuLocked,
                             cmdLog,
                             mnuHandle,
                             mnuMyProfile,
                             mnuStartup,
                             mnuContents,
                             mnuOM,
                             mnuAbout})
        pending->setEnabled(false);

    connect(mnuLogout, &QAction::triggered, this, [this] { guarded(this, [this] { mnuLogout_Click(); }); });
    connect(mnuExit, &QAction::triggered, this, [this] { guarded(this, [this] { mnuExit_Click(); }); });
}

void frmMenu::load() {
    const AppData &app = AppData::current();
    const bool admin = app.login.isAdmin;
    if (modSub::GetExportState() == 1) {
        mnuManage->menuAction()->setVisible(false);
        mnuImportRating->setEnabled(false);
    }
    setWindowTitle(QStringLiteral("Lorvanto - ") + app.login.currentUser.toString(QStringLiteral("usr_nev")));
    if (!admin) {
        mnuS5->setVisible(false);
        mnuSeasons->setVisible(false);
        mnuAdmin->menuAction()->setVisible(false);
    }
    m_parameters = AppData::current().devDB.run(QStringLiteral("getParameter"));
}

void frmMenu::mnuLogout_Click() {
    m_loggingOut = true;
    if (!askToSave()) {
        m_loggingOut = false;
        return;
    }
    m_closingByCode = true;
    hide();
    close();
}

void frmMenu::mnuExit_Click() {
    if (!askToSave())
        return;
    m_closingByCode = true;
    close();
}

void frmMenu::closeEvent(QCloseEvent *event) {
    if (!m_closingByCode && !askToSave()) {
        event->ignore();
        return;
    }
    event->accept();
    if (m_loggingOut)
        guarded(nullptr, [] { modSub::WriteLog(QString(), 0, QStringLiteral("logout")); });
    emit closedForGood(m_loggingOut);
}
