#pragma once

#include "admin/AdminRules.h"
#include "data/Record.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QTreeWidget;
class QTreeWidgetItem;

// A user's data ("Általános") and rights on the classes of a period ("Jogok"). Prepared for a new user or
// loaded with an existing one (read-only when users look at their own data), then shown modally.
class frmProfile : public QDialog {
    Q_OBJECT
public:
    explicit frmProfile(QWidget *parent = nullptr);

    void PrepareNewUser();
    void LoadData(const Record &user, bool readOnly);

    qint64 userId() const { return m_usrId; }
    bool isNewUser() const { return m_newUser; }

    QTabWidget *TabStrip1;
    QWidget *Frames[2]; // the pages of the two tabs (objects Frames_0, Frames_1)

    QLabel *Label1;
    QLabel *Label2;
    QLabel *Label3;
    enum Field { Login, FullName, Remark, FieldCount };
    QLineEdit *Fields[FieldCount]; // objects Fields_0..2
    QLabel *lblWarning;
    QPushButton *btnResetPass;

    QLabel *Label4;
    QComboBox *cmbPeriod;
    QLabel *Label6;
    QTreeWidget *dlClasses;
    QCheckBox *chkRead;
    QCheckBox *chkWrite;
    QLabel *lblEhh;

    QPushButton *btnOK;
    QPushButton *btnCancel;

signals:
    // A user was created or changed: the lists of users are to be read again.
    void usersChanged();

private:
    void Fields_Change();
    void cmbPeriod_Click();
    void dlClasses_Click();
    void chkRead_Click(bool checked);
    void chkWrite_Click(bool checked);
    void TabStrip1_Click(int index);
    void btnOK_Click();
    void btnResetPass_Click();
    bool createUser();
    bool updateUser();
    bool fieldsAcceptable() const;
    void showBoxes(const AdminRules::RightBoxes &boxes, bool editable);
    void storeRights(const AdminRules::RightBoxes &stored, const AdminRules::RightBoxes &wanted);
    qint64 selectedClass() const;

    qint64 m_usrId = 0;
    bool m_newUser = false;
    bool m_isAdmin = false;
    bool m_readOnly = false;
    bool m_switchingTab = false;
};
