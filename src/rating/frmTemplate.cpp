#include "rating/frmTemplate.h"

#include "data/AppData.h"
#include "ui/DialogService.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

frmTemplate::frmTemplate(QWidget *parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmTemplate"));
    setWindowTitle(QStringLiteral("Sablon beszúrása"));
    lvTemplates = new QTreeWidget(this);
    lvTemplates->setObjectName(QStringLiteral("lvTemplates"));
    lvTemplates->setHeaderLabels({QStringLiteral("Sablon")});
    lvTemplates->setRootIsDecorated(false);
    lvTemplates->setAccessibleName(QStringLiteral("Sablonok"));
    btnOK = new QPushButton(QStringLiteral("Bes&zúr"), this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->setDefault(true);
    btnCancel = new QPushButton(QStringLiteral("&Mégse"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCancel);
    auto *main = new QVBoxLayout(this);
    main->addWidget(lvTemplates, 1);
    main->addLayout(buttons);
    resize(560, 360);
    connect(btnOK, &QPushButton::clicked, this, &frmTemplate::btnOK_Click);
    connect(lvTemplates, &QTreeWidget::itemDoubleClicked, this, &frmTemplate::btnOK_Click);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

bool frmTemplate::prepare(const QString &command, const QString &column, const QString &none, Mode mode) {
    const Recordset rs = AppData::current().devDB.run(command);
    if (rs.count() == 0) {
        dialogs().inform(parentWidget(), none);
        return false;
    }
    lvTemplates->clear();
    for (int i = 0; i < rs.count(); ++i)
        new QTreeWidgetItem(lvTemplates, {rs.at(i, column).toString()});
    lvTemplates->setCurrentItem(lvTemplates->topLevelItem(0));
    m_mode = mode;
    return true;
}

bool frmTemplate::PrepareClauses() {
    return prepare(QStringLiteral("getZDKTemplates"), QStringLiteral("zds_szoveg"),
                   QStringLiteral("Nincs záradéksablon definiálva."), Mode::Clause);
}

bool frmTemplate::PrepareOrders() {
    return prepare(QStringLiteral("getHatTemplates"), QStringLiteral("hat_szoveg"),
                   QStringLiteral("Nincs határozatsablon definiálva."), Mode::Decision);
}

void frmTemplate::btnOK_Click() {
    const QTreeWidgetItem *item = lvTemplates->currentItem();
    if (!item)
        return;
    m_chosen = item->text(0);
    accept();
}
