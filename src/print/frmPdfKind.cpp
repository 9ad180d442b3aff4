#include "print/frmPdfKind.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

frmPdfKind::frmPdfKind(QWidget *parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmPdfKind"));
    setWindowTitle(QStringLiteral("Osztály PDF"));
    auto *box = new QGroupBox(QStringLiteral("Dokumentum"), this);
    optBizonyitvany = new QRadioButton(QStringLiteral("&Bizonyítvány"), box);
    optBizonyitvany->setObjectName(QStringLiteral("optBizonyitvany"));
    optA4 = new QRadioButton(QStringLiteral("&A4 bizonyítvány"), box);
    optA4->setObjectName(QStringLiteral("optA4"));
    optTorzslap = new QRadioButton(QStringLiteral("&Törzslap"), box);
    optTorzslap->setObjectName(QStringLiteral("optTorzslap"));
    optBizonyitvany->setChecked(true);
    auto *options = new QVBoxLayout(box);
    options->addWidget(optBizonyitvany);
    options->addWidget(optA4);
    options->addWidget(optTorzslap);
    cmdOk = new QPushButton(QStringLiteral("OK"), this);
    cmdOk->setObjectName(QStringLiteral("cmdOk"));
    cmdOk->setDefault(true);
    cmdMegse = new QPushButton(QStringLiteral("Mégse"), this);
    cmdMegse->setObjectName(QStringLiteral("cmdMegse"));
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdOk);
    buttons->addWidget(cmdMegse);
    auto *main = new QVBoxLayout(this);
    main->addWidget(box);
    main->addLayout(buttons);
    connect(cmdOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdMegse, &QPushButton::clicked, this, &QDialog::reject);
}

PrintOptions::Document frmPdfKind::kind() const {
    if (optA4->isChecked())
        return PrintOptions::Document::CertificateA4;
    if (optTorzslap->isChecked())
        return PrintOptions::Document::RegisterSheet;
    return PrintOptions::Document::Certificate;
}
