#pragma once

#include <QDialog>

class QCheckBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QTreeWidget;

// The sentences of an imported file, ticked; the ticked ones are added to a sub-competency.
class frmImportSentences : public QDialog {
    Q_OBJECT
public:
    explicit frmImportSentences(QWidget *parent = nullptr);

    void setSentences(const QStringList &sentences, qint64 akbId);
    int importedCount() const { return m_imported; }

    QLabel *Label1;
    QTreeWidget *lvSentences;
    QCheckBox *chkAll;
    QPushButton *btnImport;
    QPushButton *btnCancel;
    QProgressBar *prgImport;

private:
    void chkAll_Click(bool checked);
    void btnImport_Click();
    void updateImportButton();

    qint64 m_akbId = 0;
    int m_ticked = 0;
    int m_imported = 0;
};
