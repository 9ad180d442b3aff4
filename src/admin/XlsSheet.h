#pragma once

#include "admin/SheetReader.h"

// An Excel 97–2003 workbook (.xls), read with FreeXL. The library has crashed and looped on damaged
// files; PupilSheet therefore reads these in a child process where it can.
class XlsSheet final : public SheetReader {
protected:
    bool readFile(const QString &path) override;
};
