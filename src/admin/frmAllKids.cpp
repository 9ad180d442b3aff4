#include "admin/frmAllKids.h"

#include "admin/AdminWidgets.h"
#include "admin/SchoolYear.h"
#include "data/AppData.h"
#include "data/modSub.h"
#include "rating/RatingParts.h"
#include "ui/Controls.h"
#include "ui/Guard.h"
#include "ui/ItemRoles.h"

#include <QDate>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace AdminWidgets;

frmAllKids::frmAllKids(QWidget *parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmAllKids"));
    setWindowTitle(QStringLiteral("Az iskola tanulói"));
    listKids = makeListView(this, "listKids", pupilColumns());
    Label1 = labelFor(QStringLiteral("&Jelölje ki azokat a tanulókat, akiket az osztályhoz szeretne adni:"),
                      listKids, "Label1");
    btnOK = namedButton(this, "btnOK", QStringLiteral("OK"));
    btnOK->setDefault(true);
    btnCancel = namedButton(this, "btnCancel", QStringLiteral("&Mégse"));
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCancel);
    auto *main = new QVBoxLayout(this);
    main->addWidget(Label1);
    main->addWidget(listKids, 1);
    main->addLayout(buttons);
    resize(760, 480);
    connectGuarded(btnOK, &QPushButton::clicked, this, &frmAllKids::btnOK_Click);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void frmAllKids::GiveData(qint64 oszId, qint64 tevId) {
    m_oszId = oszId;
    m_tevId = tevId;
    listKids->clear();
    CommandSet &db = AppData::current().devDB;
    const Recordset kids = db.run(QStringLiteral("getStudents"));
    for (int i = 0; i < kids.count(); ++i) {
        const qint64 tanId = kids.at(i, QStringLiteral("tan_id")).toLongLong();
        if (db.run(QStringLiteral("checkRatings"), {tanId, oszId, tevId}).count() > 0)
            continue;
        const qint64 current = modSub::GetClassOfPupil(tanId);
        if (current != 0 && SchoolYear::isClassLocked(current))
            continue;
        const QString cls =
            current != 0 ? classTextOf(db.run(QStringLiteral("getSpecClass"), {current})) : QString();
        auto *row = new QTreeWidgetItem(
            listKids, {pupilName(kids, i), kids.at(i, QStringLiteral("tan_anev")).toString(),
                       RatingParts::longDate(kids.at(i, QStringLiteral("tan_szdatum")).toDate()),
                       cls.isEmpty() ? QStringLiteral("<nincs>") : cls});
        row->setData(0, IdRole, tanId);
        row->setCheckState(0, Qt::Unchecked);
    }
}

void frmAllKids::btnOK_Click() {
    QList<qint64> chosen;
    for (int i = 0; i < listKids->topLevelItemCount(); ++i)
        if (listKids->topLevelItem(i)->checkState(0) == Qt::Checked)
            chosen << listKids->topLevelItem(i)->data(0, IdRole).toLongLong();
    SchoolYear::putInClass(chosen, m_oszId, m_tevId);
    accept();
}
