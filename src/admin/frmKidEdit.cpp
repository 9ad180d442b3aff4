#include "admin/frmKidEdit.h"

#include "admin/AdminWidgets.h"
#include "admin/SchoolYear.h"
#include "admin/frmEditKid.h"
#include "data/AppData.h"
#include "data/modSub.h"
#include "rating/RatingParts.h"
#include "ui/Controls.h"
#include "ui/DialogService.h"
#include "ui/Guard.h"
#include "ui/ItemRoles.h"

#include <QDate>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace AdminWidgets;

frmKidEdit::frmKidEdit(QWidget *parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmKidEdit"));
    setWindowTitle(QStringLiteral("Aktív tanulók listája"));
    grdTanulok = makeListView(this, "grdTanulok", pupilColumns());
    grdTanulok->setAccessibleName(QStringLiteral("Aktív tanulók"));
    grdTanulok->setSortingEnabled(true);
    grdTanulok->sortByColumn(0, Qt::AscendingOrder);
    cmdModosit = namedButton(this, "cmdModosit", QStringLiteral("&Módosítás"));
    cmdTorol = namedButton(this, "cmdTorol", QStringLiteral("&Töröl"));
    btnCancel = namedButton(this, "btnCancel", QStringLiteral("Be&zár"));
    Label1 =
        new QLabel(QStringLiteral("Új tanuló felvételéhez kattintson a Beállítások/Értékelés "
                                  "beállításai/Osztályok menüpontra, majd a megfelelő osztály megnyitása "
                                  "után vegye fel a tanulókat!"),
                   this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setWordWrap(true);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(cmdModosit);
    buttons->addWidget(cmdTorol);
    buttons->addStretch(1);
    buttons->addWidget(btnCancel);
    auto *main = new QVBoxLayout(this);
    main->addWidget(grdTanulok, 1);
    main->addWidget(Label1);
    main->addLayout(buttons);
    resize(760, 480);

    connect(grdTanulok, &QTreeWidget::itemSelectionChanged, this, [this] { grdTanulok_Click(); });
    connect(grdTanulok, &QTreeWidget::itemDoubleClicked, this, [this] {
        if (cmdModosit->isEnabled())
            guarded(this, [this] { cmdModosit_Click(); });
    });
    connectGuarded(cmdModosit, &QPushButton::clicked, this, &frmKidEdit::cmdModosit_Click);
    connectGuarded(cmdTorol, &QPushButton::clicked, this, &frmKidEdit::cmdTorol_Click);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    LoadList();
}

void frmKidEdit::LoadList() {
    const QSignalBlocker block(grdTanulok);
    grdTanulok->clear();
    cmdModosit->setEnabled(false);
    cmdTorol->setEnabled(false);
    Recordset active;
    if (!modSub::FindActivePeriod(active))
        return;
    m_tevId = active.field(QStringLiteral("tev_id")).toLongLong();
    CommandSet &db = AppData::current().devDB;
    const Recordset kids = db.run(QStringLiteral("getStudentAll"), {m_tevId});
    grdTanulok->setSortingEnabled(false);
    for (int i = 0; i < kids.count(); ++i) {
        const qint64 tanId = kids.at(i, QStringLiteral("tan_id")).toLongLong();
        const Recordset cls = db.run(QStringLiteral("getClassOfStudent"), {tanId, m_tevId});
        const qint64 oszId = cls.count() ? cls.field(QStringLiteral("osz_id")).toLongLong() : 0;
        const int level = modSub::GetClassRight(oszId);
        if (level < modSub::RightRead)
            continue;
        const QDate born = kids.at(i, QStringLiteral("tan_szdatum")).toDate();
        QString birth = kids.at(i, QStringLiteral("tan_szhely")).toString();
        if (born.isValid())
            birth += QStringLiteral(", ") + RatingParts::longDate(born);
        auto *row = new SortableRow(
            grdTanulok,
            {pupilName(kids, i), kids.at(i, QStringLiteral("tan_anev")).toString(), birth, classTextOf(cls)});
        row->setData(0, IdRole, tanId);
        row->setData(1, ClassIdRole, oszId);
        markLocked(row, SchoolYear::isClassLocked(oszId));
    }
    grdTanulok->setSortingEnabled(true);
}

void frmKidEdit::grdTanulok_Click() {
    const QTreeWidgetItem *row = grdTanulok->currentItem();
    bool may = false;
    if (row && row->isSelected() && !isMarkedLocked(row)) {
        const qint64 oszId = modSub::GetClassOfPupil(row->data(0, IdRole).toLongLong());
        may = modSub::GetClassRight(oszId) > 2;
    }
    cmdModosit->setEnabled(may);
    cmdTorol->setEnabled(may);
}

void frmKidEdit::cmdModosit_Click() {
    const QTreeWidgetItem *row = grdTanulok->currentItem();
    if (!row || !row->isSelected()) {
        dialogs().inform(this, QStringLiteral("Nincs elem kiválasztva."));
        return;
    }
    frmEditKid kid(this);
    if (kid.LoadKid(row->data(0, IdRole).toLongLong(), row->data(1, ClassIdRole).toLongLong(), m_tevId))
        dialogs().runModal(&kid);
    LoadList();
}

void frmKidEdit::cmdTorol_Click() {
    const qint64 tanId = keyOrTell(grdTanulok, this, QStringLiteral("Nincs elem kiválasztva."));
    if (tanId == 0)
        return;
    if (!dialogs().ask(this, QStringLiteral("Biztosan törli a kijelölt tanulót?")))
        return;
    CommandSet &db = AppData::current().devDB;
    Transaction t(db.connection());
    db.run(QStringLiteral("delTanulo"), {tanId});
    // The table name is logged as it has always been written, so older log readers still match it.
    modSub::WriteLog(QStringLiteral("TANUOLO"), tanId, QStringLiteral("DELETE tanulo"));
    t.commit();
    LoadList();
}
