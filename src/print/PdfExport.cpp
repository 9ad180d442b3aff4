#include "print/PdfExport.h"

#include "data/CommandSet.h"
#include "print/DocumentLayout.h"
#include "print/PageRenderer.h"
#include "print/PrintControl.h"
#include "print/PrintData.h"

#include <QFileInfo>
#include <QPainter>
#include <QPdfWriter>

namespace PdfExport {

qint64 pupilOfRating(CommandSet &devPrint, qint64 ertId) {
    // The printing commands ask for the pupil along with the rating; the rating row names him.
    const Recordset rs = devPrint.connection().query(
        QStringLiteral("SELECT ert_tan_id FROM ERTEKELES WHERE ert_id = ?"), {ertId});
    return rs.count() ? rs.at(0, QStringLiteral("ert_tan_id")).toLongLong() : 0;
}

PrintDocument composeTrial(CommandSet &devPrint, qint64 ertId, PrintOptions::Document kind) {
    const qint64 tanId = pupilOfRating(devPrint, ertId);
    if (!tanId)
        throw PrintError(QStringLiteral("Nincs ilyen értékelés: %1").arg(ertId));
    const PrintData data = PrintData::read(devPrint, ertId, tanId);
    PrintOptions options;
    options.document = kind;
    PrintControl pc;
    DocumentLayout(pc, data, options).compose();
    return pc.document();
}

void writeDocuments(const QString &path, const QList<PrintDocument> &documents) {
    if (documents.isEmpty() || documents.first().pages.isEmpty())
        throw PrintError(QStringLiteral("Nincs kinyomtatható oldal."));
    QPdfWriter writer(path);
    constexpr int dpi = 1200;
    writer.setResolution(dpi);
    writer.setCreator(QStringLiteral("Lorvanto"));
    PageRenderer::preparePagedDevice(writer, documents.first().paper);
    QPainter painter;
    if (!painter.begin(&writer))
        throw PrintError(QStringLiteral("A PDF fájl nem írható: %1").arg(path));
    bool first = true;
    for (const PrintDocument &doc : documents) {
        for (const PrintPage &page : doc.pages) {
            if (!first) {
                PageRenderer::preparePagedDevice(writer, doc.paper);
                writer.newPage();
            }
            PageRenderer::paint(painter, page, dpi);
            first = false;
        }
    }
    painter.end();
    if (!QFileInfo(path).isFile())
        throw PrintError(QStringLiteral("A PDF fájl nem írható: %1").arg(path));
}

bool parseKind(const QString &text, PrintOptions::Document &kind) {
    if (text == QLatin1String("certificate"))
        kind = PrintOptions::Document::Certificate;
    else if (text == QLatin1String("a4"))
        kind = PrintOptions::Document::CertificateA4;
    else if (text == QLatin1String("register"))
        kind = PrintOptions::Document::RegisterSheet;
    else
        return false;
    return true;
}

} // namespace PdfExport
