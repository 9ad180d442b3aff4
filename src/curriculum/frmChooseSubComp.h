#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class QTreeWidget;

// Choosing where sentences of a file go when the import does not start from a node of the tree: the
// curriculum of the active period; a node can be chosen when it can take sentences.
class frmChooseSubComp : public QDialog {
    Q_OBJECT
public:
    explicit frmChooseSubComp(QWidget *parent = nullptr);

    // Fills the tree; false (the user told) when there is no active period or it has no subjects.
    bool load();
    // The sub-competency of the chosen node.
    qint64 target() const { return m_target; }

    QLabel *Label1;
    QTreeWidget *tvSubjects;
    QPushButton *btnOK;
    QPushButton *btnCancel;

private:
    void tvSubjects_Click();

    qint64 m_target = 0;
};
