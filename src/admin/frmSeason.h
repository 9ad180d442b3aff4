#pragma once

#include <QDialog>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTreeWidget;

// The evaluation periods: lists them, makes one active, creates a new one with a copy of the active
// period's curriculum and deletes periods that have no ratings.
class frmSeason : public QDialog {
    Q_OBJECT
public:
    explicit frmSeason(QWidget *parent = nullptr);

    QTreeWidget *grdSeason;
    QCheckBox *chkActive;
    QPushButton *cmdUj;
    QPushButton *btnDelete;
    QPushButton *btnCancel;
    QGroupBox *fmeUj;
    QLabel *Label1;
    QLineEdit *txtEv;
    QSpinBox *UpDown1;
    QLabel *lblEv;
    QLabel *Label2;
    QComboBox *cmbHonap;
    QLabel *Label3;
    QLineEdit *txtMegjegyzes;
    QPushButton *cmdSave;
    QPushButton *cmdCancel;
    // Shown while the curriculum is copied into a new period.
    QProgressBar *prgCopy;

    void LoadList();

private:
    void grdSeason_Click();
    void chkActive_Click();
    void cmdUj_Click();
    void cmdSave_Click();
    void cmdCancel_Click();
    void btnDelete_Click();
    void txtEv_Change();
    void setCreating(bool creating);
};
