#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class QTreeWidget;

// The pupils of the active period, for changing and deleting.
class frmKidEdit : public QDialog {
    Q_OBJECT
public:
    explicit frmKidEdit(QWidget *parent = nullptr);

    QTreeWidget *grdTanulok;
    QPushButton *cmdModosit;
    QPushButton *cmdTorol;
    QPushButton *btnCancel;
    QLabel *Label1;

    void LoadList();

private:
    void grdTanulok_Click();
    void cmdModosit_Click();
    void cmdTorol_Click();

    qint64 m_tevId = 0;
};
