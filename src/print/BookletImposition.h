#pragma once

#include <QList>

// Where the text pages of the landscape certificate go on the folded sheets. Each sheet is folded once into
// four half-page panels; the sheets are nested into one booklet. Panel 1 is the cover (the right half of
// the first sheet's front), panels 2, 3, ... are the text pages in reading order, the last panel is the
// back cover (the left half of the first sheet's front).
//
// One sheet holds up to three text pages: 1 and 2 inside, 3 on the back cover, above the date line. Four
// or more need S = ceil((N + 2) / 4) nested sheets with the back cover left empty; sheet i (outermost 0)
// carries panels (4S - 2i | 2i + 1) on its front and (2i + 2 | 4S - 2i - 1) on its back, so that text
// page 1 opens the first inside page on the left and the folded, nested sheets read in order.
namespace BookletImposition {

struct Side {
    bool front = false; // the front of a sheet (odd document page)
    bool cover = false; // carries the certificate's front page on its right half
    int left = 0;       // text page on the left half, 0 for none
    int right = 0;      // text page on the right half, 0 for none
};

int sheetCount(int textPages);
// The document's pages in print order: front and back of sheet 1, then of sheet 2, ...
QList<Side> sides(int textPages);

} // namespace BookletImposition
