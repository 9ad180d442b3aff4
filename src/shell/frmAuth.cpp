#include "shell/frmAuth.h"

#include "data/AppData.h"
#include "data/Connection.h"
#include "data/DbError.h"
#include "data/PasswordHash.h"
#include "data/modSub.h"
#include "shell/ProgramExit.h"
#include "shell/frmMenu.h"
#include "shell/frmSetNewPass.h"
#include "ui/DialogService.h"
#include "ui/Guard.h"
#include "ui/LinkLabel.h"
#include "ui/LoginLink.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {
frmAuth *g_instance = nullptr;
}

frmAuth::frmAuth(QWidget *parent) : QDialog(parent) {
    g_instance = this;
    LoginLink::setReloadUsers([] {
        if (frmAuth *login = frmAuth::instance())
            login->ReloadUsers();
    });
    setObjectName(QStringLiteral("frmAuth"));
    setWindowTitle(QStringLiteral("Bejelentkezés - Lorvanto"));
    setMouseTracking(true);

    Picture1 = new QLabel(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setText(QStringLiteral("Lorvanto"));
    QFont titleFont = Picture1->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 2);
    titleFont.setBold(true);
    Picture1->setFont(titleFont);
    Image1 = new QLabel(QStringLiteral("Szöveges értékelés"), this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image2 = new QLabel(this);
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->setPixmap(style()->standardIcon(QStyle::SP_DialogApplyButton).pixmap(32, 32));

    Label1 = new QLabel(QStringLiteral("&Felhasználónév:"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    cmbUsers = new QComboBox(this);
    cmbUsers->setObjectName(QStringLiteral("cmbUsers"));
    cmbUsers->setEditable(true);
    cmbUsers->setInsertPolicy(QComboBox::NoInsert);
    Label1->setBuddy(cmbUsers);
    cmbUsers->setAccessibleName(QStringLiteral("Felhasználónév:"));

    Label2 = new QLabel(QStringLiteral("&Jelszó:"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    txtPassword = new QLineEdit(this);
    txtPassword->setObjectName(QStringLiteral("txtPassword"));
    txtPassword->setEchoMode(QLineEdit::Password);
    Label2->setBuddy(txtPassword);
    txtPassword->installEventFilter(this);

    Label3 = new LinkLabel(QStringLiteral("Elfelejtettem a jelszavam..."), this);
    Label3->setObjectName(QStringLiteral("Label3"));

    btnLogin = new QPushButton(QStringLiteral("Bejelentkezés"), this);
    btnLogin->setObjectName(QStringLiteral("btnLogin"));
    btnLogin->setDefault(true);
    cmdExit = new QPushButton(QStringLiteral("&Kilépés"), this);
    cmdExit->setObjectName(QStringLiteral("cmdExit"));

    auto *head = new QHBoxLayout;
    head->addWidget(Image2);
    auto *titles = new QVBoxLayout;
    titles->addWidget(Picture1);
    titles->addWidget(Image1);
    head->addLayout(titles, 1);
    auto *grid = new QGridLayout;
    grid->addWidget(Label1, 0, 0);
    grid->addWidget(cmbUsers, 0, 1);
    grid->addWidget(Label2, 1, 0);
    grid->addWidget(txtPassword, 1, 1);
    grid->addWidget(Label3, 2, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnLogin);
    buttons->addWidget(cmdExit);
    auto *main = new QVBoxLayout(this);
    main->addLayout(head);
    main->addLayout(grid);
    main->addLayout(buttons);
    setMinimumWidth(380);

    connectGuarded(btnLogin, &QPushButton::clicked, this, &frmAuth::btnLogin_Click);
    connect(cmdExit, &QPushButton::clicked, this, &frmAuth::close);
    connectGuarded(Label3, &LinkLabel::clicked, this, &frmAuth::Label3_Click);
    connect(cmbUsers, qOverload<int>(&QComboBox::activated), this, [this](int) { cmbUsers_Click(); });
}

frmAuth::~frmAuth() {
    if (g_instance == this)
        g_instance = nullptr;
    delete m_menu;
}

frmAuth *frmAuth::instance() {
    return g_instance;
}

bool frmAuth::load() {
    setWindowTitle(QStringLiteral("Bejelentkezés - Lorvanto"));
    // A settings file that cannot be read is only told about: the next place that names a database counts.
    for (const QString &problem : AppData::current().databaseSettings.problems)
        dialogs().warn(nullptr, problem);
    QString path;
    try {
        modSub::SetHelpFile();
        path = modSub::GetDatabasePath();
        AppData::current().openDatabase(path);
        ReloadUsers();
    } catch (const DatabaseMissing &e) {
        dialogs().error(nullptr, e.message());
        return false;
    } catch (const WrongKey &e) {
        // One sentence naming the places of the keys tried: the path is in it already.
        dialogs().error(nullptr, e.message());
        return false;
    } catch (const DbError &e) {
        dialogs().error(nullptr, QStringLiteral("Az adatbázis nem nyitható meg.\n\n%1\n\n%2")
                                     .arg(QDir::toNativeSeparators(path), e.message()));
        return false;
    }
    return true;
}

void frmAuth::ReloadUsers() {
    CommandSet &db = AppData::current().devDB;
    Recordset users = db.run(QStringLiteral("getUsers"));
    if (users.count() == 0) {
        // A database without users gets the administrator "igazgato", as at the first start. Users are
        // never promoted here: an existing user's password would open the administrator's rights. The check
        // is made again inside the write transaction, which waits for another program seeding at the same
        // moment.
        Transaction t(db.connection());
        if (db.run(QStringLiteral("getUsers")).count() == 0)
            db.run(QStringLiteral("addAdmin"));
        t.commit();
        users = db.run(QStringLiteral("getUsers"));
    }
    cmbUsers->clear();
    for (int i = 0; i < users.count(); ++i)
        cmbUsers->addItem(users.at(i, QStringLiteral("usr_login")).toString());
}

const Record &frmAuth::currentUser() const {
    return AppData::current().login.currentUser;
}

bool frmAuth::IsAdmin() const {
    return AppData::current().login.isAdmin;
}

void frmAuth::btnLogin_Click() {
    // A first-password window still open belongs to the earlier attempt; a new attempt ends it.
    if (m_setNewPass) {
        m_setNewPass->close();
        m_setNewPass = nullptr;
    }
    AppData &app = AppData::current();
    const QString typedName = cmbUsers->currentText();
    // The whole login is looked up: a prefix could name another user.
    const Recordset rs = app.devDB.run(QStringLiteral("chkPass"), {typedName});
    app.login = LoginState();
    if (rs.count() == 0) {
        failedAttempt(QStringLiteral("Nincs ilyen felhasználó!"));
        return;
    }
    app.login.currentUser = rs.record();
    app.login.isAdmin = app.login.currentUser.toBool(QStringLiteral("usr_admin_rights"));
    const QString stored = app.login.currentUser.toString(QStringLiteral("usr_paswd"));

    if (stored.isEmpty()) {
        dialogs().inform(this, QStringLiteral("Első bejelentkezéskor meg kell változtatnia a jelszavát."));
        m_setNewPass = new frmSetNewPass(this);
        m_setNewPass->loadUser();
        m_setNewPass->txtPassword->setText(txtPassword->text());
        txtPassword->clear();
        m_setNewPass->show();
        m_setNewPass->raise();
        m_setNewPass->activateWindow();
        return;
    }

    if (PasswordHash::verify(stored, txtPassword->text())) {
        // A password kept as plain text by an older version is stored hashed from now on.
        if (!PasswordHash::isHash(stored))
            app.devDB.run(QStringLiteral("updatePassword"),
                          {PasswordHash::hash(txtPassword->text()),
                           app.login.currentUser.value(QStringLiteral("usr_emlekezteto")),
                           app.login.login()});
        txtPassword->clear();
        modSub::WriteLog(QString(), 0, QStringLiteral("login"));
        enterProgram();
        return;
    }
    failedAttempt(QStringLiteral("Hibás jelszó!"));
}

void frmAuth::failedAttempt(const QString &message) {
    dialogs().warn(this, message);
    txtPassword->clear();
    txtPassword->setFocus();
    modSub::WriteLog(cmbUsers->currentText(), 0, QStringLiteral("Bejelentkezesi probalkozas"), -1);
}

void frmAuth::enterProgram() {
    AppData::current().login.loggedIn = true;
    hide();
    if (m_menu)
        m_menu->deleteLater();
    m_menu = new frmMenu(m_editorContext);
    connect(m_menu, &frmMenu::closedForGood, this, &frmAuth::mainWindowClosed);
    if (!guarded(nullptr, [this] { m_menu->load(); })) {
        // The main window could not load: the user stays at the login window.
        AppData::current().login.loggedIn = false;
        m_menu->deleteLater();
        show();
        return;
    }
    m_menu->show();
}

void frmAuth::mainWindowClosed(bool loggedOut) {
    if (!loggedOut) {
        ProgramExit::request();
        return;
    }
    AppData::current().login.loggedIn = false;
    txtPassword->clear();
    show();
    raise();
    activateWindow();
    txtPassword->setFocus();
}

void frmAuth::Label3_Click() {
    const Recordset rs =
        AppData::current().devDB.run(QStringLiteral("getUserByName"), {cmbUsers->currentText().trimmed()});
    const QString reminder = rs.count() ? rs.at(0, QStringLiteral("usr_emlekezteto")).toString() : QString();
    if (!reminder.isEmpty())
        dialogs().inform(this, reminder);
    else
        dialogs().inform(this,
                         QStringLiteral("Ön nem állított be jelszóemlékeztetőt. Forduljon az igazgatóhoz!"));
}

void frmAuth::cmbUsers_Click() {
    txtPassword->setFocus();
}

void frmAuth::closeEvent(QCloseEvent *event) {
    // Closing the login window, by any means, ends the program.
    event->accept();
    if (m_setNewPass)
        m_setNewPass->close();
    ProgramExit::request();
}

void frmAuth::reject() {
    close();
}

void frmAuth::mouseMoveEvent(QMouseEvent *event) {
    Label3->setTextColor(QColor(0, 0, 255));
    QDialog::mouseMoveEvent(event);
}

bool frmAuth::eventFilter(QObject *watched, QEvent *event) {
    if (watched == txtPassword && event->type() == QEvent::FocusIn)
        QTimer::singleShot(0, txtPassword, &QLineEdit::selectAll);
    return QDialog::eventFilter(watched, event);
}
