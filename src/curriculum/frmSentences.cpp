#include "curriculum/frmSentences.h"

#include "curriculum/SentenceBank.h"
#include "curriculum/SentenceFiles.h"
#include "data/AppData.h"
#include "data/DbError.h"
#include "exchange/modImport.h"
#include "ui/DialogService.h"
#include "ui/Guard.h"
#include "ui/ItemRoles.h"
#include "ui/Named.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
const QString kCaption = QStringLiteral("Mondatok kezelése");
const QString kNoSentence = QStringLiteral("Nincs mondat kiválasztva.");

bool isReadOnlyRow(const QTreeWidgetItem *row) {
    return row->data(1, ReadOnlyRole).toBool();
}

bool isBold(const QTreeWidgetItem *row) {
    return row->font(0).bold();
}

void setBold(QTreeWidgetItem *row, bool bold) {
    QFont f = row->font(0);
    f.setBold(bold);
    row->setFont(0, f);
    row->setFont(1, f);
}
} // namespace

frmSentences::frmSentences(QWidget *parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmSentences"));
    setWindowTitle(kCaption);
    SentenceFiles::installImport();

    Label1 = named(new QLabel(QStringLiteral("Kategória:"), this), "Label1");
    txtPath = named(new QLineEdit(this), "txtPath");
    txtPath->setReadOnly(true);
    Label1->setBuddy(txtPath);

    auto *listLabel = new QLabel(QStringLiteral("&Mondatok:"), this);
    lvSentences = named(new QTreeWidget(this), "lvSentences");
    lvSentences->setHeaderLabels({QStringLiteral("Mondat"), QStringLiteral("Típus/Tulaj")});
    lvSentences->setRootIsDecorated(false);
    lvSentences->setUniformRowHeights(true);
    lvSentences->setAccessibleName(QStringLiteral("Mondatok"));
    lvSentences->header()->setStretchLastSection(false);
    lvSentences->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    lvSentences->header()->resizeSection(1, 170);
    listLabel->setBuddy(lvSentences);

    Check1 = named(new QCheckBox(QStringLiteral("&Csak a saját mondataim látszódjanak"), this), "Check1");

    auto *frame = new QGroupBox(QStringLiteral("Mondat"), this);
    txtNew = named(new QLineEdit(frame), "txtNew");
    txtNew->setAccessibleName(QStringLiteral("Mondat"));
    btnNew = named(new QPushButton(QStringLiteral("Mentés ú&j mondatként"), frame), "btnNew");
    btnRename = named(new QPushButton(QStringLiteral("&Átír"), frame), "btnRename");
    btnDelete = named(new QPushButton(QStringLiteral("&Töröl"), frame), "btnDelete");
    chkVisible = named(new QCheckBox(QStringLiteral("Mindenki &láthatja"), frame), "chkVisible");
    auto *frameButtons = new QHBoxLayout;
    frameButtons->addWidget(btnNew);
    frameButtons->addWidget(btnRename);
    frameButtons->addWidget(btnDelete);
    frameButtons->addStretch(1);
    frameButtons->addWidget(chkVisible);
    auto *frameLayout = new QVBoxLayout(frame);
    frameLayout->addWidget(txtNew);
    frameLayout->addLayout(frameButtons);

    btnImport = named(new QPushButton(QStringLiteral("&Importálás..."), this), "btnImport");
    btnExport = named(new QPushButton(QStringLiteral("E&xportálás >>"), this), "btnExport");
    btnClose = named(new QPushButton(QStringLiteral("Be&zár"), this), "btnClose");
    btnClose->setAutoDefault(false);
    mnuPopup = named(new QMenu(this), "mnuPopup");
    mnuAll = named(mnuPopup->addAction(QStringLiteral("&Mindet")), "mnuAll");
    mnuSelection = named(mnuPopup->addAction(QStringLiteral("A &kijelölteket")), "mnuSelection");

    auto *pathRow = new QHBoxLayout;
    pathRow->addWidget(Label1);
    pathRow->addWidget(txtPath, 1);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(btnImport);
    bottom->addWidget(btnExport);
    bottom->addStretch(1);
    bottom->addWidget(btnClose);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(pathRow);
    layout->addWidget(listLabel);
    layout->addWidget(lvSentences, 1);
    layout->addWidget(Check1);
    layout->addWidget(frame);
    layout->addLayout(bottom);
    resize(820, 560);

    // The selection, not the current row: a mouse press makes the row current before it selects it, and
    // a key moves the selection before the current row. A click on the selected row loads its text again.
    connectGuarded(lvSentences->selectionModel(), &QItemSelectionModel::selectionChanged, this,
                   &frmSentences::lvSentences_Click);
    connectGuarded(lvSentences, &QTreeWidget::itemClicked, this, &frmSentences::lvSentences_Click);
    connectGuarded(lvSentences, &QTreeWidget::itemChanged, this, &frmSentences::lvSentences_Edited);
    connectGuarded(txtNew, &QLineEdit::textChanged, this, &frmSentences::txtNew_Change);
    connectGuarded(btnNew, &QPushButton::clicked, this, &frmSentences::btnNew_Click);
    connectGuarded(btnRename, &QPushButton::clicked, this, &frmSentences::btnRename_Click);
    connectGuarded(btnDelete, &QPushButton::clicked, this, &frmSentences::btnDelete_Click);
    connectGuarded(chkVisible, &QCheckBox::clicked, this, &frmSentences::chkVisible_Click);
    connectGuarded(Check1, &QCheckBox::clicked, this, &frmSentences::reload);
    connectGuarded(btnImport, &QPushButton::clicked, this, &frmSentences::btnImport_Click);
    connectGuarded(btnExport, &QPushButton::clicked, this, &frmSentences::btnExport_Click);
    connectGuarded(mnuAll, &QAction::triggered, this, &frmSentences::mnuAll_Click);
    connectGuarded(mnuSelection, &QAction::triggered, this, &frmSentences::mnuSelection_Click);
    connect(btnClose, &QPushButton::clicked, this, &QDialog::accept);
}

void frmSentences::LoadSentences(const QString &path, qint64 id, int level, bool readOnly) {
    m_editable = !readOnly;
    setWindowTitle(readOnly ? kCaption + QStringLiteral(" - inaktív időszak, csak olvasásra.") : kCaption);
    m_path = path;
    m_id = id;
    m_level = level >= SubjectTree::Subject && level <= SubjectTree::SubComp ? SubjectTree::Level(level)
                                                                             : SubjectTree::Nothing;
    txtPath->setText(path);
    // Administrators choose the sentences to export with the rows' check boxes.
    m_checkable = AppData::current().login.isAdmin;
    mnuSelection->setEnabled(m_checkable);
    m_target = SubjectTree::GetTargetSubComp(m_level, id);
    fillRows();
    lvSentences->setEditTriggers(m_editable
                                     ? QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed
                                     : QAbstractItemView::NoEditTriggers);
    btnRename->setEnabled(m_editable);
    btnDelete->setEnabled(m_editable);
    chkVisible->setEnabled(m_editable && AppData::current().login.isAdmin);
    chkVisible->setChecked(false);
    // A subject or competency with named children has no placeholder to take new sentences.
    btnImport->setEnabled(m_editable && m_target != 0);
    setDefaultButton(btnNew);
    txtNew->clear();
    txtNew_Change();
}

void frmSentences::fillRows() {
    const QSignalBlocker block(lvSentences);
    lvSentences->clear();
    const QList<SentenceBank::Row> rows = SentenceBank::Load(m_level, m_id, Check1->isChecked());
    QList<QTreeWidgetItem *> items;
    items.reserve(rows.size());
    for (const SentenceBank::Row &r : rows) {
        auto *row = new QTreeWidgetItem(QStringList{r.text, r.ownerName});
        row->setData(0, IdRole, r.id);
        row->setData(0, StoredTextRole, r.text);
        if (r.shown == SentenceBank::Shown::Common)
            row->setData(1, ReadOnlyRole, true);
        else if (m_editable)
            row->setFlags(row->flags() | Qt::ItemIsEditable);
        if (r.shown != SentenceBank::Shown::Plain)
            setBold(row, true);
        if (m_checkable)
            row->setCheckState(0, Qt::Unchecked);
        items << row;
    }
    lvSentences->addTopLevelItems(items);
    lvSentences->setCurrentItem(nullptr);
    lvSentences->clearSelection();
}

void frmSentences::reload() {
    LoadSentences(m_path, m_id, m_level, !m_editable);
}

void frmSentences::setDefaultButton(QPushButton *button) {
    for (QPushButton *b : {btnNew, btnRename})
        b->setDefault(b == button);
}

QTreeWidgetItem *frmSentences::selectedRow() const {
    const QList<QTreeWidgetItem *> rows = lvSentences->selectedItems();
    return rows.isEmpty() ? nullptr : rows.first();
}

void frmSentences::lvSentences_Click() {
    QTreeWidgetItem *row = selectedRow();
    if (row)
        txtNew->setText(row->data(0, StoredTextRole).toString());
    if (!row || isReadOnlyRow(row)) {
        // A common sentence cannot be changed; with no row the buttons say what is missing when pressed.
        btnRename->setEnabled(!row && m_editable);
        btnDelete->setEnabled(!row && m_editable);
        chkVisible->setEnabled(!row && m_editable && AppData::current().login.isAdmin);
        chkVisible->setChecked(false);
        setDefaultButton(btnNew);
        return;
    }
    btnRename->setEnabled(m_editable);
    btnDelete->setEnabled(m_editable);
    setDefaultButton(nullptr);
    chkVisible->setEnabled(m_editable && AppData::current().login.isAdmin);
    chkVisible->setChecked(isBold(row));
}

void frmSentences::txtNew_Change() {
    btnNew->setEnabled(m_editable && m_target != 0 && SentenceBank::isValidSentence(txtNew->text()));
    if (selectedRow() && !isReadOnlyRow(selectedRow()))
        setDefaultButton(btnRename);
}

void frmSentences::writeSentence(const std::function<void()> &write) {
    try {
        write();
    } catch (const RowGone &) {
        // Deleted meanwhile by another user: once the message is read, the list shows the bank as it is.
        QMetaObject::invokeMethod(
            this, [this] { guarded(this, [this] { reload(); }); }, Qt::QueuedConnection);
        throw;
    }
}

bool frmSentences::rewrite(QTreeWidgetItem *row, const QString &text) {
    if (isReadOnlyRow(row) || !m_editable)
        return false;
    if (!SentenceBank::isValidSentence(text)) {
        dialogs().warn(this,
                       QStringLiteral("A mondat legalább 1, legfeljebb %1 karakter hosszú lehet (a szöveg "
                                      "eleji és végi szóközei nem számítanak).")
                           .arg(SentenceBank::kMaxSentence));
        return false;
    }
    writeSentence([&] { SentenceBank::Rewrite(row->data(0, IdRole).toLongLong(), text); });
    const QSignalBlocker block(lvSentences);
    row->setText(0, text.trimmed());
    row->setData(0, StoredTextRole, text.trimmed());
    return true;
}

void frmSentences::lvSentences_Edited(QTreeWidgetItem *row, int column) {
    // Ticking a row for export changes it too; only a changed text is a rewrite.
    const QString stored = row->data(0, StoredTextRole).toString();
    if (column != 0 || row->text(0) == stored)
        return;
    const QString typed = row->text(0);
    {
        const QSignalBlocker block(lvSentences);
        row->setText(0, stored); // until the new text is written
    }
    rewrite(row, typed);
}

void frmSentences::btnNew_Click() {
    if (!m_editable || !m_target || !SentenceBank::isValidSentence(txtNew->text()))
        return;
    SentenceBank::Add(m_target, txtNew->text());
    reload();
}

void frmSentences::btnRename_Click() {
    QTreeWidgetItem *row = selectedRow();
    if (!row) {
        dialogs().inform(this, kNoSentence);
        return;
    }
    if (txtNew->text().trimmed().isEmpty()) {
        dialogs().warn(this, QStringLiteral("Be kell írnia egy szöveget"));
        return;
    }
    rewrite(row, txtNew->text());
}

void frmSentences::btnDelete_Click() {
    QTreeWidgetItem *row = selectedRow();
    if (!row) {
        dialogs().inform(this, kNoSentence);
        return;
    }
    if (isReadOnlyRow(row) || !m_editable)
        return;
    if (!dialogs().ask(this, QStringLiteral("Biztosan törli a kijelölt mondatot?")))
        return;
    writeSentence([&] { SentenceBank::Remove(row->data(0, IdRole).toLongLong()); });
    reload();
}

void frmSentences::chkVisible_Click(bool checked) {
    QTreeWidgetItem *row = selectedRow();
    if (!row || isReadOnlyRow(row)) {
        chkVisible->setChecked(false);
        if (!row)
            dialogs().inform(this, QStringLiteral("Nincs elem kiválasztva."));
        return;
    }
    const bool wasBold = isBold(row);
    chkVisible->setChecked(wasBold); // until the new mark is written
    writeSentence([&] { SentenceBank::Share(row->data(0, IdRole).toLongLong(), checked); });
    chkVisible->setChecked(checked);
    setBold(row, checked);
}

void frmSentences::btnImport_Click() {
    if (!m_editable || !m_target)
        return;
    const QString path =
        dialogs().openFile(this, QStringLiteral("Mondatok importálása"), QString(), SentenceFiles::kFilter);
    if (path.isEmpty())
        return;
    modImport::Target target;
    target.akbId = m_target;
    modImport::ImportFile(this, path, ExchangeFile::Sentences, target);
    reload();
}

void frmSentences::btnExport_Click() {
    mnuPopup->popup(btnExport->mapToGlobal(QPoint(0, btnExport->height())));
}

void frmSentences::mnuAll_Click() {
    QStringList texts;
    const QSignalBlocker block(lvSentences);
    for (int i = 0; i < lvSentences->topLevelItemCount(); ++i) {
        QTreeWidgetItem *row = lvSentences->topLevelItem(i);
        if (m_checkable)
            row->setCheckState(0, Qt::Checked);
        texts << row->data(0, StoredTextRole).toString();
    }
    if (texts.isEmpty()) {
        dialogs().inform(this, QStringLiteral("Nincs exportálható mondat a listában."));
        return;
    }
    SentenceFiles::exportSentences(this, texts);
}

void frmSentences::mnuSelection_Click() {
    if (lvSentences->topLevelItemCount() == 0) {
        dialogs().inform(this, QStringLiteral("Nincs exportálható mondat a listában."));
        return;
    }
    QStringList texts;
    for (int i = 0; i < lvSentences->topLevelItemCount(); ++i) {
        const QTreeWidgetItem *row = lvSentences->topLevelItem(i);
        if (m_checkable && row->checkState(0) == Qt::Checked)
            texts << row->data(0, StoredTextRole).toString();
    }
    if (texts.isEmpty()) {
        dialogs().inform(this,
                         QStringLiteral("Az egyes mondatok előtti jelölőnégyzeteket használva jelölje ki, "
                                        "mely mondatokat szeretné exportálni!"));
        return;
    }
    SentenceFiles::exportSentences(this, texts);
}
