#include "rating/FillCounter.h"

#include "print/DocumentLayout.h"
#include "print/PrintChoices.h"
#include "print/PrintControl.h"
#include "print/SheetRecords.h"
#include "print/TextPieces.h"

#include <QLabel>
#include <cmath>

namespace {

// The width of the landscape certificate's text areas.
constexpr int kTextAreaWidthMm = 115;

// The Hungarian article of a number: "az" where the number is read with a vowel first (1, 5, 50, 1000 ...).
QString article(int n) {
    const QString digits = QString::number(n);
    const bool vowel = digits.startsWith(QLatin1Char('5')) ||
                       (digits.startsWith(QLatin1Char('1')) &&
                        (digits.size() == 1 || digits.size() == 4 || digits.size() == 7));
    return vowel ? QStringLiteral("az") : QStringLiteral("a");
}

} // namespace

FillCounter::Result FillCounter::count(PrintControl &pc, const QList<RatingOutline::Part> &parts,
                                       const PrintOptions &options) {
    PrintData data;
    data.parts.reserve(parts.size());
    for (const RatingOutline::Part &p : parts)
        data.parts.append({p.eszId, p.text, p.subCompetency, p.competency, p.subject});
    PrintOptions landscape = options;
    landscape.document = PrintOptions::Document::Certificate;
    landscape.official = false;
    landscape.reprint = false;

    DocumentLayout layout(pc, std::move(data), landscape);
    Result r;
    r.pages = layout.compose();
    r.sheets = (r.pages + 1) / 2;
    const QStringList &pages = layout.textPages();
    r.textPages = int(pages.size());
    if (r.textPages > 0) {
        // Measured as the pages were filled: in the document's starting font, in a text area's width.
        pc.setFontSize(PrintControl::kDefaultFontSize);
        pc.setFontBold(false);
        pc.setTextAlign(0);
        pc.textBox(pages.last(), 0, 0, toTwips(kTextAreaWidthMm), 0, true, true);
        r.lastPercent = int(std::lround(100.0 * pc.textHeight() / TextPieces::landscapeFill(r.textPages)));
    }
    return r;
}

QString FillCounter::describe(const Result &r) {
    if (r.textPages == 0)
        return QStringLiteral("Bizonyítvány: %1 pótlap, szöveg nélkül").arg(r.sheets);
    return QStringLiteral("Bizonyítvány: %1 pótlap (%2 %3. oldal %4%-a)")
        .arg(r.sheets)
        .arg(article(r.textPages))
        .arg(r.textPages)
        .arg(r.lastPercent);
}

FillCounter::FillCounter(QLabel *label, std::function<QList<RatingOutline::Part>()> parts,
                         const PrintChoices &choices, QObject *parent)
    : QObject(parent), m_label(label), m_choices(choices), m_parts(std::move(parts)) {
    m_timer.setSingleShot(true);
    m_timer.setInterval(kDelayMs);
    connect(&m_timer, &QTimer::timeout, this, &FillCounter::countNow);
    connect(&choices, &PrintChoices::changed, this, &FillCounter::schedule);
}

void FillCounter::schedule() {
    m_timer.start();
}

void FillCounter::countNow() {
    m_timer.stop();
    PrintOptions options = m_choices.options();
    if (m_printedNames >= 0)
        SheetRecords::applyNames(m_printedNames, options);
    m_label->setText(describe(count(m_pc, m_parts(), options)));
}

void FillCounter::clear() {
    m_timer.stop();
    m_label->clear();
}
