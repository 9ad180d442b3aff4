#pragma once

#include "print/PrintPage.h"

#include <QFont>
#include <QHash>
#include <QString>
#include <memory>

class QFontMetricsF;

// Lays text out in the print font independently of any screen or printer: widths come from the font's
// unhinted outlines at a fixed high resolution, so the measuring mode, the preview, the printer and the PDF
// all break lines at the same words. Results are in twips.
class TextLayouter {
public:
    // The font family of every printed document. On Linux fontconfig maps it to Liberation Sans, which has
    // Arial's metrics.
    static QString family() { return QStringLiteral("Arial"); }
    // A print font of a point size.
    static QFont font(double pointSize, bool bold);

    TextLayouter();
    ~TextLayouter();

    void setFont(double pointSize, bool bold);
    double textWidth(const QString &text);
    double ascent();
    double lineHeight();

    struct Result {
        QList<PrintRun> runs; // relative to the box's top-left corner
        double height = 0;    // the height all lines need
    };
    // Wraps text into a box width; line breaks (CR, LF or CR LF) start new lines, a word wider than the
    // box is broken between letters. align: the control's alignment codes (horizontal part).
    Result layout(const QString &text, double width, int align, bool measureOnly);

private:
    struct Face {
        std::unique_ptr<QFontMetricsF> metrics;
        double scale = 1; // twips per metrics unit
        QHash<QString, double> widths;
        double space = 0;
    };
    Face &face();

    double m_size = 11.25;
    bool m_bold = false;
    QHash<quint64, Face *> m_faces;
    Face *m_current = nullptr;
};
