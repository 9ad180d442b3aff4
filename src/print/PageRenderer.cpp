#include "print/PageRenderer.h"

#include "print/TextLayouter.h"

#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPen>
#include <QPrinter>

namespace PageRenderer {

void paint(QPainter &painter, const PrintPage &page, double dpi) {
    const double k = dpi / (kTwipsPerMm * 25.4); // device units per twip
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    QPen pen(Qt::black);
    pen.setWidthF(qMax(1.0, 0.2 / 25.4 * dpi)); // 0.2 mm, at least a device pixel
    painter.setPen(pen);
    for (const PrintItem &item : page.items) {
        if (item.kind == PrintItem::Kind::Line) {
            painter.drawLine(QPointF(item.left * k, item.top * k), QPointF(item.x2 * k, item.y2 * k));
            continue;
        }
        painter.setFont(TextLayouter::font(item.fontSize, item.bold));
        for (const PrintRun &run : item.runs)
            painter.drawText(QPointF(run.x * k, run.baseline * k), run.text);
    }
    painter.restore();
}

void preparePagedDevice(QPagedPaintDevice &device, const PrintPaper &paper) {
    // The output sheet is A4 for every paper code (PrintPaper::outputMm).
    const QPageSize size(QPageSize::A4);
    device.setPageLayout(QPageLayout(size,
                                     paper.orientation == 1 ? QPageLayout::Landscape : QPageLayout::Portrait,
                                     QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
}

Painted paintRange(QPagedPaintDevice &device, const PrintDocument &doc, int first, int last, double dpi) {
    QPainter painter;
    if (!painter.begin(&device))
        return Painted::NotOpened;
    bool failed = false;
    for (int p = first; p <= last; ++p) {
        if (p > first && !device.newPage())
            failed = true;
        paint(painter, doc.pages.at(p - 1), dpi);
    }
    if (!painter.end())
        failed = true;
    if (auto *printer = dynamic_cast<QPrinter *>(&device))
        failed = failed || printer->printerState() == QPrinter::Error ||
                 printer->printerState() == QPrinter::Aborted;
    return failed ? Painted::PageFailed : Painted::Done;
}

} // namespace PageRenderer
