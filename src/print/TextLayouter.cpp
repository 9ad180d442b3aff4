#include "print/TextLayouter.h"

#include <QFontMetricsF>
#include <QImage>
#include <cmath>

namespace {

// Metrics are taken as if on a 1200 dpi device, where hinting no longer moves glyphs.
constexpr double kReferenceDpi = 1200.0;

const QImage &referenceDevice() {
    static const QImage device = [] {
        QImage image(1, 1, QImage::Format_Mono);
        const int dotsPerMeter = int(std::lround(kReferenceDpi / 0.0254));
        image.setDotsPerMeterX(dotsPerMeter);
        image.setDotsPerMeterY(dotsPerMeter);
        return image;
    }();
    return device;
}

enum class Horizontal { Left, Right, Center, Justify };

Horizontal horizontalOf(int align) {
    if (align >= 9 && align <= 11)
        return Horizontal::Justify;
    if (align >= 0 && align <= 8) {
        switch (align % 3) {
        case 1:
            return Horizontal::Right;
        case 2:
            return Horizontal::Center;
        default:
            return Horizontal::Left;
        }
    }
    return Horizontal::Left;
}

} // namespace

QFont TextLayouter::font(double pointSize, bool bold) {
    QFont f(family());
    f.setPointSizeF(pointSize);
    f.setBold(bold);
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setStyleStrategy(QFont::PreferOutline);
    return f;
}

TextLayouter::TextLayouter() = default;

TextLayouter::~TextLayouter() {
    qDeleteAll(m_faces);
}

void TextLayouter::setFont(double pointSize, bool bold) {
    if (pointSize != m_size || bold != m_bold)
        m_current = nullptr;
    m_size = pointSize;
    m_bold = bold;
}

TextLayouter::Face &TextLayouter::face() {
    if (m_current)
        return *m_current;
    const quint64 key = (quint64(std::llround(m_size * 1000)) << 1) | (m_bold ? 1 : 0);
    Face *&f = m_faces[key];
    if (!f) {
        f = new Face;
        f->metrics = std::make_unique<QFontMetricsF>(font(m_size, m_bold), &referenceDevice());
        f->scale = kTwipsPerMm * 25.4 / kReferenceDpi;
        f->space = f->metrics->horizontalAdvance(QLatin1Char(' ')) * f->scale;
    }
    m_current = f;
    return *f;
}

double TextLayouter::Face::width(const QString &text) {
    auto it = widths.constFind(text);
    if (it != widths.constEnd())
        return *it;
    const double w = metrics->horizontalAdvance(text) * scale;
    if (widths.size() < 20000)
        widths.insert(text, w);
    return w;
}

double TextLayouter::textWidth(const QString &text) {
    return face().width(text);
}

double TextLayouter::ascent() {
    Face &f = face();
    return f.metrics->ascent() * f.scale;
}

double TextLayouter::lineHeight() {
    Face &f = face();
    return f.metrics->lineSpacing() * f.scale;
}

TextLayouter::Result TextLayouter::layout(const QString &text, double width, int align, bool measureOnly) {
    Flow f = flow(width, align, measureOnly);
    f.add(text);
    return f.finish();
}

TextLayouter::Flow TextLayouter::flow(double width, int align, bool measureOnly) {
    return Flow(face(), width, align, measureOnly);
}

TextLayouter::Flow::Flow(Face &face, double width, int align, bool measureOnly)
    : m_face(&face), m_width(width), m_align(align), m_measureOnly(measureOnly) {}

void TextLayouter::Flow::add(QStringView text) {
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n) {
        const QChar c = text.at(i);
        if (c == QLatin1Char(' ')) {
            takePending();
            m_afterCr = false;
            ++i;
        } else if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            takePending();
            if (!(c == QLatin1Char('\n') && m_afterCr))
                flushLine(true);
            m_afterCr = c == QLatin1Char('\r');
            ++i;
        } else {
            qsizetype j = i + 1;
            while (j < n && text.at(j) != QLatin1Char(' ') && text.at(j) != QLatin1Char('\r') &&
                   text.at(j) != QLatin1Char('\n'))
                ++j;
            m_pending += text.mid(i, j - i);
            m_afterCr = false;
            i = j;
        }
    }
}

TextLayouter::Result TextLayouter::Flow::finish() {
    takePending();
    flushLine(true);
    m_result.height = m_lineNo * m_face->metrics->lineSpacing() * m_face->scale;
    return m_result;
}

void TextLayouter::Flow::takePending() {
    if (m_pending.isEmpty())
        return;
    placeWord(m_pending);
    m_pending.clear();
}

void TextLayouter::Flow::append(const QString &word, double width) {
    if (!m_measureOnly)
        m_line.append({word, width});
    ++m_lineWords;
}

void TextLayouter::Flow::placeWord(QString word) {
    double w = m_face->width(word);
    // A word wider than the whole box is broken between letters.
    while (w > m_width && word.size() > 1) {
        if (m_lineWords > 0)
            flushLine(false);
        int fit = 1;
        while (fit < word.size() && m_face->width(word.left(fit + 1)) <= m_width)
            ++fit;
        const double head = m_face->width(word.left(fit));
        append(word.left(fit), head);
        m_lineWidth = head;
        flushLine(false);
        word = word.mid(fit);
        w = m_face->width(word);
    }
    const double needed = m_lineWords == 0 ? w : m_lineWidth + m_face->space + w;
    if (m_lineWords > 0 && needed > m_width) {
        flushLine(false);
        append(word, w);
        m_lineWidth = w;
    } else {
        append(word, w);
        m_lineWidth = needed;
    }
}

void TextLayouter::Flow::flushLine(bool lastOfParagraph) {
    if (!m_measureOnly && !m_line.isEmpty()) {
        const double lineH = m_face->metrics->lineSpacing() * m_face->scale;
        const double baseline = m_lineNo * lineH + m_face->metrics->ascent() * m_face->scale;
        const Horizontal horizontal = horizontalOf(m_align);
        double x = 0;
        double gap = m_face->space;
        const double free = m_width - m_lineWidth;
        if (horizontal == Horizontal::Right)
            x = free;
        else if (horizontal == Horizontal::Center)
            x = free / 2;
        else if (horizontal == Horizontal::Justify && !lastOfParagraph && m_line.size() > 1 && free > 0)
            gap += free / (m_line.size() - 1);
        for (const Word &w : std::as_const(m_line)) {
            m_result.runs.append({w.text, x, baseline});
            x += w.width + gap;
        }
    }
    m_line.clear();
    m_lineWords = 0;
    m_lineWidth = 0;
    ++m_lineNo;
}
