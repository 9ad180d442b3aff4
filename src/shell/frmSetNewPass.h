#pragma once

#include "data/Record.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

// Setting the first password of a user who has none yet; not modal. OK lets the user in.
class frmSetNewPass : public QDialog {
    Q_OBJECT
public:
    explicit frmSetNewPass(QWidget *parent = nullptr);
    // Binds the window to the current user: the password it sets, the log entry and the login that follows
    // are that user's, whoever tries to log in meanwhile.
    void loadUser();

    QLabel *lblPassword;
    QLineEdit *txtPassword;
    QLabel *lblPasswordConfirm;
    QLineEdit *txtPasswordConfirm;
    QLabel *Label1;
    QLineEdit *txtReminder;
    QLabel *Label2;
    QPushButton *btnDone;
    QPushButton *btnCancel;

private:
    void passwordChanged();
    void btnDone_Click();

    Record m_user;
};
