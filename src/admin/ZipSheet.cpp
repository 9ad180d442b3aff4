#include "admin/ZipSheet.h"

#include <QBuffer>
#include <QFile>
#include <QXmlStreamReader>
#include <quazip/quazip.h>
#include <quazip/quazipfile.h>

bool ZipSheet::readFile(const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxXmlBytes)
        return false;
    QBuffer buffer;
    buffer.setData(file.readAll());
    QuaZip zip(&buffer);
    if (!zip.open(QuaZip::mdUnzip))
        return false;
    return readArchive(zip);
}

bool ZipSheet::readEntry(QuaZip &zip, const QString &name, QByteArray &out, bool required) {
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
        if (out.size() + n > kMaxXmlBytes)
            return false;
        out.append(chunk, n);
    }
    file.close();
    return file.getZipError() == UNZ_OK;
}

QString ZipSheet::attribute(const QXmlStreamReader &xml, QLatin1StringView name) {
    return xml.attributes().value(name).toString();
}
