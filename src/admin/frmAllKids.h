#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class QTreeWidget;

// The school's pupils to choose from for a class: a pupil already in a class of the period moves with
// his rating.
class frmAllKids : public QDialog {
    Q_OBJECT
public:
    explicit frmAllKids(QWidget *parent = nullptr);

    QLabel *Label1;
    QTreeWidget *listKids;
    QPushButton *btnOK;
    QPushButton *btnCancel;

    // The class and period the chosen pupils go into; lists the pupils that may be chosen.
    void GiveData(qint64 oszId, qint64 tevId);

private:
    void btnOK_Click();

    qint64 m_oszId = 0;
    qint64 m_tevId = 0;
};
