#pragma once

#include "print/PrintPage.h"

#include <QFont>
#include <QGlyphRun>
#include <QHash>
#include <QPointF>
#include <QRawFont>

class QPagedPaintDevice;
class QPainter;

// Draws recorded pages at their physical size: one twip of the record becomes 1/57 mm on the device,
// measured from the paper's top-left corner, with no printer margin added.
namespace PageRenderer {

// Draws pages on one painter. Its fonts and the words it has shaped are kept from page to page, and the
// words of a line are drawn together at their recorded places, so a long document shapes each different
// word once and hands the device one text item a line instead of one a word.
class PagePainter {
public:
    // dpi: the device's resolution (its logical dpi, which the fonts' point sizes follow too).
    PagePainter(QPainter &painter, double dpi);
    void paint(const PrintPage &page);

private:
    // A word shaped on the device: its glyphs and their places from the word's start on the baseline.
    struct Shaped {
        QRawFont font;
        QList<quint32> glyphs;
        QList<QPointF> positions;
        bool single = false; // shaped in one font; otherwise the word is drawn on its own
    };
    const QFont &fontOf(const PrintItem &item);
    const Shaped &shape(const QFont &font, quint64 fontKey, const QString &word);
    void drawRuns(const PrintItem &item);

    QPainter &m_painter;
    double m_dpi;
    double m_k; // device units per twip
    QHash<quint64, QFont> m_fonts;
    QHash<quint64, QHash<QString, Shaped>> m_words;
};

// Draws one page (see PagePainter).
void paint(QPainter &painter, const PrintPage &page, double dpi);

// Sets a printer or PDF writer up for the document's output sheet with no margins.
void preparePagedDevice(QPagedPaintDevice &device, const PrintPaper &paper);

enum class Painted {
    Done,
    NotOpened,  // the device could not be opened for painting (no printer, no file)
    PageFailed, // the device took the job but reported an error for a page
};

// Draws pages first..last (1-based) of the document, one device page each.
Painted paintRange(QPagedPaintDevice &device, const PrintDocument &doc, int first, int last, double dpi);

} // namespace PageRenderer
