#include "admin/frmEditKid.h"

#include "admin/AdminWidgets.h"
#include "admin/SchoolYear.h"
#include "data/AppData.h"
#include "data/modSub.h"
#include "ui/Controls.h"
#include "ui/DialogService.h"
#include "ui/Guard.h"
#include "ui/ValidMark.h"

#include <QComboBox>
#include <QDate>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace AdminWidgets;

namespace {
const char *const kMonths[] = {"január", "február",   "március",    "április", "május",    "június",
                               "július", "augusztus", "szeptember", "október", "november", "december"};

// An empty number never equals another pupil's empty number.
QVariant numberOrNull(const QLineEdit *field) {
    const QString t = field->text().trimmed();
    return t.isEmpty() ? QVariant() : QVariant(t);
}
} // namespace

frmEditKid::frmEditKid(QWidget *parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmEditKid"));
    setWindowTitle(QStringLiteral("Tanuló: <új>"));
    const char *captions[] = {"&Vezetéknév:",
                              "&Keresztnév:",
                              "&Anyja neve:",
                              "&Gondviselő neve:",
                              "&Helység:",
                              "&Ország:",
                              "Szül. &idő (év, hónap, nap):"};
    for (int i = 0; i < FieldCount; ++i) {
        Fields[i] = new QLineEdit(this);
        Fields[i]->setObjectName(QStringLiteral("Fields(%1)").arg(i));
        Labels[i] = labelFor(QString::fromUtf8(captions[i]), Fields[i]);
        Labels[i]->setObjectName(QStringLiteral("Labels(%1)").arg(i));
    }
    Fields[Country]->setText(QStringLiteral("Magyarország"));
    Fields[Year]->setMaximumWidth(70);
    lblBirthPlace = new QLabel(QStringLiteral("Születési hely:"), this);
    lblBirthPlace->setObjectName(QStringLiteral("lblBirthPlace"));
    cmbMonth = new QComboBox(this);
    cmbMonth->setObjectName(QStringLiteral("cmbMonth"));
    cmbMonth->setAccessibleName(QStringLiteral("Születési hónap"));
    for (const char *m : kMonths)
        cmbMonth->addItem(QString::fromUtf8(m));
    cmbDay = new QComboBox(this);
    cmbDay->setObjectName(QStringLiteral("cmbDay"));
    cmbDay->setAccessibleName(QStringLiteral("Születési nap"));
    txtTLSZ = new QLineEdit(this);
    txtTLSZ->setObjectName(QStringLiteral("txtTLSZ"));
    lblTLSZ = labelFor(QStringLiteral("&Törzslapszám:"), txtTLSZ, "lblTLSZ");
    txtSorsz = new QLineEdit(this);
    txtSorsz->setObjectName(QStringLiteral("txtSorsz"));
    lblSorsz = labelFor(QStringLiteral("Osztályozó napló &sorszám:"), txtSorsz, "lblSorsz");
    btnOK = namedButton(this, "btnOK", QStringLiteral("OK"));
    btnOK->setDefault(true);
    btnCancel = namedButton(this, "btnCancel", QStringLiteral("&Mégse"));

    auto *grid = new QGridLayout;
    int row = 0;
    for (int i : {Family, Given, Mother, Guardian}) {
        grid->addWidget(Labels[i], row, 0);
        grid->addWidget(Fields[i], row++, 1, 1, 3);
    }
    grid->addWidget(lblBirthPlace, row++, 0);
    grid->addWidget(Labels[Place], row, 0);
    grid->addWidget(Fields[Place], row++, 1, 1, 3);
    grid->addWidget(Labels[Country], row, 0);
    grid->addWidget(Fields[Country], row++, 1, 1, 3);
    grid->addWidget(Labels[Year], row, 0);
    grid->addWidget(Fields[Year], row, 1);
    grid->addWidget(cmbMonth, row, 2);
    grid->addWidget(cmbDay, row++, 3);
    grid->addWidget(lblTLSZ, row, 0);
    grid->addWidget(txtTLSZ, row++, 1, 1, 3);
    grid->addWidget(lblSorsz, row, 0);
    grid->addWidget(txtSorsz, row++, 1, 1, 3);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCancel);
    auto *main = new QVBoxLayout(this);
    main->addLayout(grid);
    main->addStretch(1);
    main->addLayout(buttons);

    for (QLineEdit *f : Fields)
        connect(f, &QLineEdit::textChanged, this, [this] { validate(); });
    Fields[Year]->installEventFilter(this);
    connect(cmbMonth, &QComboBox::currentIndexChanged, this, [this] { cmbMonth_Click(); });
    connectGuarded(btnOK, &QPushButton::clicked, this, &frmEditKid::btnOK_Click);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    cmbMonth->setCurrentIndex(0);
    cmbMonth_Click();
    validate();
}

bool frmEditKid::eventFilter(QObject *watched, QEvent *event) {
    if (watched == Fields[Year] && event->type() == QEvent::FocusOut)
        widenYear();
    return QDialog::eventFilter(watched, event);
}

void frmEditKid::widenYear() {
    const QString full = SchoolYear::fullYear(Fields[Year]->text());
    if (full != Fields[Year]->text())
        Fields[Year]->setText(full);
}

void frmEditKid::cmbMonth_Click() {
    const int day = cmbDay->currentIndex();
    const int days = SchoolYear::daysToChoose(cmbMonth->currentIndex() + 1);
    cmbDay->clear();
    for (int d = 1; d <= days; ++d)
        cmbDay->addItem(QString::number(d));
    cmbDay->setCurrentIndex(std::clamp(day, 0, days - 1));
}

bool frmEditKid::validate() {
    bool ok = true;
    for (int i = 0; i < FieldCount; ++i) {
        const bool filled = !Fields[i]->text().trimmed().isEmpty();
        setValidMark(Labels[i], filled);
        ok = ok && filled;
    }
    if (!SchoolYear::isWholeNumber(Fields[Year]->text())) {
        setValidMark(Labels[Year], false);
        ok = false;
    }
    btnOK->setEnabled(ok);
    return ok;
}

void frmEditKid::PrepareNew(qint64 oszId, qint64 tevId) {
    setWindowTitle(QStringLiteral("Tanuló: <új>"));
    m_tanId = 0;
    m_oszId = oszId;
    m_tevId = tevId;
    validate();
    btnOK->setEnabled(false);
}

bool frmEditKid::LoadKid(qint64 tanId, qint64 oszId, qint64 tevId) {
    const Recordset kid = AppData::current().devDB.run(QStringLiteral("getAStudent"), {tanId});
    if (kid.count() == 0) {
        dialogs().warn(this, QStringLiteral("A rekord nem létezik!"));
        return false;
    }
    m_tanId = tanId;
    m_oszId = oszId;
    m_tevId = tevId;
    const char *columns[] = {"tan_vnev", "tan_knev", "tan_anev", "tan_gondv_nev", "tan_szhely", "tan_orszag"};
    for (int i = Family; i <= Country; ++i)
        Fields[i]->setText(kid.field(QString::fromLatin1(columns[i])).toString());
    const QDate born = kid.field(QStringLiteral("tan_szdatum")).toDate();
    Fields[Year]->setText(born.isValid() ? born.toString(QStringLiteral("yyyy")) : QString());
    if (born.isValid()) {
        cmbMonth->setCurrentIndex(born.month() - 1);
        cmbDay->setCurrentIndex(born.day() - 1);
    }
    txtTLSZ->setText(kid.field(QStringLiteral("tan_tlapszam")).toString());
    txtSorsz->setText(kid.field(QStringLiteral("tan_sorsz")).toString());
    setWindowTitle(QStringLiteral("Tanuló: ") + Fields[Family]->text() + QLatin1Char(' ') +
                   Fields[Given]->text());
    validate();
    return true;
}

void frmEditKid::btnOK_Click() {
    // Enter confirms without the year field losing its focus: the year is widened here as well.
    widenYear();
    if (!validate())
        return;
    CommandSet &db = AppData::current().devDB;
    if (db.run(QStringLiteral("countMatchingTlapszam_Sorsz"),
               {m_tanId, numberOrNull(txtTLSZ), numberOrNull(txtSorsz), m_tevId, m_oszId})
            .count() > 0) {
        dialogs().inform(
            this, QStringLiteral("Már létezik ilyen törzslapszám vagy napló sorszám ebben az osztályban."));
        return;
    }
    const QVariant born =
        SchoolYear::birthDate(Fields[Year]->text(), cmbMonth->currentIndex() + 1, cmbDay->currentIndex() + 1);
    Transaction t(db.connection());
    const bool isNew = m_tanId == 0;
    qint64 tanId = m_tanId;
    if (isNew) {
        tanId = db.run(QStringLiteral("createEmptyStudent")).newKey();
    }
    db.run(QStringLiteral("updateStudent"),
           {Fields[Family]->text().trimmed(), Fields[Given]->text().trimmed(),
            Fields[Mother]->text().trimmed(), Fields[Guardian]->text().trimmed(),
            Fields[Place]->text().trimmed(), born, txtTLSZ->text().trimmed(), txtSorsz->text().trimmed(),
            Fields[Country]->text().trimmed(), tanId});
    if (isNew) {
        db.run(QStringLiteral("addRating"), {tanId, m_oszId, m_tevId});
        modSub::WriteLog(QStringLiteral("TANULO"), tanId, QStringLiteral("Uj tanulo felvetele"));
    } else {
        modSub::WriteLog(QStringLiteral("TANULO"), m_tanId, QStringLiteral("Rekord frisiitese"));
    }
    t.commit();
    m_tanId = tanId;
    accept();
}
