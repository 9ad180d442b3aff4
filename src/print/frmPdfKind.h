#pragma once

#include "print/PrintOptions.h"

#include <QDialog>

class QPushButton;
class QRadioButton;

// Asks which document of a whole class goes into one PDF: the certificate, the A4 certificate or the
// register sheet.
class frmPdfKind : public QDialog {
    Q_OBJECT
public:
    explicit frmPdfKind(QWidget *parent = nullptr);
    PrintOptions::Document kind() const;

    QRadioButton *optBizonyitvany;
    QRadioButton *optA4;
    QRadioButton *optTorzslap;
    QPushButton *cmdOk;
    QPushButton *cmdMegse;
};
