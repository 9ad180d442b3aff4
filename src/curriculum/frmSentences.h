#pragma once

#include "curriculum/SubjectTree.h"

#include <QDialog>
#include <functional>

class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

// The sentences beneath one node of the curriculum tree: adding, rewriting, deleting, sharing, importing
// and exporting them. Opened modally for a node after LoadSentences.
class frmSentences : public QDialog {
    Q_OBJECT
public:
    explicit frmSentences(QWidget *parent = nullptr);

    // path: the node's full path; id: its key; level: 0 subject, 1 competency, 2 sub-competency.
    void LoadSentences(const QString &path, qint64 id, int level, bool readOnly);
    bool isEditable() const { return m_editable; }
    // The sub-competency that receives new and imported sentences; 0 when the node has none.
    qint64 GetTargetSubComp() const { return m_target; }

    QLabel *Label1;
    QLineEdit *txtPath;
    QTreeWidget *lvSentences;
    QCheckBox *Check1;
    QLineEdit *txtNew;
    QPushButton *btnNew;
    QPushButton *btnRename;
    QPushButton *btnDelete;
    QCheckBox *chkVisible;
    QPushButton *btnImport;
    QPushButton *btnExport;
    QPushButton *btnClose;
    QMenu *mnuPopup;
    QAction *mnuAll;
    QAction *mnuSelection;

private:
    void reload();
    void fillRows();
    void setDefaultButton(QPushButton *button);
    QTreeWidgetItem *selectedRow() const;
    bool rewrite(QTreeWidgetItem *row, const QString &text);
    // Runs a write to one sentence; one deleted meanwhile is told by the guard and the list is read again.
    void writeSentence(const std::function<void()> &write);
    void lvSentences_Click();
    void lvSentences_Edited(QTreeWidgetItem *row, int column);
    void txtNew_Change();
    void btnNew_Click();
    void btnRename_Click();
    void btnDelete_Click();
    void chkVisible_Click(bool checked);
    void btnImport_Click();
    void btnExport_Click();
    void mnuAll_Click();
    void mnuSelection_Click();

    QString m_path;
    qint64 m_id = 0;
    SubjectTree::Level m_level = SubjectTree::Nothing;
    qint64 m_target = 0;
    bool m_editable = false;
    bool m_checkable = false;
};
