#include "exchange/frmLocked.h"

#include "data/AppData.h"
#include "data/modSub.h"
#include "ui/DialogService.h"
#include "ui/Guard.h"
#include "ui/ItemRoles.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
QTreeWidget *checkList(QWidget *parent, const char *name, const QString &label, const QStringList &columns) {
    auto *list = new QTreeWidget(parent);
    list->setObjectName(QString::fromLatin1(name));
    list->setAccessibleName(label);
    list->setHeaderLabels(columns);
    list->setRootIsDecorated(false);
    list->setAllColumnsShowFocus(true);
    list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    list->header()->setStretchLastSection(true);
    return list;
}

QTreeWidgetItem *checkItem(QTreeWidget *list, const QStringList &texts, qint64 tag) {
    auto *item = new QTreeWidgetItem(list, texts);
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(0, Qt::Unchecked);
    item->setData(0, IdRole, tag);
    return item;
}

QString classText(const Recordset &rs) {
    return rs.at(0, QStringLiteral("osz_evfolyam")).toString() + QStringLiteral(". ") +
           rs.at(0, QStringLiteral("osz_nev")).toString();
}

QList<qint64> tickedTags(const QTreeWidget *list) {
    QList<qint64> tags;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        if (list->topLevelItem(i)->checkState(0) == Qt::Checked)
            tags << list->topLevelItem(i)->data(0, IdRole).toLongLong();
    return tags;
}
} // namespace

frmLocked::frmLocked(QWidget *parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmLocked"));
    setWindowTitle(QStringLiteral("Zárolt értékelések"));
    lblPeriod = new QLabel(this);
    lblPeriod->setObjectName(QStringLiteral("lblPeriod"));
    Option1 = new QRadioButton(QStringLiteral("Zárolt tanulók"), this);
    Option1->setObjectName(QStringLiteral("Option1"));
    Option1->setChecked(true);
    Option2 = new QRadioButton(QStringLiteral("Exportált osztályok"), this);
    Option2->setObjectName(QStringLiteral("Option2"));
    lvLocks = checkList(this, "lvLocks", Option1->text(),
                        {QStringLiteral("Osztály"), QStringLiteral("Tanuló"), QStringLiteral("Zárolta")});
    lvExports = checkList(this, "lvExports", Option2->text(),
                          {QStringLiteral("Osztály"), QStringLiteral("Exportálta")});
    lvExports->hide();
    btnUnlock = new QPushButton(QStringLiteral("&Feloldás"), this);
    btnUnlock->setObjectName(QStringLiteral("btnUnlock"));
    btnClose = new QPushButton(QStringLiteral("&Mégse"), this);
    btnClose->setObjectName(QStringLiteral("btnClose"));

    auto *options = new QHBoxLayout;
    options->addWidget(Option1);
    options->addWidget(Option2);
    options->addStretch(1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnUnlock);
    buttons->addWidget(btnClose);
    auto *main = new QVBoxLayout(this);
    main->addWidget(lblPeriod);
    main->addLayout(options);
    main->addWidget(lvLocks, 1);
    main->addWidget(lvExports, 1);
    main->addLayout(buttons);
    resize(560, 420);

    connectGuarded(Option1, &QRadioButton::clicked, this, &frmLocked::Option1_Click);
    connectGuarded(Option2, &QRadioButton::clicked, this, &frmLocked::Option2_Click);
    connectGuarded(btnUnlock, &QPushButton::clicked, this, &frmLocked::btnUnlock_Click);
    connect(btnClose, &QPushButton::clicked, this, &QDialog::reject);

    Recordset active;
    if (modSub::FindActivePeriod(active)) {
        m_period = active.at(0, QStringLiteral("tev_id")).toLongLong();
        lblPeriod->setText(QStringLiteral("Időszak: ") + active.at(0, QStringLiteral("tev_ev")).toString() +
                           QStringLiteral(". ") +
                           modSub::PeriodKindText(active.at(0, QStringLiteral("tev_honap"))));
    } else {
        lblPeriod->setText(QStringLiteral("Időszak: "));
    }
    fillLocks();
}

void frmLocked::fillLocks() {
    lvLocks->clear();
    CommandSet &db = AppData::current().devDB;
    const Recordset locked = db.run(QStringLiteral("getLockedRatings"), {m_period});
    for (int i = 0; i < locked.count(); ++i) {
        const qint64 ertId = locked.at(i, QStringLiteral("ert_id")).toLongLong();
        const Recordset all = db.run(QStringLiteral("getAllOfRating"), {ertId});
        if (all.count() == 0) // held by a user who no longer exists: still shown, so it can be released
            checkItem(lvLocks, {QString(), QString(), QString()}, ertId);
        else
            checkItem(lvLocks,
                      {classText(all),
                       all.at(0, QStringLiteral("tan_vnev")).toString() + QLatin1Char(' ') +
                           all.at(0, QStringLiteral("tan_knev")).toString(),
                       all.at(0, QStringLiteral("usr_nev")).toString()},
                      ertId);
    }
}

void frmLocked::fillExports() {
    lvExports->clear();
    CommandSet &db = AppData::current().devDB;
    const Recordset exported = db.run(QStringLiteral("getExportedClasses"));
    for (int i = 0; i < exported.count(); ++i) {
        const qint64 oszId = exported.at(i, QStringLiteral("exp_osz_id")).toLongLong();
        const Recordset cls = db.run(QStringLiteral("getSpecClass"), {oszId});
        const Recordset user =
            db.run(QStringLiteral("getSpecUser"), {exported.at(i, QStringLiteral("exp_usr_id"))});
        checkItem(lvExports,
                  {cls.count() ? classText(cls) : QString(),
                   user.count() ? user.at(0, QStringLiteral("usr_nev")).toString() : QString()},
                  oszId);
    }
}

void frmLocked::Option1_Click() {
    lvExports->hide();
    lvLocks->show();
    fillLocks();
}

void frmLocked::Option2_Click() {
    lvLocks->hide();
    lvExports->show();
    fillExports();
}

void frmLocked::btnUnlock_Click() {
    const bool exports = Option2->isChecked();
    const QList<qint64> ticked = tickedTags(exports ? lvExports : lvLocks);
    if (ticked.isEmpty()) {
        dialogs().inform(this, QStringLiteral("A jelölőnégyzetek bejelölésével válassza ki, melyik "
                                              "értékeléseket, minősítéseket akarja feloldani."));
        return;
    }
    if (!dialogs().ask(this, QStringLiteral("Ha folytatja, az egyes felhasználóknak adatvesztéssel járhat. "
                                            "Biztos benne, hogy feloldja a zárolásokat?")))
        return;
    CommandSet &db = AppData::current().devDB;
    Transaction t(db.connection());
    for (const qint64 id : ticked) {
        db.run(exports ? QStringLiteral("importClass") : QStringLiteral("removeLock"), {id});
        modSub::WriteLog(exports ? QStringLiteral("EXPORT") : QStringLiteral("ERTEKELES"), id,
                         QStringLiteral("zarolas feloldasa"));
    }
    t.commit();
    accept();
}
