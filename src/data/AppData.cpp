#include "data/AppData.h"

#include "data/Catalogue.h"
#include "data/DatabaseKey.h"
#include "data/DbError.h"
#include "data/Schema.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

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

QList<DatabaseKey::Key> AppData::databaseKeys() const {
    using DatabaseKey::Source;
    QList<DatabaseKey::Key> keys;
    if (!givenKey.isEmpty())
        keys.append({givenKey, Source::Session});
    QString fromFile;
    if (!keyFile.isEmpty()) {
        QFile f(keyFile);
        if (!f.open(QIODevice::ReadOnly))
            throw DbError(
                QStringLiteral("A kulcsfájl nem olvasható: %1").arg(QDir::toNativeSeparators(keyFile)));
        fromFile = QString::fromUtf8(f.read(4096)).trimmed();
    }
    const std::pair<const QString &, Source> given[] = {
        {fromFile, Source::KeyFile},
        {databaseSettings.keyEnvironment, Source::Environment},
        {databaseSettings.keyUser, Source::UserSettings},
        {databaseSettings.keySystem, Source::SystemSettings},
    };
    for (const auto &[text, source] : given) {
        if (text.isEmpty() && !(source == Source::KeyFile && !keyFile.isEmpty()))
            continue;
        const QByteArray raw = DatabaseKey::parse(text);
        if (raw.isEmpty())
            throw DbError(QStringLiteral("Nem érvényes iskolai kulcs: %1 nem egy „key=” kezdetű, 32 bájtos "
                                         "base64 kulcs.")
                              .arg(DatabaseKey::sourceName(source)));
        keys.append({DatabaseKey::engineKey(raw), source});
        break;
    }
    keys.append({databaseKey(), Source::BuiltIn});
    return keys;
}

void AppData::openWithKeys(Connection &connection, const QString &path, bool verifyFile) const {
    DatabaseKey::openFirst(path, databaseKeys(),
                           [&](const QByteArray &key) { connection.open(path, key, verifyFile); });
}

void AppData::openDatabase(const QString &path) {
    devDB.close();
    openWithKeys(devDB.connection(), path);
    Schema::upgrade(devDB.connection());
    // The same file, just checked: the printing connection need not check it again.
    devPrint.open(path, devDB.connection().key(), false);
}

AppData::Scope::Scope(AppData &data) : m_previous(g_current) {
    g_current = &data;
}

AppData::Scope::~Scope() {
    g_current = m_previous;
}
