#pragma once

#include "data/Recordset.h"

#include <QMainWindow>
#include <functional>

class QMdiArea;
class QMenu;
class QAction;

// The main window: a document area with the menus the user's role and the database's export state allow.
class frmMenu : public QMainWindow {
    Q_OBJECT
public:
    explicit frmMenu(QWidget *parent = nullptr);
    ~frmMenu() override;

    // Applies the rules of loading for the current user and database.
    void load();

    // The question asked before logout and exit while a rating has unsaved changes. The rating editor
    // registers itself here; with none registered there is nothing to ask.
    using SaveQuestion = std::function<bool()>;
    static void setSaveQuestion(SaveQuestion question);
    static bool askToSave();

    QMdiArea *mdiArea() const { return m_mdi; }
    const Recordset &parameters() const { return m_parameters; }

    QMenu *mnuFile;
    QAction *mnuRate;
    QMenu *mnuImport;
    QAction *mnuImportText;
    QAction *mnuImportRating;
    QAction *mnuImportSentences;
    QAction *mnuImportFullDB;
    QMenu *mnuExport;
    QAction *mnuExportText;
    QAction *mnuExportAllSentences;
    QAction *mnuExportFullDB;
    QAction *mnuLogout;
    QAction *mnuExit;
    QMenu *mnuManage;
    QAction *mnuAutoSave;
    QAction *mnuBG;
    QAction *mnuS5;
    QMenu *mnuRS;
    QAction *mnuSeasons;
    QAction *mnuClasses;
    QAction *cmd_tanulok;
    QAction *mnuSubjects;
    QMenu *mnuAdmin;
    QAction *mnuUserGroups;
    QAction *mnuSchool;
    QAction *mnuLocked;
    QAction *cmdLog;
    QAction *mnuHandle;
    QAction *mnuMyProfile;
    QMenu *mnuHelp;
    QAction *mnuStartup;
    QAction *mnuContents;
    QAction *mnuOM;
    QAction *mnuAbout;

signals:
    // The window has closed: by logout (the login window takes over) or otherwise (the program ends).
    void closedForGood(bool loggedOut);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    QAction *item(QMenu *menu, const char *name, const QString &caption);
    QAction *separator(QMenu *menu, const char *name);
    QMenu *submenu(QMenu *menu, const char *name, const QString &caption);
    void buildMenus();
    void mnuLogout_Click();
    void mnuExit_Click();

    QMdiArea *m_mdi;
    Recordset m_parameters;
    bool m_loggingOut = false;
    bool m_closingByCode = false;
};
