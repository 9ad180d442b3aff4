#include "print/PrintControl.h"

#include "data/WriteTarget.h"
#include "print/PageRenderer.h"
#include "ui/DialogService.h"

#include <QFileInfo>
#include <QPdfWriter>
#include <limits>

int toTwips(int millimetres) {
    const qint64 twips = qint64(millimetres) * qint64(kTwipsPerMm);
    if (twips < std::numeric_limits<qint16>::min() || twips > std::numeric_limits<qint16>::max())
        throw PrintError(
            QStringLiteral("Túlcsordulás: %1 mm nem fér el a nyomtatási méretek között.").arg(millimetres));
    return int(twips);
}

PrintControl::PrintControl(QObject *parent) : QObject(parent) {}

PrintControl::~PrintControl() = default;

void PrintControl::setOrientation(int orientation) {
    m_nextPaper.orientation = orientation == 1 ? 1 : 0;
}

void PrintControl::setPaperSize(int code) {
    m_nextPaper.code = code == 1 ? 1 : 9;
}

void PrintControl::startDoc() {
    m_doc = PrintDocument();
    m_doc.paper = m_nextPaper;
    m_doc.pages.append(PrintPage());
    m_composing = true;
    m_x = m_y = 0;
    m_fontSize = kDefaultFontSize;
    m_bold = false;
    m_align = 0;
    syncFont();
}

void PrintControl::endDoc() {
    m_composing = false;
    emit documentChanged();
}

void PrintControl::newPage() {
    m_doc.pages.append(PrintPage());
    m_x = m_y = 0;
}

PrintPage &PrintControl::currentPage() {
    if (m_doc.pages.isEmpty())
        m_doc.pages.append(PrintPage());
    return m_doc.pages.last();
}

void PrintControl::syncFont() {
    m_layouter.setFont(m_fontSize, m_bold);
}

void PrintControl::setFontSize(double points) {
    m_fontSize = qMax(1.0, points);
    syncFont();
}

void PrintControl::setFontBold(bool bold) {
    m_bold = bold;
    syncFont();
}

void PrintControl::setTextAlign(int align) {
    m_align = (align >= 0 && align <= 11) ? align : 0;
}

void PrintControl::text(const QString &text) {
    PrintItem item;
    item.kind = PrintItem::Kind::Text;
    item.text = text;
    item.left = m_x;
    item.top = m_y;
    item.width = m_layouter.textWidth(text);
    item.height = m_layouter.lineHeight();
    item.fontSize = m_fontSize;
    item.bold = m_bold;
    item.align = m_align;
    item.runs.append({text, m_x, m_y + m_layouter.ascent()});
    currentPage().items.append(item);
    m_x += item.width;
}

void PrintControl::drawLine(double x1, double y1, double x2, double y2) {
    PrintItem item;
    item.kind = PrintItem::Kind::Line;
    item.left = x1;
    item.top = y1;
    item.x2 = x2;
    item.y2 = y2;
    currentPage().items.append(item);
}

void PrintControl::textBox(const QString &text, double left, double top, double width, double height,
                           bool wrap, bool calcOnly) {
    // Without wrapping the box is as wide as the longest line may need.
    const double layoutWidth = wrap ? width : std::numeric_limits<double>::max() / 4;
    TextLayouter::Result laid = m_layouter.layout(text, layoutWidth, m_align, calcOnly);
    m_textHeight = laid.height;
    if (calcOnly)
        return;
    PrintItem item;
    item.kind = PrintItem::Kind::Box;
    item.text = text;
    item.left = left;
    item.top = top;
    item.width = width;
    item.height = height;
    item.fontSize = m_fontSize;
    item.bold = m_bold;
    item.align = m_align;
    item.textHeight = laid.height;
    // Vertical placement: top, middle or bottom of the box; text taller than the box starts at its top.
    const int vertical = m_align >= 9 ? m_align - 9 : m_align / 3;
    double dy = 0;
    if (laid.height < height) {
        if (vertical == 1)
            dy = (height - laid.height) / 2;
        else if (vertical == 2)
            dy = height - laid.height;
    }
    for (PrintRun &run : laid.runs) {
        run.x += left;
        run.baseline += top + dy;
    }
    item.runs = std::move(laid.runs);
    currentPage().items.append(item);
}

double PrintControl::textWidth(const QString &text) {
    return m_layouter.textWidth(text);
}

QPrinter &PrintControl::printer() {
    if (!m_printer) {
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        m_printer->setFullPage(true);
        PageRenderer::preparePagedDevice(*m_printer, m_doc.paper);
    }
    return *m_printer;
}

bool PrintControl::printDialog(QWidget *parent, bool oneWholeCopy) {
    QPrinter &p = printer();
    PageRenderer::preparePagedDevice(p, m_doc.paper);
    const auto wholeOnce = [&p] {
        p.setCopyCount(1);
        p.setCollateCopies(false);
        p.setPrintRange(QPrinter::AllPages);
        p.setPageRanges(QPageRanges());
    };
    if (oneWholeCopy)
        wholeOnce();
    p.setFromTo(1, qMax(1, pageCount()));
    const bool confirmed = dialogs().printDialog(parent, &p, oneWholeCopy);
    if (oneWholeCopy)
        wholeOnce();
    return confirmed;
}

void PrintControl::checkRange(int first, int last) const {
    if (first < 1 || last < first || last > pageCount())
        throw PrintError(QStringLiteral("A kért oldal (%1-%2.) nincs a dokumentumban, amely %3 oldalas.")
                             .arg(first)
                             .arg(last)
                             .arg(pageCount()));
}

bool PrintControl::printDoc() {
    return printDoc(false, 1, pageCount());
}

bool PrintControl::printDoc(bool showDialog, int first, int last, QWidget *parent) {
    checkRange(first, last);
    if (showDialog && !printDialog(parent))
        return false;
    // The print dialog can send the pages to a PDF file instead of a printer.
    if (m_printer && !m_printer->outputFileName().isEmpty())
        WriteTarget::check(m_printer->outputFileName());
    if (m_output)
        return m_output(m_doc, first, last);
    QPrinter &p = printer();
    p.setFullPage(true);
    // The sheet and orientation of this document, whatever the printer was left with; no scaling.
    PageRenderer::preparePagedDevice(p, m_doc.paper);
    switch (PageRenderer::paintRange(p, m_doc, first, last, p.resolution())) {
    case PageRenderer::Painted::Done:
        return true;
    case PageRenderer::Painted::PageFailed:
        return false;
    case PageRenderer::Painted::NotOpened:
        break;
    }
    throw PrintError(QStringLiteral("A nyomtató nem érhető el: %1").arg(p.printerName()));
}

void PrintControl::writePdf(const QString &path, int first, int last) const {
    if (pageCount() == 0)
        throw PrintError(QStringLiteral("Nincs kinyomtatható oldal."));
    if (first == 0 && last == 0) {
        first = 1;
        last = pageCount();
    }
    checkRange(first, last);
    WriteTarget::check(path);
    QPdfWriter writer(path);
    constexpr int dpi = 1200;
    writer.setResolution(dpi);
    writer.setCreator(QStringLiteral("Lorvanto"));
    PageRenderer::preparePagedDevice(writer, m_doc.paper);
    if (PageRenderer::paintRange(writer, m_doc, first, last, dpi) != PageRenderer::Painted::Done ||
        !QFileInfo(path).isFile())
        throw PrintError(QStringLiteral("A PDF fájl nem írható: %1").arg(path));
}

void PrintControl::setZoomMode(int mode) {
    // Set after every composed document, whose end has redrawn the previews already: only a new mode
    // redraws them again.
    if (mode == m_zoomMode)
        return;
    m_zoomMode = mode;
    emit documentChanged();
}
