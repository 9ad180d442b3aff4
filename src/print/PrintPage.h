#pragma once

#include <QList>
#include <QRectF>
#include <QString>

// The pages composed by PrintControl, recorded once: the preview, the printer and the PDF writer all draw
// from this record, and tests read it. Lengths are in the control's twips (57 to the millimetre).

constexpr double kTwipsPerMm = 57.0;

inline double twipsToMm(double twips) {
    return twips / kTwipsPerMm;
}

// One word (or a whole text output) placed on the page: left edge and baseline.
struct PrintRun {
    QString text;
    double x = 0;
    double baseline = 0;
};

struct PrintItem {
    enum class Kind { Text, Line, Box };
    Kind kind = Kind::Text;
    // Text output: the string; text box: the whole box text as given.
    QString text;
    // Text output: the top-left corner where it started, width and height of its line.
    // Text box: the box as given. Line: from the top-left to the bottom-right corner as given (x1, y1, x2, y2
    // in left, top, right, bottom, which need not be ordered).
    double left = 0, top = 0, width = 0, height = 0;
    double x2 = 0, y2 = 0;
    double fontSize = 0;
    bool bold = false;
    int align = 0;
    // Text box: the height its laid-out text needs; it may exceed the box (the text then runs past it).
    double textHeight = 0;
    QList<PrintRun> runs;

    double leftMm() const { return twipsToMm(left); }
    double topMm() const { return twipsToMm(top); }
    double widthMm() const { return twipsToMm(width); }
    double heightMm() const { return twipsToMm(height); }
    // The lines of a text box as laid out, words joined with one blank.
    QStringList lines() const;
};

struct PrintPage {
    QList<PrintItem> items;

    QList<const PrintItem *> texts() const { return ofKind(PrintItem::Kind::Text); }
    QList<const PrintItem *> lines() const { return ofKind(PrintItem::Kind::Line); }
    QList<const PrintItem *> boxes() const { return ofKind(PrintItem::Kind::Box); }
    // The first text output with exactly this string, or nullptr.
    const PrintItem *findText(const QString &text) const;
    // Every text output and text box text of the page, in order, for looking a word up.
    QString allText() const;

private:
    QList<const PrintItem *> ofKind(PrintItem::Kind kind) const;
};

// Paper of a composed document, from the Windows paper code and orientation the layouts ask for.
struct PrintPaper {
    int code = 9;        // 9 A4, 1 Letter
    int orientation = 0; // 0 portrait, 1 landscape
    // The size in millimetres the pages are composed on.
    QSizeF composedMm() const;
    // The sheet the pages go out on (printer and PDF): always A4 in the same orientation. A Letter page is
    // laid on it unscaled from the top-left corner; everything our layouts put on a Letter page lies inside
    // the part both sizes share (279.4 x 210 mm), so nothing is lost and nothing is shrunk to fit.
    QSizeF outputMm() const;
};

struct PrintDocument {
    PrintPaper paper;
    QList<PrintPage> pages;
};
