#include "admin/PupilSheet.h"

#include "admin/OdsSheet.h"
#include "admin/XlsSheet.h"
#include "admin/XlsxSheet.h"

#include <QDataStream>
#include <QEventLoop>
#include <QFileInfo>
#include <QHash>
#include <QProcess>
#include <QTimer>
#include <cmath>

namespace {

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
    return XlsxSheet::writeHeadings(path, headings());
}

bool PupilSheet::fail(const QString &message) {
    m_error = message;
    m_rows.clear();
    m_skipped = 0;
    return false;
}

bool PupilSheet::read(const QString &path) {
    const QString suffix = QFileInfo(path.trimmed()).suffix().toLower();
    if (suffix == QLatin1String("xls"))
        return readXls(path);
    if (suffix == QLatin1String("xlsx")) {
        XlsxSheet reader;
        return readWith(reader, path);
    }
    if (suffix == QLatin1String("ods")) {
        OdsSheet reader;
        return readWith(reader, path);
    }
    return fail(SheetReader::unreadable(QFileInfo(path).fileName()));
}

bool PupilSheet::readWith(SheetReader &reader, const QString &path) {
    if (!reader.read(path))
        return fail(reader.error());
    return readTable(reader.table(), reader.date1904());
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
        return fail(SheetReader::unreadable(fileName));
    }
    if (child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0)
        return fail(SheetReader::unreadable(fileName));
    const QByteArray bytes = child.readAllStandardOutput();
    QDataStream stream(bytes);
    bool ok = false;
    QString error;
    qint32 skipped = 0, count = 0;
    stream >> ok >> error >> skipped >> count;
    if (stream.status() != QDataStream::Ok || count < 0 || count > kMaxRows)
        return fail(SheetReader::unreadable(fileName));
    if (!ok)
        return fail(error.isEmpty() ? SheetReader::unreadable(fileName) : error);
    QList<PupilRow> rows;
    for (qint32 i = 0; i < count; ++i) {
        PupilRow r;
        stream >> r.family >> r.given >> r.mother >> r.guardian >> r.birthPlace >> r.birthDate >>
            r.registerNo >> r.serialNo;
        rows << r;
    }
    if (stream.status() != QDataStream::Ok)
        return fail(SheetReader::unreadable(fileName));
    m_error.clear();
    m_rows = rows;
    m_skipped = skipped;
    return true;
}

bool PupilSheet::readXlsHere(const QString &path) {
    XlsSheet reader;
    return readWith(reader, path);
}

bool PupilSheet::readTable(const Table &table, bool date1904) {
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
        if (SheetReader::isEmptyRow(row))
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
        pupil.birthDate = toDate(born, date1904);
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
