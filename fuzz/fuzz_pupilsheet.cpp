// libFuzzer target: any bytes offered as a pupil list go through the readers of all three spreadsheet kinds,
// as a file chosen by the user would. FreeXL reads only from disk, so the .xls reader gets a temporary file.
#include "admin/PupilSheet.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>

namespace {

void checkRows(const PupilSheet &sheet, bool ok) {
    // A refused file carries a message and no rows; an accepted one never more rows than the limit.
    if (!ok && (sheet.error().isEmpty() || !sheet.rows().isEmpty()))
        __builtin_trap();
    if (ok && sheet.rows().size() > PupilSheet::kMaxRows)
        __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    {
        PupilSheet sheet;
        checkRows(sheet, sheet.readXlsx(bytes));
    }
    {
        PupilSheet sheet;
        checkRows(sheet, sheet.readOds(bytes));
    }
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("lista.xls"));
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size()) {
        file.close();
        PupilSheet sheet;
        checkRows(sheet, sheet.readXls(path));
    }
    return 0;
}
