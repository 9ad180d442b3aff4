#pragma once

#include "shell/AutoSaveSchedule.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;

// The user's autosave interval and the timer that saves the open rating. The main window loads it hidden
// while the rating editor is open so the timer runs, and shows it modally to change the interval.
class frmAutoSave : public QDialog {
    Q_OBJECT
public:
    explicit frmAutoSave(QWidget *parent = nullptr);
    ~frmAutoSave() override;

    // The loaded instance, if any.
    static frmAutoSave *instance();

    QLabel *Label1;
    QLineEdit *txtInterval;
    QLabel *Label2;
    QLabel *lblWarning;
    QPushButton *btnDone;
    QTimer *tmrCheck;

    const AutoSaveSchedule &schedule() const { return m_schedule; }
    // One timer tick (the timer calls it every 100 ms).
    void tmrCheck_Timer();

protected:
    void closeEvent(QCloseEvent *event) override;
    void reject() override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void txtInterval_Change();
    void btnDone_Click();

    AutoSaveSchedule m_schedule;
    bool m_saving = false;
};
