#include "shell/frmSetNewPass.h"

#include "data/AppData.h"
#include "data/PasswordHash.h"
#include "data/modSub.h"
#include "shell/frmAuth.h"
#include "ui/Guard.h"
#include "ui/PasswordRule.h"
#include "ui/ValidMark.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

frmSetNewPass::frmSetNewPass(QWidget *parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmSetNewPass"));
    setAttribute(Qt::WA_DeleteOnClose);

    lblPassword = new QLabel(QStringLiteral("&Jelszó:"), this);
    lblPassword->setObjectName(QStringLiteral("lblPassword"));
    txtPassword = new QLineEdit(this);
    txtPassword->setObjectName(QStringLiteral("txtPassword"));
    txtPassword->setEchoMode(QLineEdit::Password);
    txtPassword->setMaxLength(50);
    lblPassword->setBuddy(txtPassword);

    lblPasswordConfirm = new QLabel(QStringLiteral("Jelszó ú&jra:"), this);
    lblPasswordConfirm->setObjectName(QStringLiteral("lblPasswordConfirm"));
    txtPasswordConfirm = new QLineEdit(this);
    txtPasswordConfirm->setObjectName(QStringLiteral("txtPasswordConfirm"));
    txtPasswordConfirm->setEchoMode(QLineEdit::Password);
    txtPasswordConfirm->setMaxLength(50);
    lblPasswordConfirm->setBuddy(txtPasswordConfirm);

    Label1 = new QLabel(QStringLiteral("&Emlékeztető:"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    txtReminder = new QLineEdit(this);
    txtReminder->setObjectName(QStringLiteral("txtReminder"));
    txtReminder->setMaxLength(253);
    Label1->setBuddy(txtReminder);

    Label2 = new QLabel(
        QStringLiteral("A jelszónak legalább 4 karakter hosszúnak kell lennie, elején és végén nem "
                       "állhatnak szóközök."),
        this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setWordWrap(true);

    btnDone = new QPushButton(QStringLiteral("OK"), this);
    btnDone->setObjectName(QStringLiteral("btnDone"));
    btnDone->setDefault(true);
    btnDone->setEnabled(false);
    btnCancel = new QPushButton(QStringLiteral("&Mégse"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));

    auto *grid = new QGridLayout;
    grid->addWidget(lblPassword, 0, 0);
    grid->addWidget(txtPassword, 0, 1);
    grid->addWidget(lblPasswordConfirm, 1, 0);
    grid->addWidget(txtPasswordConfirm, 1, 1);
    grid->addWidget(Label1, 2, 0);
    grid->addWidget(txtReminder, 2, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnDone);
    buttons->addWidget(btnCancel);
    auto *main = new QVBoxLayout(this);
    main->addLayout(grid);
    main->addWidget(Label2);
    main->addLayout(buttons);
    setMinimumWidth(420);

    connect(txtPassword, &QLineEdit::textChanged, this, &frmSetNewPass::passwordChanged);
    connect(txtPasswordConfirm, &QLineEdit::textChanged, this, &frmSetNewPass::passwordChanged);
    connectGuarded(btnDone, &QPushButton::clicked, this, &frmSetNewPass::btnDone_Click);
    connect(btnCancel, &QPushButton::clicked, this, &frmSetNewPass::close);
    passwordChanged();
}

void frmSetNewPass::loadUser() {
    m_user = AppData::current().login.currentUser;
    setWindowTitle(QStringLiteral("Jelszó első beállítása: ") + m_user.toString(QStringLiteral("usr_nev")) +
                   QStringLiteral(" (") + m_user.toString(QStringLiteral("usr_login")) + QStringLiteral(")"));
}

void frmSetNewPass::passwordChanged() {
    const bool passwordValid = isValidPassword(txtPassword->text());
    const bool confirmValid = passwordValid && txtPasswordConfirm->text() == txtPassword->text();
    setValidMark(lblPassword, passwordValid);
    setValidMark(lblPasswordConfirm, confirmValid);
    btnDone->setEnabled(passwordValid && confirmValid);
}

void frmSetNewPass::btnDone_Click() {
    AppData &app = AppData::current();
    app.login = LoginState();
    app.login.currentUser = m_user;
    app.login.isAdmin = m_user.toBool(QStringLiteral("usr_admin_rights"));
    app.devDB.run(QStringLiteral("updatePassword"),
                  {PasswordHash::hash(txtPassword->text()), txtReminder->text(), app.login.login()});
    modSub::WriteLog(QStringLiteral("USERS"), app.login.userId(), QStringLiteral("Jelszo letrehozasa"));
    if (frmAuth *auth = frmAuth::instance())
        auth->enterProgram();
    close();
}
