#include "print/TextLayouter.h"

#include <QFontMetricsF>
#include <QImage>
#include <QRegularExpression>
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

double TextLayouter::textWidth(const QString &text) {
    Face &f = face();
    auto it = f.widths.constFind(text);
    if (it != f.widths.constEnd())
        return *it;
    const double w = f.metrics->horizontalAdvance(text) * f.scale;
    if (f.widths.size() < 20000)
        f.widths.insert(text, w);
    return w;
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
    Face &f = face();
    const double lineH = f.metrics->lineSpacing() * f.scale;
    const double asc = f.metrics->ascent() * f.scale;
    const Horizontal horizontal = horizontalOf(align);
    Result result;
    int lineNo = 0;

    struct Word {
        QString text;
        double width;
    };
    QList<Word> line;
    double lineWidth = 0; // words plus single blanks between them

    auto flushLine = [&](bool lastOfParagraph) {
        if (!measureOnly && !line.isEmpty()) {
            const double baseline = lineNo * lineH + asc;
            double x = 0;
            double gap = f.space;
            const double free = width - lineWidth;
            if (horizontal == Horizontal::Right)
                x = free;
            else if (horizontal == Horizontal::Center)
                x = free / 2;
            else if (horizontal == Horizontal::Justify && !lastOfParagraph && line.size() > 1 && free > 0)
                gap += free / (line.size() - 1);
            for (const Word &w : std::as_const(line)) {
                result.runs.append({w.text, x, baseline});
                x += w.width + gap;
            }
        }
        line.clear();
        lineWidth = 0;
        ++lineNo;
    };

    static const QRegularExpression breaks(QStringLiteral("\r\n|\r|\n"));
    const QStringList paragraphs = text.split(breaks);
    for (const QString &paragraph : paragraphs) {
        const QStringList words = paragraph.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        for (QString word : words) {
            double w = textWidth(word);
            // A word wider than the whole box is broken between letters.
            while (w > width && word.size() > 1) {
                if (!line.isEmpty())
                    flushLine(false);
                int fit = 1;
                while (fit < word.size() && textWidth(word.left(fit + 1)) <= width)
                    ++fit;
                line.append({word.left(fit), textWidth(word.left(fit))});
                lineWidth = line.last().width;
                flushLine(false);
                word = word.mid(fit);
                w = textWidth(word);
            }
            const double needed = line.isEmpty() ? w : lineWidth + f.space + w;
            if (!line.isEmpty() && needed > width) {
                flushLine(false);
                line.append({word, w});
                lineWidth = w;
            } else {
                line.append({word, w});
                lineWidth = needed;
            }
        }
        flushLine(true);
    }
    result.height = lineNo * lineH;
    return result;
}
