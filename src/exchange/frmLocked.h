#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class QRadioButton;
class QTreeWidget;

// Releasing locks left behind: ratings held open for editing in the active period, and classes checked out
// to a teacher. For an administrator, after a crash or a lost checkout copy.
class frmLocked : public QDialog {
    Q_OBJECT
public:
    explicit frmLocked(QWidget *parent = nullptr);

    QLabel *lblPeriod;
    QRadioButton *Option1;
    QRadioButton *Option2;
    QTreeWidget *lvLocks;
    QTreeWidget *lvExports;
    QPushButton *btnUnlock;
    QPushButton *btnClose;

private:
    void fillLocks();
    void fillExports();
    void Option1_Click();
    void Option2_Click();
    void btnUnlock_Click();

    qint64 m_period = 0;
};
