#pragma once

#include "admin/SheetReader.h"

#include <QByteArray>
#include <QLatin1StringView>

class QuaZip;
class QXmlStreamReader;

// The spreadsheets that are zip archives of XML parts (.xlsx, .ods): the file is read whole, within the
// size limit, and the archive opened in memory; each format reads its parts from there.
class ZipSheet : public SheetReader {
protected:
    bool readFile(const QString &path) final;
    virtual bool readArchive(QuaZip &zip) = 0;

    // Reads one member of the archive whole, up to the size limit. A member that is missing is an error
    // only when it is required.
    static bool readEntry(QuaZip &zip, const QString &name, QByteArray &out, bool required = true);
    static QString attribute(const QXmlStreamReader &xml, QLatin1StringView name);
};
