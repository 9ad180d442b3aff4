#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// The three-way question asked when a new sentence goes into a rating.
class frmMsgBox : public QDialog {
    Q_OBJECT
public:
    enum Answer { Cancel = 0, InsertOnly = 1, SaveSentence = 2 };
    explicit frmMsgBox(QWidget *parent = nullptr);
    int Result() const { return m_result; }

    QLabel *Label1;
    QPushButton *btnOKSave;
    QPushButton *btnOKNoSave;
    QPushButton *btnCancel;
    QLabel *Image1;

private:
    void answer(int result);
    int m_result = Cancel;
};
