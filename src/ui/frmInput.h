#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

// Asks the printing run for the serial number of the sheet in the printer.
class frmInput : public QDialog {
    Q_OBJECT
public:
    explicit frmInput(QWidget *parent = nullptr);
    // "ok" with the number typed, or "megse" when the user gave up printing.
    QString answer() const { return m_answer; }
    QString serial() const { return m_serial; }
    // The question above the field, naming the sheet whose serial is asked.
    void setPrompt(const QString &prompt);

    QLabel *lblPrompt;
    QLabel *Label1;
    QLineEdit *txtInput;
    QPushButton *cmdOk;
    QPushButton *cmdMegse;

protected:
    void reject() override;

private:
    void cmdOk_Click();
    void cmdMegse_Click();
    QString m_answer = QStringLiteral("megse");
    QString m_serial;
};
