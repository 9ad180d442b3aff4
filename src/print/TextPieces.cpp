#include "print/TextPieces.h"

#include "print/PrintControl.h"

namespace TextPieces {

QStringList build(const PrintData &data, const PrintOptions &options, bool withClauses) {
    QStringList pieces;
    // The names of the previous printed part; a part without text is not printed and so changes nothing.
    QString previousSubject;
    QString previousCompetency;
    bool first = true;
    const QString colon = QStringLiteral(": ");
    for (const PrintData::Part &part : data.parts) {
        if (part.text.isEmpty())
            continue;
        // Competency names hang under their subject's heading: without headings no name is printed.
        if (!options.subjectNames) {
            pieces.append(part.text + kBreak);
            continue;
        }
        QString piece;
        if (first || part.subject != previousSubject) {
            piece += kBreak + part.subject + colon + kBreak;
            // A competency of the same name under another subject is a different one: name it again.
            previousCompetency.clear();
        }
        if (options.competencyNames) {
            if (!part.competency.isEmpty() && part.competency != previousCompetency)
                piece += part.competency + colon;
            if (!part.subCompetency.isEmpty())
                piece += part.subCompetency + colon;
        }
        piece += part.text + QLatin1Char(' ');
        pieces.append(piece);
        previousSubject = part.subject;
        previousCompetency = part.competency;
        first = false;
    }
    if (withClauses)
        for (const QString &clause : data.clauses)
            pieces.append(kBreak + clause);
    return pieces;
}

QStringList fillPages(PrintControl &pc, const QStringList &pieces, double width,
                      const FillHeight &fillHeight) {
    static const QString end = QStringLiteral("}");
    QStringList pages;
    QString page;
    // The page so far, laid out once: each piece is tried on a copy of it and kept when it fits.
    TextLayouter::Flow flow = pc.measuringFlow(width);
    for (const QString &piece : pieces) {
        if (!page.isEmpty()) {
            TextLayouter::Flow withPiece = flow;
            withPiece.add(piece);
            TextLayouter::Flow withEnd = withPiece;
            withEnd.add(end);
            if (withEnd.finish().height <= fillHeight(int(pages.size()) + 1)) {
                page += piece;
                flow = withPiece;
                continue;
            }
            pages.append(page);
            page.clear();
            flow = pc.measuringFlow(width);
        }
        page += piece;
        flow.add(piece);
    }
    if (!page.isEmpty())
        pages.append(page);
    return pages;
}

double landscapeFill(int page) {
    return toTwips(page == 3 ? 170 - 30 : 170);
}

double certificateA4Fill(int page) {
    return toTwips(page == 1 ? 247 - 100 : 247);
}

double registerFill(int page) {
    return toTwips(page == 1 ? 247 - 185 : 247);
}

} // namespace TextPieces
