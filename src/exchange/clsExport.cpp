#include "exchange/clsExport.h"

#include "data/AppData.h"
#include "data/DatabaseCopy.h"

void clsExport::ExportDB(const QString &path) {
    DatabaseCopy::backup(AppData::current().devDB.connection(), path);
}
