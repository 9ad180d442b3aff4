#include "admin/frmManageUsers.h"

#include "admin/frmProfile.h"
#include "data/AppData.h"
#include "data/modSub.h"
#include "ui/Controls.h"
#include "ui/DialogService.h"
#include "ui/Guard.h"
#include "ui/ItemRoles.h"
#include "ui/LoginLink.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

frmManageUsers::frmManageUsers(QWidget *parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmManageUsers"));
    setWindowTitle(QStringLiteral("Felhasználók"));

    lblUsers = namedLabel(this, "lblUsers", QStringLiteral("&Felhasználók:"));
    dlUsers = new QListWidget(this);
    dlUsers->setObjectName(QStringLiteral("dlUsers"));
    dlUsers->setAccessibleName(QStringLiteral("Felhasználók:"));
    lblUsers->setBuddy(dlUsers);
    btnNewUser = namedButton(this, "btnNewUser", QStringLiteral("Új..."));
    btnEditUser = namedButton(this, "btnEditUser", QStringLiteral("Módosít..."));
    btnDelUser = namedButton(this, "btnDelUser", QStringLiteral("Töröl"));
    btnDone = namedButton(this, "btnDone", QStringLiteral("Be&zár"));

    auto *side = new QVBoxLayout;
    side->addWidget(btnNewUser);
    side->addWidget(btnEditUser);
    side->addWidget(btnDelUser);
    side->addStretch(1);
    side->addWidget(btnDone);
    auto *list = new QVBoxLayout;
    list->addWidget(lblUsers);
    list->addWidget(dlUsers, 1);
    auto *main = new QHBoxLayout(this);
    main->addLayout(list, 1);
    main->addLayout(side);
    resize(440, 360);

    connectGuarded(btnNewUser, &QPushButton::clicked, this, &frmManageUsers::btnNewUser_Click);
    connectGuarded(btnEditUser, &QPushButton::clicked, this, &frmManageUsers::btnEditUser_Click);
    connectGuarded(btnDelUser, &QPushButton::clicked, this, &frmManageUsers::btnDelUser_Click);
    connectGuarded(dlUsers, &QListWidget::itemActivated, this, &frmManageUsers::btnEditUser_Click);
    connect(btnDone, &QPushButton::clicked, this, &QDialog::accept);
}

void frmManageUsers::ReloadUsers() {
    const QVariant chosen = dlUsers->currentItem() ? dlUsers->currentItem()->data(IdRole) : QVariant();
    dlUsers->clear();
    const Recordset rs = AppData::current().devDB.run(QStringLiteral("getUsersByName"));
    for (int i = 0; i < rs.count(); ++i) {
        auto *item = new QListWidgetItem(rs.at(i, QStringLiteral("usr_nev")).toString(), dlUsers);
        item->setData(IdRole, rs.at(i, QStringLiteral("usr_id")));
        if (chosen.isValid() && item->data(IdRole) == chosen)
            dlUsers->setCurrentItem(item);
    }
}

void frmManageUsers::reloadBothLists() {
    LoginLink::reloadUsers();
    ReloadUsers();
}

qint64 frmManageUsers::chosenUser() {
    const QListWidgetItem *item = dlUsers->currentItem();
    if (!item || !item->isSelected()) {
        dialogs().inform(this, QStringLiteral("Nincs elem kiválasztva!"));
        return 0;
    }
    return item->data(IdRole).toLongLong();
}

void frmManageUsers::btnNewUser_Click() {
    frmProfile profile(this);
    connect(&profile, &frmProfile::usersChanged, this, [this] { reloadBothLists(); });
    profile.PrepareNewUser();
    dialogs().runModal(&profile);
}

void frmManageUsers::btnEditUser_Click() {
    const qint64 usrId = chosenUser();
    if (usrId == 0)
        return;
    const Recordset user = AppData::current().devDB.run(QStringLiteral("getSpecUser"), {usrId});
    if (user.count() == 0) {
        // Deleted meanwhile by another administrator.
        reloadBothLists();
        return;
    }
    frmProfile profile(this);
    connect(&profile, &frmProfile::usersChanged, this, [this] { reloadBothLists(); });
    profile.LoadData(user.record(), false);
    dialogs().runModal(&profile);
}

void frmManageUsers::btnDelUser_Click() {
    const qint64 usrId = chosenUser();
    if (usrId == 0)
        return;
    QString refused = deletionRefused(usrId);
    if (refused.isEmpty()) {
        if (!dialogs().ask(this, QStringLiteral("Biztosan törli a kijelölt felhasználót?")))
            return;
        CommandSet &db = AppData::current().devDB;
        Transaction t(db.connection());
        // Checked again inside the write: another administrator may have deleted one meanwhile.
        refused = deletionRefused(usrId);
        if (refused.isEmpty()) {
            db.run(QStringLiteral("deleteUserFromJOG"), {usrId});
            db.run(QStringLiteral("delUser"), {usrId});
            modSub::WriteLog(QStringLiteral("USERS"), usrId, QStringLiteral("Felhasznalo torlese"));
            t.commit();
        }
    }
    if (!refused.isEmpty()) {
        dialogs().warn(this, refused);
        return;
    }
    reloadBothLists();
}

QString frmManageUsers::deletionRefused(qint64 usrId) {
    CommandSet &db = AppData::current().devDB;
    if (usrId == AppData::current().login.userId())
        return QStringLiteral("Saját magát nem törölheti!");
    const Recordset user = db.run(QStringLiteral("getSpecUser"), {usrId});
    if (user.count() && user.field(QStringLiteral("usr_admin_rights")).toBool() &&
        db.run(QStringLiteral("countAdmins")).field(QStringLiteral("Cnt")).toInt() <= 1)
        return QStringLiteral("Az utolsó igazgatói jogú felhasználót nem lehet törölni!");
    return QString();
}
