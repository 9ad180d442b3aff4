#pragma once

#include <QDialog>

class LogModel;
class QLabel;
class QPushButton;
class QTableView;

// "Módosítási jegyzék": the event log in a read-only grid, its export to a text file and the emptying of
// the log that follows a complete export.
class frmLog : public QDialog {
    Q_OBJECT
public:
    explicit frmLog(QWidget *parent = nullptr);

    // Reads the first page of the log; throws DbError.
    void load();

    QLabel *lblGrid;
    QTableView *DataGrid1;
    QPushButton *btnExport;
    QPushButton *btnClose;

private:
    void btnExport_Click();

    LogModel *m_model;
};
