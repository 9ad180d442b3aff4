#pragma once

#include <QDialog>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTabWidget;
class QTreeWidget;

// One class: its data on the first tab, its pupils on the second. A new class is written when confirmed
// or when the user goes on to its pupils.
class frmEditClass : public QDialog {
    Q_OBJECT
public:
    explicit frmEditClass(QWidget *parent = nullptr);

    QTabWidget *TabStrip1;
    QLineEdit *txtPeriod;
    QCheckBox *chkOfficial;
    // Fields[1] grade, [2] letter, [3] starting year, [4] remark, each with its label.
    QLineEdit *Fields[5] = {};
    QLabel *Labels[5] = {};
    QComboBox *cmbClassLeader;
    QLabel *LabelN;
    QLabel *lblPair;
    QTreeWidget *listKids;
    QGroupBox *fraAdd;
    QPushButton *mnuNew;
    QPushButton *mnuExisting;
    QPushButton *btnImport;
    QPushButton *btnSample;  // "Minta mentése...": an empty pupil list with the right headings
    QProgressBar *prgImport; // shown while a pupil list is read
    QPushButton *btnEdit;
    QPushButton *btnRemove;
    QPushButton *btnOK;
    QPushButton *btnCancel;

    void PrepareNew(qint64 tevId);
    // False when the class is not there (the user was told).
    bool LoadClass(qint64 oszId);
    void LoadKids();

    qint64 classId() const { return m_oszId; }
    qint64 periodId() const { return m_tevId; }
    bool isLocked() const { return m_locked; }

private:
    bool validate();
    void showPeriod();
    // Writes a new class; false when the input is not valid.
    bool createClass();
    void Fields3_Change();
    void Fields3_LostFocus();
    void TabStrip1_Click(int index);
    void btnOK_Click();
    void mnuNew_Click();
    void mnuExisting_Click();
    void btnEdit_Click();
    void btnRemove_Click();
    void btnImport_Click();
    void btnSample_Click();
    bool eventFilter(QObject *watched, QEvent *event) override;

    qint64 m_oszId = 0;
    qint64 m_tevId = 0;
    bool m_locked = false;
};
