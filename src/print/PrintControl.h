#pragma once

#include "print/PrintPage.h"
#include "print/TextLayouter.h"

#include <QObject>
#include <QPrinter>
#include <functional>
#include <memory>
#include <stdexcept>

class QWidget;

// A failure of composing or printing, with a Hungarian message for the user.
class PrintError : public std::runtime_error {
public:
    explicit PrintError(const QString &message)
        : std::runtime_error(message.toStdString()), m_message(message) {}
    QString message() const { return m_message; }

private:
    QString m_message;
};

// Whole millimetres to the print control's twips (57 to the millimetre). The control works in 16-bit
// lengths: a result outside -32768..32767 is an overflow error.
int toTwips(int millimetres);

// The print control the layouts compose into: absolute positions in twips from the top-left corner of the
// paper, fonts, word-wrapping text boxes with a measuring mode, a multi-page document recorded once, shown in
// a preview and sent whole or by page range to a printer or a PDF file.
//
// The control's twip is 1/57 mm (not the typographic 1/1440 inch, which is 1/56.7 mm), so a position given
// in millimetres through toTwips lands at exactly that many millimetres on paper; with the typographic twip
// an item near the right edge of a landscape page would sit 1.3 mm off its place on the form.
class PrintControl : public QObject {
    Q_OBJECT
public:
    explicit PrintControl(QObject *parent = nullptr);
    ~PrintControl() override;

    // Design-time font.
    static constexpr double kDefaultFontSize = 11.25;

    // 0 portrait, 1 landscape; applies to the next document.
    void setOrientation(int orientation);
    int orientation() const { return m_nextPaper.orientation; }
    // Windows paper code: 9 A4, 1 Letter; applies to the next document.
    void setPaperSize(int code);
    int paperSize() const { return m_nextPaper.code; }
    // Margins are kept for the callers that set them; positions are never offset by them.
    void setMarginLeft(int twips) { m_margins[0] = twips; }
    void setMarginRight(int twips) { m_margins[1] = twips; }
    void setMarginTop(int twips) { m_margins[2] = twips; }
    void setMarginBottom(int twips) { m_margins[3] = twips; }
    int marginLeft() const { return m_margins[0]; }
    int marginRight() const { return m_margins[1]; }
    int marginTop() const { return m_margins[2]; }
    int marginBottom() const { return m_margins[3]; }

    // Everything composed between them forms the document; startDoc drops the previous one and restores the
    // design-time font, bold off and alignment 0.
    void startDoc();
    void endDoc();
    bool composing() const { return m_composing; }
    void newPage();

    double currentX() const { return m_x; }
    double currentY() const { return m_y; }
    void setCurrentX(double twips) { m_x = twips; }
    void setCurrentY(double twips) { m_y = twips; }

    // Prints at the current position (its top-left corner) in the current font; the current X moves on by
    // the text's width, so consecutive outputs continue one another.
    void text(const QString &text);

    double fontSize() const { return m_fontSize; }
    // Fractional sizes are kept as given; below 1 point is raised to 1.
    void setFontSize(double points);
    bool fontBold() const { return m_bold; }
    void setFontBold(bool bold);

    // 0 left top, 1 right top, 2 centre top, 3..5 the same in the middle, 6..8 at the bottom,
    // 9 justified top, 10 justified middle, 11 justified bottom. Text boxes follow it.
    int textAlign() const { return m_align; }
    void setTextAlign(int align);

    void drawLine(double x1, double y1, double x2, double y2);

    // Text wrapped inside the box; line breaks in the text start new lines; text that needs more height than
    // the box runs on past its bottom. With calcOnly nothing is drawn and textHeight() reports the height the
    // text needs.
    void textBox(const QString &text, double left, double top, double width, double height, bool wrap = true,
                 bool calcOnly = false);
    // Measures text given piece by piece in a box of this width, in the current font and alignment, as
    // textBox() with calcOnly measures the whole text.
    TextLayouter::Flow measuringFlow(double width) { return m_layouter.flow(width, m_align, true); }
    double textHeight() const { return m_textHeight; }
    double textWidth(const QString &text);

    int pageCount() const { return int(m_doc.pages.size()); }
    const PrintDocument &document() const { return m_doc; }
    const PrintPage &page(int number) const { return m_doc.pages.at(number - 1); }

    // The printer the control prints on: A4 unless the user chose otherwise in the print dialog.
    QPrinter &printer();
    // The print dialog through the dialog service; true when the user confirmed the printer. For numbered
    // forms (oneWholeCopy) the dialog offers no copies and no page range, and the printer is left at one copy
    // of every page whatever it held before: a second copy would spend a second numbered form.
    bool printDialog(QWidget *parent, bool oneWholeCopy = false);
    // Prints every page, or the pages first..last (1-based), on the chosen printer (after the print dialog
    // when asked). True when the pages went out; false when the dialog was cancelled or the printer reported
    // an error for the pages. A range not wholly inside the document prints nothing and throws PrintError:
    // on a numbered form another page than the one asked for is a wrong sheet. A printer that cannot be
    // reached throws PrintError too; a PDF file chosen in the dialog over the database throws DbError.
    bool printDoc();
    bool printDoc(bool showDialog, int first, int last, QWidget *parent = nullptr);
    // Writes pages first..last (all when both are 0) to a PDF file; throws PrintError when the file cannot be
    // written or the range is not wholly inside the document, DbError when path is the database or its
    // journal.
    void writePdf(const QString &path, int first = 0, int last = 0) const;

    // Where printed pages go instead of the printer: gives false when the pages failed, throws PrintError
    // when the device cannot be reached. The print window's tests record the pages with it.
    using Output = std::function<bool(const PrintDocument &doc, int first, int last)>;
    void setOutput(Output output) { m_output = std::move(output); }

    // The preview's zoom mode, kept for the preview widgets: 3 fits the whole page. A change redraws them.
    int zoomMode() const { return m_zoomMode; }
    void setZoomMode(int mode);

signals:
    // A document has been ended or the zoom changed: previews redraw.
    void documentChanged();

private:
    PrintPage &currentPage();
    void syncFont();
    void checkRange(int first, int last) const;

    PrintPaper m_nextPaper;
    int m_margins[4] = {0, 0, 0, 0};
    PrintDocument m_doc;
    bool m_composing = false;
    double m_x = 0, m_y = 0;
    double m_fontSize = kDefaultFontSize;
    bool m_bold = false;
    int m_align = 0;
    double m_textHeight = 0;
    int m_zoomMode = 3;
    TextLayouter m_layouter;
    std::unique_ptr<QPrinter> m_printer;
    Output m_output;
};
