#include "print/PageRenderer.h"

#include "print/TextLayouter.h"

#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPen>
#include <QPrinter>
#include <QTextLayout>
#include <cmath>

namespace PageRenderer {

namespace {

quint64 fontKey(const PrintItem &item) {
    return (quint64(std::llround(item.fontSize * 1000)) << 1) | (item.bold ? 1 : 0);
}

} // namespace

PagePainter::PagePainter(QPainter &painter, double dpi)
    : m_painter(painter), m_dpi(dpi), m_k(dpi / (kTwipsPerMm * 25.4)) {}

const QFont &PagePainter::fontOf(const PrintItem &item) {
    const quint64 key = fontKey(item);
    auto it = m_fonts.find(key);
    if (it == m_fonts.end())
        it = m_fonts.insert(key, TextLayouter::font(item.fontSize, item.bold));
    return *it;
}

const PagePainter::Shaped &PagePainter::shape(const QFont &font, quint64 fontKey, const QString &word) {
    QHash<QString, Shaped> &words = m_words[fontKey];
    auto it = words.constFind(word);
    if (it != words.constEnd())
        return *it;
    // Shaped as the painter's drawText shapes it on this device, so the glyphs land where they always did.
    QTextLayout layout(word, font, m_painter.device());
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    const QTextLine line = layout.createLine();
    layout.endLayout();
    Shaped shaped;
    const QList<QGlyphRun> runs = layout.glyphRuns();
    if (runs.size() == 1 && line.isValid()) {
        shaped.single = true;
        shaped.font = runs.first().rawFont();
        shaped.glyphs = runs.first().glyphIndexes();
        shaped.positions = runs.first().positions();
        for (QPointF &p : shaped.positions)
            p.ry() -= line.ascent();
    }
    return *words.insert(word, shaped);
}

void PagePainter::drawRuns(const PrintItem &item) {
    const QFont &font = fontOf(item);
    const quint64 key = fontKey(item);
    QGlyphRun line;
    QList<quint32> glyphs;
    QList<QPointF> positions;
    double lineBaseline = 0;
    auto flush = [&] {
        if (glyphs.isEmpty())
            return;
        line.setGlyphIndexes(glyphs);
        line.setPositions(positions);
        m_painter.drawGlyphRun(QPointF(0, 0), line);
        glyphs.clear();
        positions.clear();
    };
    for (const PrintRun &run : item.runs) {
        const Shaped &word = shape(font, key, run.text);
        if (!word.single) {
            // A word that needs more than one font (or none at all) is drawn on its own.
            flush();
            m_painter.setFont(font);
            m_painter.drawText(QPointF(run.x * m_k, run.baseline * m_k), run.text);
            continue;
        }
        if (!glyphs.isEmpty() && (run.baseline != lineBaseline || word.font != line.rawFont()))
            flush();
        if (glyphs.isEmpty()) {
            line.setRawFont(word.font);
            lineBaseline = run.baseline;
        }
        const QPointF origin(run.x * m_k, run.baseline * m_k);
        glyphs += word.glyphs;
        for (const QPointF &p : word.positions)
            positions.append(origin + p);
    }
    flush();
}

void PagePainter::paint(const PrintPage &page) {
    m_painter.save();
    m_painter.setRenderHint(QPainter::Antialiasing, true);
    m_painter.setRenderHint(QPainter::TextAntialiasing, true);
    QPen pen(Qt::black);
    pen.setWidthF(qMax(1.0, 0.2 / 25.4 * m_dpi)); // 0.2 mm, at least a device pixel
    m_painter.setPen(pen);
    for (const PrintItem &item : page.items) {
        if (item.kind == PrintItem::Kind::Line)
            m_painter.drawLine(QPointF(item.left * m_k, item.top * m_k),
                               QPointF(item.x2 * m_k, item.y2 * m_k));
        else
            drawRuns(item);
    }
    m_painter.restore();
}

void paint(QPainter &painter, const PrintPage &page, double dpi) {
    PagePainter(painter, dpi).paint(page);
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
    PagePainter pages(painter, dpi);
    for (int p = first; p <= last; ++p) {
        if (p > first && !device.newPage())
            failed = true;
        pages.paint(doc.pages.at(p - 1));
    }
    if (!painter.end())
        failed = true;
    if (auto *printer = dynamic_cast<QPrinter *>(&device))
        failed = failed || printer->printerState() == QPrinter::Error ||
                 printer->printerState() == QPrinter::Aborted;
    return failed ? Painted::PageFailed : Painted::Done;
}

} // namespace PageRenderer
