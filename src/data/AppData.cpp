#include "data/AppData.h"

#include "data/Catalogue.h"
#include "data/DatabaseKey.h"
#include "data/DbError.h"
#include "data/Schema.h"

#include <QCoreApplication>

namespace {
AppData *g_current = nullptr;
}

AppData::AppData()
    : devDB(QStringLiteral("devDB"), Catalogue::devDB()),
      devPrint(QStringLiteral("devPrint"), Catalogue::devPrint()),
      devExp(QStringLiteral("devExp"), Catalogue::devExp()) {
    if (QCoreApplication::instance())
        programDir = QCoreApplication::applicationDirPath();
    if (!g_current)
        g_current = this;
}

AppData::~AppData() {
    if (g_current == this)
        g_current = nullptr;
}

AppData &AppData::current() {
    if (!g_current)
        throw DbError(QStringLiteral("A program adatai nincsenek betöltve."));
    return *g_current;
}

bool AppData::hasCurrent() {
    return g_current != nullptr;
}

void AppData::setCurrent(AppData *data) {
    g_current = data;
}

void AppData::openDatabase(const QString &path) {
    devDB.open(path, databaseKey());
    Schema::upgrade(devDB.connection());
    // The same file, just checked: the printing connection need not check it again.
    devPrint.open(path, databaseKey(), false);
}

AppData::Scope::Scope(AppData &data) : m_previous(g_current) {
    g_current = &data;
}

AppData::Scope::~Scope() {
    g_current = m_previous;
}
