#pragma once

#include "data/Recordset.h"

#include <QDialog>

class QComboBox;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;
class frmMain;

// Choosing the period, class and pupil whose rating the editor opens. Created once by the editor and shown
// modally each time the user asks for another pupil.
class frmKid : public QDialog {
    Q_OBJECT
public:
    explicit frmKid(frmMain *editor);

    // Fills the period list; false (after telling the user) when there is no active period.
    bool prepare();
    void LoadClasses();
    void dlClass_Click();
    void btnSelect_Click();
    void btnExport_Click();

    int Rite() const { return m_rite; }
    bool IsActive() const { return m_isActive; }
    qint64 period() const { return m_period; }
    qint64 classId() const;

    // The chosen rating (the ERTEKELES row) and the pupil with his class (TANULO, ERTEKELES, OSZTALY).
    Recordset rating;
    Recordset student;
    bool ratingOpen = false;
    bool readOnly = false;

    QComboBox *cmbPeriod;
    QTreeWidget *dlClass;
    QTreeWidget *listKid;
    QPushButton *btnSelect;
    QPushButton *btnCancel;
    QPushButton *btnExport;
    QPushButton *btnClassPdf;

private:
    void cmbPeriod_Click();
    void listKid_Click();
    void btnClassPdf_Click();
    bool classRowIsLocked(const QTreeWidgetItem *row) const;

    frmMain *m_editor;
    int m_rite = 0;
    bool m_isActive = false;
    qint64 m_period = 0;
};
