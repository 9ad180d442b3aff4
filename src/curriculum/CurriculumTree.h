#pragma once

#include "curriculum/SubjectTree.h"

#include <QString>

class QTreeWidget;
class QTreeWidgetItem;

// The curriculum tree of a period in a tree control: one node per named subject, competency and
// sub-competency (placeholders are never shown), the node's key kept with it.
namespace CurriculumTree {

void fill(QTreeWidget *tree, qint64 tevId);
QTreeWidgetItem *addNode(QTreeWidget *tree, QTreeWidgetItem *parent, const QString &text, qint64 key);

qint64 keyOf(const QTreeWidgetItem *node);
// The name as stored (the node's text while it is being edited may differ).
QString storedName(const QTreeWidgetItem *node);
void setStoredName(QTreeWidgetItem *node, const QString &name);
// 0 subject, 1 competency, 2 sub-competency; Nothing for no node.
SubjectTree::Level levelOf(const QTreeWidgetItem *node);
// The node texts from the root down, joined by "\".
QString pathOf(const QTreeWidgetItem *node);

} // namespace CurriculumTree
