#include "ui/PeriodList.h"

#include "data/modSub.h"
#include "ui/ItemRoles.h"

#include <QComboBox>
#include <QListWidget>

void FillPeriodList(QComboBox *list) {
    const QList<modSub::PeriodItem> items = modSub::PeriodListItems();
    for (const modSub::PeriodItem &item : items) {
        list->addItem(item.text, item.id);
        if (item.active)
            list->setCurrentIndex(list->count() - 1);
    }
}

void FillPeriodList(QListWidget *list) {
    const QList<modSub::PeriodItem> items = modSub::PeriodListItems();
    for (const modSub::PeriodItem &item : items) {
        auto *row = new QListWidgetItem(item.text, list);
        row->setData(IdRole, item.id);
        if (item.active)
            list->setCurrentItem(row);
    }
}
