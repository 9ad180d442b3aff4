// Users and their rights, school data, and the administration items of the main menu.
#include "SchoolFixture.h"
#include "ScriptedDialogService.h"
#include "TestDatabase.h"
#include "admin/AdminRules.h"
#include "admin/frmManageUsers.h"
#include "admin/frmProfile.h"
#include "admin/frmSchool.h"
#include "rating/EditorContext.h"
#include "shell/frmAuth.h"
#include "shell/frmMenu.h"
#include "ui/ItemRoles.h"
#include "ui/ValidMark.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>

using Icon = DialogService::Icon;

namespace {

QStringList listTexts(const QListWidget *list) {
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

QStringList comboTexts(const QComboBox *combo) {
    QStringList out;
    for (int i = 0; i < combo->count(); ++i)
        out << combo->itemText(i);
    return out;
}

template <typename T> T *child(QObject *window, const char *name) {
    T *found = window->findChild<T *>(QString::fromLatin1(name));
    if (!found)
        QTest::qFail(qPrintable(QStringLiteral("no control ") + QString::fromLatin1(name)), __FILE__,
                     __LINE__);
    return found;
}

void selectClass(QDialog *profile, qint64 oszId) {
    auto *classes = child<QTreeWidget>(profile, "dlClasses");
    for (int i = 0; i < classes->topLevelItemCount(); ++i)
        if (classes->topLevelItem(i)->data(0, IdRole).toLongLong() == oszId)
            classes->setCurrentItem(classes->topLevelItem(i));
}

} // namespace

class tst_admin : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void userFieldCheck_data();
    void userFieldCheck();
    void newUserThroughTheRightsTab();
    void duplicateLoginRefused_data();
    void duplicateLoginRefused();
    void lockedRightsBoxes_data();
    void lockedRightsBoxes();
    void editAndDeleteUser();
    void deletingLastAdministratorRefused();
    void passwordReset();
    void ownDataReadOnlyFromMenu();
    void postalCode_data();
    void postalCode();
    void schoolDataCreatedThenUpdated();
    void schoolDataReadOnlyForTeacher();

private:
    std::unique_ptr<TestDatabase> m_db;
    std::unique_ptr<SchoolFixture> m_school;
    std::unique_ptr<ScriptedDialogService> m_dialogs;
    std::unique_ptr<frmAuth> m_auth;
};

void tst_admin::init() {
    m_db = std::make_unique<TestDatabase>();
    m_school = std::make_unique<SchoolFixture>(*m_db);
    m_dialogs = std::make_unique<ScriptedDialogService>();
    m_auth = std::make_unique<frmAuth>();
    m_auth->ReloadUsers();
    m_db->loginAs(m_school->admin);
}

void tst_admin::cleanup() {
    m_dialogs->verifyDone();
    m_auth.reset();
    m_dialogs.reset();
    m_school.reset();
    m_db.reset();
}

void tst_admin::userFieldCheck_data() {
    QTest::addColumn<QString>("login");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("acceptable");
    QTest::newRow("both given") << "zoli"
                                << "Tóth Zoltán" << true;
    QTest::newRow("space in login") << "to zoli"
                                    << "Tóth Zoltán" << false;
    QTest::newRow("blank after login") << "zoli "
                                       << "Tóth Zoltán" << false;
    QTest::newRow("empty login") << ""
                                 << "Tóth Zoltán" << false;
    QTest::newRow("empty name") << "zoli"
                                << "" << false;
    QTest::newRow("blank name") << "zoli"
                                << "   " << false;
    QTest::newRow("accented login") << "őrző"
                                    << "Őrző Ödön" << true;
}

void tst_admin::userFieldCheck() {
    QFETCH(QString, login);
    QFETCH(QString, name);
    QFETCH(bool, acceptable);
    QCOMPARE(AdminRules::isAcceptableUser(login, name), acceptable);
    frmProfile profile;
    profile.PrepareNewUser();
    child<QLineEdit>(&profile, "Fields_0")->setText(login);
    child<QLineEdit>(&profile, "Fields_1")->setText(name);
    QCOMPARE(child<QPushButton>(&profile, "btnOK")->isEnabled(), acceptable);
    QCOMPARE(child<QLabel>(&profile, "lblWarning")->isVisibleTo(&profile), !acceptable);
}

void tst_admin::newUserThroughTheRightsTab() {
    frmManageUsers users;
    users.ReloadUsers();
    QCOMPARE(listTexts(users.dlUsers),
             QStringList(
                 {QStringLiteral("Igazgató Úr"), QStringLiteral("Kiss Anna"), QStringLiteral("Nagy Béla")}));
    qint64 created = 0;
    m_dialogs->expectModal(QStringLiteral("frmProfile"), [&](QDialog *d) {
        auto *profile = qobject_cast<frmProfile *>(d);
        auto *tabs = child<QTabWidget>(d, "TabStrip1");
        [&] {
            QCOMPARE(d->windowTitle(), QStringLiteral("Felhasználó adatai: <új>"));
            QCOMPARE(child<QPushButton>(d, "btnOK")->text(), QStringLiteral("Létrehozás"));
        }();
        child<QLineEdit>(d, "Fields_0")->setText(QStringLiteral("zoli"));
        child<QLineEdit>(d, "Fields_1")->setText(QStringLiteral("Ábel Zoltán"));
        child<QLineEdit>(d, "Fields_2")->setText(QStringLiteral("napközis"));
        // Answering No keeps the first tab and creates nobody.
        m_dialogs->expectMessage(
            QStringLiteral("A folytatáshoz létre kell hozni a felhasználót. Létrehozza?"), Icon::Question,
            QMessageBox::No);
        tabs->setCurrentIndex(1);
        [&] { QCOMPARE(tabs->currentIndex(), 0); }();
        m_dialogs->expectMessage(
            QStringLiteral("A folytatáshoz létre kell hozni a felhasználót. Létrehozza?"), Icon::Question,
            QMessageBox::Yes);
        tabs->setCurrentIndex(1);
        created = profile->userId();
        [&] {
            QCOMPARE(tabs->currentIndex(), 1);
            QVERIFY(created > 0);
            QCOMPARE(d->windowTitle(), QStringLiteral("Felhasználó adatai: Ábel Zoltán"));
            QCOMPARE(child<QPushButton>(d, "btnOK")->text(), QStringLiteral("OK"));
            // Both lists know the new user at once, the managed list in Hungarian order.
            QVERIFY(comboTexts(m_auth->cmbUsers).contains(QStringLiteral("zoli")));
            QCOMPARE(listTexts(users.dlUsers).first(), QStringLiteral("Ábel Zoltán"));
        }();

        // The rights of the active period's class: a first look creates an empty rights row.
        auto *read = child<QCheckBox>(d, "chkRead");
        auto *write = child<QCheckBox>(d, "chkWrite");
        auto rightsRow = [&] {
            return m_db->scalar(
                QStringLiteral("SELECT jog_tipus FROM JOG WHERE jog_usr_id=? AND jog_osz_id=?"),
                {created, m_school->cls});
        };
        selectClass(d, m_school->cls);
        [&] {
            QCOMPARE(child<QTreeWidget>(d, "dlClasses")->topLevelItem(0)->text(0), QStringLiteral("2. a"));
            QCOMPARE(child<QTreeWidget>(d, "dlClasses")->topLevelItem(0)->text(1),
                     QStringLiteral("2020/2021"));
            QCOMPARE(rightsRow(), QVariant(QString()));
            QVERIFY(read->isEnabled() && write->isEnabled());
            QVERIFY(!read->isChecked() && !write->isChecked());
        }();
        struct Step {
            QCheckBox *box;
            bool readAfter, writeAfter;
            const char *stored;
        };
        const Step steps[] = {{write, true, true, "I"},
                              {read, false, false, ""},
                              {read, true, false, "O"},
                              {write, true, true, "I"},
                              {write, true, false, "O"}};
        for (const Step &s : steps) {
            s.box->click();
            [&] {
                QCOMPARE(read->isChecked(), s.readAfter);
                QCOMPARE(write->isChecked(), s.writeAfter);
                QCOMPARE(rightsRow().toString(), QString::fromLatin1(s.stored));
                QCOMPARE(
                    m_db->scalar(QStringLiteral("SELECT count(*) FROM JOG WHERE jog_usr_id=?"), {created})
                        .toInt(),
                    1);
            }();
        }
        m_db->failWrites(QStringLiteral("UPDATE"), QStringLiteral("JOG"), QStringLiteral("tiltva"));
        m_dialogs->expectMessage(QStringLiteral("tiltva"), Icon::Critical);
        read->click();
        [&] { QVERIFY(read->isChecked()); }();
        child<QPushButton>(d, "btnOK")->click();
        return d->result();
    });
    users.btnNewUser->click();
    const Recordset row = m_db->db().run(QStringLiteral("getSpecUser"), {created});
    QCOMPARE(row.at(0, QStringLiteral("usr_login")).toString(), QStringLiteral("zoli"));
    QCOMPARE(row.at(0, QStringLiteral("usr_beosztas")).toString(), QStringLiteral("napközis"));
    QCOMPARE(row.at(0, QStringLiteral("usr_paswd")).toString(), QString());
    QVERIFY(!row.at(0, QStringLiteral("usr_admin_rights")).toBool());
}

void tst_admin::duplicateLoginRefused_data() {
    QTest::addColumn<bool>("newUser");
    QTest::addColumn<QString>("login");
    QTest::addColumn<bool>("refused");
    QTest::newRow("new user, same login other case") << true << "ANNA" << true;
    QTest::newRow("new user, free login") << true << "cili" << false;
    QTest::newRow("renamed to another's login") << false << "anna" << true;
    QTest::newRow("own login in other case") << false << "BELA" << false;
}

void tst_admin::duplicateLoginRefused() {
    QFETCH(bool, newUser);
    QFETCH(QString, login);
    QFETCH(bool, refused);
    const int usersBefore = m_db->scalar(QStringLiteral("SELECT count(*) FROM USERS")).toInt();
    frmProfile profile;
    if (newUser)
        profile.PrepareNewUser();
    else
        profile.LoadData(m_db->db().run(QStringLiteral("getSpecUser"), {m_school->other}).record(), false);
    profile.Fields[frmProfile::Login]->setText(login);
    profile.Fields[frmProfile::FullName]->setText(QStringLiteral("Valaki Más"));
    if (refused)
        m_dialogs->expectMessage(QStringLiteral("Már létezik ilyen nevű felhasználó!"), Icon::Exclamation);
    profile.btnOK->click();
    QCOMPARE(profile.result(), refused ? int(QDialog::Rejected) : int(QDialog::Accepted));
    QCOMPARE(m_db->scalar(QStringLiteral("SELECT count(*) FROM USERS")).toInt(),
             usersBefore + (newUser && !refused ? 1 : 0));
    QCOMPARE(m_db->scalar(QStringLiteral("SELECT count(*) FROM USERS WHERE usr_nev='Valaki Más'")).toInt(),
             refused ? 0 : 1);
}

void tst_admin::lockedRightsBoxes_data() {
    QTest::addColumn<QString>("who");
    QTest::addColumn<bool>("locked");
    QTest::addColumn<bool>("checked");
    QTest::newRow("form teacher") << "form teacher" << true << true;
    QTest::newRow("administrator") << "administrator" << true << true;
    QTest::newRow("teacher with write right") << "writer" << false << true;
    QTest::newRow("teacher without rights") << "nobody" << false << false;
}

void tst_admin::lockedRightsBoxes() {
    QFETCH(QString, who);
    QFETCH(bool, locked);
    QFETCH(bool, checked);
    qint64 user = m_school->other;
    if (who == QLatin1String("form teacher"))
        m_db->db().connection().query(QStringLiteral("UPDATE OSZTALY SET osz_ofonok_usr_id=? WHERE osz_id=?"),
                                      {user, m_school->cls});
    else if (who == QLatin1String("administrator"))
        user = m_school->admin;
    else if (who == QLatin1String("writer"))
        user = m_school->teacher;
    frmProfile profile;
    profile.LoadData(m_db->db().run(QStringLiteral("getSpecUser"), {user}).record(), false);
    profile.TabStrip1->setCurrentIndex(1);
    selectClass(&profile, m_school->cls);
    QCOMPARE(profile.chkRead->isChecked(), checked);
    QCOMPARE(profile.chkWrite->isChecked(), checked);
    QCOMPARE(profile.chkRead->isEnabled(), !locked);
    QCOMPARE(profile.chkWrite->isEnabled(), !locked);
    QCOMPARE(profile.lblEhh->isVisibleTo(&profile), locked);
    if (who == QLatin1String("form teacher"))
        QCOMPARE(profile.dlClasses->topLevelItem(0)->text(2), QStringLiteral("Nagy Béla"));
}

void tst_admin::editAndDeleteUser() {
    m_db->loginAs(m_school->other); // who renames himself
    frmManageUsers users;
    users.ReloadUsers();
    m_dialogs->expectMessage(QStringLiteral("Nincs elem kiválasztva!"), Icon::Information);
    users.btnDelUser->click();
    m_dialogs->expectMessage(QStringLiteral("Nincs elem kiválasztva!"), Icon::Information);
    users.btnEditUser->click();

    // Editing a user changes both lists at once.
    users.dlUsers->setCurrentRow(2); // Nagy Béla
    m_dialogs->expectModal(QStringLiteral("frmProfile"), [](QDialog *d) {
        auto *profile = qobject_cast<frmProfile *>(d);
        [&] { QCOMPARE(d->windowTitle(), QStringLiteral("Felhasználó adatai: Nagy Béla")); }();
        profile->Fields[frmProfile::Login]->setText(QStringLiteral("arpi"));
        profile->Fields[frmProfile::FullName]->setText(QStringLiteral("Árpád Béla"));
        profile->btnOK->click();
        return d->result();
    });
    users.btnEditUser->click();
    QCOMPARE(listTexts(users.dlUsers),
             QStringList(
                 {QStringLiteral("Árpád Béla"), QStringLiteral("Igazgató Úr"), QStringLiteral("Kiss Anna")}));
    QCOMPARE(users.dlUsers->currentItem()->text(), QStringLiteral("Árpád Béla"));
    QCOMPARE(comboTexts(m_auth->cmbUsers),
             QStringList({QStringLiteral("anna"), QStringLiteral("arpi"), QStringLiteral("igazgato")}));

    users.dlUsers->setCurrentRow(2); // Kiss Anna
    m_dialogs->expectMessage(QStringLiteral("Biztosan törli a kijelölt felhasználót?"), Icon::Question,
                             QMessageBox::No);
    users.btnDelUser->click();
    QCOMPARE(users.dlUsers->count(), 3);

    m_dialogs->expectMessage(QStringLiteral("Biztosan törli a kijelölt felhasználót?"), Icon::Question,
                             QMessageBox::Yes);
    users.btnDelUser->click();
    QCOMPARE(listTexts(users.dlUsers),
             QStringList({QStringLiteral("Árpád Béla"), QStringLiteral("Igazgató Úr")}));
    QCOMPARE(comboTexts(m_auth->cmbUsers), QStringList({QStringLiteral("arpi"), QStringLiteral("igazgato")}));
    users.dlUsers->setCurrentRow(0);
    m_dialogs->expectMessage(QStringLiteral("Saját magát nem törölheti!"), Icon::Exclamation);
    users.btnDelUser->click();
    QCOMPARE(m_db->scalar(QStringLiteral("SELECT count(*) FROM JOG WHERE jog_usr_id=?"), {m_school->teacher})
                 .toInt(),
             0);
    const Recordset log = m_db->db().connection().query(QStringLiteral("SELECT * FROM LOG"));
    QCOMPARE(log.count(), 1);
    QCOMPARE(log.at(0, QStringLiteral("log_tabla")).toString(), QStringLiteral("USERS"));
    QCOMPARE(log.at(0, QStringLiteral("log_rekord_id")).toLongLong(), m_school->teacher);
    QCOMPARE(log.at(0, QStringLiteral("log_megj")).toString(), QStringLiteral("Felhasznalo torlese"));
    QCOMPARE(log.at(0, QStringLiteral("log_usr_login")).toString(), QStringLiteral("arpi"));
}

void tst_admin::deletingLastAdministratorRefused() {
    m_db->loginAs(m_school->teacher);
    frmManageUsers users;
    users.ReloadUsers();
    users.dlUsers->setCurrentRow(0);
    m_dialogs->expectMessage(QStringLiteral("Az utolsó igazgatói jogú felhasználót nem lehet törölni!"),
                             Icon::Exclamation);
    users.btnDelUser->click();
    QCOMPARE(m_db->scalar(QStringLiteral("SELECT count(*) FROM USERS")).toInt(), 3);
}

void tst_admin::passwordReset() {
    m_db->db().connection().query(
        QStringLiteral("UPDATE USERS SET usr_paswd='x', usr_emlekezteto='emlék' WHERE usr_id=?"),
        {m_school->teacher});
    frmProfile profile;
    profile.LoadData(m_db->db().run(QStringLiteral("getSpecUser"), {m_school->teacher}).record(), false);
    QVERIFY(profile.btnResetPass->isVisibleTo(&profile));
    m_dialogs->expectMessage(QStringLiteral("Biztosan törölni akarja a jelszót?"), Icon::Question,
                             QMessageBox::No);
    profile.btnResetPass->click();
    QCOMPARE(m_db->scalar(QStringLiteral("SELECT usr_paswd FROM USERS WHERE usr_id=?"), {m_school->teacher}),
             QVariant(QStringLiteral("x")));
    m_dialogs->expectMessage(QStringLiteral("Biztosan törölni akarja a jelszót?"), Icon::Question,
                             QMessageBox::Yes);
    m_dialogs->expectMessage(
        QStringLiteral("Következő bejelentkezéskor a felhasználó új jelszó megadásával léphet be."),
        Icon::Information);
    profile.btnResetPass->click();
    QCOMPARE(
        m_db->scalar(QStringLiteral("SELECT usr_paswd || '|' || usr_emlekezteto FROM USERS WHERE usr_id=?"),
                     {m_school->teacher}),
        QVariant(QStringLiteral("|")));
}

void tst_admin::ownDataReadOnlyFromMenu() {
    m_db->db().connection().exec(
        QStringLiteral("UPDATE USERS SET usr_login='kissannamaria' WHERE usr_login='anna'"));
    m_db->loginAs(m_school->teacher);
    EditorContext editors;
    frmMenu menu(editors);
    menu.setAttribute(Qt::WA_DeleteOnClose, false);
    menu.load();
    QVERIFY(menu.mnuMyProfile->isEnabled());
    m_dialogs->expectModal(QStringLiteral("frmProfile"), [&](QDialog *d) {
        auto *profile = qobject_cast<frmProfile *>(d);
        [&] {
            QCOMPARE(d->windowTitle(), QStringLiteral("Felhasználó adatai: Kiss Anna"));
            QCOMPARE(profile->Fields[frmProfile::Login]->text(), QStringLiteral("kissannamaria"));
            for (QLineEdit *field : profile->Fields)
                QVERIFY(field->isReadOnly());
            QVERIFY(!profile->btnOK->isVisibleTo(d));
            QVERIFY(!profile->btnResetPass->isVisibleTo(d));
            QCOMPARE(profile->btnCancel->text(), QStringLiteral("OK"));
            // Own rights can be looked at, not changed.
            profile->TabStrip1->setCurrentIndex(1);
            selectClass(d, m_school->cls);
            QVERIFY(profile->chkRead->isChecked() && profile->chkWrite->isChecked());
            QVERIFY(!profile->chkRead->isEnabled() && !profile->chkWrite->isEnabled());
        }();
        profile->btnCancel->click();
        return d->result();
    });
    menu.mnuMyProfile->trigger();
    QCOMPARE(
        m_db->scalar(QStringLiteral("SELECT jog_tipus FROM JOG WHERE jog_usr_id=?"), {m_school->teacher}),
        QVariant(QStringLiteral("I")));
}

void tst_admin::postalCode_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::newRow("four digits") << "7621" << true;
    QTest::newRow("blanks around") << " 7621 " << true;
    QTest::newRow("letter") << "76a1" << false;
    QTest::newRow("decimal point") << "7621.5" << false;
    QTest::newRow("whole with decimals") << "7621.0" << false;
    QTest::newRow("decimal comma") << "76,21" << false;
    QTest::newRow("plus sign") << "+7621" << false;
    QTest::newRow("leading zero") << "0762" << false;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("too large for the column") << "99999999999" << false;
}

void tst_admin::postalCode() {
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QCOMPARE(AdminRules::isValidPostalCode(text), valid);
    frmSchool school;
    school.load();
    child<QLineEdit>(&school, "txtField_2")->setText(text);
    QCOMPARE(child<QPushButton>(&school, "btnOK")->isEnabled(), valid);
    QCOMPARE(hasInvalidMark(child<QLabel>(&school, "lblIrsz")), !valid);
}

void tst_admin::schoolDataCreatedThenUpdated() {
    const QStringList first = {QStringLiteral("Petőfi Sándor Általános Iskola"), QStringLiteral("027311"),
                               QStringLiteral("7621"), QStringLiteral("Pécs"), QStringLiteral("Fő utca 1.")};
    EditorContext editors;
    frmMenu menu(editors);
    menu.setAttribute(Qt::WA_DeleteOnClose, false);
    menu.load();
    for (int round = 0; round < 2; ++round) {
        m_dialogs->expectModal(QStringLiteral("frmSchool"), [&](QDialog *d) {
            auto *school = qobject_cast<frmSchool *>(d);
            [&] {
                for (int i = 0; i < frmSchool::FieldCount; ++i)
                    QCOMPARE(school->txtField[i]->text(), round == 0 ? QString() : first[i]);
            }();
            for (int i = 0; i < frmSchool::FieldCount; ++i)
                school->txtField[i]->setText(round == 0 ? first[i] : first[i] + QStringLiteral("X"));
            school->txtField[frmSchool::PostalCode]->setText(round == 0 ? QStringLiteral("7621")
                                                                        : QStringLiteral(" 1011 "));
            school->btnOK->click();
            return d->result();
        });
        menu.mnuSchool->trigger();
    }
    const Recordset rows = m_db->db().run(QStringLiteral("getSchoolData"));
    QCOMPARE(rows.count(), 1);
    QCOMPARE(rows.at(0, QStringLiteral("int_nev")).toString(), first[0] + QStringLiteral("X"));
    QCOMPARE(rows.at(0, QStringLiteral("int_irsz")).toInt(), 1011);
    QCOMPARE(rows.at(0, QStringLiteral("int_ut")).toString(), first[4] + QStringLiteral("X"));
    const Recordset log = m_db->db().connection().query(
        QStringLiteral(
            "SELECT * FROM LOG WHERE log_tabla='INTEZMENY' AND log_megj='Intezmenyi adatok modositasa' "
            "AND log_rekord_id=?"),
        {rows.at(0, QStringLiteral("int_id"))});
    QCOMPARE(log.count(), 2);
}

void tst_admin::schoolDataReadOnlyForTeacher() {
    m_db->db().run(QStringLiteral("createSchoolData"), {QStringLiteral("Iskola"), QStringLiteral("1"), 7621,
                                                        QStringLiteral("Pécs"), QStringLiteral("Út")});
    m_db->loginAs(m_school->teacher);
    frmSchool school;
    school.load();
    QCOMPARE(school.txtField[frmSchool::Town]->text(), QStringLiteral("Pécs"));
    for (QLineEdit *field : school.txtField)
        QVERIFY(field->isReadOnly());
    QVERIFY(!school.btnOK->isVisibleTo(&school));
    QCOMPARE(school.btnCancel->text(), QStringLiteral("Be&zár"));
}

LORVANTO_TEST_BOTH_ENGINES_GUI(tst_admin)
#include "tst_admin.moc"
