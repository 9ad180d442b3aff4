#include "curriculum/frmSubjects.h"

#include "curriculum/CurriculumTree.h"
#include "curriculum/frmSentences.h"
#include "data/AppData.h"
#include "ui/DialogService.h"
#include "ui/Guard.h"
#include "ui/Named.h"
#include "ui/PeriodList.h"

#include <QComboBox>
#include <QContextMenuEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace CurriculumTree;

namespace {

const QString kNewSubject = QStringLiteral("<Új tantárgy>");
const QString kNewComp = QStringLiteral("<Új értékelési, minősítési terület>");
const QString kNewSubComp = QStringLiteral("<Új értékelési, minősítési alterület>");
} // namespace

frmSubjects::frmSubjects(QWidget *parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmSubjects"));
    setWindowTitle(QStringLiteral("Tantárgy/Szempont struktúra létrehozása"));
    if (parent)
        setWindowIcon(parent->window()->windowIcon());

    Label1 = named(new QLabel(QStringLiteral("&Időszak:"), this), "Label1");
    cmbPeriod = named(new QComboBox(this), "cmbPeriod");
    Label1->setBuddy(cmbPeriod);
    btnNewSubject = named(new QPushButton(QStringLiteral("Új tantárgy"), this), "btnNewSubject");
    auto *treeLabel = new QLabel(QStringLiteral("&Tantárgyak:"), this);
    tvSubjects = named(new QTreeWidget(this), "tvSubjects");
    tvSubjects->setHeaderHidden(true);
    tvSubjects->setAccessibleName(QStringLiteral("Tantárgyak"));
    tvSubjects->viewport()->installEventFilter(this);
    treeLabel->setBuddy(tvSubjects);
    lblInfo = named(new QLabel(this), "lblInfo");
    lblInfo->setWordWrap(true);
    btnClose = named(new QPushButton(QStringLiteral("Be&zár"), this), "btnClose");

    mnuPopup = named(new QMenu(this), "mnuPopup");
    auto item = [this](const char *name, const QString &caption) {
        return named(mnuPopup->addAction(caption), name);
    };
    mnuNewSubject = item("mnuNewSubject", kNewSubject.mid(1, kNewSubject.size() - 2));
    mnuNewComp = item("mnuNewComp", kNewComp.mid(1, kNewComp.size() - 2));
    mnuNewSubComp = item("mnuNewSubComp", kNewSubComp.mid(1, kNewSubComp.size() - 2));
    mnuS3 = named(mnuPopup->addSeparator(), "mnuS3");
    mnuEditSentences = item("mnuEditSentences", QStringLiteral("&Mondatok szerkesztése..."));
    mnuS2 = named(mnuPopup->addSeparator(), "mnuS2");
    mnuRename = item("mnuRename", QStringLiteral("Átnevezés"));
    mnuS1 = named(mnuPopup->addSeparator(), "mnuS1");
    mnuS1->setVisible(false);
    mnuDelete = item("mnuDelete", QStringLiteral("Törlés"));

    auto *top = new QHBoxLayout;
    top->addWidget(Label1);
    top->addWidget(cmbPeriod, 1);
    top->addWidget(btnNewSubject);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(lblInfo, 1);
    bottom->addWidget(btnClose);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(treeLabel);
    layout->addWidget(tvSubjects, 1);
    layout->addLayout(bottom);
    resize(560, 620);

    connectGuarded(btnNewSubject, &QPushButton::clicked, this, &frmSubjects::mnuNewSubject_Click);
    connectGuarded(mnuNewSubject, &QAction::triggered, this, &frmSubjects::mnuNewSubject_Click);
    connectGuarded(mnuNewComp, &QAction::triggered, this, &frmSubjects::mnuNewComp_Click);
    connectGuarded(mnuNewSubComp, &QAction::triggered, this, &frmSubjects::mnuNewSubComp_Click);
    connectGuarded(mnuEditSentences, &QAction::triggered, this, &frmSubjects::mnuEditSentences_Click);
    connectGuarded(mnuRename, &QAction::triggered, this, &frmSubjects::mnuRename_Click);
    connectGuarded(mnuDelete, &QAction::triggered, this, &frmSubjects::mnuDelete_Click);
    connectGuarded(tvSubjects, &QTreeWidget::itemChanged, this, &frmSubjects::tvSubjects_AfterLabelEdit);
    connectGuarded(tvSubjects, &QTreeWidget::itemDoubleClicked, this, &frmSubjects::openSentences);
    connect(btnClose, &QPushButton::clicked, this, &QDialog::accept);

    FillPeriodList(cmbPeriod);
    connectGuarded(cmbPeriod, &QComboBox::currentIndexChanged, this, &frmSubjects::cmbPeriod_Click);
    guarded(this, [this] { cmbPeriod_Click(); });
}

qint64 frmSubjects::periodId() const {
    return cmbPeriod->currentData().toLongLong();
}

void frmSubjects::cmbPeriod_Click() {
    LoadTree();
    SetEditMode(cmbPeriod->currentText().endsWith(QStringLiteral("(Aktív)")) &&
                AppData::current().login.isAdmin);
}

void frmSubjects::LoadTree() {
    const QSignalBlocker block(tvSubjects);
    if (cmbPeriod->currentIndex() < 0)
        tvSubjects->clear();
    else
        fill(tvSubjects, periodId());
}

void frmSubjects::SetEditMode(bool editable) {
    m_editable = editable;
    // A new subject comes from the button as well as from the right-click menu, which an empty tree hides.
    btnNewSubject->setVisible(editable);
    ShowHint();
    tvSubjects->setEditTriggers(editable
                                    ? QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed
                                    : QAbstractItemView::NoEditTriggers);
}

void frmSubjects::ShowHint() {
    // An empty tree has no items to click: the hint tells how the first subject comes.
    if (tvSubjects->topLevelItemCount() == 0)
        lblInfo->setText(m_editable ? QStringLiteral("Ebben az időszakban még nincs tantárgy. Kezdje az „Új "
                                                     "tantárgy” gombbal; a területeket és alterületeket a "
                                                     "tantárgyra, illetve a területre jobb gombbal "
                                                     "kattintva veheti fel.")
                                    : QStringLiteral("Ebben az időszakban még nincs tantárgy."));
    else
        lblInfo->setText(m_editable
                             ? QStringLiteral("A tantárgystruktúra szerkesztéséhez kattintson jobb "
                                              "gombbal a lista egyes elemeire, majd a felugró "
                                              "menüből válassza ki a kívánt tevékenységet!")
                             : QStringLiteral("Kattintson duplán az egyes elemekre, hogy megjelenjenek "
                                              "a hozzájuk tartozó mondatok!"));
}

QTreeWidgetItem *frmSubjects::selectedNode() const {
    QTreeWidgetItem *node = tvSubjects->currentItem();
    return node && node->isSelected() ? node : nullptr;
}

int frmSubjects::GetNodeLevel() const {
    return levelOf(selectedNode());
}

bool frmSubjects::eventFilter(QObject *watched, QEvent *event) {
    if (watched == tvSubjects->viewport() && event->type() == QEvent::ContextMenu) {
        auto *menu = static_cast<QContextMenuEvent *>(event);
        const bool byMouse = menu->reason() == QContextMenuEvent::Mouse;
        guarded(this, [&] { tvSubjects_MouseUp(menu->pos(), byMouse); });
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void frmSubjects::tvSubjects_MouseUp(QPoint pos, bool byMouse) {
    if (!m_editable || !AppData::current().login.isAdmin)
        return;
    if (byMouse) {
        // The node under the pointer, or none when the click was beside the nodes.
        if (QTreeWidgetItem *node = tvSubjects->itemAt(pos)) {
            tvSubjects->setCurrentItem(node);
        } else {
            tvSubjects->clearSelection();
            tvSubjects->setCurrentItem(nullptr);
        }
    } else if (QTreeWidgetItem *node = selectedNode()) {
        // From the keyboard: the menu of the selected node, beside it.
        pos = tvSubjects->visualItemRect(node).center();
    }
    const int level = GetNodeLevel();
    const bool node = level != SubjectTree::Nothing;
    mnuNewSubject->setVisible(level == SubjectTree::Subject || level == SubjectTree::Nothing);
    mnuNewComp->setVisible(level == SubjectTree::Subject);
    mnuNewSubComp->setVisible(level == SubjectTree::Comp);
    mnuS3->setVisible(level != SubjectTree::SubComp);
    mnuS2->setVisible(level != SubjectTree::SubComp);
    mnuEditSentences->setEnabled(node);
    mnuRename->setEnabled(node);
    mnuDelete->setEnabled(node);
    mnuPopup->popup(tvSubjects->viewport()->mapToGlobal(pos));
}

void frmSubjects::startEditing(QTreeWidgetItem *node) {
    tvSubjects->setCurrentItem(node);
    tvSubjects->scrollToItem(node);
    tvSubjects->editItem(node);
}

void frmSubjects::mnuNewSubject_Click() {
    if (!m_editable || cmbPeriod->currentIndex() < 0)
        return;
    const qint64 ataId = SubjectTree::CreateSubject(periodId(), kNewSubject);
    const QSignalBlocker block(tvSubjects);
    startEditing(addNode(tvSubjects, nullptr, kNewSubject, ataId));
    ShowHint();
}

void frmSubjects::mnuNewComp_Click() {
    newChild(SubjectTree::Subject, kNewComp, &SubjectTree::NewComp);
}

void frmSubjects::mnuNewSubComp_Click() {
    newChild(SubjectTree::Comp, kNewSubComp, &SubjectTree::NewSubComp);
}

void frmSubjects::newChild(int parentLevel, const QString &name, qint64 (*create)(qint64, const QString &)) {
    QTreeWidgetItem *parent = selectedNode();
    if (!m_editable || levelOf(parent) != parentLevel)
        return;
    const qint64 key = create(keyOf(parent), name);
    const QSignalBlocker block(tvSubjects);
    QTreeWidgetItem *node = addNode(tvSubjects, parent, name, key);
    parent->setExpanded(true);
    startEditing(node);
}

void frmSubjects::mnuRename_Click() {
    if (QTreeWidgetItem *node = selectedNode(); node && m_editable)
        tvSubjects->editItem(node);
}

void frmSubjects::tvSubjects_AfterLabelEdit(QTreeWidgetItem *node) {
    const QString typed = node->text(0);
    const QString stored = storedName(node);
    if (typed == stored)
        return;
    const QSignalBlocker block(tvSubjects);
    node->setText(0, stored); // an edit not accepted leaves the old name, without a word
    if (m_editable && SubjectTree::Rename(levelOf(node), keyOf(node), typed)) {
        node->setText(0, typed);
        setStoredName(node, typed);
    }
}

void frmSubjects::mnuDelete_Click() {
    QTreeWidgetItem *node = selectedNode();
    if (!node || !m_editable)
        return;
    if (!dialogs().ask(this,
                       QStringLiteral("Biztosan törli a következőt: ") + node->text(0) + QLatin1Char('?')))
        return;
    switch (levelOf(node)) {
    case SubjectTree::Subject:
        SubjectTree::DeleteSubject(keyOf(node));
        break;
    case SubjectTree::Comp:
        SubjectTree::DeleteComp(keyOf(node), keyOf(node->parent()));
        break;
    case SubjectTree::SubComp:
        SubjectTree::DeleteSubComp(keyOf(node), keyOf(node->parent()));
        break;
    case SubjectTree::Nothing:
        return;
    }
    const QSignalBlocker block(tvSubjects);
    delete node;
    ShowHint();
}

void frmSubjects::mnuEditSentences_Click() {
    if (QTreeWidgetItem *node = selectedNode())
        openSentences(node);
}

void frmSubjects::openSentences(QTreeWidgetItem *node) {
    if (!node)
        return;
    frmSentences window(this);
    window.LoadSentences(pathOf(node), keyOf(node), levelOf(node), !m_editable);
    dialogs().runModal(&window);
}
