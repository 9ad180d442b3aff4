#include "PdfText.h"

#include <QProcess>
#include <QRegularExpression>
#include <QSizeF>
#include <QXmlStreamReader>

namespace {

constexpr double kMmPerPoint = 25.4 / 72.0;

} // namespace

PdfText PdfText::read(const QString &path) {
    PdfText out;
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), path, QStringLiteral("-")});
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return out;
    QXmlStreamReader xml(p.readAllStandardOutput());
    int page = 0;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        const auto a = xml.attributes();
        if (xml.name() == QLatin1String("page")) {
            ++page;
            out.pageSizesMm.append(QSizeF(a.value(QLatin1String("width")).toDouble() * kMmPerPoint,
                                          a.value(QLatin1String("height")).toDouble() * kMmPerPoint));
        } else if (xml.name() == QLatin1String("word")) {
            PdfWord w;
            w.page = page;
            w.xMin = a.value(QLatin1String("xMin")).toDouble() * kMmPerPoint;
            w.yMin = a.value(QLatin1String("yMin")).toDouble() * kMmPerPoint;
            w.xMax = a.value(QLatin1String("xMax")).toDouble() * kMmPerPoint;
            w.yMax = a.value(QLatin1String("yMax")).toDouble() * kMmPerPoint;
            w.text = xml.readElementText();
            out.words.append(w);
        }
    }
    out.ok = !xml.hasError() && page > 0;
    return out;
}

const PdfWord *PdfText::find(const QString &text, int page) const {
    for (const PdfWord &w : words)
        if (w.text == text && (page == 0 || w.page == page))
            return &w;
    return nullptr;
}
