#include "admin/frmEditClass.h"

#include "admin/AdminWidgets.h"
#include "admin/PupilListImport.h"
#include "admin/PupilSheet.h"
#include "admin/SchoolYear.h"
#include "admin/frmAllKids.h"
#include "admin/frmEditKid.h"
#include "data/AppData.h"
#include "data/WriteTarget.h"
#include "data/modSub.h"
#include "exchange/modImport.h"
#include "ui/Controls.h"
#include "ui/DialogService.h"
#include "ui/Guard.h"
#include "ui/ItemRoles.h"
#include "ui/ValidMark.h"

#include <QCheckBox>
#include <QCollator>
#include <QComboBox>
#include <QDate>
#include <QEvent>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace AdminWidgets;

namespace {
const QString kLockedClass =
    QStringLiteral("Az osztályt valaki kiexportálta. A módosítások nem lesznek elmentve.");
}

frmEditClass::frmEditClass(QWidget *parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmEditClass"));
    setWindowTitle(QStringLiteral("Osztály tulajdonságai"));
    PupilListImport::install();
    TabStrip1 = new QTabWidget(this);
    TabStrip1->setObjectName(QStringLiteral("TabStrip1"));
    auto *dataPage = new QWidget(TabStrip1);
    auto *kidsPage = new QWidget(TabStrip1);
    TabStrip1->addTab(dataPage, QStringLiteral("&Adatok"));
    TabStrip1->addTab(kidsPage, QStringLiteral("&Tanulók"));

    txtPeriod = new QLineEdit(dataPage);
    txtPeriod->setObjectName(QStringLiteral("txtPeriod"));
    txtPeriod->setReadOnly(true);
    chkOfficial = new QCheckBox(QStringLiteral("Hivatalos"), dataPage);
    chkOfficial->setObjectName(QStringLiteral("chkOfficial"));
    chkOfficial->setEnabled(false);
    const char *captions[] = {nullptr, "&Évfolyam:", "&Betűjel:", "&Kezdő tanév:", "&Megjegyzés:"};
    for (int i = 1; i <= 4; ++i) {
        Fields[i] = new QLineEdit(dataPage);
        Fields[i]->setObjectName(QStringLiteral("Fields(%1)").arg(i));
        Labels[i] = labelFor(QString::fromUtf8(captions[i]), Fields[i]);
        Labels[i]->setObjectName(QStringLiteral("Labels(%1)").arg(i));
    }
    cmbClassLeader = new QComboBox(dataPage);
    cmbClassLeader->setObjectName(QStringLiteral("cmbClassLeader"));
    LabelN = labelFor(QStringLiteral("&Osztályfőnök:"), cmbClassLeader, "LabelN");
    lblPair = new QLabel(QStringLiteral("/"), dataPage);
    lblPair->setObjectName(QStringLiteral("lblPair"));
    auto *form = new QFormLayout(dataPage);
    auto *periodRow = new QHBoxLayout;
    periodRow->addWidget(txtPeriod, 1);
    periodRow->addWidget(chkOfficial);
    auto *periodLabel = labelFor(QStringLiteral("Időszak:"), txtPeriod);
    form->addRow(periodLabel, periodRow);
    form->addRow(Labels[1], Fields[1]);
    form->addRow(Labels[2], Fields[2]);
    form->addRow(LabelN, cmbClassLeader);
    auto *yearRow = new QHBoxLayout;
    yearRow->addWidget(Fields[3]);
    yearRow->addWidget(lblPair);
    yearRow->addStretch(1);
    form->addRow(Labels[3], yearRow);
    form->addRow(Labels[4], Fields[4]);

    listKids = makeListView(kidsPage, "listKids", {QStringLiteral("Név")});
    auto *kidsLabel = labelFor(QStringLiteral("Az osztály &tanulói:"), listKids);
    fraAdd = new QGroupBox(QStringLiteral("&Felvesz"), kidsPage);
    fraAdd->setObjectName(QStringLiteral("fraAdd"));
    mnuNew = namedButton(fraAdd, "mnuNew", QStringLiteral("Új..."));
    mnuExisting = namedButton(fraAdd, "mnuExisting", QStringLiteral("Más osztályból..."));
    btnImport = namedButton(fraAdd, "btnImport", QStringLiteral("&Importál..."));
    btnSample = namedButton(fraAdd, "btnSample", QStringLiteral("Minta mentése..."));
    auto *addButtons = new QVBoxLayout(fraAdd);
    addButtons->addWidget(mnuNew);
    addButtons->addWidget(mnuExisting);
    addButtons->addWidget(btnImport);
    addButtons->addWidget(btnSample);
    btnEdit = namedButton(kidsPage, "btnEdit", QStringLiteral("&Módosít..."));
    btnRemove = namedButton(kidsPage, "btnRemove", QStringLiteral("El&távolít"));
    auto *kidButtons = new QVBoxLayout;
    kidButtons->addWidget(fraAdd);
    kidButtons->addWidget(btnEdit);
    kidButtons->addWidget(btnRemove);
    kidButtons->addStretch(1);
    auto *kidsLayout = new QGridLayout(kidsPage);
    kidsLayout->addWidget(kidsLabel, 0, 0);
    kidsLayout->addWidget(listKids, 1, 0);
    kidsLayout->addLayout(kidButtons, 1, 1);
    prgImport = busyBar(kidsPage, "prgImport", QStringLiteral("A táblázat olvasása"));
    kidsLayout->addWidget(prgImport, 2, 0, 1, 2);

    btnOK = namedButton(this, "btnOK", QStringLiteral("OK"));
    btnOK->setDefault(true);
    btnCancel = namedButton(this, "btnCancel", QStringLiteral("&Mégse"));
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCancel);
    auto *main = new QVBoxLayout(this);
    main->addWidget(TabStrip1, 1);
    main->addLayout(buttons);
    resize(520, 420);

    // The class teachers to choose from, in the order people read names.
    Recordset users = AppData::current().devDB.run(QStringLiteral("getUsers"));
    QList<QPair<QString, qint64>> leaders;
    for (int i = 0; i < users.count(); ++i)
        leaders.append({users.at(i, QStringLiteral("usr_nev")).toString(),
                        users.at(i, QStringLiteral("usr_id")).toLongLong()});
    QCollator hu{QLocale(QLocale::Hungarian, QLocale::Hungary)};
    std::stable_sort(leaders.begin(), leaders.end(),
                     [&hu](const auto &a, const auto &b) { return hu.compare(a.first, b.first) < 0; });
    for (const auto &l : leaders)
        cmbClassLeader->addItem(l.first, l.second);
    cmbClassLeader->setCurrentIndex(-1);

    for (int i = 1; i <= 4; ++i)
        connect(Fields[i], &QLineEdit::textChanged, this, [this] { validate(); });
    connect(cmbClassLeader, &QComboBox::currentIndexChanged, this, [this] { validate(); });
    connectGuarded(Fields[3], &QLineEdit::textChanged, this, &frmEditClass::Fields3_Change);
    Fields[3]->installEventFilter(this);
    connectGuarded(TabStrip1, &QTabWidget::currentChanged, this, &frmEditClass::TabStrip1_Click);
    connectGuarded(btnOK, &QPushButton::clicked, this, &frmEditClass::btnOK_Click);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    connectGuarded(mnuNew, &QPushButton::clicked, this, &frmEditClass::mnuNew_Click);
    connectGuarded(mnuExisting, &QPushButton::clicked, this, &frmEditClass::mnuExisting_Click);
    connectGuarded(btnEdit, &QPushButton::clicked, this, &frmEditClass::btnEdit_Click);
    connectGuarded(listKids, &QTreeWidget::itemDoubleClicked, this, &frmEditClass::btnEdit_Click);
    connectGuarded(btnRemove, &QPushButton::clicked, this, &frmEditClass::btnRemove_Click);
    connectGuarded(btnImport, &QPushButton::clicked, this, &frmEditClass::btnImport_Click);
    connectGuarded(btnSample, &QPushButton::clicked, this, &frmEditClass::btnSample_Click);
    validate();
}

bool frmEditClass::eventFilter(QObject *watched, QEvent *event) {
    if (watched == Fields[3] && event->type() == QEvent::FocusOut)
        Fields3_LostFocus();
    return QDialog::eventFilter(watched, event);
}

void frmEditClass::showPeriod() {
    const Recordset period = AppData::current().devDB.run(QStringLiteral("getSpecPeriod"), {m_tevId});
    if (period.count() == 0)
        return;
    txtPeriod->setText(period.field(QStringLiteral("tev_ev")).toString() + QStringLiteral(" - ") +
                       period.field(QStringLiteral("tev_honap")).toString());
    chkOfficial->setChecked(period.field(QStringLiteral("tev_hivatalos")).toString() ==
                            QLatin1String("Igen"));
}

void frmEditClass::PrepareNew(qint64 tevId) {
    m_tevId = tevId;
    m_oszId = 0;
    m_locked = false;
    setWindowTitle(QStringLiteral("Osztály: <új>"));
    for (int i = 1; i <= 4; ++i)
        Fields[i]->clear();
    cmbClassLeader->setCurrentIndex(-1);
    listKids->clear();
    showPeriod();
    validate();
}

bool frmEditClass::LoadClass(qint64 oszId) {
    CommandSet &db = AppData::current().devDB;
    m_locked = SchoolYear::isClassLocked(oszId);
    if (m_locked)
        dialogs().inform(this, kLockedClass);
    for (QPushButton *b : {mnuNew, mnuExisting, btnImport, btnEdit, btnRemove})
        b->setEnabled(!m_locked);
    const Recordset cls = db.run(QStringLiteral("getSpecClass"), {oszId});
    if (cls.count() == 0) {
        dialogs().inform(this, QStringLiteral("A rekord nem létezik!"));
        return false;
    }
    m_oszId = oszId;
    m_tevId = cls.field(QStringLiteral("osz_tev_id")).toLongLong();
    setWindowTitle(QStringLiteral("Osztály: ") +
                   SchoolYear::classText(cls.field(QStringLiteral("osz_evfolyam")),
                                         cls.field(QStringLiteral("osz_nev"))));
    Fields[1]->setText(cls.field(QStringLiteral("osz_evfolyam")).toString());
    Fields[2]->setText(cls.field(QStringLiteral("osz_nev")).toString());
    Fields[3]->setText(cls.field(QStringLiteral("osz_indulas_eve")).toString());
    Fields[4]->setText(cls.field(QStringLiteral("osz_megj")).toString());
    // By key: two users may share a name, and the class teacher carries rights of his own.
    const QVariant leader = cls.field(QStringLiteral("osz_ofonok_usr_id"));
    cmbClassLeader->setCurrentIndex(leader.isNull() ? -1 : cmbClassLeader->findData(leader.toLongLong()));
    showPeriod();
    LoadKids();
    validate();
    return true;
}

void frmEditClass::LoadKids() {
    listKids->clear();
    if (m_oszId == 0)
        return;
    const Recordset kids = AppData::current().devDB.run(QStringLiteral("getStudentsByClass"), {m_oszId});
    for (int i = 0; i < kids.count(); ++i) {
        auto *row = new QTreeWidgetItem(listKids, {pupilName(kids, i)});
        row->setData(0, IdRole, kids.at(i, QStringLiteral("tan_id")));
    }
}

bool frmEditClass::validate() {
    const bool grade = SchoolYear::isWholeNumber(Fields[1]->text());
    const bool letter = !Fields[2]->text().isEmpty();
    const bool year = SchoolYear::isWholeNumber(Fields[3]->text());
    const bool leader = cmbClassLeader->currentIndex() >= 0;
    setValidMark(Labels[1], grade);
    setValidMark(Labels[2], letter);
    setValidMark(Labels[3], year);
    setValidMark(LabelN, leader);
    const bool ok = grade && letter && year && leader;
    btnOK->setEnabled(ok);
    return ok;
}

void frmEditClass::Fields3_Change() {
    const QString t = Fields[3]->text();
    bool ok = false;
    const int year = t.trimmed().toInt(&ok);
    if (ok)
        lblPair->setText(QStringLiteral("/%1").arg(year + 1));
}

void frmEditClass::Fields3_LostFocus() {
    const QString full = SchoolYear::fullYear(Fields[3]->text());
    if (full != Fields[3]->text())
        Fields[3]->setText(full);
}

bool frmEditClass::createClass() {
    Fields3_LostFocus();
    if (!validate())
        return false;
    CommandSet &db = AppData::current().devDB;
    Transaction t(db.connection());
    m_oszId = db.run(QStringLiteral("createClass"),
                     {m_tevId, Fields[1]->text().toInt(), Fields[2]->text(), cmbClassLeader->currentData(),
                      Fields[3]->text().toInt(), Fields[4]->text()})
                  .newKey();
    modSub::WriteLog(QStringLiteral("OSZTALY"), m_oszId, QStringLiteral("Uj letrehozasa"));
    t.commit();
    return true;
}

void frmEditClass::TabStrip1_Click(int index) {
    if (index != 1 || m_oszId != 0)
        return;
    auto backToData = [this] {
        const QSignalBlocker block(TabStrip1);
        TabStrip1->setCurrentIndex(0);
    };
    if (!dialogs().ask(this,
                       QStringLiteral("Az osztályt létre kell hoznia, mielőtt folytatja. Létrehozza?"))) {
        backToData();
        return;
    }
    if (!validate()) {
        dialogs().inform(this, QStringLiteral("Hibás adatokat adott meg. Kérem, ellenőrizze őket!"));
        backToData();
        return;
    }
    bool created = false;
    try {
        created = createClass();
    } catch (const std::exception &) {
        created = false;
    }
    if (!created) {
        m_oszId = 0;
        dialogs().error(this, QStringLiteral("Hiba történt az osztály létrehozása közben."));
        backToData();
        return;
    }
    LoadClass(m_oszId);
    dialogs().inform(this, QStringLiteral("Az osztály létrejött."));
}

void frmEditClass::btnOK_Click() {
    if (m_oszId != 0 && m_locked) {
        reject();
        return;
    }
    // Enter confirms without the year field losing its focus: the year is widened here as well.
    Fields3_LostFocus();
    if (!validate()) {
        dialogs().inform(
            this, QStringLiteral("Helytelen adatokat adott meg! Kérem, töltse ki a hiányzó adatokat!"));
        return;
    }
    if (m_oszId == 0) {
        createClass();
    } else {
        CommandSet &db = AppData::current().devDB;
        Transaction t(db.connection());
        db.run(QStringLiteral("updateClass"),
               {Fields[1]->text().toInt(), Fields[2]->text(), cmbClassLeader->currentData(),
                Fields[3]->text().toInt(), Fields[4]->text(), m_oszId});
        modSub::WriteLog(QStringLiteral("OSZTALY"), m_oszId, QStringLiteral("Rekord frissitese"));
        t.commit();
    }
    accept();
}

void frmEditClass::mnuNew_Click() {
    frmEditKid kid(this);
    kid.PrepareNew(m_oszId, m_tevId);
    dialogs().runModal(&kid);
    LoadKids();
}

void frmEditClass::mnuExisting_Click() {
    frmAllKids kids(this);
    kids.GiveData(m_oszId, m_tevId);
    dialogs().runModal(&kids);
    LoadKids();
}

void frmEditClass::btnEdit_Click() {
    if (!btnEdit->isEnabled())
        return;
    const qint64 tanId = keyOrTell(listKids, this, QStringLiteral("Nincs elem kijelölve!"));
    if (tanId == 0)
        return;
    frmEditKid kid(this);
    if (kid.LoadKid(tanId, m_oszId, m_tevId))
        dialogs().runModal(&kid);
    LoadKids();
}

void frmEditClass::btnRemove_Click() {
    const qint64 tanId = keyOrTell(listKids, this, QStringLiteral("Nincs elem kijelölve!"));
    if (tanId == 0)
        return;
    if (!dialogs().ask(this, QStringLiteral("Biztosan eltávolítja a kijelölt osztályból a tanulót?")))
        return;
    SchoolYear::removePupil(tanId, m_oszId, m_tevId);
    LoadKids();
}

void frmEditClass::btnImport_Click() {
    const QString path =
        dialogs().openFile(this, QStringLiteral("Tanulók importálása"), QString(),
                           QStringLiteral("Excel fájlok (*.xls *.xlsx *.ods);;Lorvanto fájlok (*.mb)"));
    if (path.isEmpty())
        return;
    // A spreadsheet adds its pupils to this class; a class file brings a class of its own into the period.
    // Reading a spreadsheet may take a while (an .xls is read by a child process): the busy bar says so.
    prgImport->setVisible(modImport::IsSpreadsheet(path));
    const bool imported = modImport::ImportFile(this, path, ExchangeFile::Class, {0, m_oszId, m_tevId});
    prgImport->hide();
    if (imported)
        LoadKids();
}

void frmEditClass::btnSample_Click() {
    QString path = dialogs().saveFile(this, QStringLiteral("Minta mentése"), QStringLiteral("tanulok.xlsx"),
                                      QStringLiteral("Excel munkafüzet (*.xlsx)"));
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().compare(QLatin1String("xlsx"), Qt::CaseInsensitive) != 0)
        path += QStringLiteral(".xlsx");
    if (const QString refused = WriteTarget::refusal(path); !refused.isEmpty()) {
        dialogs().warn(this, refused);
        return;
    }
    if (!PupilSheet::writeSample(path))
        dialogs().warn(this, QStringLiteral("A mintát nem sikerült menteni:\n%1").arg(path));
}
