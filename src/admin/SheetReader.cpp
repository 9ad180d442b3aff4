#include "admin/SheetReader.h"

#include <QFileInfo>
#include <cmath>

SheetCell SheetCell::fromText(const QString &text) {
    SheetCell c;
    if (!text.isEmpty()) {
        c.kind = Text;
        c.text = text;
    }
    return c;
}

SheetCell SheetCell::fromNumber(double value) {
    SheetCell c;
    if (std::isfinite(value)) {
        c.kind = Number;
        c.number = value;
    }
    return c;
}

SheetCell SheetCell::fromIsoDate(const QString &iso) {
    SheetCell c;
    c.date = QDate::fromString(iso.left(10), Qt::ISODate);
    if (c.date.isValid())
        c.kind = Date;
    else
        c = fromText(iso);
    return c;
}

bool SheetReader::read(const QString &path) {
    m_table.clear();
    m_date1904 = false;
    m_error.clear();
    m_filled = 0;
    if (readFile(path))
        return true;
    if (m_error.isEmpty())
        m_error = unreadable(QFileInfo(path).fileName());
    m_table.clear();
    return false;
}

bool SheetReader::isEmptyRow(const SheetRow &row) {
    for (const SheetCell &c : row)
        if (c.kind != SheetCell::Empty && !(c.kind == SheetCell::Text && c.text.trimmed().isEmpty()))
            return false;
    return true;
}

QString SheetReader::unreadable(const QString &fileName) {
    return QStringLiteral("A fájl nem olvasható táblázat (Excel .xls, .xlsx vagy OpenDocument "
                          ".ods munkafüzet), vagy sérült:\n%1")
        .arg(fileName);
}

bool SheetReader::addRow(const SheetRow &row) {
    if (!isEmptyRow(row) && ++m_filled > kMaxRows + 1)
        return tooLarge();
    m_table.append(row);
    return true;
}

bool SheetReader::tooLarge() {
    m_error =
        QStringLiteral(
            "A munkalap túl nagy (legfeljebb %1 sor és %2 oszlop olvasható be egy osztály tanulóiként).")
            .arg(kMaxRows)
            .arg(kMaxColumns);
    return false;
}
