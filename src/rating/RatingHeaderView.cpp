#include "rating/RatingHeaderView.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
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
} // namespace

RatingHeaderView::RatingHeaderView(QWidget *parent) : QGroupBox(QStringLiteral("&Törzslap"), parent) {
    setObjectName(QStringLiteral("frmHeader"));
    txtMulOrak = named(new QLineEdit(this), "txtMulOrak");
    txtMulOrak->setMaxLength(3);
    lblMulOrak = labelFor(QStringLiteral("&Mulasztott órák:"), txtMulOrak, "lblMulOrak", this);
    txtIgazolatlan = named(new QLineEdit(this), "txtIgazolatlan");
    txtIgazolatlan->setMaxLength(3);
    lblIgazolatlan = labelFor(QStringLiteral("Ebből i&gazolatlan:"), txtIgazolatlan, "lblIgazolatlan", this);
    txtEvfolyam = named(new QLineEdit(this), "txtEvfolyam");
    txtEvfolyam->setMaxLength(200);
    lblEvfolyam = labelFor(QStringLiteral("A nevelőtestület &határozata:"), txtEvfolyam, "lblEvfolyam", this);
    txtKelt = named(new QLineEdit(this), "txtKelt");
    txtKelt->setMaxLength(4);
    txtKelt->setMaximumWidth(70);
    lblKelt = labelFor(QStringLiteral("&Kelt (dátum):"), txtKelt, "lblKelt", this);
    cmbMonth = named(new QComboBox(this), "cmbMonth");
    cmbMonth->setAccessibleName(QStringLiteral("Hónap"));
    for (const char *m : {"január", "február", "március", "április", "május", "június", "július", "augusztus",
                          "szeptember", "október", "november", "december"})
        cmbMonth->addItem(QString::fromUtf8(m));
    cmbDay = named(new QComboBox(this), "cmbDay");
    cmbDay->setAccessibleName(QStringLiteral("Nap"));
    connect(cmbMonth, &QComboBox::currentIndexChanged, this, &RatingHeaderView::fillDays);
    cmbMonth->setCurrentIndex(0);
    fillDays();

    lblTLSZ_SZ = named(new QLabel(this), "lblTLSZ_SZ");
    lblONS = named(new QLabel(this), "lblONS");
    List1 = named(new QListWidget(this), "List1");
    List1->setAccessibleName(QStringLiteral("Törzslap sorszámok:"));
    List2 = named(new QListWidget(this), "List2");
    List2->setAccessibleName(QStringLiteral("Pótlap sorszámok:"));

    listClosures = named(new QTreeWidget(this), "listClosures");
    listClosures->setHeaderLabels({QStringLiteral("Záradék")});
    listClosures->setRootIsDecorated(false);
    listClosures->setAccessibleName(QStringLiteral("Záradékok"));
    txtActual = named(new QPlainTextEdit(this), "txtActual");
    txtActual->setAccessibleName(QStringLiteral("Szöveg:"));
    txtActual->setMaximumHeight(70);
    btnAddClause = named(new QPushButton(QStringLiteral("Hozzáad"), this), "btnAddClause");
    btnModifyClause = named(new QPushButton(QStringLiteral("Módosít"), this), "btnModifyClause");
    btnRemoveClause = named(new QPushButton(QStringLiteral("Töröl"), this), "btnRemoveClause");
    btnSaveRating = named(new QPushButton(QStringLiteral("&Mentés"), this), "btnSaveRating");
    btnPrint = named(new QPushButton(QStringLiteral("Nyomtatás..."), this), "btnPrint");
    btnClose = named(new QPushButton(QStringLiteral("Véglegesítés"), this), "btnClose");

    auto *form = new QGridLayout;
    form->addWidget(lblMulOrak, 0, 0);
    form->addWidget(txtMulOrak, 0, 1);
    form->addWidget(lblIgazolatlan, 0, 2);
    form->addWidget(txtIgazolatlan, 0, 3);
    form->addWidget(lblEvfolyam, 1, 0);
    form->addWidget(txtEvfolyam, 1, 1, 1, 3);
    auto *date = new QHBoxLayout;
    date->addWidget(txtKelt);
    date->addWidget(cmbMonth);
    date->addWidget(cmbDay);
    date->addStretch(1);
    form->addWidget(lblKelt, 2, 0);
    form->addLayout(date, 2, 1, 1, 3);
    form->addWidget(new QLabel(QStringLiteral("Törzslapszám:"), this), 3, 0);
    form->addWidget(lblTLSZ_SZ, 3, 1);
    form->addWidget(new QLabel(QStringLiteral("Osztályozó napló sorszám:"), this), 3, 2);
    form->addWidget(lblONS, 3, 3);

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
    auto *textLabel = new QLabel(QStringLiteral("&Szöveg:"), clauses);
    textLabel->setBuddy(txtActual);
    clauseBox->addWidget(textLabel);
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
}

void RatingHeaderView::fillDays() {
    static const int days[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const int month = std::max(0, cmbMonth->currentIndex());
    const int keep = cmbDay->currentIndex();
    cmbDay->clear();
    for (int d = 1; d <= days[month]; ++d)
        cmbDay->addItem(QString::number(d));
    cmbDay->setCurrentIndex(std::clamp(keep, 0, cmbDay->count() - 1));
}

void RatingHeaderView::clear() {
    txtMulOrak->clear();
    txtIgazolatlan->clear();
    txtEvfolyam->clear();
    txtKelt->clear();
    txtActual->clear();
    listClosures->clear();
    List1->clear();
    List2->clear();
    lblTLSZ_SZ->clear();
    lblONS->clear();
}
