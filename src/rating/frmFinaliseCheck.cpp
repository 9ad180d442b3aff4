#include "rating/frmFinaliseCheck.h"

#include "ui/DialogService.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

frmFinaliseCheck::frmFinaliseCheck(const QList<FinaliseCheck::Finding> &findings, QWidget *parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("frmFinaliseCheck"));
    setWindowTitle(QStringLiteral("Ellenőrzés véglegesítés előtt"));
    lblFindings = new QLabel(QStringLiteral("A véglegesítés előtt érdemes átnézni:"), this);
    lblFindings->setObjectName(QStringLiteral("lblFindings"));
    lvFindings = new QTreeWidget(this);
    lvFindings->setObjectName(QStringLiteral("lvFindings"));
    lvFindings->setAccessibleName(lblFindings->text());
    lblFindings->setBuddy(lvFindings);
    lvFindings->setHeaderLabels({QStringLiteral("Típus"), QStringLiteral("Hol"), QStringLiteral("Mi")});
    lvFindings->setRootIsDecorated(false);
    lvFindings->setWordWrap(true);
    for (const FinaliseCheck::Finding &f : findings) {
        auto *item = new QTreeWidgetItem(lvFindings, {f.kindText(), f.where, f.what});
        item->setToolTip(2, f.what);
        if (f.noteOnly())
            item->setForeground(0, palette().color(QPalette::PlaceholderText));
    }
    lvFindings->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    lvFindings->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    if (lvFindings->topLevelItemCount())
        lvFindings->setCurrentItem(lvFindings->topLevelItem(0));

    btnBack = new QPushButton(QStringLiteral("Vissza"), this);
    btnBack->setObjectName(QStringLiteral("btnBack"));
    btnFinalise = new QPushButton(QStringLiteral("Mégis véglegesítem"), this);
    btnFinalise->setObjectName(QStringLiteral("btnFinalise"));
    // Going back is the safe answer: Enter and Esc both take it.
    btnBack->setDefault(true);
    connect(btnBack, &QPushButton::clicked, this, &QDialog::reject);
    connect(btnFinalise, &QPushButton::clicked, this, &QDialog::accept);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnBack);
    buttons->addWidget(btnFinalise);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(lblFindings);
    layout->addWidget(lvFindings, 1);
    layout->addLayout(buttons);
    resize(760, 420);
}

bool frmFinaliseCheck::confirm(QWidget *parent, const FinaliseCheck::Rating &rating, SpellChecker *spelling) {
    const QList<FinaliseCheck::Finding> findings = FinaliseCheck::run(rating, spelling);
    if (findings.isEmpty())
        return true;
    frmFinaliseCheck window(findings, parent);
    return dialogs().runModal(&window) == QDialog::Accepted;
}
