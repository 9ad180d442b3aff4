#pragma once

#include "print/PrintPage.h"

class QPagedPaintDevice;
class QPainter;

// Draws recorded pages at their physical size: one twip of the record becomes 1/57 mm on the device,
// measured from the paper's top-left corner, with no printer margin added.
namespace PageRenderer {

// dpi: the device's resolution (its logical dpi, which the fonts' point sizes follow too).
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
