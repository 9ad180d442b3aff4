#pragma once

#include "admin/ZipSheet.h"

#include <QStringList>

// An Excel workbook (.xlsx): the workbook names its sheets, its relations say which part holds each,
// texts may stand in the shared strings.
class XlsxSheet final : public ZipSheet {
public:
    // Writes a workbook whose one sheet holds the given headings in its first row. False when the file
    // cannot be written.
    static bool writeHeadings(const QString &path, const QStringList &headings);

protected:
    bool readArchive(QuaZip &zip) override;
};
