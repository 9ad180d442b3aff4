#include "admin/frmProfile.h"

#include "data/AppData.h"
#include "data/modSub.h"
#include "ui/Controls.h"
#include "ui/DialogService.h"
#include "ui/Guard.h"
#include "ui/ItemRoles.h"
#include "ui/PeriodList.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
const QString kWarning =
    QStringLiteral("Az első két mezőt kötelező kitölteni, illetve nem szerepelhet szóköz a "
                   "felhasználói névben.");
const QString kLoginTaken = QStringLiteral("Már létezik ilyen nevű felhasználó!");
// What may be typed into the fields: the login is typed whole at the login window. A longer value stored
// earlier is shown and kept whole.
const int kMaxLengths[frmProfile::FieldCount] = {10, 50, 50};
} // namespace

frmProfile::frmProfile(QWidget *parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmProfile"));
    TabStrip1 = new QTabWidget(this);
    TabStrip1->setObjectName(QStringLiteral("TabStrip1"));
    for (int i = 0; i < 2; ++i) {
        Frames[i] = new QWidget;
        Frames[i]->setObjectName(QStringLiteral("Frames_%1").arg(i));
    }

    // "Általános"
    QWidget *general = Frames[0];
    Label1 = namedLabel(general, "Label1", QStringLiteral("&Felhasználónév:"));
    Label2 = namedLabel(general, "Label2", QStringLiteral("&Teljes név:"));
    Label3 = namedLabel(general, "Label3", QStringLiteral("Megje&gyzés:"));
    auto *fieldGrid = new QGridLayout;
    QLabel *labels[FieldCount] = {Label1, Label2, Label3};
    for (int i = 0; i < FieldCount; ++i) {
        Fields[i] = new QLineEdit(general);
        Fields[i]->setObjectName(QStringLiteral("Fields_%1").arg(i));
        Fields[i]->setMaxLength(kMaxLengths[i]);
        labels[i]->setBuddy(Fields[i]);
        fieldGrid->addWidget(labels[i], i, 0);
        fieldGrid->addWidget(Fields[i], i, 1);
        connect(Fields[i], &QLineEdit::textChanged, this, &frmProfile::Fields_Change);
    }
    lblWarning = namedLabel(general, "lblWarning", kWarning);
    lblWarning->setWordWrap(true);
    btnResetPass = namedButton(general, "btnResetPass", QStringLiteral("Jelszó törlése"));
    auto *generalLayout = new QVBoxLayout(general);
    generalLayout->addLayout(fieldGrid);
    generalLayout->addWidget(lblWarning);
    auto *resetRow = new QHBoxLayout;
    resetRow->addWidget(btnResetPass);
    resetRow->addStretch(1);
    generalLayout->addLayout(resetRow);
    generalLayout->addStretch(1);

    // "Jogok"
    QWidget *rights = Frames[1];
    Label4 = namedLabel(rights, "Label4", QStringLiteral("&Időszak:"));
    cmbPeriod = new QComboBox(rights);
    cmbPeriod->setObjectName(QStringLiteral("cmbPeriod"));
    Label4->setBuddy(cmbPeriod);
    Label6 = namedLabel(rights, "Label6", QStringLiteral("&Osztály neve:"));
    dlClasses = new QTreeWidget(rights);
    dlClasses->setObjectName(QStringLiteral("dlClasses"));
    dlClasses->setAccessibleName(QStringLiteral("Osztály neve:"));
    dlClasses->setRootIsDecorated(false);
    dlClasses->setAllColumnsShowFocus(true);
    dlClasses->setHeaderLabels({QStringLiteral("Osztály név"), QStringLiteral("Kezdő tanév"),
                                QStringLiteral("Osztályfőnök"), QStringLiteral("Megjegyzés")});
    Label6->setBuddy(dlClasses);
    chkRead = new QCheckBox(QStringLiteral("Ol&vashatja"), rights);
    chkRead->setObjectName(QStringLiteral("chkRead"));
    chkWrite = new QCheckBox(QStringLiteral("&Szerkesztheti"), rights);
    chkWrite->setObjectName(QStringLiteral("chkWrite"));
    lblEhh =
        namedLabel(rights, "lblEhh",
                   QStringLiteral("Az igazgató és az osztály osztályfőnökének jogait nem lehet módosítani."));
    lblEhh->setWordWrap(true);
    lblEhh->hide();
    auto *periodRow = new QHBoxLayout;
    periodRow->addWidget(Label4);
    periodRow->addWidget(cmbPeriod, 1);
    auto *boxRow = new QHBoxLayout;
    boxRow->addWidget(chkRead);
    boxRow->addWidget(chkWrite);
    boxRow->addStretch(1);
    auto *rightsLayout = new QVBoxLayout(rights);
    rightsLayout->addLayout(periodRow);
    rightsLayout->addWidget(Label6);
    rightsLayout->addWidget(dlClasses, 1);
    rightsLayout->addLayout(boxRow);
    rightsLayout->addWidget(lblEhh);

    TabStrip1->addTab(Frames[0], QStringLiteral("Általános"));
    TabStrip1->addTab(Frames[1], QStringLiteral("Jogok"));

    btnOK = namedButton(this, "btnOK", QStringLiteral("OK"));
    btnOK->setDefault(true);
    btnCancel = namedButton(this, "btnCancel", QStringLiteral("&Mégse"));
    auto *main = new QVBoxLayout(this);
    main->addWidget(TabStrip1, 1);
    main->addLayout(rightAlignedRow({btnOK, btnCancel}));
    resize(560, 420);

    showBoxes({}, false);
    FillPeriodList(cmbPeriod);
    cmbPeriod_Click();

    connectGuarded(cmbPeriod, qOverload<int>(&QComboBox::currentIndexChanged), this,
                   &frmProfile::cmbPeriod_Click);
    connectGuarded(dlClasses, &QTreeWidget::currentItemChanged, this, &frmProfile::dlClasses_Click);
    connectGuarded(chkRead, &QCheckBox::clicked, this, &frmProfile::chkRead_Click);
    connectGuarded(chkWrite, &QCheckBox::clicked, this, &frmProfile::chkWrite_Click);
    connectGuarded(TabStrip1, &QTabWidget::currentChanged, this, &frmProfile::TabStrip1_Click);
    connectGuarded(btnOK, &QPushButton::clicked, this, &frmProfile::btnOK_Click);
    connectGuarded(btnResetPass, &QPushButton::clicked, this, &frmProfile::btnResetPass_Click);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void frmProfile::PrepareNewUser() {
    m_newUser = true;
    m_usrId = 0;
    m_isAdmin = false;
    m_readOnly = false;
    setWindowTitle(QStringLiteral("Felhasználó adatai: <új>"));
    btnOK->setText(QStringLiteral("Létrehozás"));
    btnResetPass->hide();
    Fields_Change();
}

void frmProfile::LoadData(const Record &user, bool readOnly) {
    m_usrId = user.value(QStringLiteral("usr_id")).toLongLong();
    m_newUser = false;
    m_readOnly = readOnly;
    m_isAdmin = user.toBool(QStringLiteral("usr_admin_rights"));
    setWindowTitle(QStringLiteral("Felhasználó adatai: ") + user.toString(QStringLiteral("usr_nev")));
    const QString stored[FieldCount] = {user.toString(QStringLiteral("usr_login")),
                                        user.toString(QStringLiteral("usr_nev")),
                                        user.toString(QStringLiteral("usr_beosztas"))};
    for (int i = 0; i < FieldCount; ++i) {
        // A field would cut a longer text, and OK would then store the cut one.
        Fields[i]->setMaxLength(qMax(kMaxLengths[i], int(stored[i].size())));
        Fields[i]->setText(stored[i]);
    }
    for (QLineEdit *field : Fields)
        field->setReadOnly(readOnly);
    btnOK->setVisible(!readOnly);
    btnOK->setText(QStringLiteral("OK"));
    btnResetPass->setVisible(!readOnly);
    btnCancel->setText(readOnly ? QStringLiteral("OK") : QStringLiteral("&Mégse"));
    btnCancel->setDefault(readOnly);
    if (m_isAdmin)
        showBoxes(AdminRules::boxesForLevel(modSub::RightAdmin), false);
    dlClasses_Click();
    Fields_Change();
}

bool frmProfile::fieldsAcceptable() const {
    return AdminRules::isAcceptableUser(Fields[Login]->text(), Fields[FullName]->text());
}

void frmProfile::Fields_Change() {
    const bool ok = fieldsAcceptable();
    btnOK->setEnabled(ok);
    lblWarning->setVisible(!ok);
}

void frmProfile::cmbPeriod_Click() {
    dlClasses->clear();
    if (cmbPeriod->currentIndex() < 0)
        return;
    const Recordset rs = AppData::current().devDB.run(QStringLiteral("getPeriodClassesWithTeacher"),
                                                      {cmbPeriod->currentData()});
    for (int i = 0; i < rs.count(); ++i) {
        const int startYear = rs.at(i, QStringLiteral("osz_indulas_eve")).toInt();
        auto *item = new QTreeWidgetItem(dlClasses);
        item->setText(0, rs.at(i, QStringLiteral("osz_evfolyam")).toString() + QStringLiteral(". ") +
                             rs.at(i, QStringLiteral("osz_nev")).toString());
        item->setData(0, IdRole, rs.at(i, QStringLiteral("osz_id")));
        item->setText(1, QStringLiteral("%1/%2").arg(startYear).arg(startYear + 1));
        item->setText(2, rs.at(i, QStringLiteral("usr_nev")).toString());
        item->setText(3, rs.at(i, QStringLiteral("osz_megj")).toString());
    }
    for (int c = 0; c < dlClasses->columnCount(); ++c)
        dlClasses->resizeColumnToContents(c);
    dlClasses_Click();
}

qint64 frmProfile::selectedClass() const {
    const QTreeWidgetItem *item = dlClasses->currentItem();
    return item ? item->data(0, IdRole).toLongLong() : 0;
}

void frmProfile::showBoxes(const AdminRules::RightBoxes &boxes, bool editable) {
    chkRead->setChecked(boxes.read);
    chkWrite->setChecked(boxes.write);
    chkRead->setEnabled(editable);
    chkWrite->setEnabled(editable);
    lblEhh->setVisible(boxes.locked);
}

void frmProfile::dlClasses_Click() {
    const qint64 oszId = selectedClass();
    if (oszId == 0 || m_usrId == 0) {
        if (!m_isAdmin)
            showBoxes({}, false);
        return;
    }
    const AdminRules::RightBoxes boxes = AdminRules::boxesForLevel(modSub::GetClassRight(oszId, m_usrId));
    showBoxes(boxes, !boxes.locked && !m_readOnly);
}

void frmProfile::storeRights(const AdminRules::RightBoxes &stored, const AdminRules::RightBoxes &wanted) {
    // The boxes show what is stored: the clicked box goes back until the write has succeeded, so a failed
    // write (its message shown by the guard) leaves no right on the screen that is not in the database.
    showBoxes(stored, true);
    AppData::current().devDB.run(QStringLiteral("updateUsrRightsToClass"),
                                 {AdminRules::rightsType(wanted), m_usrId, selectedClass()});
    showBoxes(wanted, true);
}

void frmProfile::chkRead_Click(bool checked) {
    if (selectedClass() == 0)
        return;
    const AdminRules::RightBoxes stored{!checked, chkWrite->isChecked(), false};
    storeRights(stored, AdminRules::readClicked(stored, checked));
}

void frmProfile::chkWrite_Click(bool checked) {
    if (selectedClass() == 0)
        return;
    const AdminRules::RightBoxes stored{chkRead->isChecked(), !checked, false};
    storeRights(stored, AdminRules::writeClicked(stored, checked));
}

void frmProfile::TabStrip1_Click(int index) {
    if (m_switchingTab || !m_newUser || index == 0)
        return;
    // The rights belong to a stored user: stay on the first tab until the user exists.
    m_switchingTab = true;
    TabStrip1->setCurrentIndex(0);
    m_switchingTab = false;
    if (!fieldsAcceptable()) {
        dialogs().warn(this, kWarning);
        return;
    }
    if (!dialogs().ask(this, QStringLiteral("A folytatáshoz létre kell hozni a felhasználót. Létrehozza?")))
        return;
    if (createUser())
        TabStrip1->setCurrentIndex(index);
}

bool frmProfile::createUser() {
    CommandSet &db = AppData::current().devDB;
    const QString login = Fields[Login]->text().trimmed();
    Record created;
    {
        // Counted and added in one transaction, so two administrators cannot add one login twice.
        Transaction t(db.connection());
        if (db.run(QStringLiteral("countUser"), {login}).at(0, QStringLiteral("Cnt")).toInt() != 0) {
            t.commit();
            dialogs().warn(this, kLoginTaken);
            Fields[Login]->setFocus();
            Fields[Login]->selectAll();
            return false;
        }
        const qint64 id = db.run(QStringLiteral("addUser"), {Fields[FullName]->text().trimmed(), login,
                                                             Fields[Remark]->text().trimmed()})
                              .newKey();
        created = db.run(QStringLiteral("getSpecUser"), {id}).record();
        t.commit();
    }
    LoadData(created, false);
    emit usersChanged();
    return true;
}

bool frmProfile::updateUser() {
    CommandSet &db = AppData::current().devDB;
    const QString login = Fields[Login]->text().trimmed();
    Transaction t(db.connection());
    // Another user may not take this login; the user's own row is no obstacle (a change of case).
    const Recordset same = db.run(QStringLiteral("getUserByName"), {login});
    for (int i = 0; i < same.count(); ++i)
        if (same.at(i, QStringLiteral("usr_id")).toLongLong() != m_usrId) {
            t.commit();
            dialogs().warn(this, kLoginTaken);
            Fields[Login]->setFocus();
            Fields[Login]->selectAll();
            return false;
        }
    db.run(QStringLiteral("updateUser"),
           {Fields[FullName]->text().trimmed(), login, Fields[Remark]->text().trimmed(), m_usrId});
    t.commit();
    // Users who change their own data are known by it at once: the log and the main window's title.
    LoginState &self = AppData::current().login;
    if (m_usrId == self.userId()) {
        const Recordset stored = db.run(QStringLiteral("getSpecUser"), {m_usrId});
        if (stored.count())
            self.currentUser = stored.record();
    }
    emit usersChanged();
    return true;
}

void frmProfile::btnOK_Click() {
    if (!fieldsAcceptable())
        return;
    if (m_newUser ? createUser() : updateUser())
        accept();
}

void frmProfile::btnResetPass_Click() {
    if (!dialogs().ask(this, QStringLiteral("Biztosan törölni akarja a jelszót?")))
        return;
    AppData::current().devDB.run(QStringLiteral("resetPassword"), {m_usrId});
    dialogs().inform(
        this, QStringLiteral("Következő bejelentkezéskor a felhasználó új jelszó megadásával léphet be."));
}
