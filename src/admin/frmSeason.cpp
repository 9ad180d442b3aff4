#include "admin/frmSeason.h"

#include "admin/AdminWidgets.h"
#include "admin/SchoolYear.h"
#include "data/AppData.h"
#include "data/Clock.h"
#include "data/modSub.h"
#include "ui/Controls.h"
#include "ui/DialogService.h"
#include "ui/Guard.h"
#include "ui/ItemRoles.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace AdminWidgets;

namespace {
// The first year of the school year under way: it starts in September.
int currentSchoolYear() {
    const QDate today = Clock::now().date();
    return today.month() >= 9 ? today.year() : today.year() - 1;
}
} // namespace

frmSeason::frmSeason(QWidget *parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmSeason"));
    setWindowTitle(QStringLiteral("Értékelési időszakok"));
    grdSeason =
        makeListView(this, "grdSeason",
                     {QStringLiteral("Tanév"), QStringLiteral("Időszak"), QStringLiteral("Megjegyzés")});
    grdSeason->setAccessibleName(QStringLiteral("Értékelési időszakok"));
    chkActive = new QCheckBox(QStringLiteral("Ez az időszak aktív"), this);
    chkActive->setObjectName(QStringLiteral("chkActive"));
    chkActive->setEnabled(false);
    cmdUj = namedButton(this, "cmdUj", QStringLiteral("Ú&j időszak..."));
    btnDelete = namedButton(this, "btnDelete", QStringLiteral("&Töröl"));
    btnCancel = namedButton(this, "btnCancel", QStringLiteral("Be&zár"));

    fmeUj = new QGroupBox(QStringLiteral("Új értékelési időszak"), this);
    fmeUj->setObjectName(QStringLiteral("fmeUj"));
    const int schoolYear = currentSchoolYear();
    txtEv = new QLineEdit(QString::number(schoolYear), fmeUj);
    txtEv->setObjectName(QStringLiteral("txtEv"));
    UpDown1 = new QSpinBox(fmeUj);
    UpDown1->setObjectName(QStringLiteral("UpDown1"));
    UpDown1->setRange(1900, 2999);
    UpDown1->setValue(schoolYear);
    UpDown1->setAccessibleName(QStringLiteral("Tanév léptetése"));
    lblEv = new QLabel(QStringLiteral("/%1").arg(schoolYear + 1), fmeUj);
    lblEv->setObjectName(QStringLiteral("lblEv"));
    cmbHonap = new QComboBox(fmeUj);
    cmbHonap->setObjectName(QStringLiteral("cmbHonap"));
    cmbHonap->addItems(SchoolYear::periodKinds());
    txtMegjegyzes = new QLineEdit(fmeUj);
    txtMegjegyzes->setObjectName(QStringLiteral("txtMegjegyzes"));
    cmdSave = namedButton(fmeUj, "cmdSave", QStringLiteral("OK"));
    cmdCancel = namedButton(fmeUj, "cmdCancel", QStringLiteral("&Mégse"));
    prgCopy = busyBar(fmeUj, "prgCopy", QStringLiteral("A tantárgyak és mondatok másolása"));
    Label1 = labelFor(QStringLiteral("&Tanév:"), txtEv, "Label1");
    Label2 = labelFor(QStringLiteral("&Időszak:"), cmbHonap, "Label2");
    Label3 = labelFor(QStringLiteral("Megje&gyzés:"), txtMegjegyzes, "Label3");

    auto *frame = new QGridLayout(fmeUj);
    auto *year = new QHBoxLayout;
    year->addWidget(txtEv);
    year->addWidget(UpDown1);
    year->addWidget(lblEv);
    year->addStretch(1);
    frame->addWidget(Label1, 0, 0);
    frame->addLayout(year, 0, 1);
    frame->addWidget(Label2, 1, 0);
    frame->addWidget(cmbHonap, 1, 1);
    frame->addWidget(Label3, 2, 0);
    frame->addWidget(txtMegjegyzes, 2, 1);
    auto *frameButtons = new QHBoxLayout;
    frameButtons->addWidget(prgCopy, 1);
    frameButtons->addStretch();
    frameButtons->addWidget(cmdSave);
    frameButtons->addWidget(cmdCancel);
    frame->addLayout(frameButtons, 3, 0, 1, 2);

    auto *side = new QVBoxLayout;
    side->addWidget(cmdUj);
    side->addWidget(btnDelete);
    side->addStretch(1);
    side->addWidget(btnCancel);
    auto *top = new QHBoxLayout;
    auto *left = new QVBoxLayout;
    left->addWidget(grdSeason, 1);
    left->addWidget(chkActive);
    top->addLayout(left, 1);
    top->addLayout(side);
    auto *main = new QVBoxLayout(this);
    main->addLayout(top, 1);
    main->addWidget(fmeUj);
    resize(560, 460);

    connectGuarded(grdSeason, &QTreeWidget::itemSelectionChanged, this, &frmSeason::grdSeason_Click);
    // Only a click by the user activates; ticking it from code when a row is chosen does not.
    connectGuarded(chkActive, &QCheckBox::clicked, this, &frmSeason::chkActive_Click);
    connectGuarded(cmdUj, &QPushButton::clicked, this, &frmSeason::cmdUj_Click);
    connectGuarded(cmdSave, &QPushButton::clicked, this, &frmSeason::cmdSave_Click);
    connectGuarded(cmdCancel, &QPushButton::clicked, this, &frmSeason::cmdCancel_Click);
    connectGuarded(btnDelete, &QPushButton::clicked, this, &frmSeason::btnDelete_Click);
    connectGuarded(txtEv, &QLineEdit::textChanged, this, &frmSeason::txtEv_Change);
    connect(UpDown1, &QSpinBox::valueChanged, this,
            [this](int value) { txtEv->setText(QString::number(value)); });
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);

    cmbHonap->setCurrentIndex(0);
    setCreating(false);
    LoadList();
}

void frmSeason::LoadList() {
    const QSignalBlocker block(grdSeason);
    grdSeason->clear();
    chkActive->setEnabled(false);
    chkActive->setChecked(false);
    const Recordset periods = AppData::current().devDB.run(QStringLiteral("getPeriods"));
    for (int i = 0; i < periods.count(); ++i) {
        const int year = periods.at(i, QStringLiteral("tev_ev")).toInt();
        auto *row =
            new QTreeWidgetItem(grdSeason, {QStringLiteral("%1/%2").arg(year).arg(year + 1),
                                            periods.at(i, QStringLiteral("tev_honap")).toString(),
                                            periods.at(i, QStringLiteral("tev_megjegyzes")).toString()});
        row->setData(0, IdRole, periods.at(i, QStringLiteral("tev_id")));
        if (periods.at(i, QStringLiteral("tev_aktiv")).toBool()) {
            QFont bold = row->font(0);
            bold.setBold(true);
            for (int c = 0; c < 3; ++c)
                row->setFont(c, bold);
        }
    }
}

void frmSeason::grdSeason_Click() {
    const QTreeWidgetItem *row = grdSeason->currentItem();
    chkActive->setEnabled(row != nullptr);
    chkActive->setChecked(row && row->font(0).bold());
}

void frmSeason::chkActive_Click() {
    const qint64 tevId = currentKey(grdSeason);
    if (tevId == 0) {
        dialogs().inform(this, QStringLiteral("Nincs tanév kiválasztva."));
        return;
    }
    AppData::current().devDB.run(QStringLiteral("updateActivePeriod"), {tevId});
    LoadList();
}

void frmSeason::setCreating(bool creating) {
    for (QWidget *w : {static_cast<QWidget *>(grdSeason), static_cast<QWidget *>(cmdUj),
                       static_cast<QWidget *>(btnCancel), static_cast<QWidget *>(btnDelete)})
        w->setEnabled(!creating);
    chkActive->setEnabled(!creating && grdSeason->currentItem());
    fmeUj->setEnabled(creating);
}

void frmSeason::cmdUj_Click() {
    setCreating(true);
    Recordset active;
    if (modSub::FindActivePeriod(active)) {
        const int year = active.field(QStringLiteral("tev_ev")).toInt();
        UpDown1->setRange(year, year + 1);
        txtEv->setText(QString::number(UpDown1->value()));
    }
    txtEv->setFocus();
}

void frmSeason::txtEv_Change() {
    bool ok = false;
    const int year = txtEv->text().trimmed().toInt(&ok);
    lblEv->setText(ok ? QStringLiteral("/%1").arg(year + 1) : QStringLiteral("/"));
    if (ok && year >= UpDown1->minimum() && year <= UpDown1->maximum()) {
        const QSignalBlocker block(UpDown1);
        UpDown1->setValue(year);
    }
}

void frmSeason::cmdSave_Click() {
    const QString yearText = txtEv->text().trimmed();
    // The year goes into a number column: anything else would be lost or refused by the database.
    if (!SchoolYear::isWholeNumber(yearText) || yearText.toInt() < 1900 || yearText.toInt() > 2999) {
        dialogs().warn(this, QStringLiteral("A tanév kezdő évét számmal adja meg (például 2005)!"));
        txtEv->setFocus();
        return;
    }
    fmeUj->setEnabled(false);
    prgCopy->show();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    const bool done = guarded(this, [&] {
        SchoolYear::createPeriod(yearText.toInt(), cmbHonap->currentText(), txtMegjegyzes->text().trimmed(),
                                 [] { QApplication::processEvents(QEventLoop::ExcludeUserInputEvents); });
    });
    prgCopy->hide();
    LoadList();
    if (done) {
        txtMegjegyzes->clear();
        cmdCancel_Click();
    } else {
        fmeUj->setEnabled(true);
    }
}

void frmSeason::cmdCancel_Click() {
    setCreating(false);
}

void frmSeason::btnDelete_Click() {
    const qint64 tevId = currentKey(grdSeason);
    if (tevId == 0) {
        dialogs().inform(this, QStringLiteral("Először kattintson a törölni kívánt időszakra!"));
        return;
    }
    CommandSet &db = AppData::current().devDB;
    if (db.run(QStringLiteral("checkPeriodForRatings"), {tevId}).count() > 0) {
        dialogs().inform(this, QStringLiteral("Az értékelési, minősítési időszakban már van értékelés, "
                                              "minősítés. Nem lehet törölni."));
        return;
    }
    if (grdSeason->topLevelItemCount() == 1) {
        dialogs().inform(this, QStringLiteral("Mindig kell lennie egy értékelési, minősítési időszaknak. Az "
                                              "utolsót nem lehet törölni."));
        return;
    }
    // The active period is where ratings, classes and the next period's curriculum come from.
    Recordset active;
    if (modSub::FindActivePeriod(active) && active.field(QStringLiteral("tev_id")).toLongLong() == tevId) {
        dialogs().inform(this, QStringLiteral("Az aktív értékelési, minősítési időszakot nem lehet törölni. "
                                              "Előbb tegyen aktívvá egy másik időszakot!"));
        return;
    }
    if (dialogs().message(this, QStringLiteral("Biztosan törli a kijelölt értékelési, minősítési időszakot?"),
                          DialogService::Icon::Information,
                          QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
        return;
    db.run(QStringLiteral("deletePeriod"), {tevId});
    LoadList();
}
