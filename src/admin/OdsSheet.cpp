#include "admin/OdsSheet.h"

#include <QStringList>
#include <QXmlStreamReader>
#include <quazip/quazip.h>

bool OdsSheet::readArchive(QuaZip &zip) {
    QByteArray content;
    if (!readEntry(zip, QStringLiteral("content.xml"), content))
        return false;

    // The content is read twice: once for the names of the sheets, once for the chosen sheet.
    int chosen = 0;
    {
        QXmlStreamReader xml(content);
        int index = 0;
        while (!xml.atEnd()) {
            if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("table") &&
                xml.prefix() == QLatin1String("table")) {
                if (attribute(xml, QLatin1StringView("table:name"))
                        .compare(QLatin1String("Sheet1"), Qt::CaseInsensitive) == 0) {
                    chosen = index;
                    break;
                }
                ++index;
                xml.skipCurrentElement();
            }
        }
        if (xml.hasError())
            return false;
    }

    QXmlStreamReader xml(content);
    int index = 0;
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement &&
            xml.qualifiedName() == QLatin1String("table:table")) {
            if (index++ == chosen)
                break;
            xml.skipCurrentElement();
        }
    }
    if (xml.atEnd()) {
        // Well-formed content without a sheet.
        if (!xml.hasError())
            m_error = unreadable(QStringLiteral("content.xml"));
        return false;
    }

    // Rows and cells may stand for many equal ones; empty ones are never spread out, so a sheet that
    // claims a million empty rows costs nothing.
    auto repeat = [&](const char *name) {
        bool ok = false;
        const int n = attribute(xml, QLatin1StringView(name)).toInt(&ok);
        return ok && n > 1 ? n : 1;
    };
    int depth = 1;
    while (depth > 0 && !xml.atEnd()) {
        const auto token = xml.readNext();
        if (token == QXmlStreamReader::EndElement) {
            --depth;
            continue;
        }
        if (token != QXmlStreamReader::StartElement)
            continue;
        if (xml.qualifiedName() != QLatin1String("table:table-row")) {
            ++depth; // row groups and headers hold rows; anything else is passed through
            if (xml.qualifiedName() != QLatin1String("table:table-header-rows") &&
                xml.qualifiedName() != QLatin1String("table:table-row-group") &&
                xml.qualifiedName() != QLatin1String("table:table-rows")) {
                xml.skipCurrentElement();
                --depth;
            }
            continue;
        }
        const int rowRepeat = repeat("table:number-rows-repeated");
        SheetRow row;
        while (xml.readNextStartElement()) {
            const bool cellElement = xml.qualifiedName() == QLatin1String("table:table-cell") ||
                                     xml.qualifiedName() == QLatin1String("table:covered-table-cell");
            if (!cellElement) {
                xml.skipCurrentElement();
                continue;
            }
            const int colRepeat = repeat("table:number-columns-repeated");
            const QString type = attribute(xml, QLatin1StringView("office:value-type"));
            SheetCell cell;
            if (type == QLatin1String("float") || type == QLatin1String("percentage") ||
                type == QLatin1String("currency")) {
                bool ok = false;
                const double n = attribute(xml, QLatin1StringView("office:value")).toDouble(&ok);
                if (ok)
                    cell = SheetCell::fromNumber(n);
            } else if (type == QLatin1String("date")) {
                cell = SheetCell::fromIsoDate(attribute(xml, QLatin1StringView("office:date-value")));
            } else if (type == QLatin1String("boolean")) {
                cell = SheetCell::fromText(attribute(xml, QLatin1StringView("office:boolean-value")));
            }
            QStringList paragraphs;
            while (xml.readNextStartElement()) {
                if (xml.qualifiedName() == QLatin1String("text:p"))
                    paragraphs << xml.readElementText(QXmlStreamReader::IncludeChildElements);
                else
                    xml.skipCurrentElement();
            }
            if (cell.kind == SheetCell::Empty && !type.isEmpty())
                cell = SheetCell::fromText(paragraphs.join(QLatin1Char('\n')));
            for (int i = 0; i < colRepeat && row.size() < kMaxColumns; ++i)
                row.append(cell);
        }
        const int times = isEmptyRow(row) ? 1 : rowRepeat;
        for (int i = 0; i < times; ++i)
            if (!addRow(row))
                return false;
    }
    return !xml.hasError();
}