#pragma once

#include "admin/ZipSheet.h"

// An OpenDocument spreadsheet (.ods), as LibreOffice writes it: every sheet in content.xml, one element
// standing for many equal rows or cells.
class OdsSheet final : public ZipSheet {
protected:
    bool readArchive(QuaZip &zip) override;
};
