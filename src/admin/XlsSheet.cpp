#include "admin/XlsSheet.h"

#include <QFile>
#include <freexl.h>

namespace {

// FreeXL hands out a handle that must be closed even when opening failed.
class XlsHandle {
public:
    ~XlsHandle() {
        if (m_handle)
            freexl_close(m_handle);
    }
    const void *m_handle = nullptr;
};

} // namespace

bool XlsSheet::readFile(const QString &path) {
    XlsHandle xls;
    if (freexl_open(QFile::encodeName(path).constData(), &xls.m_handle) != FREEXL_OK || !xls.m_handle)
        return false;
    unsigned int sheetCount = 0;
    if (freexl_get_info(xls.m_handle, FREEXL_BIFF_SHEET_COUNT, &sheetCount) != FREEXL_OK)
        return false;
    // The sheet called Sheet1, otherwise the first one ("Munka1" in a Hungarian Excel).
    int sheet = sheetCount > 0 ? 0 : -1;
    for (unsigned int i = 0; i < sheetCount && i < 0xFFFF; ++i) {
        const char *name = nullptr;
        if (freexl_get_worksheet_name(xls.m_handle, static_cast<unsigned short>(i), &name) != FREEXL_OK)
            return false;
        if (name && QString::fromUtf8(name).compare(QLatin1String("Sheet1"), Qt::CaseInsensitive) == 0) {
            sheet = int(i);
            break;
        }
    }
    if (sheet < 0)
        return false;
    unsigned int rows = 0;
    unsigned short columns = 0;
    if (freexl_select_active_worksheet(xls.m_handle, static_cast<unsigned short>(sheet)) != FREEXL_OK ||
        freexl_worksheet_dimensions(xls.m_handle, &rows, &columns) != FREEXL_OK)
        return false;
    // An .xls sheet has at most 65536 rows and 256 columns; anything claiming more is damaged.
    if (rows > 65536 || columns > 256)
        return false;
    const unsigned short readColumns = std::min<unsigned short>(columns, kMaxColumns);
    for (unsigned int r = 0; r < rows; ++r) {
        SheetRow row;
        row.reserve(readColumns);
        for (unsigned short c = 0; c < readColumns; ++c) {
            FreeXL_CellValue value{};
            if (freexl_get_cell_value(xls.m_handle, r, c, &value) != FREEXL_OK)
                return false;
            switch (value.type) {
            case FREEXL_CELL_INT:
                row.append(SheetCell::fromNumber(value.value.int_value));
                break;
            case FREEXL_CELL_DOUBLE:
                row.append(SheetCell::fromNumber(value.value.double_value));
                break;
            case FREEXL_CELL_TEXT:
            case FREEXL_CELL_SST_TEXT:
            case FREEXL_CELL_TIME:
                row.append(SheetCell::fromText(
                    value.value.text_value ? QString::fromUtf8(value.value.text_value) : QString()));
                break;
            case FREEXL_CELL_DATE:
            case FREEXL_CELL_DATETIME:
                row.append(value.value.text_value
                               ? SheetCell::fromIsoDate(QString::fromUtf8(value.value.text_value))
                               : SheetCell());
                break;
            default:
                row.append(SheetCell());
            }
        }
        if (!addRow(row))
            return false;
    }
    return true;
}
