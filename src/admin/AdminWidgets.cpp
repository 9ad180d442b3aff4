#include "admin/AdminWidgets.h"

#include "admin/SchoolYear.h"
#include "data/Recordset.h"
#include "ui/DialogService.h"
#include "ui/ItemRoles.h"

#include <QCollator>
#include <QLabel>
#include <QTreeWidget>

void AdminWidgets::markLocked(QTreeWidgetItem *row, bool locked) {
    for (int c = 0; c < row->columnCount(); ++c) {
        if (locked)
            row->setForeground(c, lockedRed());
        else
            row->setData(c, Qt::ForegroundRole, QVariant());
    }
}

bool AdminWidgets::isMarkedLocked(const QTreeWidgetItem *row) {
    return row->data(0, Qt::ForegroundRole).isValid() && row->foreground(0).color() == lockedRed();
}

qint64 AdminWidgets::currentKey(const QTreeWidget *list) {
    const QTreeWidgetItem *row = list->currentItem();
    return row && row->isSelected() ? row->data(0, IdRole).toLongLong() : 0;
}

QStringList AdminWidgets::pupilColumns() {
    return {QStringLiteral("Név"), QStringLiteral("Anyja neve"), QStringLiteral("Született"),
            QStringLiteral("Osztály")};
}

QString AdminWidgets::pupilName(const Recordset &kids, int row) {
    return (kids.at(row, QStringLiteral("tan_vnev")).toString() + QLatin1Char(' ') +
            kids.at(row, QStringLiteral("tan_knev")).toString())
        .trimmed();
}

QString AdminWidgets::classTextOf(const Recordset &cls) {
    return cls.count() ? SchoolYear::classText(cls.field(QStringLiteral("osz_evfolyam")),
                                               cls.field(QStringLiteral("osz_nev")))
                       : QString();
}

bool AdminWidgets::SortableRow::operator<(const QTreeWidgetItem &other) const {
    static const QCollator collator = [] {
        QCollator c{QLocale(QLocale::Hungarian, QLocale::Hungary)};
        c.setNumericMode(true);
        c.setCaseSensitivity(Qt::CaseInsensitive);
        return c;
    }();
    const int column = treeWidget() ? treeWidget()->sortColumn() : 0;
    return collator.compare(text(column), other.text(column)) < 0;
}

qint64 AdminWidgets::keyOrTell(const QTreeWidget *list, QWidget *parent, const QString &message) {
    const qint64 key = currentKey(list);
    if (key == 0)
        dialogs().inform(parent, message);
    return key;
}
