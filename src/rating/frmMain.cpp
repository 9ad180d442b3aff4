#include "rating/frmMain.h"

#include "curriculum/SentenceBank.h"
#include "data/AppData.h"
#include "data/DbError.h"
#include "data/modSub.h"
#include "exchange/modImport.h"
#include "print/frmPrint.h"
#include "rating/EditorContext.h"
#include "rating/EditorWidgets.h"
#include "rating/RatingHeaderView.h"
#include "rating/RatingLock.h"
#include "rating/RatingParts.h"
#include "rating/WritingAids.h"
#include "rating/frmKid.h"
#include "ui/DialogService.h"
#include "ui/EditorLink.h"
#include "ui/Guard.h"
#include "ui/MainTitle.h"
#include "ui/ItemRoles.h"
#include "ui/frmMsgBox.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTabBar>
#include <QVBoxLayout>

namespace {
frmMain *g_instance = nullptr;
const QColor kEditableBackground(248, 249, 251);
const QString kNotGiven = QStringLiteral("<nincs megadva>");
// The number shown in a register-number label, as it is frozen into the rating: the "not given" mark is
// only a mark, and an official form must not carry it as a number.
QString shownNumber(const QLabel *label) {
    return label->text() == kNotGiven ? QString() : label->text();
}

template <typename T> T *named(T *w, const char *name) {
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

// The text of a rating's text file replaces the text of the open editor's part, while it may be edited.
bool importText(const QString &text) {
    frmMain *editor = frmMain::instance();
    if (!editor || !editor->txtRating->isEnabled())
        return false;
    editor->txtRating->setPlainText(text);
    return true;
}
} // namespace

frmMain::frmMain(QMainWindow *mainWindow, EditorContext &context)
    : QWidget(nullptr), m_menu(mainWindow), m_context(context) {
    g_instance = this;
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Lorvanto"));
    setAttribute(Qt::WA_DeleteOnClose);

    btnSelect = named(new QPushButton(QStringLiteral("Tanuló kiválasztása..."), this), "btnSelect");
    lblNoKid = named(new QLabel(QStringLiteral("Nincs gyermek kiválasztva!"), this), "lblNoKid");
    lblName = named(new QLabel(this), "lblName");
    QFont nameFont = lblName->font();
    nameFont.setBold(true);
    lblName->setFont(nameFont);
    lblBirth = named(new QLabel(this), "lblBirth");
    lblMother = named(new QLabel(this), "lblMother");
    auto *viewBox = new QGroupBox(QStringLiteral("Nézet"), this);
    opView0 = named(new QRadioButton(QStringLiteral("&Törzsadatok és műveletek"), viewBox), "opView0");
    opView1 = named(new QRadioButton(QStringLiteral("Érté&kelés"), viewBox), "opView1");
    auto *viewLayout = new QHBoxLayout(viewBox);
    viewLayout->addWidget(opView0);
    viewLayout->addWidget(opView1);
    opView1->setChecked(true);

    header = new RatingHeaderView(this);
    buildRatingView();
    frmHideAll = named(new QWidget(this), "frmHideAll");
    views = named(new QStackedWidget(this), "views");
    views->addWidget(header);
    views->addWidget(frmRating);
    views->addWidget(frmHideAll);

    auto *top = new QHBoxLayout;
    top->addWidget(btnSelect);
    auto *pupil = new QVBoxLayout;
    pupil->addWidget(lblNoKid);
    pupil->addWidget(lblName);
    pupil->addWidget(lblBirth);
    pupil->addWidget(lblMother);
    top->addLayout(pupil, 1);
    top->addWidget(viewBox);
    auto *main = new QVBoxLayout(this);
    main->addLayout(top);
    main->addWidget(views, 1);
    resize(980, 680);

    connectGuarded(btnSelect, &QPushButton::clicked, this, &frmMain::btnSelect_Click);
    connectGuarded(opView0, &QRadioButton::toggled, this, &frmMain::opView_Click);
    connectGuarded(tabSubjects, &QTabBar::currentChanged, this, &frmMain::tabSubjects_Click);
    connectGuarded(tabCompetencies, &QTabBar::currentChanged, this, &frmMain::tabCompetencies_Click);
    connectGuarded(cmbSubCompetencies, &QComboBox::currentIndexChanged, this,
                   &frmMain::cmbSubCompetencies_Click);
    connectGuarded(txtRating, &QPlainTextEdit::textChanged, this, &frmMain::txtRating_Change);
    connectGuarded(dlSentences, &QTreeWidget::itemDoubleClicked, this, &frmMain::dlSentences_DblClick);
    connectGuarded(btnAdd, &QPushButton::clicked, this, &frmMain::btnAdd_Click);
    connectGuarded(btnSave, &QPushButton::clicked, this, &frmMain::SaveChanges);
    connectGuarded(header->btnSaveRating, &QPushButton::clicked, this, &frmMain::SaveChanges);
    connectGuarded(btnRevert, &QPushButton::clicked, this, &frmMain::btnRevert_Click);
    connect(header, &RatingHeaderView::changed, this, [this] {
        if (m_tracking)
            m_headerDirty = true;
        markDirty();
    });
    connect(header, &RatingHeaderView::validityChanged, this, [this](bool valid) {
        if (m_editable)
            header->btnClose->setEnabled(valid);
    });
    connectGuarded(header->btnClose, &QPushButton::clicked, this, &frmMain::btnClose_Click);
    connectGuarded(header->btnPrint, &QPushButton::clicked, this, &frmMain::btnPrint_Click);
    connect(txtNewSentence, &QLineEdit::textChanged, this,
            [this] { btnAdd->setEnabled(m_editable && !txtNewSentence->text().trimmed().isEmpty()); });
    // Sentences added, changed or imported in the bank show in the open part at once.
    connect(SentenceBank::notifier(), &SentenceBank::Notifier::changed, this, [this] {
        if (isRatingOpen())
            guarded(this, [this] { ReloadSentences(); });
    });

    // Opening: no rating, the title of the main window, the autosave timer and the pupil chooser loaded.
    m_title = mainTitle();
    setMainCaption(m_title);
    m_kid = new frmKid(this);
    EditorLink::setOpen(true);
    EditorLink::setSaveChanges([this] { guarded(this, [this] { SaveChanges(); }); });
    EditorLink::setAskToSave([this] {
        bool goOn = false;
        guarded(this, [&] { goOn = askToSave(); });
        return goOn;
    });
    modImport::SetTextImport(&importText);
    m_aids = new WritingAids(this, m_menu.data(), m_context);
    resetWindow();
}

frmMain::~frmMain() {
    guarded(nullptr, [this] { releaseLock(); });
    EditorLink::setOpen(false);
    EditorLink::setSaveChanges(nullptr);
    EditorLink::setAskToSave(nullptr);
    if (m_menu)
        setMainCaption(m_title);
    if (g_instance == this)
        g_instance = nullptr;
}

frmMain *frmMain::instance() {
    return g_instance;
}

void frmMain::buildRatingView() {
    frmRating = named(new QGroupBox(QStringLiteral("Értékelés"), this), "frmRating");
    tabSubjects = named(new QTabBar(frmRating), "tabSubjects");
    tabSubjects->setAccessibleName(QStringLiteral("Tantárgyak"));
    tabSubjects->setExpanding(false);
    lblCompetence = named(new QLabel(QStringLiteral("Értékelési terület:"), frmRating), "lblCompetence");
    tabCompetencies = named(new QTabBar(frmRating), "tabCompetencies");
    tabCompetencies->setAccessibleName(QStringLiteral("Értékelési terület:"));
    tabCompetencies->setExpanding(false);
    cmbSubCompetencies = named(new QComboBox(frmRating), "cmbSubCompetencies");
    cmbSubCompetencies->setAccessibleName(QStringLiteral("Részterület"));
    txtRating = named(new LimitedTextEdit(2046, frmRating), "txtRating");
    auto *ratingLabel = new QLabel(QStringLiteral("&Ide írja az értékelést:"), frmRating);
    ratingLabel->setBuddy(txtRating);
    txtRating->setAccessibleName(QStringLiteral("Ide írja az értékelést:"));
    lblFill = named(new QLabel(frmRating), "lblFill");
    dlSentences = named(new SentenceList(frmRating), "dlSentences");
    dlSentences->setHeaderLabels({QStringLiteral("Mondat")});
    dlSentences->setRootIsDecorated(false);
    dlSentences->setAccessibleName(QStringLiteral("Mondatok"));
    auto *hint = new QLabel(
        QStringLiteral("Kattintson duplán a mondatra annak beszúrásához a kurzor mögé, vagy húzza a "
                       "megfelelő helyre!"),
        frmRating);
    hint->setWordWrap(true);
    txtNewSentence = named(new QLineEdit(frmRating), "txtNewSentence");
    txtNewSentence->setMaxLength(510);
    auto *newLabel =
        new QLabel(QStringLiteral("Ha egy mondatot az adatbázisba is el szeretne menteni, írja a beviteli "
                                  "mezőbe, majd nyomja meg a Hozzáad gombot!"),
                   frmRating);
    newLabel->setWordWrap(true);
    newLabel->setBuddy(txtNewSentence);
    txtNewSentence->setAccessibleName(QStringLiteral("Új mondat"));
    btnAdd = named(new QPushButton(QStringLiteral("&Hozzáad..."), frmRating), "btnAdd");
    btnSave = named(new QPushButton(QStringLiteral("Mentés"), frmRating), "btnSave");
    btnRevert = named(new QPushButton(QStringLiteral("Visszatöltés"), frmRating), "btnRevert");

    auto *competences = new QHBoxLayout;
    competences->addWidget(lblCompetence);
    competences->addWidget(tabCompetencies, 1);
    auto *left = new QVBoxLayout;
    left->addWidget(cmbSubCompetencies);
    left->addWidget(ratingLabel);
    left->addWidget(txtRating, 1);
    left->addWidget(lblFill);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnRevert);
    buttons->addWidget(btnSave);
    left->addLayout(buttons);
    auto *right = new QVBoxLayout;
    right->addWidget(hint);
    right->addWidget(dlSentences, 1);
    right->addWidget(newLabel);
    auto *add = new QHBoxLayout;
    add->addWidget(txtNewSentence, 1);
    add->addWidget(btnAdd);
    right->addLayout(add);
    auto *body = new QHBoxLayout;
    body->addLayout(left, 1);
    body->addLayout(right, 1);
    auto *layout = new QVBoxLayout(frmRating);
    layout->addWidget(tabSubjects);
    layout->addLayout(competences);
    layout->addLayout(body, 1);
}

bool frmMain::isRatingOpen() const {
    return m_kid->rating().count() > 0;
}

qint64 frmMain::ratingId() const {
    return isRatingOpen() ? m_kid->rating().field(QStringLiteral("ert_id")).toLongLong() : 0;
}

qint64 frmMain::currentAkbId() const {
    return cmbSubCompetencies->currentIndex() >= 0 ? cmbSubCompetencies->currentData().toLongLong() : 0;
}

void frmMain::setMainCaption(const QString &caption) {
    if (m_menu)
        m_menu->setWindowTitle(caption);
}

// ---- the curriculum tree -------------------------------------------------------------------------------

void frmMain::LoadSubjects(const Recordset &period) {
    const bool tracking = m_tracking;
    m_tracking = false;
    {
        const QSignalBlocker block(tabSubjects);
        while (tabSubjects->count())
            tabSubjects->removeTab(0);
    }
    const qint64 tevId = period.count() ? period.field(QStringLiteral("tev_id")).toLongLong() : 0;
    const Recordset subjects = AppData::current().devDB.run(QStringLiteral("getSubjects"), {tevId});
    if (subjects.count() == 0) {
        {
            const QSignalBlocker block(tabCompetencies);
            while (tabCompetencies->count())
                tabCompetencies->removeTab(0);
        }
        cmbSubCompetencies->clear();
        dialogs().error(this, QStringLiteral("Nincs egyetlen tantárgy se definiálva."));
        m_tracking = tracking;
        return;
    }
    {
        const QSignalBlocker block(tabSubjects);
        for (int i = 0; i < subjects.count(); ++i) {
            const int tab = tabSubjects->addTab(subjects.at(i, QStringLiteral("ata_rnev")).toString());
            tabSubjects->setTabData(tab, subjects.at(i, QStringLiteral("ata_id")));
        }
        tabSubjects->setCurrentIndex(0);
    }
    tabSubjects->setEnabled(true);
    tabCompetencies->setEnabled(true);
    tabSubjects_Click();
    m_tracking = tracking;
}

void frmMain::tabSubjects_Click() {
    {
        const QSignalBlocker block(tabCompetencies);
        while (tabCompetencies->count())
            tabCompetencies->removeTab(0);
        if (tabSubjects->currentIndex() >= 0) {
            const Recordset comps =
                AppData::current().devDB.run(QStringLiteral("getSubjectCompetencies"),
                                             {tabSubjects->tabData(tabSubjects->currentIndex())});
            for (int i = 0; i < comps.count(); ++i) {
                const int tab = tabCompetencies->addTab(comps.at(i, QStringLiteral("kpb_nev")).toString());
                tabCompetencies->setTabData(tab, comps.at(i, QStringLiteral("kpb_id")));
            }
            tabCompetencies->setCurrentIndex(0);
        }
    }
    // A placeholder competency (no name) stands for a subject without competencies: no tabs are shown.
    const bool named = tabCompetencies->count() > 0 && !tabCompetencies->tabText(0).isEmpty();
    tabCompetencies->setVisible(named);
    lblCompetence->setVisible(named);
    // A tab bar filled while its page is hidden does not tell the layout its new height by itself.
    tabSubjects->updateGeometry();
    tabCompetencies->updateGeometry();
    tabCompetencies_Click();
}

void frmMain::tabCompetencies_Click() {
    {
        const QSignalBlocker block(cmbSubCompetencies);
        cmbSubCompetencies->clear();
        if (tabCompetencies->currentIndex() >= 0) {
            const Recordset subs = AppData::current().devDB.run(
                QStringLiteral("getSubComps"), {tabCompetencies->tabData(tabCompetencies->currentIndex())});
            for (int i = 0; i < subs.count(); ++i)
                cmbSubCompetencies->addItem(subs.at(i, QStringLiteral("akb_nev")).toString(),
                                            subs.at(i, QStringLiteral("akb_id")));
            cmbSubCompetencies->setCurrentIndex(cmbSubCompetencies->count() ? 0 : -1);
        }
    }
    cmbSubCompetencies->setVisible(cmbSubCompetencies->count() > 0 &&
                                   !cmbSubCompetencies->itemText(0).isEmpty());
    cmbSubCompetencies_Click();
}

// ---- one part ----------------------------------------------------------------------------------------

void frmMain::cmbSubCompetencies_Click() {
    if (!isRatingOpen() || cmbSubCompetencies->currentIndex() < 0) {
        dlSentences->clear();
        return;
    }
    ReloadSentences();
    showStoredPart();
}

void frmMain::showStoredPart(bool afterSave) {
    const qint64 akbId = currentAkbId();
    m_part = RatingParts::loadPart(ratingId(), akbId);
    const bool hasRow = m_part.count() > 0;
    const qint64 id = hasRow ? m_part.field(QStringLiteral("esz_id")).toLongLong() : akbId;
    const std::optional<QString> pending = m_edits.find(!hasRow, id);
    const QString text =
        pending ? *pending : (hasRow ? m_part.field(QStringLiteral("esz_szoveg")).toString() : QString());
    // After a save the box already shows what was stored (perhaps with the blank typed last): the text, the
    // caret and the scroll position stay as they are while the user types on.
    if (afterSave && RatingParts::trimBlanks(txtRating->toPlainText()) == text)
        return;
    const bool tracking = m_tracking;
    m_tracking = false;
    txtRating->setPlainText(text);
    m_tracking = tracking || isRatingOpen();
}

void frmMain::ReloadSentences() {
    dlSentences->clear();
    if (cmbSubCompetencies->currentIndex() < 0)
        return;
    const qint64 me = AppData::current().login.userId();
    const Recordset rs = AppData::current().devDB.run(QStringLiteral("getSentences"), {currentAkbId()});
    QList<QTreeWidgetItem *> items;
    for (int i = 0; i < rs.count(); ++i)
        if (RatingParts::isSentenceVisible(rs.at(i, QStringLiteral("mdb_megoszt")).toString(),
                                           rs.at(i, QStringLiteral("mdb_usr_id")).toLongLong(), me))
            items << new QTreeWidgetItem(
                QStringList{rs.at(i, QStringLiteral("mdb_szoveg")).toString() + QLatin1Char(' ')});
    dlSentences->addTopLevelItems(items);
}

void frmMain::txtRating_Change() {
    if (!m_tracking || !m_editable || !isRatingOpen() || cmbSubCompetencies->currentIndex() < 0)
        return;
    const bool hasRow = m_part.count() > 0;
    m_edits.store(!hasRow, hasRow ? m_part.field(QStringLiteral("esz_id")).toLongLong() : currentAkbId(),
                  txtRating->toPlainText());
    markDirty();
}

void frmMain::markDirty() {
    if (!m_tracking)
        return;
    setMainCaption(m_title + QLatin1Char('*'));
    m_dirty = true;
}

void frmMain::insertIntoRating(const QString &text) {
    const int caret = txtRating->textCursor().position();
    txtRating->setPlainText(RatingParts::insertAt(txtRating->toPlainText(), caret, text));
    txtRating->setFocus();
    QTextCursor c = txtRating->textCursor();
    c.setPosition(caret + int(text.size()));
    txtRating->setTextCursor(c);
}

void frmMain::dlSentences_DblClick() {
    const QTreeWidgetItem *item = dlSentences->currentItem();
    if (!item || !m_editable)
        return;
    insertIntoRating(item->text(0));
}

void frmMain::btnAdd_Click() {
    if (txtNewSentence->text().trimmed().isEmpty()) {
        dialogs().inform(this, QStringLiteral("A szöveges mezőnek látható szöveget kell tartalmaznia."));
        return;
    }
    frmMsgBox question(this);
    dialogs().runModal(&question);
    const int result = question.Result();
    if (result == frmMsgBox::SaveSentence) {
        AppData &app = AppData::current();
        const bool offered = dialogs().ask(this, QStringLiteral("Kiajánlja a mondatot?"));
        const qint64 mdbId =
            app.devDB
                .run(QStringLiteral("addSentence"),
                     {currentAkbId(), txtNewSentence->text(),
                      RatingParts::newSentenceSharing(offered, modSub::GetExportState()), app.login.userId()})
                .newKey();
        modSub::WriteLog(QStringLiteral("MONDATBANK"), mdbId, QStringLiteral("Uj mondat felvetele"));
        ReloadSentences();
    }
    if (result == frmMsgBox::SaveSentence || result == frmMsgBox::InsertOnly) {
        insertIntoRating(txtNewSentence->text() + QLatin1Char(' '));
        txtNewSentence->clear();
    }
}

// ---- saving --------------------------------------------------------------------------------------------

void frmMain::SaveChanges() {
    if (!isRatingOpen() || !m_editable || m_kid->Rite() < 2 || !m_dirty)
        return;
    setMainCaption(m_title + QStringLiteral(" - Mentés..."));
    try {
        if (!RatingParts::save(ratingId(), m_edits)) {
            setMainCaption(m_title + QLatin1Char('*'));
            dialogs().warn(this, QStringLiteral("Az értékelést közben véglegesítették, ezért nem menthető. A "
                                                "módosítások megmaradtak."));
            return;
        }
    } catch (const DbError &e) {
        // Nothing typed is lost: the edits stay pending and the rating stays marked unsaved.
        setMainCaption(m_title + QLatin1Char('*'));
        dialogs().error(
            this, QStringLiteral("A mentés nem sikerült, a módosítások megmaradtak.\n\n%1").arg(e.message()));
        return;
    }
    m_edits.clear();
    m_dirty = false;
    setMainCaption(m_title);
    m_aids->saved();
    // The header is written on its own: the parts saved above stay saved even if it fails.
    try {
        SaveRating();
        m_headerDirty = false;
    } catch (const DbError &e) {
        m_dirty = true;
        setMainCaption(m_title + QLatin1Char('*'));
        dialogs().error(this, QStringLiteral("A törzsadatok mentése nem sikerült.\n\n%1").arg(e.message()));
    }
    if (cmbSubCompetencies->currentIndex() >= 0) {
        ReloadSentences();
        showStoredPart(true);
    }
}

void frmMain::SaveRating() {
    const RatingHeaderView::Values v = header->values();
    AppData::current().devDB.run(
        QStringLiteral("updateMainRatingData"),
        {v.absences, v.unexcused, v.decision, v.date.isValid() ? QVariant(v.date) : QVariant(), ratingId()});
}

void frmMain::discardEdits() {
    m_edits.clear();
    m_dirty = false;
    m_headerDirty = false;
    setMainCaption(m_title);
}

bool frmMain::askToSave() {
    if (!m_dirty)
        return true;
    const auto answer = dialogs().message(this, QStringLiteral("Menti a változásokat, mielőtt folytatja?"),
                                          DialogService::Icon::Question,
                                          QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    if (answer == QMessageBox::Yes) {
        SaveChanges();
        return !m_dirty; // a failed save keeps the user here with his edits
    }
    if (answer == QMessageBox::No) {
        discardEdits();
        return true;
    }
    return false;
}

void frmMain::btnRevert_Click() {
    if (!dialogs().ask(this,
                       QStringLiteral("A művelet visszavonja az aktuális kompetencia értékelésén végzett "
                                      "módosításokat. Folytatja?")))
        return;
    if (!isRatingOpen() || cmbSubCompetencies->currentIndex() < 0)
        return;
    const bool hasRow = m_part.count() > 0;
    m_edits.remove(!hasRow, hasRow ? m_part.field(QStringLiteral("esz_id")).toLongLong() : currentAkbId());
    showStoredPart();
    if (m_edits.isEmpty() && !m_headerDirty) {
        m_dirty = false;
        setMainCaption(m_title);
    }
}

// ---- choosing a pupil ----------------------------------------------------------------------------------

void frmMain::releaseLock() {
    if (isRatingOpen() && m_lockedByMe)
        RatingLock::release(ratingId());
    m_lockedByMe = false;
}

void frmMain::resetWindow() {
    m_tracking = false;
    tabSubjects->setEnabled(false);
    tabCompetencies->setEnabled(false);
    lblCompetence->setEnabled(false);
    cmbSubCompetencies->setEnabled(false);
    txtRating->clear();
    txtNewSentence->clear();
    header->clear();
    m_editable = false;
    SetMainDataEnable(false);
    lblName->clear();
    lblBirth->clear();
    lblMother->clear();
    lblNoKid->show();
    views->setCurrentWidget(frmHideAll);
}

void frmMain::btnSelect_Click() {
    if (!askToSave())
        return;
    releaseLock();
    m_kid->closeRating();
    m_part = Recordset();
    resetWindow();
    if (!m_kid->prepare())
        return;
    m_kid->dlClass_Click();
    dialogs().runModal(m_kid);
    if (!m_kid->ratingOpen()) {
        m_kid->closeRating();
        return;
    }
    m_lockedByMe = !m_kid->readOnly();
    const Recordset &s = m_kid->student();
    m_tracking = false;
    lblName->setText(s.field(QStringLiteral("tan_vnev")).toString() + QLatin1Char(' ') +
                     s.field(QStringLiteral("tan_knev")).toString());
    lblBirth->setText(QStringLiteral("Szül.: ") + s.field(QStringLiteral("tan_szhely")).toString() +
                      QStringLiteral(", ") +
                      RatingParts::longDate(s.field(QStringLiteral("tan_szdatum")).toDate()));
    lblMother->setText(QStringLiteral("Anyja neve: ") + s.field(QStringLiteral("tan_anev")).toString());
    showRegisterNumbers();
    header->showDate(m_kid->rating().field(QStringLiteral("ert_keltezes")).toDate());
    lblNoKid->hide();
    m_tracking = true;
}

void frmMain::showHeaderData(const Recordset &rating) {
    auto text = [&](const char *column) { return rating.field(QString::fromLatin1(column)).toString(); };
    header->showStored(text("ert_mulaszt"), text("ert_igazolatlan"), text("ert_hatarozat_evf"));
    header->showDate(rating.field(QStringLiteral("ert_keltezes")).toDate());
}

void frmMain::showRegisterNumbers() {
    const Recordset &rating = m_kid->rating();
    const bool open = rating.field(QStringLiteral("ert_vegleges")).toString() == QLatin1String("N");
    const Recordset &s = m_kid->student();
    // A finalised rating shows the numbers frozen in it; an open one the pupil's current numbers.
    auto number = [&](const char *ratingColumn, const char *pupilColumn) {
        if (!open)
            return rating.field(QString::fromLatin1(ratingColumn)).toString();
        const QString v = s.count() ? s.field(QString::fromLatin1(pupilColumn)).toString() : QString();
        return v.isEmpty() ? kNotGiven : v;
    };
    header->lblTLSZ_SZ->setText(number("ert_tlapszam", "tan_tlapszam"));
    header->lblONS->setText(number("ert_sorsz", "tan_sorsz"));
}

void frmMain::showSheets(qint64 ertId) {
    header->List1->clear();
    header->List2->clear();
    CommandSet &print = AppData::current().devPrint;
    for (const char *type : {"B", "T"}) {
        const Recordset rs = print.run(QStringLiteral("getOldalak"), {ertId, QString::fromLatin1(type)});
        for (int i = 0; i < rs.count(); ++i) {
            const QString line = rs.at(i, QStringLiteral("lap_szam")).toString() + QStringLiteral(": ") +
                                 rs.at(i, QStringLiteral("lap_sorszam")).toString();
            (type[0] == 'B' ? header->List2 : header->List1)->addItem(line);
        }
    }
}

void frmMain::ReloadClosures() {
    header->setRating(ratingId());
    header->ReloadClosures();
}

void frmMain::showEditingArea() {
    m_aids->ratingOpened();
    opView_Click();
}

void frmMain::opView_Click() {
    if (!isRatingOpen()) {
        views->setCurrentWidget(frmHideAll);
        return;
    }
    views->setCurrentWidget(opView0->isChecked() ? static_cast<QWidget *>(header) : frmRating);
}

void frmMain::SetMainDataEnable(bool enable) {
    int level = 0;
    bool open = false;
    if (isRatingOpen()) {
        level = modSub::GetClassRight(m_kid->rating().field(QStringLiteral("ert_osz_id")).toLongLong());
        open = m_kid->rating().field(QStringLiteral("ert_vegleges")).toString() == QLatin1String("N");
    }
    m_editable = enable && level >= 2 && open && m_kid->IsActive();
    header->btnPrint->setEnabled(level >= 3);
    QPalette p = txtRating->palette();
    p.setColor(QPalette::Base, m_editable ? kEditableBackground : palette().color(QPalette::Button));
    for (QWidget *w : std::initializer_list<QWidget *>{
             txtRating, dlSentences, txtNewSentence, header->txtEvfolyam, header->txtIgazolatlan,
             header->txtKelt, header->txtMulOrak, header->listClosures, header->txtActual})
        w->setPalette(p);
    for (QWidget *w :
         std::initializer_list<QWidget *>{txtRating, dlSentences, txtNewSentence, btnSave, btnRevert})
        w->setEnabled(m_editable);
    header->setEditable(m_editable);
    btnAdd->setEnabled(m_editable && !txtNewSentence->text().trimmed().isEmpty());
    setFinaliseButton();
    cmbSubCompetencies->setEnabled(isRatingOpen());
    lblCompetence->setEnabled(isRatingOpen());
    emit editableChanged(m_editable);
}

void frmMain::setFinaliseButton() {
    QPushButton *button = header->btnClose;
    if (!isRatingOpen()) {
        button->setText(QStringLiteral("&Véglegesítés"));
        button->setEnabled(false);
        return;
    }
    const QString status = m_kid->rating().field(QStringLiteral("ert_vegleges")).toString();
    button->setText(status == QLatin1String("N") ? QStringLiteral("&Véglegesítés")
                                                 : QStringLiteral("&Visszavéglegesítés"));
    const bool printed =
        status == QLatin1String("T") || status == QLatin1String("B") || status == QLatin1String("P");
    // A rating opened read-only (another user's lock, a class exported or not imported here, a past period)
    // is neither finalised nor reopened from here.
    button->setEnabled(AppData::current().login.isAdmin && !printed && !m_kid->readOnly());
    // An editable rating (always "N") may be finalised by whoever edits it, once the header is valid.
    if (m_editable)
        button->setEnabled(header->validate());
}

void frmMain::btnClose_Click() {
    if (!isRatingOpen())
        return;
    const qint64 ertId = ratingId();
    const bool finalising =
        m_kid->rating().field(QStringLiteral("ert_vegleges")).toString() == QLatin1String("N");
    CommandSet &db = AppData::current().devDB;
    if (finalising) {
        if (!m_aids->confirmFinalising())
            return;
        if (!dialogs().ask(
                this,
                QStringLiteral("Véglegesítés után az adatok és az értékelések csak visszavéglegesítéssel "
                               "lesznek módosíthatók, ehhez csak az igazgatónak van joga. Folytatja?")))
            return;
        SaveChanges();
        if (m_dirty)
            return; // the save failed and the user was told; nothing is finalised over unsaved text
        db.run(QStringLiteral("setFinalizationMode"), {QStringLiteral("I"), ertId});
        modSub::SetRatingRegisterNumbers(ertId, shownNumber(header->lblTLSZ_SZ), shownNumber(header->lblONS));
        modSub::WriteLog(QStringLiteral("ERTEKELES"), ertId, QStringLiteral("Veglegesites"));
    } else {
        if (!dialogs().ask(
                this, QStringLiteral(
                          "Ha folytatja, az adatok újra írhatóak lesznek. Visszavonja a véglegesítést?")))
            return;
        db.run(QStringLiteral("setFinalizationMode"), {QStringLiteral("N"), ertId});
        AppData::current().devPrint.run(QStringLiteral("delLapok"), {ertId});
        modSub::WriteLog(QStringLiteral("ERTEKELES"), ertId, QStringLiteral("Visszaveglegesites"));
    }
    reopenRating();
}

void frmMain::btnPrint_Click() {
    if (!isRatingOpen())
        return;
    if (m_dirty) {
        if (!dialogs().ask(this, QStringLiteral("A folytatáshoz el kell menteni az adatokat. Elmenti?")))
            return;
        SaveChanges();
        if (m_dirty)
            return; // the save failed and the user was told; nothing is printed over unsaved text
    }
    frmPrint window(this);
    connect(&window, &frmPrint::optionsChosen, &m_context.printChoices, &PrintChoices::setOptions);
    window.setRating(ratingId(), m_kid->rating().field(QStringLiteral("ert_tan_id")).toLongLong());
    window.load();
    dialogs().runModal(&window);
    // An official run changes the status and the sheets: the header shows them afresh.
    reopenRating();
}

void frmMain::reopenRating() {
    // Our own lock is given back first, so the rating is reopened (and locked) afresh rather than found
    // locked by ourselves and left locked for good.
    const qint64 tanId = m_kid->rating().field(QStringLiteral("ert_tan_id")).toLongLong();
    releaseLock();
    m_tracking = false;
    m_kid->dlClass_Click();
    for (int i = 0; i < m_kid->listKid->topLevelItemCount(); ++i)
        if (m_kid->listKid->topLevelItem(i)->data(0, IdRole).toLongLong() == tanId)
            m_kid->listKid->setCurrentItem(m_kid->listKid->topLevelItem(i));
    m_kid->btnSelect_Click();
    m_lockedByMe = !m_kid->readOnly();
    showRegisterNumbers();
    header->showDate(m_kid->rating().field(QStringLiteral("ert_keltezes")).toDate());
    m_tracking = true;
}

void frmMain::closeEvent(QCloseEvent *event) {
    bool goOn = false;
    guarded(this, [&] { goOn = askToSave(); });
    if (!goOn) {
        event->ignore();
        return;
    }
    guarded(this, [this] { releaseLock(); });
    event->accept();
}
