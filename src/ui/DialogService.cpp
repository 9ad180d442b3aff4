#include "ui/DialogService.h"

#include <QComboBox>
#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QPrintDialog>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTimer>

namespace {
DialogService *g_installed = nullptr;
int g_showing = 0;

DialogService &installed() {
    static QtDialogService qtService;
    return g_installed ? *g_installed : qtService;
}

// Hands every call to the installed service and counts the windows open through it.
class CountingService : public DialogService {
public:
    QMessageBox::StandardButton message(QWidget *parent, const QString &text, Icon icon,
                                        QMessageBox::StandardButtons buttons,
                                        QMessageBox::StandardButton defaultButton,
                                        const QString &title) override {
        const Showing s;
        return installed().message(parent, text, icon, buttons, defaultButton, title);
    }
    QString openFile(QWidget *parent, const QString &caption, const QString &dir,
                     const QString &filter) override {
        const Showing s;
        return installed().openFile(parent, caption, dir, filter);
    }
    QString saveFile(QWidget *parent, const QString &caption, const QString &dir,
                     const QString &filter) override {
        const Showing s;
        return installed().saveFile(parent, caption, dir, filter);
    }
    bool printDialog(QWidget *parent, QPrinter *printer, bool oneWholeCopy) override {
        const Showing s;
        return installed().printDialog(parent, printer, oneWholeCopy);
    }
    int runModal(QDialog *dialog) override {
        const Showing s;
        return installed().runModal(dialog);
    }
    bool openUrl(const QUrl &url) override { return installed().openUrl(url); }

private:
    struct Showing {
        Showing() { ++g_showing; }
        ~Showing() { --g_showing; }
        Showing(const Showing &) = delete;
        Showing &operator=(const Showing &) = delete;
    };
};
} // namespace

DialogService &DialogService::instance() {
    static CountingService counting;
    return counting;
}

bool DialogService::isShowing() {
    return g_showing > 0;
}

void DialogService::install(DialogService *service) {
    g_installed = service;
}

QMessageBox::StandardButton QtDialogService::message(QWidget *parent, const QString &text, Icon icon,
                                                     QMessageBox::StandardButtons buttons,
                                                     QMessageBox::StandardButton defaultButton,
                                                     const QString &title) {
    QMessageBox::Icon qtIcon = QMessageBox::NoIcon;
    switch (icon) {
    case Icon::Information:
        qtIcon = QMessageBox::Information;
        break;
    case Icon::Exclamation:
        qtIcon = QMessageBox::Warning;
        break;
    case Icon::Critical:
        qtIcon = QMessageBox::Critical;
        break;
    case Icon::Question:
        qtIcon = QMessageBox::Question;
        break;
    case Icon::None:
        break;
    }
    QMessageBox box(qtIcon, title.isEmpty() ? QStringLiteral("Lorvanto") : title, text, buttons, parent);
    if (defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(defaultButton);
    // A message may carry a line the user copies on (a path, a settings line).
    box.setTextInteractionFlags(Qt::TextSelectableByMouse);
    return QMessageBox::StandardButton(box.exec());
}

QString QtDialogService::openFile(QWidget *parent, const QString &caption, const QString &dir,
                                  const QString &filter) {
    return QFileDialog::getOpenFileName(parent, caption, dir, filter);
}

QString QtDialogService::saveFile(QWidget *parent, const QString &caption, const QString &dir,
                                  const QString &filter) {
    QFileDialog dialog(parent, caption, dir, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // A name typed without an extension gets the first filter's own before the dialog asks about
    // overwriting, so the question is about the file that will be written.
    static const QRegularExpression firstSuffix(QStringLiteral("\\(\\*\\.(\\w+)\\)"));
    const QRegularExpressionMatch match = firstSuffix.match(filter);
    if (match.hasMatch())
        dialog.setDefaultSuffix(match.captured(1));
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}

bool QtDialogService::printDialog(QWidget *parent, QPrinter *printer, bool oneWholeCopy) {
    QPrintDialog dlg(printer, parent);
    if (oneWholeCopy) {
        // Numbered forms: the page range, the copies and the odd/even page choice of Qt's own dialog are
        // hidden once it is shown and again whenever another printer refreshes it (a native dialog's
        // choices are overruled by the caller afterwards).
        dlg.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);
        const auto restrict = [&dlg] {
            if (auto *copies = dlg.findChild<QSpinBox *>(QStringLiteral("copies"));
                copies && copies->parentWidget())
                copies->parentWidget()->hide();
            for (const char *name : {"gbPrintRange", "pageSetLabel", "pageSetCombo"})
                if (auto *w = dlg.findChild<QWidget *>(QString::fromLatin1(name)))
                    w->hide();
        };
        QTimer::singleShot(0, &dlg, restrict);
        if (auto *printers = dlg.findChild<QComboBox *>(QStringLiteral("printers")))
            QObject::connect(printers, &QComboBox::currentIndexChanged, &dlg, restrict, Qt::QueuedConnection);
    }
    return dlg.exec() == QDialog::Accepted;
}

int QtDialogService::runModal(QDialog *dialog) {
    return dialog->exec();
}

bool QtDialogService::openUrl(const QUrl &url) {
    return QDesktopServices::openUrl(url);
}
