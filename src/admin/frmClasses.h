#pragma once

#include <QDialog>

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QMenu;
class QPushButton;
class QTreeWidget;

// The classes of a period: new, edit and delete, and copying classes of another period into it with their
// rights and pupils.
class frmClasses : public QDialog {
    Q_OBJECT
public:
    explicit frmClasses(QWidget *parent = nullptr);

    QLabel *Label1;
    QComboBox *cmbPeriod;
    QLabel *Label2;
    QTreeWidget *dlClass;
    QPushButton *btnAdd;
    QPushButton *btnEdit;
    QPushButton *btnDelete;
    QPushButton *btnExport;
    QPushButton *btnCancel;
    QLabel *Label3;
    QComboBox *cmbSrcPeriod;
    QTreeWidget *dlSrc;
    QCheckBox *chkAutoAdvance;
    QMenu *mnuPopup;
    QAction *mnuNew;
    QAction *mnuCopy;
    QAction *mnuS1;
    QAction *mnuImport;

    bool copyMode() const { return m_copyMode; }
    // Reloads the class list of the chosen period.
    void LoadClasses();

private:
    void loadList(QTreeWidget *list, qint64 tevId, bool checkable);
    void cmbPeriod_Click();
    void dlClass_Click();
    void btnAdd_Click();
    void mnuNew_Click();
    void mnuCopy_Click();
    void btnEdit_Click();
    void btnDelete_Click();
    void btnCancel_Click();
    void btnExport_Click();
    void mnuImport_Click();
    void copyClasses();
    void setCopyMode(bool on);
    qint64 shownPeriod() const;
    // The class selected in dlClass; 0 when none is.
    qint64 chosenClass() const;
    bool shownPeriodIsActive() const;

    bool m_copyMode = false;
};
