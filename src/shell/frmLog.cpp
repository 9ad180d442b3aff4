#include "shell/frmLog.h"

#include "shell/LogExport.h"
#include "shell/LogModel.h"
#include "ui/Controls.h"
#include "ui/DialogService.h"
#include "ui/Guard.h"
#include "ui/WaitCursor.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace {
const QString kExportFilter = QStringLiteral("Lorvanto fájlok (*.mb)");
}

frmLog::frmLog(QWidget *parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmLog"));
    setWindowTitle(QStringLiteral("Módosítási jegyzék"));

    lblGrid = namedLabel(this, "lblGrid", QStringLiteral("&Események:"));
    DataGrid1 = new QTableView(this);
    DataGrid1->setObjectName(QStringLiteral("DataGrid1"));
    DataGrid1->setAccessibleName(QStringLiteral("Események:"));
    DataGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    DataGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    DataGrid1->setAlternatingRowColors(true);
    DataGrid1->verticalHeader()->setVisible(false);
    DataGrid1->verticalHeader()->setDefaultSectionSize(DataGrid1->fontMetrics().height() + 6);
    DataGrid1->horizontalHeader()->setStretchLastSection(true);
    lblGrid->setBuddy(DataGrid1);
    m_model = new LogModel(this);
    DataGrid1->setModel(m_model);

    btnExport = namedButton(this, "btnExport", QStringLiteral("Exportálás és törlés..."));
    btnClose = namedButton(this, "btnClose", QStringLiteral("Be&zár"));
    btnClose->setDefault(true);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(btnExport);
    buttons->addStretch(1);
    buttons->addWidget(btnClose);
    auto *main = new QVBoxLayout(this);
    main->addWidget(lblGrid);
    main->addWidget(DataGrid1, 1);
    main->addLayout(buttons);
    resize(820, 520);

    connectGuarded(btnExport, &QPushButton::clicked, this, &frmLog::btnExport_Click);
    connect(btnClose, &QPushButton::clicked, this, &QDialog::accept);
}

void frmLog::load() {
    m_model->reload();
    // Column widths from the first page only: measuring every entry would read the whole log.
    DataGrid1->resizeColumnsToContents();
}

void frmLog::btnExport_Click() {
    if (!dialogs().ask(this, QStringLiteral("A művelet kitörli a naplóból az összes eseményt. Folytatja?")))
        return;
    const QString path =
        dialogs().saveFile(this, QStringLiteral("Módosítási jegyzék exportálása"), QString(), kExportFilter);
    if (path.isEmpty()) {
        dialogs().inform(this, QStringLiteral("Az exportálás elmaradt, a napló változatlan."));
        return;
    }
    QString error;
    bool written = false;
    {
        WaitCursor wait;
        written = LogExport::exportAndClear(path, &error);
    }
    if (!written) {
        dialogs().warn(
            this, QStringLiteral("A napló nem írható ki ide: %1\n%2\nA napló változatlan.").arg(path, error));
        return;
    }
    m_model->reload();
}
