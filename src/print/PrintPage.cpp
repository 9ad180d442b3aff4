#include "print/PrintPage.h"

#include <QSizeF>

QStringList PrintItem::lines() const {
    QStringList out;
    double lastBaseline = -1;
    for (const PrintRun &run : runs) {
        if (out.isEmpty() || run.baseline != lastBaseline)
            out.append(run.text);
        else
            out.last() += QLatin1Char(' ') + run.text;
        lastBaseline = run.baseline;
    }
    return out;
}

const PrintItem *PrintPage::findText(const QString &text) const {
    for (const PrintItem &item : items)
        if (item.kind == PrintItem::Kind::Text && item.text == text)
            return &item;
    return nullptr;
}

QString PrintPage::allText() const {
    QStringList parts;
    for (const PrintItem &item : items)
        if (item.kind != PrintItem::Kind::Line)
            parts.append(item.text);
    return parts.join(QLatin1Char('\n'));
}

QList<const PrintItem *> PrintPage::ofKind(PrintItem::Kind kind) const {
    QList<const PrintItem *> out;
    for (const PrintItem &item : items)
        if (item.kind == kind)
            out.append(&item);
    return out;
}

QSizeF PrintPaper::composedMm() const {
    const QSizeF portrait = code == 1 ? QSizeF(215.9, 279.4) : QSizeF(210.0, 297.0);
    return orientation == 1 ? portrait.transposed() : portrait;
}

QSizeF PrintPaper::outputMm() const {
    const QSizeF portrait(210.0, 297.0);
    return orientation == 1 ? portrait.transposed() : portrait;
}
