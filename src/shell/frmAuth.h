#pragma once

#include "data/Record.h"
#include "rating/EditorContext.h"
#include "shell/frmMenu.h"
#include "shell/frmSetNewPass.h"

#include <QDialog>
#include <QPointer>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class LinkLabel;

// The login window. It opens the database as it loads, lets a user in and then stays loaded, hidden, for
// the whole run: it holds the login state that every other window reads.
class frmAuth : public QDialog {
    Q_OBJECT
public:
    explicit frmAuth(QWidget *parent = nullptr);
    ~frmAuth() override;

    // The one login window of the run.
    static frmAuth *instance();

    // Opens the database and lists the users. False when the program must end (the reason was shown).
    bool load();
    void ReloadUsers();

    const Record &currentUser() const;
    bool IsAdmin() const;

    // Lets the current user in: the login window hides and the main window opens.
    void enterProgram();
    frmMenu *menuWindow() const { return m_menu; }
    frmSetNewPass *setNewPassWindow() const { return m_setNewPass; }

    QLabel *Label1;
    QComboBox *cmbUsers;
    QLabel *Label2;
    QLineEdit *txtPassword;
    LinkLabel *Label3;
    QPushButton *btnLogin;
    QPushButton *cmdExit;
    QLabel *Image1;
    QLabel *Image2;
    QLabel *Picture1;

protected:
    void closeEvent(QCloseEvent *event) override;
    void reject() override;
    void mouseMoveEvent(QMouseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void btnLogin_Click();
    void Label3_Click();
    void cmbUsers_Click();
    void failedAttempt(const QString &message);
    void mainWindowClosed(bool loggedOut);

    // The rating editors' spell checker, print choices and notices, kept across logins.
    EditorContext m_editorContext;
    QPointer<frmMenu> m_menu;
    QPointer<frmSetNewPass> m_setNewPass;
};
