#pragma once

#include <QDialog>

class QLabel;
class QListWidget;
class QPushButton;

// "Felhasználók": the list of users, with new, edit and delete.
class frmManageUsers : public QDialog {
    Q_OBJECT
public:
    explicit frmManageUsers(QWidget *parent = nullptr);

    // Refills the list from the database, keeping the chosen user chosen; throws DbError.
    void ReloadUsers();

    QLabel *lblUsers;
    QListWidget *dlUsers;
    QPushButton *btnNewUser;
    QPushButton *btnEditUser;
    QPushButton *btnDelUser;
    QPushButton *btnDone;

private:
    void btnNewUser_Click();
    void btnEditUser_Click();
    void btnDelUser_Click();
    void reloadBothLists();
    // Why the user may not be deleted (oneself, or the last administrator, who alone can manage the
    // school); empty when he may.
    QString deletionRefused(qint64 usrId);
    // The chosen user's key; 0 after telling the user that nothing is chosen.
    qint64 chosenUser();
};
