#include "ui/FormParts.h"

#include <QHeaderView>
#include <QLabel>
#include <QTreeWidget>

QTreeWidget *makeListView(QWidget *parent, const char *name, const QStringList &columns) {
    auto *list = new QTreeWidget(parent);
    list->setObjectName(QString::fromLatin1(name));
    list->setHeaderLabels(columns);
    list->setRootIsDecorated(false);
    list->setAllColumnsShowFocus(true);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    list->header()->setStretchLastSection(true);
    return list;
}

QLabel *labelFor(const QString &text, QWidget *buddy, const char *name) {
    auto *label = new QLabel(text, buddy->parentWidget());
    if (name)
        label->setObjectName(QString::fromLatin1(name));
    label->setBuddy(buddy);
    buddy->setAccessibleName(QString(text).remove(QLatin1Char('&')).remove(QLatin1Char(':')).trimmed());
    return label;
}
