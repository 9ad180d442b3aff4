#include "data/ProgramFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace {

const QString kDatabaseFile = QStringLiteral("msvcrx.dll");
const QString kHelpFile = QStringLiteral("lorvanto.html");

// One settings file on its own, so that a broken one is named and the other still counts.
QString readDatabaseKey(QSettings::Scope scope, QStringList &problems) {
    const QString file =
        QSettings(QSettings::NativeFormat, scope, QStringLiteral("Lorvanto"), QStringLiteral("lorvanto"))
            .fileName();
    QSettings settings(file, QSettings::NativeFormat);
    if (settings.status() != QSettings::NoError) {
        problems << QStringLiteral("A beállítófájl nem olvasható, a program nem veszi figyelembe:\n%1")
                        .arg(QDir::toNativeSeparators(file));
        return {};
    }
    const QVariant value = settings.value(QStringLiteral("database"));
    // An unquoted comma makes a list of the value; a path may well hold one.
    const QString path = value.typeId() == QMetaType::QStringList
                             ? value.toStringList().join(QLatin1Char(','))
                             : value.toString();
    return path.trimmed();
}

} // namespace

ProgramFiles::DatabaseChoice ProgramFiles::chooseDatabase(const QString &commandLine,
                                                          const DatabaseSettings &settings,
                                                          const QString &programDir) {
    const std::pair<const QString &, DatabaseSource> given[] = {
        {commandLine, DatabaseSource::CommandLine},
        {settings.environment, DatabaseSource::Environment},
        {settings.user, DatabaseSource::UserSettings},
        {settings.system, DatabaseSource::SystemSettings},
    };
    for (const auto &[path, source] : given) {
        if (!path.isEmpty())
            return {path, source};
    }
    return {QDir(programDir).filePath(kDatabaseFile), DatabaseSource::ProgramDir};
}

ProgramFiles::DatabaseSettings ProgramFiles::readDatabaseSettings() {
    DatabaseSettings settings;
    settings.environment = qEnvironmentVariable("LORVANTO_DATABASE").trimmed();
    settings.user = readDatabaseKey(QSettings::UserScope, settings.problems);
    settings.system = readDatabaseKey(QSettings::SystemScope, settings.problems);
    return settings;
}

QString ProgramFiles::helpFile(const QString &programDir) {
    const QDir dir(programDir);
    const QString beside = dir.filePath(kHelpFile);
    const QString installed = QDir::cleanPath(dir.filePath(QStringLiteral("../share/lorvanto/") + kHelpFile));
    if (!QFileInfo(beside).isFile() && QFileInfo(installed).isFile())
        return installed;
    return beside;
}
