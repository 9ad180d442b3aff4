#include "curriculum/frmImportSentences.h"

#include "curriculum/SentenceBank.h"
#include "ui/Guard.h"
#include "ui/Named.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

frmImportSentences::frmImportSentences(QWidget *parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmImportSentences"));
    setWindowTitle(QStringLiteral("Mondatok importálása"));
    Label1 =
        named(new QLabel(QStringLiteral("&Jelölje ki az importálni kívánt mondatokat:"), this), "Label1");
    lvSentences = named(new QTreeWidget(this), "lvSentences");
    lvSentences->setHeaderLabels({QStringLiteral("Mondatok")});
    lvSentences->setRootIsDecorated(false);
    lvSentences->setUniformRowHeights(true);
    lvSentences->setAccessibleName(Label1->text().remove(QLatin1Char('&')));
    Label1->setBuddy(lvSentences);
    chkAll = named(new QCheckBox(QStringLiteral("&Mind"), this), "chkAll");
    btnImport = named(new QPushButton(QStringLiteral("&Importál"), this), "btnImport");
    btnCancel = named(new QPushButton(QStringLiteral("&Mégse"), this), "btnCancel");
    prgImport = named(new QProgressBar(this), "prgImport");
    prgImport->setVisible(false);
    btnImport->setDefault(true);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(chkAll);
    buttons->addWidget(prgImport, 1);
    buttons->addStretch();
    buttons->addWidget(btnImport);
    buttons->addWidget(btnCancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(lvSentences, 1);
    layout->addLayout(buttons);
    resize(720, 480);

    connect(chkAll, &QCheckBox::clicked, this, &frmImportSentences::chkAll_Click);
    connect(lvSentences, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem *row) {
        m_ticked += row->checkState(0) == Qt::Checked ? 1 : -1;
        updateImportButton();
    });
    connectGuarded(btnImport, &QPushButton::clicked, this, &frmImportSentences::btnImport_Click);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void frmImportSentences::setSentences(const QStringList &sentences, qint64 akbId) {
    m_akbId = akbId;
    const QSignalBlocker block(lvSentences);
    lvSentences->clear();
    QList<QTreeWidgetItem *> rows;
    rows.reserve(sentences.size());
    for (const QString &s : sentences) {
        auto *row = new QTreeWidgetItem(QStringList{s});
        row->setCheckState(0, Qt::Checked);
        rows << row;
    }
    lvSentences->addTopLevelItems(rows);
    m_ticked = int(rows.size());
    chkAll->setChecked(true);
    updateImportButton();
}

void frmImportSentences::chkAll_Click(bool checked) {
    {
        const QSignalBlocker block(lvSentences);
        for (int i = 0; i < lvSentences->topLevelItemCount(); ++i)
            lvSentences->topLevelItem(i)->setCheckState(0, checked ? Qt::Checked : Qt::Unchecked);
    }
    m_ticked = checked ? lvSentences->topLevelItemCount() : 0;
    updateImportButton();
}

void frmImportSentences::updateImportButton() {
    btnImport->setEnabled(m_ticked > 0 && m_akbId != 0);
}

void frmImportSentences::btnImport_Click() {
    QStringList chosen;
    for (int i = 0; i < lvSentences->topLevelItemCount(); ++i)
        if (lvSentences->topLevelItem(i)->checkState(0) == Qt::Checked)
            chosen << lvSentences->topLevelItem(i)->text(0);
    if (chosen.isEmpty() || !m_akbId)
        return;
    prgImport->setRange(0, int(chosen.size()));
    prgImport->setValue(0);
    prgImport->setVisible(true);
    setEnabled(false);
    struct Restore {
        frmImportSentences *w;
        ~Restore() {
            w->setEnabled(true);
            w->prgImport->setVisible(false);
        }
    } restore{this};
    SentenceBank::Import(m_akbId, chosen, [this](int done) {
        prgImport->setValue(done);
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    });
    m_imported = int(chosen.size());
    accept();
}
