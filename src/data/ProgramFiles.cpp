#include "data/ProgramFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace {

const QString kDatabaseFile = QStringLiteral("msvcrx.dll");
const QString kHelpFile = QStringLiteral("lorvanto.html");

// One settings file on its own, so that a broken one is named and the other still counts. Gives the
// database path; key gets the "key" entry.
QString readSettingsFile(QSettings::Scope scope, QStringList &problems, QString &key) {
    const QString file =
        QSettings(QSettings::NativeFormat, scope, QStringLiteral("Lorvanto"), QStringLiteral("lorvanto"))
            .fileName();
    QSettings settings(file, QSettings::NativeFormat);
    if (settings.status() != QSettings::NoError) {
        problems << QStringLiteral("A beállítófájl nem olvasható, a program nem veszi figyelembe:\n%1")
                        .arg(QDir::toNativeSeparators(file));
        return {};
    }
    key = settings.value(QStringLiteral("key")).toString().trimmed();
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
    settings.keyEnvironment = qEnvironmentVariable("LORVANTO_KEY").trimmed();
    settings.user = readSettingsFile(QSettings::UserScope, settings.problems, settings.keyUser);
    settings.system = readSettingsFile(QSettings::SystemScope, settings.problems, settings.keySystem);
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
