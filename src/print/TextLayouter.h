#pragma once

#include "print/PrintPage.h"

#include <QFont>
#include <QHash>
#include <QString>
#include <QStringView>
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

private:
    struct Face;

public:
    // Text laid out as it is given, piece after piece, each piece once: a piece continues where the text
    // before it stopped, and a word may run on from one piece into the next. So a page can be filled piece
    // by piece without laying out what is on it again. Copying a flow is cheap when it only measures; a
    // copy goes on from the same point on its own, which is how a piece is tried before it is kept.
    class Flow {
    public:
        void add(QStringView text);
        // Places the last word and closes the last line; what has been added is then laid out whole.
        Result finish();

    private:
        friend class TextLayouter;
        Flow(Face &face, double width, int align, bool measureOnly);
        void takePending();
        void placeWord(QString word);
        void append(const QString &word, double width);
        void flushLine(bool lastOfParagraph);

        struct Word {
            QString text;
            double width;
        };
        Face *m_face;
        double m_width;
        int m_align;
        bool m_measureOnly;
        int m_lineNo = 0;
        int m_lineWords = 0;
        double m_lineWidth = 0; // words plus single blanks between them
        QList<Word> m_line;     // the words of the open line, kept only when drawing
        QString m_pending;      // the word being read, not placed yet
        bool m_afterCr = false; // a CR was read last: an LF right after it ends no second line
        Result m_result;
    };

    // Wraps text into a box width; line breaks (CR, LF or CR LF) start new lines, a word wider than the
    // box is broken between letters. align: the control's alignment codes (horizontal part).
    Result layout(const QString &text, double width, int align, bool measureOnly);
    // A flow in the current font into a box width, laid out as layout() lays out the whole text.
    Flow flow(double width, int align, bool measureOnly);

private:
    struct Face {
        std::unique_ptr<QFontMetricsF> metrics;
        double scale = 1; // twips per metrics unit
        QHash<QString, double> widths;
        double space = 0;
        double width(const QString &text);
    };
    Face &face();

    double m_size = 11.25;
    bool m_bold = false;
    QHash<quint64, Face *> m_faces;
    Face *m_current = nullptr;
};
