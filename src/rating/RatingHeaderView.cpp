#include "rating/RatingHeaderView.h"

#include "data/AppData.h"
#include "data/Clock.h"
#include "data/modSub.h"
#include "rating/EditorWidgets.h"
#include "rating/HeaderRules.h"
#include "rating/frmTemplate.h"
#include "ui/DialogService.h"
#include "ui/Guard.h"
#include "ui/ItemRoles.h"
#include "ui/LinkLabel.h"
#include "ui/ValidMark.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
template <typename T> T *named(T *w, const char *name) {
    w->setObjectName(QString::fromLatin1(name));
    return w;
}
QLabel *labelFor(const QString &text, QWidget *buddy, const char *name, QWidget *parent) {
    auto *l = named(new QLabel(text, parent), name);
    l->setBuddy(buddy);
    buddy->setAccessibleName(QString(text).remove(QLatin1Char('&')));
    return l;
}
const QString kEmptyText = QStringLiteral("A beviteli mezőnek látható szöveget kell tartalmaznia.");
const QString kNoSelection = QStringLiteral("Nincs elem kiválasztva.");
// Typing limits of the fields; a stored value longer than its limit is still shown and kept whole.
constexpr int kAbsenceLimit = 3;
constexpr int kDecisionLimit = 200;

// Shows a stored value whole: the field's limit is for typing, and a value cut here would be written back
// cut by the next save.
void showWhole(QLineEdit *field, const QString &text, int typingLimit) {
    field->setMaxLength(std::max(typingLimit, int(text.size())));
    field->setText(text);
}
} // namespace

RatingHeaderView::RatingHeaderView(QWidget *parent) : QGroupBox(QStringLiteral("&Törzslap"), parent) {
    setObjectName(QStringLiteral("frmHeader"));
    setMouseTracking(true);
    txtMulOrak = named(new QLineEdit(this), "txtMulOrak");
    txtMulOrak->setMaxLength(kAbsenceLimit);
    txtMulOrak->setMaximumWidth(60);
    lblMulOrak = labelFor(QStringLiteral("&Mulasztott órák:"), txtMulOrak, "lblMulOrak", this);
    txtIgazolatlan = named(new QLineEdit(this), "txtIgazolatlan");
    txtIgazolatlan->setMaxLength(kAbsenceLimit);
    txtIgazolatlan->setMaximumWidth(60);
    lblIgazolatlan = labelFor(QStringLiteral("Ebből i&gazolatlan:"), txtIgazolatlan, "lblIgazolatlan", this);
    txtEvfolyam = named(new QLineEdit(this), "txtEvfolyam");
    txtEvfolyam->setMaxLength(kDecisionLimit);
    lblEvfolyam = labelFor(QStringLiteral("A nevelőtestület &határozata:"), txtEvfolyam, "lblEvfolyam", this);
    Command2 = named(new LinkLabel(QStringLiteral("Kattintson ide sablon beszúrásához!"), this), "Command2");
    txtKelt = named(new QLineEdit(this), "txtKelt");
    txtKelt->setMaxLength(4);
    txtKelt->setMaximumWidth(70);
    txtKelt->installEventFilter(this);
    lblKelt = labelFor(QStringLiteral("&Kelt (dátum):"), txtKelt, "lblKelt", this);
    cmbMonth = named(new QComboBox(this), "cmbMonth");
    cmbMonth->setAccessibleName(QStringLiteral("Hónap"));
    for (const char *m : {"január", "február", "március", "április", "május", "június", "július", "augusztus",
                          "szeptember", "október", "november", "december"})
        cmbMonth->addItem(QString::fromUtf8(m));
    cmbDay = named(new QComboBox(this), "cmbDay");
    cmbDay->setAccessibleName(QStringLiteral("Nap"));
    fillDays();
    Label6 = named(new LinkLabel(QStringLiteral("Kattintson ide az aktuális dátum beillesztéséhez!"), this),
                   "Label6");

    lblTLSZ_SZ = named(new QLabel(this), "lblTLSZ_SZ");
    lblONS = named(new QLabel(this), "lblONS");
    List1 = named(new QListWidget(this), "List1");
    List1->setAccessibleName(QStringLiteral("Törzslap sorszámok:"));
    List2 = named(new QListWidget(this), "List2");
    List2->setAccessibleName(QStringLiteral("Pótlap sorszámok:"));
    List1->setMaximumHeight(110);
    List2->setMaximumHeight(110);

    listClosures = named(new QTreeWidget(this), "listClosures");
    listClosures->setHeaderLabels({QStringLiteral("Záradék")});
    listClosures->setRootIsDecorated(false);
    listClosures->setAccessibleName(QStringLiteral("Záradékok"));
    txtActual = named(new LimitedTextEdit(510, this), "txtActual");
    txtActual->setAccessibleName(QStringLiteral("Szöveg:"));
    txtActual->setMaximumHeight(70);
    Command1 = named(new LinkLabel(QStringLiteral("Kattintson ide sablon beszúrásához!"), this), "Command1");
    btnAddClause = named(new QPushButton(QStringLiteral("&Felvitel újként"), this), "btnAddClause");
    btnModifyClause = named(new QPushButton(QStringLiteral("&Záradék mentése"), this), "btnModifyClause");
    btnRemoveClause = named(new QPushButton(QStringLiteral("El&távolít"), this), "btnRemoveClause");
    btnSaveRating = named(new QPushButton(QStringLiteral("&Mentés"), this), "btnSaveRating");
    btnPrint = named(new QPushButton(QStringLiteral("Nyomtatás..."), this), "btnPrint");
    btnClose = named(new QPushButton(QStringLiteral("&Véglegesítés"), this), "btnClose");

    auto *form = new QGridLayout;
    form->addWidget(lblMulOrak, 0, 0);
    form->addWidget(txtMulOrak, 0, 1);
    form->addWidget(lblIgazolatlan, 0, 2);
    form->addWidget(txtIgazolatlan, 0, 3);
    form->addWidget(lblEvfolyam, 1, 0);
    form->addWidget(txtEvfolyam, 1, 1, 1, 3);
    form->addWidget(Command2, 2, 1, 1, 3);
    auto *date = new QHBoxLayout;
    date->addWidget(txtKelt);
    date->addWidget(cmbMonth);
    date->addWidget(cmbDay);
    date->addWidget(Label6);
    date->addStretch(1);
    form->addWidget(lblKelt, 3, 0);
    form->addLayout(date, 3, 1, 1, 3);
    form->addWidget(new QLabel(QStringLiteral("Törzslapszám:"), this), 4, 0);
    form->addWidget(lblTLSZ_SZ, 4, 1);
    form->addWidget(new QLabel(QStringLiteral("Osztályozó napló sorszám:"), this), 4, 2);
    form->addWidget(lblONS, 4, 3);

    auto *sheets = new QGridLayout;
    sheets->addWidget(new QLabel(QStringLiteral("Törzslap sorszámok:"), this), 0, 0);
    sheets->addWidget(new QLabel(QStringLiteral("Pótlap sorszámok:"), this), 0, 1);
    sheets->addWidget(List1, 1, 0);
    sheets->addWidget(List2, 1, 1);

    auto *clauses = new QGroupBox(QStringLiteral("Záradékok"), this);
    auto *clauseButtons = new QHBoxLayout;
    clauseButtons->addWidget(btnAddClause);
    clauseButtons->addWidget(btnModifyClause);
    clauseButtons->addWidget(btnRemoveClause);
    clauseButtons->addStretch(1);
    auto *clauseBox = new QVBoxLayout(clauses);
    clauseBox->addWidget(listClosures);
    auto *textRow = new QHBoxLayout;
    auto *textLabel = new QLabel(QStringLiteral("&Szöveg:"), clauses);
    textLabel->setBuddy(txtActual);
    textRow->addWidget(textLabel);
    textRow->addStretch(1);
    textRow->addWidget(Command1);
    clauseBox->addLayout(textRow);
    clauseBox->addWidget(txtActual);
    clauseBox->addLayout(clauseButtons);

    auto *actions = new QHBoxLayout;
    actions->addStretch(1);
    actions->addWidget(btnSaveRating);
    actions->addWidget(btnPrint);
    actions->addWidget(btnClose);

    auto *main = new QVBoxLayout(this);
    main->addLayout(form);
    main->addLayout(sheets);
    main->addWidget(clauses, 1);
    main->addLayout(actions);

    for (QLineEdit *field : {txtMulOrak, txtIgazolatlan, txtEvfolyam, txtKelt})
        connect(field, &QLineEdit::textChanged, this, &RatingHeaderView::fieldChanged);
    connect(cmbMonth, &QComboBox::currentIndexChanged, this, [this] {
        fillDays();
        if (!m_filling)
            emit changed();
    });
    connect(cmbDay, qOverload<int>(&QComboBox::activated), this, [this] { emit changed(); });
    connect(Label6, &LinkLabel::clicked, this, &RatingHeaderView::Label6_Click);
    connectGuarded(Command1, &LinkLabel::clicked, this, [this] { insertTemplate(true); });
    connectGuarded(Command2, &LinkLabel::clicked, this, [this] { insertTemplate(false); });
    connect(listClosures, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem *item) {
        if (item)
            txtActual->setPlainText(item->text(0));
    });
    connectGuarded(btnAddClause, &QPushButton::clicked, this, &RatingHeaderView::btnAddClause_Click);
    connectGuarded(btnModifyClause, &QPushButton::clicked, this, &RatingHeaderView::btnModifyClause_Click);
    connectGuarded(btnRemoveClause, &QPushButton::clicked, this, &RatingHeaderView::btnRemoveClause_Click);
}

void RatingHeaderView::fillDays() {
    const int keep = cmbDay->currentIndex();
    const QSignalBlocker block(cmbDay);
    cmbDay->clear();
    for (int d = 1; d <= HeaderRules::daysInMonth(cmbMonth->currentIndex()); ++d)
        cmbDay->addItem(QString::number(d));
    cmbDay->setCurrentIndex(std::clamp(keep, 0, cmbDay->count() - 1));
}

void RatingHeaderView::showStored(const QString &absences, const QString &unexcused,
                                  const QString &decision) {
    showWhole(txtMulOrak, absences, kAbsenceLimit);
    showWhole(txtIgazolatlan, unexcused, kAbsenceLimit);
    showWhole(txtEvfolyam, decision, kDecisionLimit);
}

void RatingHeaderView::showDate(const QDate &date) {
    m_filling = true;
    txtKelt->setText(date.isValid() ? QString::number(date.year()) : QString());
    cmbMonth->setCurrentIndex(date.isValid() ? date.month() - 1 : 0);
    fillDays();
    cmbDay->setCurrentIndex(date.isValid() ? date.day() - 1 : 0);
    m_filling = false;
}

RatingHeaderView::Values RatingHeaderView::values() const {
    return Values{HeaderRules::absenceValue(txtMulOrak->text()),
                  HeaderRules::absenceValue(txtIgazolatlan->text()), txtEvfolyam->text(),
                  HeaderRules::headerDate(txtKelt->text(), cmbMonth->currentIndex(), cmbDay->currentIndex())};
}

bool RatingHeaderView::validate() {
    bool all = true;
    for (auto [field, label] : {std::pair{txtIgazolatlan, lblIgazolatlan}, std::pair{txtKelt, lblKelt},
                                std::pair{txtMulOrak, lblMulOrak}}) {
        const bool ok = HeaderRules::isWholeNumber(field->text());
        setValidMark(label, ok);
        all = all && ok;
    }
    return all;
}

void RatingHeaderView::fieldChanged() {
    emit validityChanged(validate());
    if (!m_filling)
        emit changed();
}

bool RatingHeaderView::eventFilter(QObject *watched, QEvent *event) {
    if (watched == txtKelt && event->type() == QEvent::FocusOut) {
        const QString wide = HeaderRules::widenYear(txtKelt->text());
        if (wide != txtKelt->text())
            txtKelt->setText(wide);
    }
    return QGroupBox::eventFilter(watched, event);
}

void RatingHeaderView::mouseMoveEvent(QMouseEvent *event) {
    for (LinkLabel *link : {Label6, Command1, Command2})
        link->setTextColor(QColor(0, 0, 255));
    QGroupBox::mouseMoveEvent(event);
}

void RatingHeaderView::Label6_Click() {
    const QDate today = Clock::now().date();
    txtKelt->setText(QString::number(today.year()));
    cmbMonth->setCurrentIndex(today.month() - 1);
    cmbDay->setCurrentIndex(today.day() - 1);
    emit changed();
}

void RatingHeaderView::insertTemplate(bool clauses) {
    frmTemplate window(this->window());
    if (!(clauses ? window.PrepareClauses() : window.PrepareOrders()))
        return;
    if (dialogs().runModal(&window) != QDialog::Accepted || window.chosen().isEmpty())
        return;
    if (window.mode() == frmTemplate::Mode::Clause) {
        txtActual->moveCursor(QTextCursor::End);
        txtActual->insertPlainText(window.chosen());
    } else if (window.chosen().size() > kDecisionLimit) {
        dialogs().warn(this, QStringLiteral("A sablon hosszabb, mint amennyit a határozat mezője befogad (%1 "
                                            "karakter), ezért nem szúrható be.")
                                 .arg(kDecisionLimit));
    } else {
        txtEvfolyam->setText(window.chosen());
    }
}

void RatingHeaderView::ReloadClosures() {
    listClosures->clear();
    if (m_ertId == 0)
        return;
    const Recordset rs = modSub::LoadClauses(m_ertId);
    for (int i = 0; i < rs.count(); ++i) {
        auto *item = new QTreeWidgetItem(listClosures, {rs.at(i, QStringLiteral("zdk_szoveg")).toString()});
        item->setData(0, IdRole, rs.at(i, QStringLiteral("zdk_id")));
    }
}

bool RatingHeaderView::hasSelectedClause() {
    if (listClosures->currentItem())
        return true;
    dialogs().inform(this, kNoSelection);
    return false;
}

void RatingHeaderView::btnAddClause_Click() {
    const QString text = HeaderRules::clauseText(txtActual->toPlainText());
    if (text.isEmpty()) {
        dialogs().inform(this, kEmptyText);
        txtActual->clear();
        return;
    }
    AppData::current().devDB.run(QStringLiteral("addClosure"), {m_ertId, text});
    modSub::WriteLog(QStringLiteral("ZARADEK"), modSub::GetLastKey(QStringLiteral("ZARADEK")),
                     QStringLiteral("Uj zaradek felvetele"));
    ReloadClosures();
    txtActual->clear();
}

void RatingHeaderView::btnModifyClause_Click() {
    if (!hasSelectedClause())
        return;
    const QString text = HeaderRules::clauseText(txtActual->toPlainText());
    if (text.isEmpty()) {
        dialogs().inform(this, kEmptyText);
        txtActual->clear();
        return;
    }
    const qint64 zdkId = listClosures->currentItem()->data(0, IdRole).toLongLong();
    AppData::current().devDB.run(QStringLiteral("updateClosure"), {text, zdkId});
    // The log names the clause that changed.
    modSub::WriteLog(QStringLiteral("ZARADEK"), zdkId, QStringLiteral("Rekord frissitese"));
    ReloadClosures();
}

void RatingHeaderView::btnRemoveClause_Click() {
    if (!hasSelectedClause())
        return;
    if (!dialogs().ask(this, QStringLiteral("Biztosan törli a kijelölt záradékot?")))
        return;
    const qint64 zdkId = listClosures->currentItem()->data(0, IdRole).toLongLong();
    AppData::current().devDB.run(QStringLiteral("deleteClosure"), {zdkId});
    modSub::WriteLog(QStringLiteral("ZARADEK"), zdkId, QStringLiteral("Zaradek torlese"));
    ReloadClosures();
    txtActual->clear();
}

void RatingHeaderView::setEditable(bool editable) {
    for (QWidget *w : std::initializer_list<QWidget *>{
             txtEvfolyam, txtIgazolatlan, txtKelt, txtMulOrak, listClosures, txtActual, Command1, Command2,
             Label6, btnAddClause, btnRemoveClause, btnModifyClause, cmbMonth, cmbDay, btnSaveRating})
        w->setEnabled(editable);
}

void RatingHeaderView::clear() {
    m_filling = true;
    showStored(QString(), QString(), QString());
    txtKelt->clear();
    m_filling = false;
    txtActual->clear();
    listClosures->clear();
    List1->clear();
    List2->clear();
    lblTLSZ_SZ->clear();
    lblONS->clear();
    m_ertId = 0;
}
