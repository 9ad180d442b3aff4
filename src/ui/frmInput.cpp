#include "ui/frmInput.h"

#include "ui/DialogService.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

frmInput::frmInput(QWidget *parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmInput"));
    setWindowTitle(QStringLiteral("Sorszám megadása"));
    lblPrompt = new QLabel(this);
    lblPrompt->setObjectName(QStringLiteral("lblPrompt"));
    lblPrompt->hide();
    Label1 = new QLabel(QStringLiteral("&Sorszám:"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    txtInput = new QLineEdit(this);
    txtInput->setObjectName(QStringLiteral("txtInput"));
    Label1->setBuddy(txtInput);
    cmdOk = new QPushButton(QStringLiteral("OK"), this);
    cmdOk->setObjectName(QStringLiteral("cmdOk"));
    cmdOk->setDefault(true);
    cmdMegse = new QPushButton(QStringLiteral("Mégse"), this);
    cmdMegse->setObjectName(QStringLiteral("cmdMegse"));

    auto *row = new QHBoxLayout;
    row->addWidget(Label1);
    row->addWidget(txtInput, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdOk);
    buttons->addWidget(cmdMegse);
    auto *main = new QVBoxLayout(this);
    main->addWidget(lblPrompt);
    main->addLayout(row);
    main->addLayout(buttons);

    connect(cmdOk, &QPushButton::clicked, this, &frmInput::cmdOk_Click);
    connect(cmdMegse, &QPushButton::clicked, this, &frmInput::cmdMegse_Click);
}

void frmInput::setPrompt(const QString &prompt) {
    lblPrompt->setText(prompt);
    lblPrompt->setVisible(!prompt.isEmpty());
    txtInput->setAccessibleDescription(prompt);
}

void frmInput::cmdOk_Click() {
    if (!dialogs().ask(this, QStringLiteral("Helyes a sorszám: ") + txtInput->text() + QStringLiteral(" ?")))
        return;
    m_answer = QStringLiteral("ok");
    m_serial = txtInput->text();
    accept();
}

void frmInput::cmdMegse_Click() {
    if (dialogs().message(this, QStringLiteral("Biztos felfüggeszti a nyomtatást?"),
                          DialogService::Icon::Question, QMessageBox::Yes | QMessageBox::No,
                          QMessageBox::NoButton, QStringLiteral("FIGYELMEZTETÉS")) != QMessageBox::Yes)
        return;
    m_answer = QStringLiteral("megse");
    m_serial.clear();
    QDialog::reject();
}

void frmInput::reject() {
    // Escape and the close box ask the same question as the Mégse button.
    cmdMegse_Click();
}
