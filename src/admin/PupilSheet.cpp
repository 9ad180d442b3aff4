#include "admin/PupilSheet.h"

#include <QBuffer>
#include <QDataStream>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QProcess>
#include <QTimer>
#include <QXmlStreamReader>
#include <cmath>
#include <freexl.h>
#include <quazip/quazip.h>
#include <quazip/quazipfile.h>

namespace {

const QString kUnreadable =
    QStringLiteral("A fájl nem olvasható táblázat (Excel .xls, .xlsx vagy OpenDocument "
                   ".ods munkafüzet), vagy sérült:\n%1");
const QString kTooLarge = QStringLiteral(
    "A munkalap túl nagy (legfeljebb %1 sor és %2 oszlop olvasható be egy osztály tanulóiként).");

// FreeXL hands out a handle that must be closed even when opening failed.
class XlsHandle {
public:
    ~XlsHandle() {
        if (m_handle)
            freexl_close(m_handle);
    }
    const void *m_handle = nullptr;
};

PupilSheet::Cell textCell(const QString &text) {
    PupilSheet::Cell c;
    if (!text.isEmpty()) {
        c.kind = PupilSheet::Cell::Text;
        c.text = text;
    }
    return c;
}

PupilSheet::Cell numberCell(double value) {
    PupilSheet::Cell c;
    if (std::isfinite(value)) {
        c.kind = PupilSheet::Cell::Number;
        c.number = value;
    }
    return c;
}

PupilSheet::Cell dateCell(const QString &iso) {
    PupilSheet::Cell c;
    c.date = QDate::fromString(iso.left(10), Qt::ISODate);
    if (c.date.isValid())
        c.kind = PupilSheet::Cell::Date;
    else
        c = textCell(iso);
    return c;
}

bool isEmptyRow(const QList<PupilSheet::Cell> &row) {
    for (const PupilSheet::Cell &c : row)
        if (c.kind != PupilSheet::Cell::Empty &&
            !(c.kind == PupilSheet::Cell::Text && c.text.trimmed().isEmpty()))
            return false;
    return true;
}

// Reads one member of the archive whole, up to the limit.
bool readEntry(QuaZip &zip, const QString &name, QByteArray &out, bool required = true) {
    out.clear();
    if (!zip.setCurrentFile(name, QuaZip::csInsensitive))
        return !required;
    QuaZipFile file(&zip);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    char chunk[64 * 1024];
    for (;;) {
        const qint64 n = file.read(chunk, sizeof chunk);
        if (n < 0)
            return false;
        if (n == 0)
            break;
        if (out.size() + n > PupilSheet::kMaxXmlBytes)
            return false;
        out.append(chunk, n);
    }
    file.close();
    return file.getZipError() == UNZ_OK;
}

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
void putCell(QList<PupilSheet::Cell> &row, int column, const PupilSheet::Cell &cell) {
    if (column < 0 || column >= PupilSheet::kMaxColumns)
        return;
    while (row.size() < column)
        row.append(PupilSheet::Cell());
    if (row.size() == column)
        row.append(cell);
    else
        row[column] = cell;
}

QString attribute(const QXmlStreamReader &xml, QLatin1StringView name) {
    return xml.attributes().value(name).toString();
}

// A heading as compared: letters and digits only, lower case, accents dropped ("Anyja neve" → "anyjaneve").
QString headingKey(const QString &heading) {
    QString key;
    for (const QChar c : heading.normalized(QString::NormalizationForm_D))
        if (c.isLetterOrNumber())
            key += c.toLower();
    return key;
}

} // namespace

const QStringList &PupilSheet::columnNames() {
    static const QStringList names{QStringLiteral("nev"),         QStringLiteral("anya"),
                                   QStringLiteral("gondviselo"),  QStringLiteral("szhely"),
                                   QStringLiteral("szdatum"),     QStringLiteral("torzslapszam"),
                                   QStringLiteral("naplosorszam")};
    return names;
}

const QStringList &PupilSheet::headings() {
    static const QStringList names{QStringLiteral("Név"),           QStringLiteral("Anyja neve"),
                                   QStringLiteral("Gondviselő"),    QStringLiteral("Születési hely"),
                                   QStringLiteral("Születési idő"), QStringLiteral("Törzslapszám"),
                                   QStringLiteral("Naplósorszám")};
    return names;
}

bool PupilSheet::writeSample(const QString &path) {
    QString cells;
    for (qsizetype c = 0; c < headings().size(); ++c)
        cells += QStringLiteral("<c r=\"%1\" t=\"inlineStr\"><is><t>%2</t></is></c>")
                     .arg(QChar(char16_t(u'A' + c)) + QStringLiteral("1"), headings().at(c));
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

bool PupilSheet::fail(const QString &message) {
    m_error = message;
    m_rows.clear();
    m_skipped = 0;
    return false;
}

bool PupilSheet::read(const QString &path) {
    m_date1904 = false;
    const QString suffix = QFileInfo(path.trimmed()).suffix().toLower();
    if (suffix == QLatin1String("xls"))
        return readXls(path);
    if (suffix != QLatin1String("xlsx") && suffix != QLatin1String("ods"))
        return fail(kUnreadable.arg(QFileInfo(path).fileName()));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxXmlBytes)
        return fail(kUnreadable.arg(QFileInfo(path).fileName()));
    const QByteArray data = file.readAll();
    const bool ok = suffix == QLatin1String("xlsx") ? readXlsx(data) : readOds(data);
    if (!ok && m_error.isEmpty())
        return fail(kUnreadable.arg(QFileInfo(path).fileName()));
    return ok;
}

QString &xlsReaderProgram() {
    static QString program;
    return program;
}

int &xlsReaderTimeout() {
    static int timeoutMs = 10000;
    return timeoutMs;
}

void PupilSheet::setXlsReaderProgram(const QString &program, int timeoutMs) {
    xlsReaderProgram() = program;
    xlsReaderTimeout() = timeoutMs;
}

bool PupilSheet::readXls(const QString &path) {
    const QString program = xlsReaderProgram();
    return program.isEmpty() ? readXlsHere(path) : readXlsInChild(program, path);
}

int PupilSheet::readXlsForParent(const QString &path, QIODevice &out) {
    PupilSheet sheet;
    const bool ok = sheet.readXlsHere(path);
    QDataStream stream(&out);
    stream << ok << sheet.m_error << qint32(sheet.m_skipped) << qint32(sheet.m_rows.size());
    for (const PupilRow &r : sheet.m_rows)
        stream << r.family << r.given << r.mother << r.guardian << r.birthPlace << r.birthDate << r.registerNo
               << r.serialNo;
    return stream.status() == QDataStream::Ok ? 0 : 1;
}

bool PupilSheet::readXlsInChild(const QString &program, const QString &path) {
    const QString fileName = QFileInfo(path).fileName();
    QProcess child;
    child.setProcessChannelMode(QProcess::SeparateChannels);
    // A damaged file may also make the library loop; a class list is read in well under a second. The
    // wait keeps the windows painting, but takes no input meanwhile.
    QEventLoop loop;
    QTimer limit;
    limit.setSingleShot(true);
    QObject::connect(&limit, &QTimer::timeout, &loop, &QEventLoop::quit);
    QObject::connect(&child, &QProcess::finished, &loop, &QEventLoop::quit);
    QObject::connect(&child, &QProcess::errorOccurred, &loop, [&loop](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            loop.quit();
    });
    limit.start(xlsReaderTimeout());
    child.start(program, {QStringLiteral("--read-xls"), path});
    if (child.state() != QProcess::NotRunning)
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    if (child.state() != QProcess::NotRunning) {
        child.kill();
        child.waitForFinished(1000);
        return fail(kUnreadable.arg(fileName));
    }
    if (child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0)
        return fail(kUnreadable.arg(fileName));
    const QByteArray bytes = child.readAllStandardOutput();
    QDataStream stream(bytes);
    bool ok = false;
    QString error;
    qint32 skipped = 0, count = 0;
    stream >> ok >> error >> skipped >> count;
    if (stream.status() != QDataStream::Ok || count < 0 || count > kMaxRows)
        return fail(kUnreadable.arg(fileName));
    if (!ok)
        return fail(error.isEmpty() ? kUnreadable.arg(fileName) : error);
    QList<PupilRow> rows;
    for (qint32 i = 0; i < count; ++i) {
        PupilRow r;
        stream >> r.family >> r.given >> r.mother >> r.guardian >> r.birthPlace >> r.birthDate >>
            r.registerNo >> r.serialNo;
        rows << r;
    }
    if (stream.status() != QDataStream::Ok)
        return fail(kUnreadable.arg(fileName));
    m_error.clear();
    m_rows = rows;
    m_skipped = skipped;
    return true;
}

bool PupilSheet::readXlsHere(const QString &path) {
    const QString fileName = QFileInfo(path).fileName();
    XlsHandle xls;
    if (freexl_open(QFile::encodeName(path).constData(), &xls.m_handle) != FREEXL_OK || !xls.m_handle)
        return fail(kUnreadable.arg(fileName));
    unsigned int sheetCount = 0;
    if (freexl_get_info(xls.m_handle, FREEXL_BIFF_SHEET_COUNT, &sheetCount) != FREEXL_OK)
        return fail(kUnreadable.arg(fileName));
    // The sheet called Sheet1, otherwise the first one ("Munka1" in a Hungarian Excel).
    int sheet = sheetCount > 0 ? 0 : -1;
    for (unsigned int i = 0; i < sheetCount && i < 0xFFFF; ++i) {
        const char *name = nullptr;
        if (freexl_get_worksheet_name(xls.m_handle, static_cast<unsigned short>(i), &name) != FREEXL_OK)
            return fail(kUnreadable.arg(fileName));
        if (name && QString::fromUtf8(name).compare(QLatin1String("Sheet1"), Qt::CaseInsensitive) == 0) {
            sheet = int(i);
            break;
        }
    }
    if (sheet < 0)
        return fail(kUnreadable.arg(fileName));
    unsigned int rows = 0;
    unsigned short columns = 0;
    if (freexl_select_active_worksheet(xls.m_handle, static_cast<unsigned short>(sheet)) != FREEXL_OK ||
        freexl_worksheet_dimensions(xls.m_handle, &rows, &columns) != FREEXL_OK)
        return fail(kUnreadable.arg(fileName));
    // An .xls sheet has at most 65536 rows and 256 columns; anything claiming more is damaged.
    if (rows > 65536 || columns > 256)
        return fail(kUnreadable.arg(fileName));
    const unsigned short readColumns = std::min<unsigned short>(columns, kMaxColumns);
    Table table;
    int filled = 0;
    for (unsigned int r = 0; r < rows; ++r) {
        QList<Cell> row;
        row.reserve(readColumns);
        for (unsigned short c = 0; c < readColumns; ++c) {
            FreeXL_CellValue value{};
            if (freexl_get_cell_value(xls.m_handle, r, c, &value) != FREEXL_OK)
                return fail(kUnreadable.arg(fileName));
            switch (value.type) {
            case FREEXL_CELL_INT:
                row.append(numberCell(value.value.int_value));
                break;
            case FREEXL_CELL_DOUBLE:
                row.append(numberCell(value.value.double_value));
                break;
            case FREEXL_CELL_TEXT:
            case FREEXL_CELL_SST_TEXT:
            case FREEXL_CELL_TIME:
                row.append(
                    textCell(value.value.text_value ? QString::fromUtf8(value.value.text_value) : QString()));
                break;
            case FREEXL_CELL_DATE:
            case FREEXL_CELL_DATETIME:
                row.append(value.value.text_value ? dateCell(QString::fromUtf8(value.value.text_value))
                                                  : Cell());
                break;
            default:
                row.append(Cell());
            }
        }
        if (!isEmptyRow(row) && ++filled > kMaxRows + 1)
            return fail(kTooLarge.arg(kMaxRows).arg(kMaxColumns));
        table.append(row);
    }
    return readTable(table);
}

bool PupilSheet::readXlsx(const QByteArray &zipData) {
    QBuffer buffer;
    buffer.setData(zipData);
    QuaZip zip(&buffer);
    if (!zip.open(QuaZip::mdUnzip))
        return false;
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

    Table table;
    QXmlStreamReader xml(sheetXml);
    int filled = 0;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement || xml.name() != QLatin1String("row"))
            continue;
        bool numbered = false;
        const int rowNo = attribute(xml, QLatin1StringView("r")).toInt(&numbered);
        if (numbered) {
            if (rowNo < 1 || rowNo <= table.size())
                return false; // rows must come in order
            if (rowNo > 65536 * 16)
                return fail(kTooLarge.arg(kMaxRows).arg(kMaxColumns));
            while (table.size() < rowNo - 1)
                table.append(QList<Cell>());
        }
        QList<Cell> row;
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
            Cell cell;
            if (hasValue) {
                if (type == QLatin1String("s")) {
                    bool ok = false;
                    const int index = value.trimmed().toInt(&ok);
                    if (!ok || index < 0 || index >= strings.size())
                        return false;
                    cell = textCell(strings.at(index));
                } else if (type == QLatin1String("str") || type == QLatin1String("inlineStr") ||
                           type == QLatin1String("e")) {
                    cell = textCell(value);
                } else if (type == QLatin1String("d")) {
                    cell = dateCell(value);
                } else {
                    bool ok = false;
                    const double n = value.trimmed().toDouble(&ok);
                    cell = ok ? numberCell(n) : textCell(value);
                }
            }
            putCell(row, column, cell);
        }
        if (!isEmptyRow(row) && ++filled > kMaxRows + 1)
            return fail(kTooLarge.arg(kMaxRows).arg(kMaxColumns));
        table.append(row);
    }
    if (xml.hasError())
        return false;
    // A date stored as a day count is known by its column; the workbook's date system says where the count
    // starts.
    m_date1904 = date1904;
    return readTable(table);
}

bool PupilSheet::readOds(const QByteArray &zipData) {
    QBuffer buffer;
    buffer.setData(zipData);
    QuaZip zip(&buffer);
    if (!zip.open(QuaZip::mdUnzip))
        return false;
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
    if (xml.atEnd())
        return xml.hasError() ? false : fail(kUnreadable.arg(QStringLiteral("content.xml")));

    Table table;
    int filled = 0;
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
        QList<Cell> row;
        while (xml.readNextStartElement()) {
            const bool cellElement = xml.qualifiedName() == QLatin1String("table:table-cell") ||
                                     xml.qualifiedName() == QLatin1String("table:covered-table-cell");
            if (!cellElement) {
                xml.skipCurrentElement();
                continue;
            }
            const int colRepeat = repeat("table:number-columns-repeated");
            const QString type = attribute(xml, QLatin1StringView("office:value-type"));
            Cell cell;
            if (type == QLatin1String("float") || type == QLatin1String("percentage") ||
                type == QLatin1String("currency")) {
                bool ok = false;
                const double n = attribute(xml, QLatin1StringView("office:value")).toDouble(&ok);
                if (ok)
                    cell = numberCell(n);
            } else if (type == QLatin1String("date")) {
                cell = dateCell(attribute(xml, QLatin1StringView("office:date-value")));
            } else if (type == QLatin1String("boolean")) {
                cell = textCell(attribute(xml, QLatin1StringView("office:boolean-value")));
            }
            QStringList paragraphs;
            while (xml.readNextStartElement()) {
                if (xml.qualifiedName() == QLatin1String("text:p"))
                    paragraphs << xml.readElementText(QXmlStreamReader::IncludeChildElements);
                else
                    xml.skipCurrentElement();
            }
            if (cell.kind == Cell::Empty && !type.isEmpty())
                cell = textCell(paragraphs.join(QLatin1Char('\n')));
            for (int i = 0; i < colRepeat && row.size() < kMaxColumns; ++i)
                row.append(cell);
        }
        const int times = isEmptyRow(row) ? 1 : rowRepeat;
        for (int i = 0; i < times; ++i) {
            if (!isEmptyRow(row) && ++filled > kMaxRows + 1)
                return fail(kTooLarge.arg(kMaxRows).arg(kMaxColumns));
            table.append(row);
        }
    }
    if (xml.hasError())
        return false;
    return readTable(table);
}

bool PupilSheet::readTable(const Table &table) {
    m_rows.clear();
    m_skipped = 0;
    m_error.clear();
    // Each column is known by its short name or by its heading as people write it.
    static const QHash<QString, QString> columnOfKey = [] {
        QHash<QString, QString> keys{{QStringLiteral("gondviseloneve"), QStringLiteral("gondviselo")},
                                     {QStringLiteral("szuletesidatum"), QStringLiteral("szdatum")}};
        for (qsizetype i = 0; i < columnNames().size(); ++i) {
            keys.insert(columnNames().at(i), columnNames().at(i));
            keys.insert(headingKey(headings().at(i)), columnNames().at(i));
        }
        return keys;
    }();
    QHash<QString, int> columnOf;
    if (!table.isEmpty()) {
        const QList<Cell> &header = table.first();
        for (int c = 0; c < header.size(); ++c) {
            const QString name = columnOfKey.value(headingKey(toText(header.at(c))));
            if (!name.isEmpty() && !columnOf.contains(name))
                columnOf.insert(name, c);
        }
    }
    QStringList missing;
    for (qsizetype i = 0; i < columnNames().size(); ++i)
        if (!columnOf.contains(columnNames().at(i)))
            missing << headings().at(i);
    if (!missing.isEmpty())
        return fail(QStringLiteral("A munkalap első sorából hiányzik a következő oszlop: %1.\n"
                                   "Helyes fejlécű üres mintát a „Minta mentése...” gombbal menthet.")
                        .arg(missing.join(QStringLiteral(", "))));
    auto cellOf = [&](const QList<Cell> &row, const char *name) {
        const int c = columnOf.value(QLatin1String(name));
        return c < row.size() ? row.at(c) : Cell();
    };
    for (qsizetype r = 1; r < table.size(); ++r) {
        const QList<Cell> &row = table.at(r);
        if (isEmptyRow(row))
            continue;
        const QString name = toText(cellOf(row, "nev"));
        if (name.isEmpty()) {
            ++m_skipped;
            continue;
        }
        PupilRow pupil;
        splitName(name, pupil.family, pupil.given);
        pupil.mother = toText(cellOf(row, "anya"));
        pupil.guardian = toText(cellOf(row, "gondviselo"));
        pupil.birthPlace = toText(cellOf(row, "szhely"));
        const Cell born = cellOf(row, "szdatum");
        pupil.birthDate = toDate(born, m_date1904);
        pupil.registerNo = toText(cellOf(row, "torzslapszam"));
        pupil.serialNo = toText(cellOf(row, "naplosorszam"));
        m_rows << pupil;
    }
    return true;
}

void PupilSheet::splitName(const QString &name, QString &family, QString &given) {
    const QString n = name.trimmed();
    const int space = n.indexOf(QLatin1Char(' '));
    if (space < 0) {
        family.clear();
        given = n;
        return;
    }
    family = n.left(space).trimmed();
    given = n.mid(space + 1).trimmed();
}

QString PupilSheet::toText(const Cell &cell) {
    switch (cell.kind) {
    case Cell::Text:
        return cell.text.trimmed();
    case Cell::Number:
        if (cell.number == std::floor(cell.number) && std::fabs(cell.number) < 1e15)
            return QString::number(qint64(cell.number));
        return QString::number(cell.number, 'g', 15);
    case Cell::Date:
        return cell.date.toString(Qt::ISODate);
    case Cell::Empty:
        break;
    }
    return QString();
}

QVariant PupilSheet::toDate(const Cell &cell, bool date1904) {
    switch (cell.kind) {
    case Cell::Date:
        return cell.date;
    case Cell::Number: {
        if (cell.number < 1 || cell.number >= 2958466)
            return QVariant();
        const qint64 days = qint64(std::floor(cell.number));
        if (date1904)
            return QDate(1904, 1, 1).addDays(days);
        // Day 60 of the 1900 system is 29 February 1900, a day that never was.
        if (days == 60)
            return QVariant();
        return QDate(1899, 12, days < 60 ? 31 : 30).addDays(days);
    }
    case Cell::Text: {
        QString t = cell.text.trimmed();
        t.remove(QLatin1Char(' '));
        while (t.endsWith(QLatin1Char('.')))
            t.chop(1);
        t.replace(QLatin1Char('.'), QLatin1Char('-')).replace(QLatin1Char('/'), QLatin1Char('-'));
        const QDate d = QDate::fromString(t, QStringLiteral("yyyy-M-d"));
        return d.isValid() ? QVariant(d) : QVariant();
    }
    case Cell::Empty:
        break;
    }
    return QVariant();
}
