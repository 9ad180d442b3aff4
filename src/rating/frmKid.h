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

    // The chosen rating (the ERTEKELES row); empty while none is open.
    const Recordset &rating() const { return m_rating; }
    // The pupil of the chosen list row with his class (TANULO, ERTEKELES, OSZTALY).
    const Recordset &student() const { return m_student; }
    // The chosen pupil's rating is locked for this user (another user's lock, a class exported or not
    // imported here); once opened, also a rating this user may only read.
    bool readOnly() const { return m_readOnly; }
    // "Kiválaszt" opened the chosen rating to the end.
    bool ratingOpen() const { return m_ratingOpen; }
    // Forgets the chosen rating: the editor has closed it.
    void closeRating();

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
    Recordset m_rating;
    Recordset m_student;
    bool m_ratingOpen = false;
    bool m_readOnly = false;
    int m_rite = 0;
    bool m_isActive = false;
    qint64 m_period = 0;
};
