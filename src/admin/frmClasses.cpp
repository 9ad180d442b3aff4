#include "admin/frmClasses.h"

#include "admin/AdminWidgets.h"
#include "admin/PupilListImport.h"
#include "admin/SchoolYear.h"
#include "admin/frmEditClass.h"
#include "data/AppData.h"
#include "data/modSub.h"
#include "exchange/modExport.h"
#include "exchange/modImport.h"
#include "ui/Controls.h"
#include "ui/DialogService.h"
#include "ui/Guard.h"
#include "ui/ItemRoles.h"
#include "ui/PeriodList.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace AdminWidgets;

namespace {
const QStringList kColumns{QStringLiteral("Osztály név"), QStringLiteral("Kezdő tanév"),
                           QStringLiteral("Megjegyzés")};
}

frmClasses::frmClasses(QWidget *parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmClasses"));
    setWindowTitle(QStringLiteral("Osztályok kezelése"));
    PupilListImport::install();
    cmbPeriod = new QComboBox(this);
    cmbPeriod->setObjectName(QStringLiteral("cmbPeriod"));
    dlClass = makeListView(this, "dlClass", kColumns);
    btnAdd = namedButton(this, "btnAdd", QStringLiteral("&Hozzáad >>"));
    btnEdit = namedButton(this, "btnEdit", QStringLiteral("&Módosít..."));
    btnDelete = namedButton(this, "btnDelete", QStringLiteral("&Töröl"));
    btnExport = namedButton(this, "btnExport", QStringLiteral("E&xportál..."));
    btnCancel = namedButton(this, "btnCancel", QStringLiteral("Be&zár"));
    cmbSrcPeriod = new QComboBox(this);
    cmbSrcPeriod->setObjectName(QStringLiteral("cmbSrcPeriod"));
    dlSrc = makeListView(this, "dlSrc", kColumns);
    chkAutoAdvance = new QCheckBox(QStringLiteral("Évfolyam automatikus növelése"), this);
    chkAutoAdvance->setObjectName(QStringLiteral("chkAutoAdvance"));
    Label1 = labelFor(QStringLiteral("Értékelési, minősítési &időszak:"), cmbPeriod, "Label1");
    Label2 = labelFor(QStringLiteral("&Osztályok:"), dlClass, "Label2");
    Label3 = labelFor(QStringLiteral("Értékelési, minősítési i&dőszak:"), cmbSrcPeriod, "Label3");
    dlSrc->setAccessibleName(QStringLiteral("Bemásolható osztályok"));

    mnuPopup = new QMenu(this);
    mnuPopup->setObjectName(QStringLiteral("mnuPopup"));
    mnuNew = mnuPopup->addAction(QStringLiteral("Ú&j..."));
    mnuNew->setObjectName(QStringLiteral("mnuNew"));
    mnuCopy = mnuPopup->addAction(QStringLiteral("&Más értékelési időszakból..."));
    mnuCopy->setObjectName(QStringLiteral("mnuCopy"));
    mnuS1 = mnuPopup->addSeparator();
    mnuS1->setObjectName(QStringLiteral("mnuS1"));
    mnuImport = mnuPopup->addAction(QStringLiteral("&Importál..."));
    mnuImport->setObjectName(QStringLiteral("mnuImport"));

    auto *layout = new QGridLayout(this);
    layout->addWidget(Label1, 0, 0);
    layout->addWidget(cmbPeriod, 1, 0);
    layout->addWidget(Label2, 2, 0);
    layout->addWidget(dlClass, 3, 0);
    auto *middle = new QVBoxLayout;
    middle->addStretch(1);
    for (QPushButton *b : {btnAdd, btnEdit, btnDelete, btnExport})
        middle->addWidget(b);
    middle->addStretch(1);
    middle->addWidget(btnCancel);
    layout->addLayout(middle, 3, 1);
    layout->addWidget(Label3, 0, 2);
    layout->addWidget(cmbSrcPeriod, 1, 2);
    layout->addWidget(chkAutoAdvance, 2, 2);
    layout->addWidget(dlSrc, 3, 2);
    layout->setRowStretch(3, 1);
    resize(900, 480);

    connectGuarded(cmbPeriod, qOverload<int>(&QComboBox::activated), this, &frmClasses::cmbPeriod_Click);
    connectGuarded(cmbSrcPeriod, qOverload<int>(&QComboBox::activated), this, &frmClasses::LoadClasses);
    connectGuarded(dlClass, &QTreeWidget::itemSelectionChanged, this, &frmClasses::dlClass_Click);
    connectGuarded(dlClass, &QTreeWidget::itemDoubleClicked, this, &frmClasses::btnEdit_Click);
    connectGuarded(btnAdd, &QPushButton::clicked, this, &frmClasses::btnAdd_Click);
    connectGuarded(mnuNew, &QAction::triggered, this, &frmClasses::mnuNew_Click);
    connectGuarded(mnuCopy, &QAction::triggered, this, &frmClasses::mnuCopy_Click);
    connectGuarded(btnEdit, &QPushButton::clicked, this, &frmClasses::btnEdit_Click);
    connectGuarded(btnDelete, &QPushButton::clicked, this, &frmClasses::btnDelete_Click);
    connectGuarded(btnCancel, &QPushButton::clicked, this, &frmClasses::btnCancel_Click);
    connectGuarded(btnExport, &QPushButton::clicked, this, &frmClasses::btnExport_Click);
    connectGuarded(mnuImport, &QAction::triggered, this, &frmClasses::mnuImport_Click);

    FillPeriodList(cmbPeriod);
    Recordset active;
    if (!modSub::FindActivePeriod(active))
        dialogs().warn(this, QStringLiteral("Nincs aktív értékelési, minősítési időszak."));
    FillPeriodList(cmbSrcPeriod);
    setCopyMode(false);
    LoadClasses();
}

qint64 frmClasses::shownPeriod() const {
    return cmbPeriod->currentIndex() >= 0 ? cmbPeriod->currentData().toLongLong() : 0;
}

bool frmClasses::shownPeriodIsActive() const {
    Recordset active;
    return shownPeriod() != 0 && modSub::FindActivePeriod(active) &&
           active.field(QStringLiteral("tev_id")).toLongLong() == shownPeriod();
}

void frmClasses::loadList(QTreeWidget *list, qint64 tevId, bool checkable) {
    const QSignalBlocker block(list);
    list->clear();
    if (tevId == 0)
        return;
    const Recordset classes = AppData::current().devDB.run(QStringLiteral("getPeriodClasses"), {tevId});
    for (int i = 0; i < classes.count(); ++i) {
        if (classes.at(i, QStringLiteral("osz_torolt")).toBool())
            continue;
        const qint64 oszId = classes.at(i, QStringLiteral("osz_id")).toLongLong();
        const int level = modSub::GetClassRight(oszId);
        if (level < modSub::RightRead)
            continue;
        const int started = classes.at(i, QStringLiteral("osz_indulas_eve")).toInt();
        auto *row =
            new QTreeWidgetItem(list, {SchoolYear::classText(classes.at(i, QStringLiteral("osz_evfolyam")),
                                                             classes.at(i, QStringLiteral("osz_nev"))),
                                       QStringLiteral("%1/%2").arg(started).arg(started + 1),
                                       classes.at(i, QStringLiteral("osz_megj")).toString()});
        row->setData(0, IdRole, oszId);
        row->setData(1, RightsLevelRole, level);
        if (checkable)
            row->setCheckState(0, Qt::Unchecked);
        markLocked(row, SchoolYear::isClassLocked(oszId));
    }
}

void frmClasses::LoadClasses() {
    loadList(dlClass, shownPeriod(), false);
    loadList(dlSrc, cmbSrcPeriod->currentIndex() >= 0 ? cmbSrcPeriod->currentData().toLongLong() : 0, true);
    dlClass_Click();
}

void frmClasses::cmbPeriod_Click() {
    LoadClasses();
}

void frmClasses::dlClass_Click() {
    const bool active = shownPeriodIsActive();
    const QTreeWidgetItem *row = dlClass->currentItem();
    const bool mayChange = row && row->isSelected() && active && row->data(1, RightsLevelRole).toInt() >= 2;
    btnEdit->setEnabled(!m_copyMode && mayChange);
    btnDelete->setEnabled(!m_copyMode && mayChange);
    btnAdd->setEnabled(AppData::current().login.isAdmin && active);
}

void frmClasses::setCopyMode(bool on) {
    m_copyMode = on;
    btnAdd->setText(on ? QStringLiteral("<< Bemásol") : QStringLiteral("&Hozzáad >>"));
    btnCancel->setText(on ? QStringLiteral("&Mégse") : QStringLiteral("Be&zár"));
    cmbPeriod->setEnabled(!on);
    dlSrc->setEnabled(on);
    cmbSrcPeriod->setEnabled(on);
    chkAutoAdvance->setEnabled(on);
    dlClass_Click();
}

void frmClasses::btnAdd_Click() {
    if (m_copyMode) {
        copyClasses();
        return;
    }
    // The menu stays open without blocking, so keyboard users and tests reach its items alike.
    mnuPopup->popup(btnAdd->mapToGlobal(QPoint(btnAdd->width(), 0)));
}

void frmClasses::mnuNew_Click() {
    frmEditClass editor(this);
    editor.PrepareNew(shownPeriod());
    dialogs().runModal(&editor);
    LoadClasses();
}

void frmClasses::mnuCopy_Click() {
    setCopyMode(true);
    LoadClasses();
}

void frmClasses::btnEdit_Click() {
    if (m_copyMode || !btnEdit->isEnabled())
        return;
    const qint64 oszId = keyOrTell(dlClass, this, QStringLiteral("Nincs elem kiválasztva!"));
    if (oszId == 0)
        return;
    frmEditClass editor(this);
    if (editor.LoadClass(oszId))
        dialogs().runModal(&editor);
    LoadClasses();
}

void frmClasses::btnDelete_Click() {
    const QTreeWidgetItem *row = dlClass->currentItem();
    if (!row || !row->isSelected()) {
        dialogs().inform(this, QStringLiteral("Nincs elem kiválasztva!"));
        return;
    }
    if (isMarkedLocked(row)) {
        dialogs().inform(this, QStringLiteral("Az osztályt valaki kiexportálta. Nem lehet hozzányúlni."));
        return;
    }
    if (!dialogs().ask(this, QStringLiteral("Biztosan törli a kijelölt osztályt?")))
        return;
    const qint64 oszId = row->data(0, IdRole).toLongLong();
    CommandSet &db = AppData::current().devDB;
    Transaction t(db.connection());
    db.run(QStringLiteral("deleteClass"), {oszId});
    modSub::WriteLog(QStringLiteral("OSZTALY"), oszId, QStringLiteral("Torles"));
    t.commit();
    LoadClasses();
}

void frmClasses::btnCancel_Click() {
    if (m_copyMode) {
        setCopyMode(false);
        return;
    }
    reject();
}

void frmClasses::copyClasses() {
    const qint64 target = shownPeriod();
    if (target == 0)
        return;
    QList<qint64> ticked;
    for (int i = 0; i < dlSrc->topLevelItemCount(); ++i)
        if (dlSrc->topLevelItem(i)->checkState(0) == Qt::Checked)
            ticked << dlSrc->topLevelItem(i)->data(0, IdRole).toLongLong();
    if (ticked.isEmpty()) {
        dialogs().inform(this, QStringLiteral("Nincs osztály kiválasztva!"));
        return;
    }
    if (cmbSrcPeriod->currentIndex() < 0) {
        dialogs().inform(this, QStringLiteral("Nincs értékelési, minősítési időszak kiválasztva!"));
        return;
    }
    // A copy in its own period would give every pupil a second rating there.
    if (cmbSrcPeriod->currentData().toLongLong() == target) {
        dialogs().inform(this, QStringLiteral("Az osztályokat nem lehet a saját értékelési, minősítési "
                                              "időszakukba másolni. Válasszon másik időszakot!"));
        return;
    }
    int shift = 0;
    if (chkAutoAdvance->isChecked()) {
        CommandSet &db = AppData::current().devDB;
        auto yearOf = [&db](qint64 tevId) {
            const Recordset p = db.run(QStringLiteral("getSpecPeriod"), {tevId});
            return p.count() ? p.field(QStringLiteral("tev_ev")).toInt() : 0;
        };
        shift = yearOf(target) - yearOf(cmbSrcPeriod->currentData().toLongLong());
        if (shift < 0) {
            if (!dialogs().ask(this, QStringLiteral("A program nem csökkenti az osztályok évfolyamát "
                                                    "automatikusan.\nFolytatja?")))
                return;
            shift = 0;
        } else if (shift > 0 &&
                   !dialogs().ask(this, QStringLiteral("A másolásra kerülő osztályok évfolyamát a program %1 "
                                                       "évvel fogja növelni. Folytatja?")
                                            .arg(shift))) {
            return;
        }
    }
    SchoolYear::copyClasses(ticked, target, shift);
    setCopyMode(false);
    LoadClasses();
}

qint64 frmClasses::chosenClass() const {
    const QTreeWidgetItem *row = dlClass->currentItem();
    return row && row->isSelected() ? row->data(0, IdRole).toLongLong() : 0;
}

void frmClasses::btnExport_Click() {
    modExport::ExportClass(this, chosenClass());
}

void frmClasses::mnuImport_Click() {
    const QString path =
        dialogs().openFile(this, QStringLiteral("Osztály importálása"), QString(),
                           QStringLiteral("Lorvanto fájlok (*.mb);;Excel fájlok (*.xls *.xlsx *.ods)"));
    if (path.isEmpty())
        return;
    // A class file brings a new class into the period; a spreadsheet adds its pupils to the chosen class.
    // The log keeps 50 characters of a description: the file's name, not its folder.
    const bool spreadsheet = modImport::IsSpreadsheet(path);
    const qint64 oszId = spreadsheet ? chosenClass() : 0;
    if (!modImport::ImportFile(this, path, ExchangeFile::Class, {0, oszId, shownPeriod()}))
        return;
    modSub::WriteLog(QStringLiteral("OSZTALY"),
                     spreadsheet ? oszId : modSub::GetLastKey(QStringLiteral("OSZTALY")),
                     QStringLiteral("Importalas: ") + QFileInfo(path.trimmed()).fileName());
    LoadClasses();
}
