#include "data/WriteTarget.h"

#include "data/AppData.h"
#include "data/DbError.h"
#include "data/PgConnection.h"
#include "data/modSub.h"

#include <QDir>
#include <QFileInfo>
#include <filesystem>
#include <system_error>

namespace {

namespace fs = std::filesystem;

fs::path nativePath(const QString &path) {
    return fs::path(path.toStdU16String());
}

// Both paths name one existing file, however they reach it (links, "..", letter case, hard links).
bool sameFile(const QString &a, const QString &b) {
    std::error_code ec;
    const bool same = fs::equivalent(nativePath(a), nativePath(b), ec);
    return !ec && same;
}

// The path as the file system resolves it, also for a file that does not exist yet: links followed (one
// that points nowhere is written through all the same), the folder resolved, the name kept.
QString resolved(const QString &path) {
    QFileInfo info(QFileInfo(path).absoluteFilePath());
    for (int hops = 0; hops < 32 && info.isSymLink(); ++hops)
        info = QFileInfo(info.symLinkTarget());
    if (info.exists())
        return info.canonicalFilePath();
    const QString folder = QFileInfo(info.absolutePath()).canonicalFilePath();
    return folder.isEmpty() ? info.absoluteFilePath() : folder + QLatin1Char('/') + info.fileName();
}

// Whether the folder of an existing file ignores letter case: the file is found under its name with the
// case turned.
bool ignoresCase(const QString &file) {
    const QFileInfo info(file);
    const QString name = info.fileName();
    const QString turned = name.toUpper() != name ? name.toUpper() : name.toLower();
    return turned != name && sameFile(file, info.absolutePath() + QLatin1Char('/') + turned);
}

} // namespace

QStringList WriteTarget::protectedFiles() {
    QStringList files;
    if (AppData::hasCurrent()) {
        AppData &app = AppData::current();
        for (CommandSet *set : {&app.devDB, &app.devPrint, &app.devExp})
            if (set->isOpen() && !set->connection().path().isEmpty())
                files << set->connection().path();
        try {
            files << modSub::GetDatabasePath();
        } catch (const DbError &) {
            // No database file where the settings point: nothing there to protect.
        }
    }
    // A database on a server is no file that a save could overwrite.
    files.removeIf([](const QString &file) { return PgConnection::isUri(file); });
    files.removeDuplicates();
    return files;
}

QString WriteTarget::refusal(const QString &path) {
    if (path.trimmed().isEmpty())
        return {};
    const QString target = resolved(path);
    for (const QString &database : protectedFiles()) {
        const QString base = resolved(database);
        const Qt::CaseSensitivity cs = ignoresCase(base) ? Qt::CaseInsensitive : Qt::CaseSensitive;
        for (const QLatin1String end :
             {QLatin1String(""), QLatin1String("-journal"), QLatin1String("-wal"), QLatin1String("-shm")}) {
            const QString file = base + end;
            if (sameFile(path, file) || target.compare(file, cs) == 0)
                return QStringLiteral("A fájl nem menthető ide, mert ez a program adatbázisa vagy annak "
                                      "naplófájlja, és a mentés tönkretenné az adatokat:\n%1\nVálasszon "
                                      "másik fájlt!")
                    .arg(QDir::toNativeSeparators(path));
        }
    }
    return {};
}

void WriteTarget::check(const QString &path) {
    const QString why = refusal(path);
    if (!why.isEmpty())
        throw DbError(why);
}

QString WriteTarget::withSuffix(const QString &path, const QString &suffix) {
    if (path.isEmpty() || !QFileInfo(path).suffix().isEmpty())
        return path;
    QString named = path;
    while (named.endsWith(QLatin1Char('.')))
        named.chop(1);
    return named + QLatin1Char('.') + suffix;
}
