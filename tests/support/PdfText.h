#pragma once

#include <QList>
#include <QSizeF>
#include <QString>

// Reads a PDF with poppler's own tools (pdftotext -bbox, pdfinfo), independently of the code that wrote
// it: the words of each page with their boxes in millimetres from the page's top-left corner.
struct PdfWord {
    int page = 0; // 1-based
    QString text;
    double xMin = 0, yMin = 0, xMax = 0, yMax = 0; // mm
};

struct PdfText {
    QList<PdfWord> words;
    QList<QSizeF> pageSizesMm;
    bool ok = false;

    static PdfText read(const QString &path);
    // The first word with this text on a page (0: any page), or nullptr.
    const PdfWord *find(const QString &text, int page = 0) const;
};
