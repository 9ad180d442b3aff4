#pragma once

#include <QDialog>

class QAction;
class QCheckBox;
class QPlainTextEdit;
class QPushButton;
class QVBoxLayout;

// A start-up panel: guidance text, numbered buttons that open the windows of the first steps (each does what
// its menu item does, and is usable exactly when that item is), and the "show next time" check box.
class StartupPanel : public QDialog {
    Q_OBJECT
public:
    QPlainTextEdit *Text1;
    QCheckBox *chbStartup;
    QPushButton *btnHide;

protected:
    StartupPanel(const char *objectName, const QString &guidance, QWidget *parent);
    QPushButton *addStep(const char *name, const QString &caption, QAction *menuItem);

private:
    void chbStartup_Click();
    QVBoxLayout *m_steps;
};

class frmStartUp : public StartupPanel {
    Q_OBJECT
public:
    explicit frmStartUp(class frmMenu *menu);
    QPushButton *cmdIskolaAdatai;
    QPushButton *cmdErtIdoszak;
    QPushButton *cmdUser;
    QPushButton *cmdOsztaly;
    QPushButton *frmTantargy;
};

class frmStartupUser : public StartupPanel {
    Q_OBJECT
public:
    explicit frmStartupUser(class frmMenu *menu);
    QPushButton *cmdOsztaly;
    QPushButton *cmdErtekeles;
};
