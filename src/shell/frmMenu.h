#pragma once

#include "data/Recordset.h"

#include <QMainWindow>
#include <QPixmap>
#include <QPointer>

class EditorContext;
class QMdiArea;
class QMenu;
class QAction;

// The main window: a document area with the menus the user's role and the database's export state allow.
class frmMenu : public QMainWindow {
    Q_OBJECT
public:
    // editorContext: what the rating editors opened from here share; it outlives the window (the login
    // window keeps one for the whole run).
    explicit frmMenu(EditorContext &editorContext, QWidget *parent = nullptr);
    ~frmMenu() override;

    // Applies the rules of loading for the current user and database.
    void load();

    QMdiArea *mdiArea() const { return m_mdi; }
    const Recordset &parameters() const { return m_parameters; }
    // The path of the background picture shown now; empty for none.
    QString backgroundPath() const { return m_bgPath; }
    QDialog *startupPanel() const { return m_startup; }
    // The file-dialog filter in force ("Lorvanto fájlok (*.mb)" unless an action set another).
    QString fileFilter() const { return m_filter; }

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
    QAction *mnuEncrypt;
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
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QAction *item(QMenu *menu, const char *name, const QString &caption);
    QAction *separator(QMenu *menu, const char *name);
    QMenu *submenu(QMenu *menu, const char *name, const QString &caption);
    void buildMenus();
    void mnuRate_Click();
    void mnuLogout_Click();
    void mnuExit_Click();
    void mnuAutoSave_Click();
    void mnuBG_Click();
    void mnuExportFullDB_Click();
    void mnuImportFullDB_Click();
    void mnuImportRating_Click();
    void mnuLocked_Click();
    void mnuImportText_Click();
    void mnuExportText_Click();
    void mnuStartup_Click();
    void mnuContents_Click();
    void mnuOM_Click();
    void mnuAbout_Click();
    void mnuSubjects_Click();
    void mnuImportSentences_Click();
    void mnuExportAllSentences_Click();
    void mnuUserGroups_Click();
    void mnuSchool_Click();
    void cmdLog_Click();
    void mnuHandle_Click();
    void mnuEncrypt_Click();
    void mnuMyProfile_Click();
    // Closes the window after the save question was answered.
    void closeAsked();
    // Saves the whole database where the user chooses; false when cancelled or failed (the user was told).
    // Neither the live database nor restoreFile, the file about to be restored, may be the target.
    bool exportFullDatabase(const QString &caption, const QString &restoreFile = QString());
    bool showBackground(const QString &path);
    void removeBackground();
    void scaleBackground();

    EditorContext &m_editorContext;
    QMdiArea *m_mdi;
    Recordset m_parameters;
    QString m_bgPath;
    QPixmap m_bgPicture;
    QString m_filter;
    QPointer<QDialog> m_startup;
    bool m_loggingOut = false;
    bool m_closingByCode = false;
};
