#include "print/BookletImposition.h"

namespace BookletImposition {

int sheetCount(int textPages) {
    if (textPages <= 3)
        return 1;
    return (textPages + 2 + 3) / 4;
}

QList<Side> sides(int textPages) {
    const int sheets = sheetCount(textPages);
    const int panels = 4 * sheets;
    // Panel p (2 ..) is text page p - 1 when there is one; three pages on one sheet use the back cover too.
    auto textOf = [&](int panel) {
        if (panel == 1)
            return 0;
        if (panel == panels && textPages > 3)
            return 0;
        const int page = panel - 1;
        return page <= textPages ? page : 0;
    };
    QList<Side> out;
    for (int i = 0; i < sheets; ++i) {
        Side front;
        front.front = true;
        front.cover = i == 0;
        front.left = textOf(panels - 2 * i);
        front.right = i == 0 ? 0 : textOf(2 * i + 1);
        Side back;
        back.left = textOf(2 * i + 2);
        back.right = textOf(panels - 2 * i - 1);
        out.append(front);
        out.append(back);
    }
    return out;
}

} // namespace BookletImposition
