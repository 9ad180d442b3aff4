#pragma once

#include <QString>

// Writing data out of this installation.
class clsExport {
public:
    // Saves a consistent copy of the whole database to path, overwriting it only once the copy is complete.
    static void ExportDB(const QString &path);
};
