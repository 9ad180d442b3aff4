#include "rating/frmKid.h"

#include "data/AppData.h"
#include "data/DbError.h"
#include "data/WriteTarget.h"
#include "data/modSub.h"
#include "exchange/ClassCheckout.h"
#include "print/ClassPdf.h"
#include "rating/RatingLock.h"
#include "rating/RatingParts.h"
#include "rating/frmMain.h"
#include "ui/DialogService.h"
#include "ui/FormParts.h"
#include "ui/Guard.h"
#include "ui/ItemRoles.h"
#include "ui/PeriodList.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
const QColor kLockedRed(255, 0, 0);
} // namespace

frmKid::frmKid(frmMain *editor) : QDialog(editor), m_editor(editor) {
    setObjectName(QStringLiteral("frmKid"));
    setWindowTitle(QStringLiteral("Tanuló kiválasztása"));
    cmbPeriod = new QComboBox(this);
    cmbPeriod->setObjectName(QStringLiteral("cmbPeriod"));
    dlClass = makeListView(
        this, "dlClass",
        {QStringLiteral("Osztály név"), QStringLiteral("Kezdő tanév"), QStringLiteral("Megjegyzés")});
    listKid = makeListView(
        this, "listKid",
        {QStringLiteral("Tanuló neve"), QStringLiteral("Minősítés állapota"), QStringLiteral("Zárolt")});
    btnSelect = new QPushButton(QStringLiteral("Kiválaszt"), this);
    btnSelect->setObjectName(QStringLiteral("btnSelect"));
    btnSelect->setDefault(true);
    btnCancel = new QPushButton(QStringLiteral("&Mégse"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    btnExport =
        new QPushButton(QStringLiteral("Osztály értékeléseinek, minősítéseinek exportálása..."), this);
    btnExport->setObjectName(QStringLiteral("btnExport"));
    // Every pupil's trial document of the chosen class in one PDF, for the screen or the head.
    btnClassPdf = new QPushButton(QStringLiteral("Osztály &PDF..."), this);
    btnClassPdf->setObjectName(QStringLiteral("btnClassPdf"));
    btnClassPdf->setEnabled(false);

    auto *lists = new QHBoxLayout;
    auto *left = new QVBoxLayout;
    left->addWidget(labelFor(QStringLiteral("&Osztály:"), dlClass));
    left->addWidget(dlClass);
    auto *right = new QVBoxLayout;
    right->addWidget(labelFor(QStringLiteral("&Tanuló:"), listKid));
    right->addWidget(listKid);
    lists->addLayout(left, 2);
    lists->addLayout(right, 3);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(btnExport);
    buttons->addWidget(btnClassPdf);
    buttons->addStretch(1);
    buttons->addWidget(btnSelect);
    buttons->addWidget(btnCancel);
    auto *main = new QVBoxLayout(this);
    main->addWidget(labelFor(QStringLiteral("Értékelési, minősítési &időszak:"), cmbPeriod));
    main->addWidget(cmbPeriod);
    main->addLayout(lists, 1);
    main->addLayout(buttons);
    resize(820, 520);

    connectGuarded(cmbPeriod, qOverload<int>(&QComboBox::activated), this, &frmKid::cmbPeriod_Click);
    connectGuarded(dlClass, &QTreeWidget::itemSelectionChanged, this, &frmKid::dlClass_Click);
    connectGuarded(listKid, &QTreeWidget::itemSelectionChanged, this, &frmKid::listKid_Click);
    connect(listKid, &QTreeWidget::itemDoubleClicked, this, [this] {
        if (btnSelect->isEnabled())
            guarded(this, [this] { btnSelect_Click(); });
    });
    connectGuarded(btnSelect, &QPushButton::clicked, this, &frmKid::btnSelect_Click);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    connectGuarded(btnExport, &QPushButton::clicked, this, &frmKid::btnExport_Click);
    connectGuarded(btnClassPdf, &QPushButton::clicked, this, &frmKid::btnClassPdf_Click);
}

bool frmKid::prepare() {
    cmbPeriod->clear();
    FillPeriodList(cmbPeriod);
    // The period the user chose last stays chosen, with its classes, while it is still listed.
    for (int i = 0; m_period != 0 && i < cmbPeriod->count(); ++i)
        if (cmbPeriod->itemData(i).toLongLong() == m_period)
            cmbPeriod->setCurrentIndex(i);
    btnSelect->setEnabled(false);
    Recordset active;
    if (!modSub::FindActivePeriod(active)) {
        dialogs().warn(this, QStringLiteral("Nincs aktív értékelési, minősítési időszak."));
        return false;
    }
    if (dlClass->topLevelItemCount() == 0 || m_period != cmbPeriod->currentData().toLongLong())
        cmbPeriod_Click();
    else
        m_isActive = m_period == active.field(QStringLiteral("tev_id")).toLongLong();
    return true;
}

qint64 frmKid::classId() const {
    const QTreeWidgetItem *row = dlClass->currentItem();
    return row ? row->data(0, IdRole).toLongLong() : 0;
}

void frmKid::closeRating() {
    m_ratingOpen = false;
    m_rating = Recordset();
}

void frmKid::cmbPeriod_Click() {
    Recordset active;
    if (!modSub::FindActivePeriod(active)) {
        dialogs().warn(this, QStringLiteral("Nincs aktív értékelési, minősítési időszak."));
        return;
    }
    m_period = cmbPeriod->currentData().toLongLong();
    m_isActive = m_period == active.field(QStringLiteral("tev_id")).toLongLong();
    LoadClasses();
}

void frmKid::LoadClasses() {
    btnSelect->setEnabled(false);
    btnClassPdf->setEnabled(false);
    const QSignalBlocker blockClasses(dlClass);
    dlClass->clear();
    listKid->clear();
    const bool checkoutCopy = modSub::GetExportState() == 1;
    const Recordset classes = AppData::current().devDB.run(QStringLiteral("getPeriodClasses"), {m_period});
    for (int i = 0; i < classes.count(); ++i) {
        if (classes.at(i, QStringLiteral("osz_torolt")).toBool())
            continue;
        const qint64 oszId = classes.at(i, QStringLiteral("osz_id")).toLongLong();
        const int level = modSub::GetClassRight(oszId);
        if (level == 0)
            continue;
        const bool locked = checkoutCopy != modSub::IsClassExported(oszId);
        const int started = classes.at(i, QStringLiteral("osz_indulas_eve")).toInt();
        auto *row = new QTreeWidgetItem(dlClass, {classes.at(i, QStringLiteral("osz_evfolyam")).toString() +
                                                      QStringLiteral(". ") +
                                                      classes.at(i, QStringLiteral("osz_nev")).toString(),
                                                  QStringLiteral("%1/%2").arg(started).arg(started + 1),
                                                  classes.at(i, QStringLiteral("osz_megj")).toString()});
        row->setData(0, IdRole, oszId);
        row->setData(1, RightsLevelRole, level);
        if (locked)
            for (int c = 0; c < 3; ++c)
                row->setForeground(c, kLockedRed);
    }
}

bool frmKid::classRowIsLocked(const QTreeWidgetItem *row) const {
    return row->foreground(0).color() == kLockedRed;
}

void frmKid::dlClass_Click() {
    const QTreeWidgetItem *row = dlClass->currentItem();
    if (!row)
        return;
    const bool locked = classRowIsLocked(row);
    m_rite = row->data(1, RightsLevelRole).toInt();
    btnSelect->setEnabled(false);
    // Printing, trial copies included, needs read and write rights on the class.
    btnClassPdf->setEnabled(m_rite >= 3);
    listKid->clear();
    CommandSet &db = AppData::current().devDB;
    const qint64 oszId = row->data(0, IdRole).toLongLong();
    const int exportState = modSub::GetExportState();
    const Recordset pupils = db.run(QStringLiteral("getStudentsByClass"), {oszId});
    for (int i = 0; i < pupils.count(); ++i) {
        const qint64 tanId = pupils.at(i, QStringLiteral("tan_id")).toLongLong();
        auto *item = new QTreeWidgetItem(listKid, {pupils.at(i, QStringLiteral("tan_vnev")).toString() +
                                                   QLatin1Char(' ') +
                                                   pupils.at(i, QStringLiteral("tan_knev")).toString()});
        item->setData(0, IdRole, tanId);
        const Recordset r = modSub::OpenOrCreateRating(tanId, oszId, m_period);
        const QString status = r.field(QStringLiteral("ert_vegleges")).toString();
        item->setText(1, RatingParts::statusLabel(status));
        if (status == QLatin1String("N")) {
            QFont bold = item->font(1);
            bold.setBold(true);
            for (int c = 0; c < 3; ++c)
                item->setFont(c, bold);
        }
        const qint64 holder = r.field(QStringLiteral("ert_lock_usr_id")).toLongLong();
        if (locked) {
            item->setText(2, exportState == 0 ? QStringLiteral("Exportálva")
                                              : QStringLiteral("Nincs importálva"));
            item->setData(2, ReadOnlyRole, true);
        } else if (holder != 0) {
            const Recordset user = db.run(QStringLiteral("getSpecUser"), {holder});
            item->setText(2, user.count() ? user.field(QStringLiteral("usr_nev")).toString() : QString());
            item->setData(2, ReadOnlyRole, true);
        } else {
            item->setText(2, QStringLiteral("nem"));
            item->setData(2, ReadOnlyRole, false);
        }
    }
}

void frmKid::listKid_Click() {
    const QTreeWidgetItem *item = listKid->currentItem();
    if (!item)
        return;
    m_readOnly = item->data(2, ReadOnlyRole).toBool();
    btnSelect->setEnabled(true);
    m_student =
        AppData::current().devDB.run(QStringLiteral("getSpecStudent"), {item->data(0, IdRole), classId()});
}

void frmKid::btnSelect_Click() {
    const QTreeWidgetItem *item = listKid->currentItem();
    if (!item || m_student.count() == 0)
        return;
    const qint64 tanId = item->data(0, IdRole).toLongLong();
    m_editor->setWindowTitle(
        QStringLiteral("Értékelés: ") + m_student.field(QStringLiteral("tan_vnev")).toString() +
        QLatin1Char(' ') + m_student.field(QStringLiteral("tan_knev")).toString() + QStringLiteral(" (") +
        m_student.field(QStringLiteral("osz_evfolyam")).toString() + QStringLiteral(". ") +
        m_student.field(QStringLiteral("osz_nev")).toString() + QLatin1Char(')'));
    m_rating = modSub::OpenOrCreateRating(tanId, classId(), m_period);
    const Recordset period = AppData::current().devDB.run(QStringLiteral("getSpecPeriod"), {m_period});
    m_editor->LoadSubjects(period);
    if (m_isActive)
        m_editor->showHeaderData(m_rating);
    m_editor->showSheets(m_rating.field(QStringLiteral("ert_id")).toLongLong());
    m_editor->ReloadClosures();
    const QString status = m_rating.field(QStringLiteral("ert_vegleges")).toString();
    if (status != QLatin1String("N")) {
        const QString suffix =
            status == QLatin1String("P")
                ? QStringLiteral(" - Végleges, nyomtatott: ") +
                      RatingParts::longDate(m_rating.field(QStringLiteral("ert_nyomtatas_datum")).toDate())
                : QStringLiteral(" - Végleges");
        m_editor->setWindowTitle(m_editor->windowTitle() + suffix);
    }
    // Only a rating this user may change is locked: a reader, or a rating of a past period, leaves it free
    // for the class teacher (and leaves no stale lock behind after a crash).
    if (m_rite < 2 || !m_isActive)
        m_readOnly = true;
    m_editor->SetMainDataEnable(!m_readOnly);
    m_editor->showEditingArea();
    m_editor->setTracking(true);
    // The lock is taken last, when nothing can fail any more, so that a failed opening leaves no lock
    // behind. It is taken in one step; if someone took it since the list was drawn, the rating opens
    // read-only.
    const qint64 ertId = m_rating.field(QStringLiteral("ert_id")).toLongLong();
    if (!m_readOnly && !RatingLock::take(ertId, AppData::current().login.userId())) {
        m_readOnly = true;
        m_editor->SetMainDataEnable(false);
        dialogs().inform(this,
                         QStringLiteral("Az értékelést közben %1 megnyitotta szerkesztésre, ezért most csak "
                                        "olvasható.")
                             .arg(RatingLock::holderName(ertId)));
    }
    m_ratingOpen = true;
    accept();
}

void frmKid::btnExport_Click() {
    using ClassCheckout::Refusal;
    switch (ClassCheckout::checkOutRefusal(classId())) {
    case Refusal::NoClass:
        dialogs().inform(this, QStringLiteral("Nincs osztály kiválasztva."));
        return;
    case Refusal::UserHasClass:
        dialogs().inform(this, QStringLiteral("Egy felhasználó egyszerre csak egy osztályt exportálhat ki."));
        return;
    case Refusal::ClassLocked:
        dialogs().inform(this, QStringLiteral("Az osztály zárolva van, ezért nem exportálható."));
        return;
    case Refusal::None:
        break;
    }
    const QString path =
        WriteTarget::withSuffix(dialogs().saveFile(this, QStringLiteral("Osztály exportálása"), QString(),
                                                   QStringLiteral("Lorvanto fájlok (*.mb)")),
                                QStringLiteral("mb"));
    if (path.isEmpty())
        return;
    if (const QString refused = WriteTarget::refusal(path); !refused.isEmpty()) {
        dialogs().warn(this, refused);
        return;
    }
    try {
        ClassCheckout::checkOut(classId(), path);
    } catch (const DbError &) {
        dialogs().warn(this, QStringLiteral("Hiba exportálás közben."));
        return;
    }
    dialogs().inform(this,
                     QStringLiteral("Az osztály tanulóinak értékelései, minősítései sikeresen ki lettek "
                                    "exportálva."));
    LoadClasses();
}

void frmKid::btnClassPdf_Click() {
    const QTreeWidgetItem *row = dlClass->currentItem();
    if (!row) {
        dialogs().inform(this, QStringLiteral("Nincs osztály kiválasztva."));
        return;
    }
    ClassPdf::run(this, row->data(0, IdRole).toLongLong(), row->text(0));
}
