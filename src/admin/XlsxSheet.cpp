#include "admin/XlsxSheet.h"

#include <QXmlStreamReader>
#include <quazip/quazip.h>
#include <quazip/quazipfile.h>

namespace {

// "AB12" → column 27 (0-based); -1 when the reference has no column letters.
int columnOfReference(QStringView ref) {
    int col = 0;
    int letters = 0;
    for (QChar ch : ref) {
        if (ch >= QLatin1Char('A') && ch <= QLatin1Char('Z'))
            col = col * 26 + (ch.unicode() - 'A' + 1);
        else if (ch >= QLatin1Char('a') && ch <= QLatin1Char('z'))
            col = col * 26 + (ch.unicode() - 'a' + 1);
        else
            break;
        if (++letters > 4)
            return -1;
    }
    return letters ? col - 1 : -1;
}

// Places a cell in a row, padding with empty cells; columns past the limit are dropped.
void putCell(SheetRow &row, int column, const SheetCell &cell) {
    if (column < 0 || column >= SheetReader::kMaxColumns)
        return;
    while (row.size() < column)
        row.append(SheetCell());
    if (row.size() == column)
        row.append(cell);
    else
        row[column] = cell;
}

} // namespace

bool XlsxSheet::writeHeadings(const QString &path, const QStringList &headings) {
    QString cells;
    for (qsizetype c = 0; c < headings.size(); ++c)
        cells += QStringLiteral("<c r=\"%1\" t=\"inlineStr\"><is><t>%2</t></is></c>")
                     .arg(QChar(char16_t(u'A' + c)) + QStringLiteral("1"), headings.at(c));
    const QString ns = QStringLiteral("http://schemas.openxmlformats.org/");
    const QList<QPair<QString, QString>> parts{
        {QStringLiteral("[Content_Types].xml"),
         QStringLiteral("<Types xmlns=\"%1package/2006/content-types\">"
                        "<Default Extension=\"rels\" ContentType=\"application/"
                        "vnd.openxmlformats-package.relationships+xml\"/>"
                        "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
                        "<Override PartName=\"/xl/workbook.xml\" ContentType=\"application/"
                        "vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml\"/>"
                        "<Override PartName=\"/xl/worksheets/sheet1.xml\" ContentType=\"application/"
                        "vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml\"/></Types>")
             .arg(ns)},
        {QStringLiteral("_rels/.rels"),
         QStringLiteral("<Relationships xmlns=\"%1package/2006/relationships\"><Relationship Id=\"rId1\" "
                        "Type=\"%1officeDocument/2006/relationships/officeDocument\" "
                        "Target=\"xl/workbook.xml\"/></Relationships>")
             .arg(ns)},
        {QStringLiteral("xl/workbook.xml"),
         QStringLiteral("<workbook xmlns=\"%1spreadsheetml/2006/main\" "
                        "xmlns:r=\"%1officeDocument/2006/relationships\"><sheets><sheet name=\"Tanulók\" "
                        "sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>")
             .arg(ns)},
        {QStringLiteral("xl/_rels/workbook.xml.rels"),
         QStringLiteral("<Relationships xmlns=\"%1package/2006/relationships\"><Relationship Id=\"rId1\" "
                        "Type=\"%1officeDocument/2006/relationships/worksheet\" "
                        "Target=\"worksheets/sheet1.xml\"/></Relationships>")
             .arg(ns)},
        {QStringLiteral("xl/worksheets/sheet1.xml"),
         QStringLiteral("<worksheet xmlns=\"%1spreadsheetml/2006/main\"><sheetData><row r=\"1\">%2</row>"
                        "</sheetData></worksheet>")
             .arg(ns, cells)}};
    QuaZip zip(path);
    if (!zip.open(QuaZip::mdCreate))
        return false;
    for (const auto &[name, xml] : parts) {
        QuaZipFile file(&zip);
        const QByteArray data =
            QByteArrayLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n") +
            xml.toUtf8();
        if (!file.open(QIODevice::WriteOnly, QuaZipNewInfo(name)) || file.write(data) != data.size())
            return false;
        file.close();
        if (file.getZipError() != ZIP_OK)
            return false;
    }
    zip.close();
    return zip.getZipError() == ZIP_OK;
}

bool XlsxSheet::readArchive(QuaZip &zip) {
    QByteArray workbook, rels, shared, sheetXml;
    if (!readEntry(zip, QStringLiteral("xl/workbook.xml"), workbook) ||
        !readEntry(zip, QStringLiteral("xl/_rels/workbook.xml.rels"), rels) ||
        !readEntry(zip, QStringLiteral("xl/sharedStrings.xml"), shared, false))
        return false;

    // The sheet called Sheet1, otherwise the first one.
    QString sheetRel;
    bool date1904 = false;
    {
        QXmlStreamReader xml(workbook);
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement)
                continue;
            if (xml.name() == QLatin1String("workbookPr")) {
                const QString v = attribute(xml, QLatin1StringView("date1904"));
                date1904 = v == QLatin1String("1") || v == QLatin1String("true");
            } else if (xml.name() == QLatin1String("sheet")) {
                QString rel;
                for (const QXmlStreamAttribute &a : xml.attributes())
                    if (a.name() == QLatin1String("id") && a.qualifiedName() != QLatin1String("sheetId"))
                        rel = a.value().toString();
                const bool named = attribute(xml, QLatin1StringView("name"))
                                       .compare(QLatin1String("Sheet1"), Qt::CaseInsensitive) == 0;
                if (sheetRel.isEmpty() || named)
                    sheetRel = rel;
                if (named)
                    break;
            }
        }
        if (xml.hasError())
            return false;
    }
    if (sheetRel.isEmpty())
        return false;
    QString target;
    {
        QXmlStreamReader xml(rels);
        while (!xml.atEnd()) {
            if (xml.readNext() == QXmlStreamReader::StartElement &&
                xml.name() == QLatin1String("Relationship") &&
                attribute(xml, QLatin1StringView("Id")) == sheetRel)
                target = attribute(xml, QLatin1StringView("Target"));
        }
        if (xml.hasError())
            return false;
    }
    if (target.isEmpty() || target.contains(QLatin1String("..")))
        return false;
    target = target.startsWith(QLatin1Char('/')) ? target.mid(1) : QStringLiteral("xl/") + target;
    if (!readEntry(zip, target, sheetXml))
        return false;

    QStringList strings;
    if (!shared.isEmpty()) {
        QXmlStreamReader xml(shared);
        QString current;
        int depthInPhonetic = 0;
        while (!xml.atEnd()) {
            const auto token = xml.readNext();
            if (token == QXmlStreamReader::StartElement) {
                if (xml.name() == QLatin1String("si"))
                    current.clear();
                else if (xml.name() == QLatin1String("rPh"))
                    ++depthInPhonetic;
                else if (xml.name() == QLatin1String("t") && depthInPhonetic == 0)
                    current += xml.readElementText();
            } else if (token == QXmlStreamReader::EndElement) {
                if (xml.name() == QLatin1String("si")) {
                    if (strings.size() >= 1000000)
                        return false;
                    strings << current;
                } else if (xml.name() == QLatin1String("rPh")) {
                    --depthInPhonetic;
                }
            }
        }
        if (xml.hasError())
            return false;
    }

    QXmlStreamReader xml(sheetXml);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement || xml.name() != QLatin1String("row"))
            continue;
        bool numbered = false;
        const int rowNo = attribute(xml, QLatin1StringView("r")).toInt(&numbered);
        if (numbered) {
            if (rowNo < 1 || rowNo <= m_table.size())
                return false; // rows must come in order
            if (rowNo > 65536 * 16)
                return tooLarge();
            while (m_table.size() < rowNo - 1)
                m_table.append(SheetRow());
        }
        SheetRow row;
        while (xml.readNextStartElement()) {
            if (xml.name() != QLatin1String("c")) {
                xml.skipCurrentElement();
                continue;
            }
            const int ref = columnOfReference(attribute(xml, QLatin1StringView("r")));
            const int column = ref >= 0 ? ref : int(row.size());
            const QString type = attribute(xml, QLatin1StringView("t"));
            QString value;
            bool hasValue = false;
            while (xml.readNextStartElement()) {
                if (xml.name() == QLatin1String("v")) {
                    value = xml.readElementText();
                    hasValue = true;
                } else if (xml.name() == QLatin1String("is")) {
                    while (xml.readNextStartElement()) {
                        if (xml.name() == QLatin1String("t"))
                            value += xml.readElementText();
                        else if (xml.name() == QLatin1String("r"))
                            value += xml.readElementText(QXmlStreamReader::IncludeChildElements);
                        else
                            xml.skipCurrentElement();
                    }
                    hasValue = true;
                } else {
                    xml.skipCurrentElement();
                }
            }
            SheetCell cell;
            if (hasValue) {
                if (type == QLatin1String("s")) {
                    bool ok = false;
                    const int index = value.trimmed().toInt(&ok);
                    if (!ok || index < 0 || index >= strings.size())
                        return false;
                    cell = SheetCell::fromText(strings.at(index));
                } else if (type == QLatin1String("str") || type == QLatin1String("inlineStr") ||
                           type == QLatin1String("e")) {
                    cell = SheetCell::fromText(value);
                } else if (type == QLatin1String("d")) {
                    cell = SheetCell::fromIsoDate(value);
                } else {
                    bool ok = false;
                    const double n = value.trimmed().toDouble(&ok);
                    cell = ok ? SheetCell::fromNumber(n) : SheetCell::fromText(value);
                }
            }
            putCell(row, column, cell);
        }
        if (!addRow(row))
            return false;
    }
    if (xml.hasError())
        return false;
    // A date stored as a day count is known by its column; the workbook's date system says where the count
    // starts.
    m_date1904 = date1904;
    return true;
}