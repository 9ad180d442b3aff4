#include "curriculum/frmChooseSubComp.h"

#include "curriculum/CurriculumTree.h"
#include "data/modSub.h"
#include "ui/DialogService.h"
#include "ui/Guard.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

frmChooseSubComp::frmChooseSubComp(QWidget *parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmChooseSubComp"));
    setWindowTitle(QStringLiteral("Mondatok helye"));
    Label1 = new QLabel(
        QStringLiteral("&Melyik tantárgyhoz, területhez vagy alterülethez kerüljenek a mondatok?"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    tvSubjects = new QTreeWidget(this);
    tvSubjects->setObjectName(QStringLiteral("tvSubjects"));
    tvSubjects->setHeaderHidden(true);
    tvSubjects->setEditTriggers(QAbstractItemView::NoEditTriggers); // names are changed in the tree window
    tvSubjects->setAccessibleName(Label1->text().remove(QLatin1Char('&')));
    Label1->setBuddy(tvSubjects);
    btnOK = new QPushButton(QStringLiteral("&Tovább"), this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->setDefault(true);
    btnOK->setEnabled(false);
    btnCancel = new QPushButton(QStringLiteral("&Mégse"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(tvSubjects, 1);
    layout->addLayout(buttons);
    resize(480, 520);
    connectGuarded(tvSubjects, &QTreeWidget::currentItemChanged, this, &frmChooseSubComp::tvSubjects_Click);
    connect(tvSubjects, &QTreeWidget::itemDoubleClicked, this, [this] {
        if (m_target)
            accept();
    });
    connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

bool frmChooseSubComp::load() {
    const QList<modSub::PeriodItem> periods = modSub::PeriodListItems();
    const auto active = std::find_if(periods.begin(), periods.end(), [](const auto &p) { return p.active; });
    if (active == periods.end()) {
        dialogs().inform(this, QStringLiteral("Nincs aktív értékelési időszak, amelynek tantárgyaihoz a "
                                              "mondatok kerülhetnének."));
        return false;
    }
    CurriculumTree::fill(tvSubjects, active->id);
    if (tvSubjects->topLevelItemCount() == 0) {
        dialogs().inform(this, QStringLiteral("Az aktív időszakban nincs egyetlen tantárgy sem."));
        return false;
    }
    tvSubjects->expandAll();
    return true;
}

void frmChooseSubComp::tvSubjects_Click() {
    const QTreeWidgetItem *node = tvSubjects->currentItem();
    m_target =
        node ? SubjectTree::GetTargetSubComp(CurriculumTree::levelOf(node), CurriculumTree::keyOf(node)) : 0;
    btnOK->setEnabled(m_target != 0);
}
