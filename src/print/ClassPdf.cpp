#include "print/ClassPdf.h"

#include "print/PdfExport.h"
#include "print/frmPdfKind.h"
#include "ui/DialogService.h"

#include <QCoreApplication>
#include <QDir>
#include <QProgressDialog>

namespace ClassPdf {

QString report(const QString &path, int written, int skipped, int pages) {
    QString text = QStringLiteral("A PDF elkészült: %1\n%2 tanuló dokumentuma, összesen %3 oldal.")
                       .arg(QDir::toNativeSeparators(path))
                       .arg(written)
                       .arg(pages);
    if (skipped > 0)
        text +=
            QStringLiteral("\n%1 tanulónak még nincs értékelése, az ő dokumentuma kimaradt.").arg(skipped);
    return text;
}

void run(QWidget *parent, qint64 oszId, const QString &className) {
    frmPdfKind kind(parent);
    if (dialogs().runModal(&kind) != QDialog::Accepted)
        return;
    const QString suggested =
        QString(className).remove(QLatin1Char('.')).simplified().replace(QLatin1Char(' '), QLatin1Char('_'));
    QString path = dialogs().saveFile(parent, QStringLiteral("Osztály PDF mentése"),
                                      QDir::home().filePath(suggested + QStringLiteral(".pdf")),
                                      QStringLiteral("PDF fájlok (*.pdf)"));
    if (path.isEmpty())
        return;
    if (!path.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive))
        path += QStringLiteral(".pdf");

    QProgressDialog progress(QStringLiteral("Az osztály dokumentumai készülnek..."), QStringLiteral("Mégse"),
                             0, 1, parent);
    progress.setObjectName(QStringLiteral("progressClassPdf"));
    progress.setWindowTitle(QStringLiteral("Osztály PDF"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(0);
    const PdfExport::ClassResult result =
        PdfExport::writeClass(oszId, kind.kind(), path, [&progress](int done, int total) {
            progress.setMaximum(qMax(1, total));
            progress.setValue(done);
            QCoreApplication::processEvents();
            return !progress.wasCanceled();
        });
    progress.reset();
    if (result.cancelled)
        dialogs().inform(parent, QStringLiteral("A PDF készítése megszakadt; a fájl nem jött létre."));
    else if (result.written == 0)
        dialogs().inform(parent, QStringLiteral("Az osztály egyetlen tanulójának sincs még értékelése; a PDF "
                                                "nem készült el."));
    else
        dialogs().inform(parent, report(path, result.written, result.skipped, result.pages));
}

} // namespace ClassPdf
