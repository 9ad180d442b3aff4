// libFuzzer target: any bytes offered as a pupil list go through the readers of all three spreadsheet kinds,
// exactly as a file chosen by the user would (FreeXL reads only from disk, so every kind gets a file).
#include "admin/PupilSheet.h"

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    static QTemporaryDir dir;
    for (const char *suffix : {"xls", "xlsx", "ods"}) {
        const QString path = dir.filePath(QStringLiteral("lista.") + QLatin1String(suffix));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
            continue;
        file.close();
        PupilSheet sheet;
        const bool ok = sheet.read(path);
        // A refused file carries a message for the user and no rows; an accepted one stays within the limit.
        if (!ok && (sheet.error().isEmpty() || !sheet.rows().isEmpty()))
            __builtin_trap();
        if (ok && sheet.rows().size() > PupilSheet::kMaxRows)
            __builtin_trap();
    }
    return 0;
}
