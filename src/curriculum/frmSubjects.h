#pragma once

#include "curriculum/SubjectTree.h"

#include <QDialog>

class QAction;
class QComboBox;
class QLabel;
class QMenu;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

// The curriculum tree of a period: browsed by everybody, built and changed by administrators in the
// active period through the right-click menu; a double click opens the sentences of a node.
class frmSubjects : public QDialog {
    Q_OBJECT
public:
    explicit frmSubjects(QWidget *parent = nullptr);

    bool isEditable() const { return m_editable; }
    // Level of the selected node: 0 subject, 1 competency, 2 sub-competency, 3 none.
    int GetNodeLevel() const;

    QLabel *Label1;
    QComboBox *cmbPeriod;
    QPushButton *btnNewSubject;
    QTreeWidget *tvSubjects;
    QLabel *lblInfo;
    QPushButton *btnClose;
    QMenu *mnuPopup;
    QAction *mnuNewSubject;
    QAction *mnuNewComp;
    QAction *mnuNewSubComp;
    QAction *mnuS3;
    QAction *mnuEditSentences;
    QAction *mnuS2;
    QAction *mnuRename;
    QAction *mnuS1;
    QAction *mnuDelete;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void LoadTree();
    void SetEditMode(bool editable);
    void ShowHint();
    void cmbPeriod_Click();
    void tvSubjects_MouseUp(QPoint pos, bool byMouse);
    void tvSubjects_AfterLabelEdit(QTreeWidgetItem *node);
    void openSentences(QTreeWidgetItem *node);
    void startEditing(QTreeWidgetItem *node);
    void mnuNewSubject_Click();
    void mnuNewComp_Click();
    void mnuNewSubComp_Click();
    // A child of the selected node, named so and at once open for typing its name.
    void newChild(int parentLevel, const QString &name, qint64 (*create)(qint64, const QString &));
    void mnuEditSentences_Click();
    void mnuRename_Click();
    void mnuDelete_Click();
    QTreeWidgetItem *selectedNode() const;
    qint64 periodId() const;

    bool m_editable = false;
};
