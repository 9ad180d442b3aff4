#pragma once

#include "print/PrintData.h"
#include "print/PrintOptions.h"

#include <QStringList>
#include <functional>

class PrintControl;

// The evaluation text of a rating cut into pieces, and the pieces poured page by page into the fixed text
// boxes of a document. No widgets: the measuring is done by the print control in its measuring mode.
namespace TextPieces {

// A line break inside a piece.
inline const QString kBreak = QStringLiteral("\r\n");

// One piece per rating part with text, in the order read. Without subject names a piece is the text on a
// line of its own; with them the first part of a subject opens with the subject's heading line and, with
// competency names too, each piece is led by its competency (when it changes) and sub-competency names.
// withClauses: the clauses follow, each on a new line (the register sheet prints them, the certificate not).
QStringList build(const PrintData &data, const PrintOptions &options, bool withClauses);

// The fill height of each page (1-based page number), in twips.
using FillHeight = std::function<double(int page)>;

// Pours pieces, whole, into pages of the given width: a piece goes on the page when the page's text so far,
// the piece and a "}" measured in a box of that width need no more than the page's fill height; otherwise it
// starts the next page. A piece taller than a whole page stands alone on its page (and runs past the box).
// Measures in the control's current font.
QStringList fillPages(PrintControl &pc, const QStringList &pieces, double width,
                      const FillHeight &fillHeight);

// The fill heights of the documents, in twips.
double landscapeFill(int page);     // 170 mm; the third page 140 mm, above the front page's date line
double certificateA4Fill(int page); // 147 mm under the header, then 247 mm
double registerFill(int page);      // 62 mm under the personal data, then 247 mm

} // namespace TextPieces
