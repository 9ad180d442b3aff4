#pragma once

#include "ui/FormParts.h"

#include <QColor>
#include <QString>
#include <QStringList>

class QLabel;
class QTreeWidget;
#include <QTreeWidgetItem>
class QWidget;

// The small pieces the administration windows are built of.
namespace AdminWidgets {

// Locked classes and their pupils are listed in this colour.
inline QColor lockedRed() {
    return QColor(255, 0, 0);
}

// A row of a sortable list: texts compare as people read them (Hungarian order, numbers by value).
class SortableRow : public QTreeWidgetItem {
public:
    using QTreeWidgetItem::QTreeWidgetItem;
    bool operator<(const QTreeWidgetItem &other) const override;
};

// Colours every column of a row red, or back to the list's own colour.
void markLocked(QTreeWidgetItem *row, bool locked);
bool isMarkedLocked(const QTreeWidgetItem *row);
// The key of the list's current row; 0 when none is selected.
qint64 currentKey(const QTreeWidget *list);
// The key of the current row, or 0 after telling the user the message.
qint64 keyOrTell(const QTreeWidget *list, QWidget *parent, const QString &message);

} // namespace AdminWidgets

class Recordset;

namespace AdminWidgets {
// The columns of the pupil lists: name, mother's name, born, class.
QStringList pupilColumns();
// "Family Given" of a pupil row.
QString pupilName(const Recordset &kids, int row);
// "3. a" of a class row; empty when there is no row.
QString classTextOf(const Recordset &cls);
} // namespace AdminWidgets
