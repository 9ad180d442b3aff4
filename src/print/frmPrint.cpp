#include "print/frmPrint.h"

#include "data/AppData.h"
#include "print/DocumentLayout.h"
#include "print/PrintControl.h"
#include "print/PrintPreview.h"
#include "print/PrintRuns.h"
#include "print/SheetRecords.h"
#include "ui/DialogService.h"
#include "ui/Guard.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QVBoxLayout>

namespace {
template <typename T> T *named(T *w, const char *name) {
    w->setObjectName(QString::fromLatin1(name));
    return w;
}
} // namespace

frmPrint::frmPrint(QWidget *parent) : QDialog(parent), m_pc(new PrintControl(this)) {
    setObjectName(QStringLiteral("frmPrint"));
    setWindowTitle(QStringLiteral("Nyomtatás..."));

    TabStrip1 = named(new QTabBar(this), "TabStrip1");
    TabStrip1->addTab(QStringLiteral("Bizonyítvány"));
    TabStrip1->addTab(QStringLiteral("Törzslap"));
    TabStrip1->addTab(QStringLiteral("Törzslap Kivonat"));
    TabStrip1->setAccessibleName(QStringLiteral("Dokumentum"));

    fmeBizonyitvany = named(new QGroupBox(QStringLiteral("Bizonyítvány"), this), "fmeBizonyitvany");
    optBHivatalos = named(new QRadioButton(QStringLiteral("&Hivatalos"), fmeBizonyitvany), "optBHivatalos");
    optBElonezet =
        named(new QRadioButton(QStringLiteral("&Próbanyomtatás"), fmeBizonyitvany), "optBElonezet");
    optBA4 = named(new QRadioButton(QStringLiteral("&A4"), fmeBizonyitvany), "optBA4");
    auto *bLayout = new QVBoxLayout(fmeBizonyitvany);
    for (QWidget *w : std::initializer_list<QWidget *>{optBHivatalos, optBElonezet, optBA4})
        bLayout->addWidget(w);
    optBHivatalos->setChecked(true);

    fmeTorzslap = named(new QGroupBox(QStringLiteral("Törzslap"), this), "fmeTorzslap");
    optTHivatalosA4 =
        named(new QRadioButton(QStringLiteral("&Hivatalos A4"), fmeTorzslap), "optTHivatalosA4");
    optTElonezetA4 =
        named(new QRadioButton(QStringLiteral("&Próbanyomtatás A4"), fmeTorzslap), "optTElonezetA4");
    auto *tLayout = new QVBoxLayout(fmeTorzslap);
    tLayout->addWidget(optTHivatalosA4);
    tLayout->addWidget(optTElonezetA4);
    optTHivatalosA4->setChecked(true);

    fmeTorzslapKivonat = named(new QGroupBox(QStringLiteral("Törzslap Kivonat"), this), "fmeTorzslapKivonat");
    optTorzsKivonat = named(new QRadioButton(QStringLiteral("Törzslap &Kivonat A4"), fmeTorzslapKivonat),
                            "optTorzsKivonat");
    (new QVBoxLayout(fmeTorzslapKivonat))->addWidget(optTorzsKivonat);
    optTorzsKivonat->setChecked(true);

    chbKompetencia =
        named(new QCheckBox(QStringLiteral("Értékelési &területek kiírása"), this), "chbKompetencia");
    chbAlKomp = named(new QCheckBox(QStringLiteral("Értékelési a&lterületek kiírása"), this), "chbAlKomp");
    chbKeziPapir = named(new QCheckBox(QStringLiteral("Ké&zi papír"), this), "chbKeziPapir");

    lblHiba = named(new QLabel(QStringLiteral("Hib&ás lapok:"), this), "lblHiba");
    cmbHiba = named(new QComboBox(this), "cmbHiba");
    lblHiba->setBuddy(cmbHiba);
    cmbHiba->setAccessibleName(QStringLiteral("Hibás lapok:"));
    btnHibasNyomtat = named(new QPushButton(QStringLiteral("Hibás ny&omtat"), this), "btnHibasNyomtat");
    btnPrint = named(new QPushButton(QStringLiteral("&Nyomtatás"), this), "btnPrint");
    btnPrint->setDefault(true);
    cmdKilep = named(new QPushButton(QStringLiteral("&Bezár"), this), "cmdKilep");
    vsPrint = new PrintPreview(m_pc, this);

    auto *controls = new QVBoxLayout;
    controls->addWidget(TabStrip1);
    controls->addWidget(fmeBizonyitvany);
    controls->addWidget(fmeTorzslap);
    controls->addWidget(fmeTorzslapKivonat);
    controls->addWidget(chbKompetencia);
    controls->addWidget(chbAlKomp);
    controls->addWidget(chbKeziPapir);
    controls->addWidget(lblHiba);
    controls->addWidget(cmbHiba);
    controls->addWidget(btnHibasNyomtat);
    controls->addStretch(1);
    controls->addWidget(btnPrint);
    controls->addWidget(cmdKilep);
    auto *main = new QHBoxLayout(this);
    main->addLayout(controls);
    main->addWidget(vsPrint, 1);
    resize(1100, 760);

    fmeTorzslap->hide();
    fmeTorzslapKivonat->hide();
    showFaultyControls(false);

    connectGuarded(TabStrip1, &QTabBar::currentChanged, this, [this] { TabStrip1_Click(); });
    for (QRadioButton *o : {optBHivatalos, optBElonezet, optBA4, optTHivatalosA4, optTElonezetA4})
        connectGuarded(o, &QRadioButton::clicked, this, [this, o] { option_Click(o); });
    connectGuarded(chbKompetencia, &QCheckBox::clicked, this, [this] { recompose(); });
    connectGuarded(chbAlKomp, &QCheckBox::clicked, this, [this] { chbAlKomp_Click(); });
    connectGuarded(chbKeziPapir, &QCheckBox::clicked, this, [this] { chbKeziPapir_Click(); });
    connectGuarded(btnPrint, &QPushButton::clicked, this, [this] { btnPrint_Click(); });
    connectGuarded(btnHibasNyomtat, &QPushButton::clicked, this, [this] { btnHibasNyomtat_Click(); });
    connect(cmdKilep, &QPushButton::clicked, this, &QDialog::accept);
}

frmPrint::~frmPrint() = default;

void frmPrint::setRating(qint64 ertId, qint64 tanId) {
    m_ertId = ertId;
    m_tanId = tanId;
}

void frmPrint::load() {
    m_data = PrintData::read(AppData::current().devPrint, m_ertId, m_tanId);
    m_reprint = false;
    recompose();
}

PrintOptions frmPrint::currentOptions() const {
    PrintOptions o;
    switch (TabStrip1->currentIndex()) {
    case 0:
        o.document =
            optBA4->isChecked() ? PrintOptions::Document::CertificateA4 : PrintOptions::Document::Certificate;
        o.official = optBHivatalos->isChecked();
        break;
    case 1:
        o.document = PrintOptions::Document::RegisterSheet;
        o.official = optTHivatalosA4->isChecked();
        break;
    default:
        o.document = PrintOptions::Document::RegisterSheet;
        break;
    }
    o.reprint = m_reprint;
    o.subjectNames = chbKompetencia->isChecked();
    o.competencyNames = chbAlKomp->isChecked();
    o.handFilled = chbKeziPapir->isChecked();
    return o;
}

QString frmPrint::officialType() const {
    if (TabStrip1->currentIndex() == 0 && optBHivatalos->isChecked())
        return SheetRecords::kCertificate;
    if (TabStrip1->currentIndex() == 1 && optTHivatalosA4->isChecked())
        return SheetRecords::kRegisterSheet;
    return QString();
}

int frmPrint::keptNames() const {
    const QString type = officialType();
    if (type.isEmpty() || !SheetRecords::alreadyPrinted(m_data.status, type))
        return -1;
    return type == SheetRecords::kCertificate ? m_data.certificateNames : m_data.registerNames;
}

void frmPrint::recompose() {
    // The official document of a printed type keeps the names its run printed with, so a reprinted sheet
    // or a duplicate carries the same text as the rest of the run; the boxes show them and stay put.
    const int kept = keptNames();
    if (kept >= 0) {
        chbKompetencia->setChecked(kept >= 1);
        chbAlKomp->setChecked(kept >= 2);
    }
    chbKompetencia->setEnabled(kept < 0);
    chbAlKomp->setEnabled(kept < 0);
    const PrintOptions options = currentOptions();
    emit optionsChosen(options);
    m_pageCount = DocumentLayout(*m_pc, m_data, options).compose();
    m_pc->setZoomMode(3);
    // While a sheet is being reprinted the list keeps the sheet chosen.
    if (!m_reprint)
        fillFaultySheets();
}

void frmPrint::fillFaultySheets() {
    cmbHiba->clear();
    const QString type = officialType();
    if (!type.isEmpty()) {
        const QList<bool> &flags =
            type == SheetRecords::kCertificate ? m_data.faultyCertificateSheets : m_data.faultyRegisterSheets;
        // Sheets beyond the recorded ones count as not faulty.
        const int sheets = qMin(SheetRecords::sheetCount(m_pageCount), int(flags.size()));
        for (int k = 1; k <= sheets; ++k)
            if (flags.at(k - 1))
                cmbHiba->addItem(QString::number(k) + QLatin1Char('.'));
    }
    showFaultyControls(cmbHiba->count() > 0);
}

void frmPrint::showFaultyControls(bool show) {
    lblHiba->setVisible(show);
    cmbHiba->setVisible(show);
    btnHibasNyomtat->setVisible(show);
}

void frmPrint::TabStrip1_Click() {
    const int tab = TabStrip1->currentIndex();
    fmeBizonyitvany->setVisible(tab == 0);
    fmeTorzslap->setVisible(tab == 1);
    fmeTorzslapKivonat->setVisible(tab == 2);
    recompose();
}

void frmPrint::option_Click(QRadioButton *option) {
    if (option != optBHivatalos && option != optTHivatalosA4)
        showFaultyControls(false);
    recompose();
}

void frmPrint::chbAlKomp_Click() {
    if (chbAlKomp->isChecked())
        chbKompetencia->setChecked(true);
    recompose();
}

void frmPrint::chbKeziPapir_Click() {
    if (chbKeziPapir->isChecked() &&
        dialogs().message(this,
                          QStringLiteral("Figyelem! Kézi kitöltésű papír választása esetén a törzsadatok nem "
                                         "kerülnek kinyomtatásra! Folytat?"),
                          DialogService::Icon::Question, QMessageBox::Yes | QMessageBox::No,
                          QMessageBox::NoButton, QStringLiteral("Figyelmeztetés")) != QMessageBox::Yes) {
        chbKeziPapir->setChecked(false);
        return;
    }
    recompose();
}

void frmPrint::btnPrint_Click() {
    PrintRuns runs(this, *m_pc);
    const QString type = officialType();
    if (!type.isEmpty()) {
        // Another window may have printed (or reopened) the rating since this one read it: the checks and
        // the composed pages (the duplicate mark) follow the status as stored now.
        if (SheetRecords::storedStatus(m_ertId) != m_data.status)
            load();
        const PrintRuns::Outcome outcome =
            runs.printOfficial(m_data, type, SheetRecords::namesCode(currentOptions()));
        // After a recorded run the status and the faulty sheets are read again, so that a second run is
        // known for a duplicate and the failed sheets appear in the list.
        if (outcome.recorded)
            load();
        return;
    }
    const int tab = TabStrip1->currentIndex();
    if (tab == 2 || (tab == 0 && optBElonezet->isChecked()))
        runs.printWhole();
    else
        runs.printPageByPage();
}

void frmPrint::btnHibasNyomtat_Click() {
    const QString type = officialType();
    if (type.isEmpty() || cmbHiba->currentIndex() < 0)
        return;
    if (!m_pc->printDialog(this, true)) {
        recompose();
        return;
    }
    const int sheet = cmbHiba->currentText().remove(QLatin1Char('.')).toInt();
    m_reprint = true;
    bool stored = false;
    try {
        recompose();
        stored = PrintRuns(this, *m_pc).reprintSheet(m_ertId, type, sheet);
    } catch (...) {
        m_reprint = false;
        recompose();
        throw;
    }
    m_reprint = false;
    if (stored)
        load();
    else
        recompose();
}
