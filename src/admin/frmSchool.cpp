#include "admin/frmSchool.h"

#include "admin/AdminRules.h"
#include "data/AppData.h"
#include "data/modSub.h"
#include "ui/Controls.h"
#include "ui/Guard.h"
#include "ui/ValidMark.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

frmSchool::frmSchool(QWidget *parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmSchool"));
    setWindowTitle(QStringLiteral("Iskola adatai"));

    struct FieldLayout {
        QLabel **label;
        const char *labelName;
        const char *caption;
        int maxLength;
    };
    const FieldLayout fields[FieldCount] = {
        {&Label1, "Label1", "&Név:", 250},    {&Label2, "Label2", "&OM azonosító:", 50},
        {&lblIrsz, "lblIrsz", "&Irsz.:", 11}, {&Label4, "Label4", "&Helység:", 50},
        {&Label5, "Label5", "&Cím:", 50},
    };
    auto *form = new QFormLayout;
    for (int i = 0; i < FieldCount; ++i) {
        QLabel *label = namedLabel(this, fields[i].labelName, QString::fromUtf8(fields[i].caption));
        *fields[i].label = label;
        txtField[i] = new QLineEdit(this);
        txtField[i]->setObjectName(QStringLiteral("txtField_%1").arg(i));
        txtField[i]->setMaxLength(fields[i].maxLength);
        label->setBuddy(txtField[i]);
        form->addRow(label, txtField[i]);
    }
    txtField[Name]->setMinimumWidth(320);

    btnOK = namedButton(this, "btnOK", QStringLiteral("OK"));
    btnOK->setDefault(true);
    btnCancel = namedButton(this, "btnCancel", QStringLiteral("Mégse"));
    auto *main = new QVBoxLayout(this);
    main->addLayout(form);
    main->addLayout(rightAlignedRow({btnOK, btnCancel}));

    connect(txtField[PostalCode], &QLineEdit::textChanged, this, &frmSchool::txtIrsz_Change);
    connectGuarded(btnOK, &QPushButton::clicked, this, &frmSchool::btnOK_Click);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void frmSchool::load() {
    const bool admin = AppData::current().login.isAdmin;
    if (!admin) {
        for (QLineEdit *field : txtField)
            field->setReadOnly(true);
        btnCancel->setText(QStringLiteral("Be&zár"));
        btnCancel->setDefault(true);
        btnOK->hide();
    }
    const Recordset rs = AppData::current().devDB.run(QStringLiteral("getSchoolData"));
    if (rs.count() > 0) {
        const char *const columns[FieldCount] = {"int_nev", "int_omkod", "int_irsz", "int_varos", "int_ut"};
        for (int i = 0; i < FieldCount; ++i)
            txtField[i]->setText(rs.at(0, QString::fromLatin1(columns[i])).toString());
    }
    if (admin)
        txtIrsz_Change();
}

void frmSchool::txtIrsz_Change() {
    const bool valid = AdminRules::isValidPostalCode(txtField[PostalCode]->text());
    btnOK->setEnabled(valid);
    setValidMark(lblIrsz, valid);
}

void frmSchool::btnOK_Click() {
    CommandSet &db = AppData::current().devDB;
    Transaction t(db.connection());
    const Recordset current = db.run(QStringLiteral("getSchoolData"));
    const bool exists = current.count() > 0;
    const Recordset written = db.run(
        exists ? QStringLiteral("updateSchoolData") : QStringLiteral("createSchoolData"),
        {txtField[Name]->text(), txtField[OmCode]->text(), txtField[PostalCode]->text().trimmed().toInt(),
         txtField[Town]->text(), txtField[Street]->text()});
    const qint64 key = exists ? current.at(0, QStringLiteral("int_id")).toLongLong() : written.newKey();
    modSub::WriteLog(QStringLiteral("INTEZMENY"), key, QStringLiteral("Intezmenyi adatok modositasa"));
    t.commit();
    accept();
}
