#include "curriculum/CurriculumTree.h"

#include "data/AppData.h"
#include "ui/ItemRoles.h"

#include <QTreeWidget>

namespace {
bool isPlaceholder(const QVariant &name) {
    return name.isNull() || name.toString().trimmed().isEmpty();
}
} // namespace

QTreeWidgetItem *CurriculumTree::addNode(QTreeWidget *tree, QTreeWidgetItem *parent, const QString &text,
                                         qint64 key) {
    auto *node = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(tree);
    node->setText(0, text);
    node->setData(0, IdRole, key);
    node->setData(0, StoredTextRole, text);
    node->setFlags(node->flags() | Qt::ItemIsEditable);
    return node;
}

void CurriculumTree::fill(QTreeWidget *tree, qint64 tevId) {
    tree->clear();
    CommandSet &db = AppData::current().devDB;
    const Recordset subjects = db.run(QStringLiteral("getSubjects"), {tevId});
    for (int s = 0; s < subjects.count(); ++s) {
        const QVariant name = subjects.at(s, QStringLiteral("ata_rnev"));
        if (name.isNull())
            continue;
        QTreeWidgetItem *subject =
            addNode(tree, nullptr, name.toString(), subjects.at(s, QStringLiteral("ata_id")).toLongLong());
        const Recordset comps = db.run(QStringLiteral("getSubjectCompetencies"), {keyOf(subject)});
        for (int c = 0; c < comps.count(); ++c) {
            const QVariant compName = comps.at(c, QStringLiteral("kpb_nev"));
            const qint64 kpbId = comps.at(c, QStringLiteral("kpb_id")).toLongLong();
            // A placeholder competency holds only its placeholder sub-competency: no nodes.
            if (isPlaceholder(compName))
                continue;
            QTreeWidgetItem *comp = addNode(tree, subject, compName.toString(), kpbId);
            const Recordset subs = db.run(QStringLiteral("getSubComps"), {kpbId});
            for (int a = 0; a < subs.count(); ++a) {
                const QVariant subName = subs.at(a, QStringLiteral("akb_nev"));
                if (!isPlaceholder(subName))
                    addNode(tree, comp, subName.toString(),
                            subs.at(a, QStringLiteral("akb_id")).toLongLong());
            }
        }
    }
}

qint64 CurriculumTree::keyOf(const QTreeWidgetItem *node) {
    return node ? node->data(0, IdRole).toLongLong() : 0;
}

QString CurriculumTree::storedName(const QTreeWidgetItem *node) {
    return node->data(0, StoredTextRole).toString();
}

void CurriculumTree::setStoredName(QTreeWidgetItem *node, const QString &name) {
    node->setData(0, StoredTextRole, name);
}

SubjectTree::Level CurriculumTree::levelOf(const QTreeWidgetItem *node) {
    if (!node)
        return SubjectTree::Nothing;
    int level = 0;
    for (const QTreeWidgetItem *up = node->parent(); up; up = up->parent())
        ++level;
    return level <= SubjectTree::SubComp ? SubjectTree::Level(level) : SubjectTree::Nothing;
}

QString CurriculumTree::pathOf(const QTreeWidgetItem *node) {
    QStringList parts;
    for (; node; node = node->parent())
        parts.prepend(node->text(0));
    return parts.join(QLatin1Char('\\'));
}
