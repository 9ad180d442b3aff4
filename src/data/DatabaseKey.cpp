#include "data/DatabaseKey.h"

#include "data/DbError.h"

#include <QDir>
#include <QFile>
#include <QStringList>
#include <sodium.h>
#include <sqlite3.h>

QByteArray databaseKey() {
    return QByteArrayLiteral("Qm7rTz52_%wK=8)");
}

QByteArray DatabaseKey::generate() {
    if (sodium_init() < 0)
        throw DbError(QStringLiteral("A véletlenszám-forrás nem érhető el, kulcs nem készíthető."));
    QByteArray raw(kRawSize, Qt::Uninitialized);
    randombytes_buf(raw.data(), size_t(raw.size()));
    return raw;
}

QByteArray DatabaseKey::engineKey(const QByteArray &raw) {
    return QByteArrayLiteral("x'") + raw.toHex().toUpper() + QByteArrayLiteral("'");
}

QString DatabaseKey::settingsLine(const QByteArray &raw) {
    return QStringLiteral("key=") + QString::fromLatin1(raw.toBase64());
}

QByteArray DatabaseKey::parse(const QString &text) {
    QString value = text.trimmed();
    // Bare base64 may itself begin with "key"; only "key" alone before the first "=" is the line's name.
    const qsizetype eq = value.indexOf(QLatin1Char('='));
    if (eq > 0 && value.left(eq).trimmed() == QLatin1String("key"))
        value = value.mid(eq + 1).trimmed();
    const auto decoded =
        QByteArray::fromBase64Encoding(value.toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded || decoded.decoded.size() != kRawSize)
        return {};
    return decoded.decoded;
}

QString DatabaseKey::sourceName(Source source) {
    switch (source) {
    case Source::Session:
        return QStringLiteral("az átalakításkor készült új kulcs");
    case Source::KeyFile:
        return QStringLiteral("a --key-file kapcsolóval megadott fájl kulcsa");
    case Source::Environment:
        return QStringLiteral("a LORVANTO_KEY környezeti változó kulcsa");
    case Source::UserSettings:
        return QStringLiteral("a felhasználó beállítófájljának kulcsa");
    case Source::SystemSettings:
        return QStringLiteral("a rendszerszintű beállítófájl kulcsa");
    case Source::BuiltIn:
        break;
    }
    return QStringLiteral("a program beépített kulcsa");
}

namespace {

// An encrypted database is whole pages of seemingly random bytes; a file that is not (a text, a plain
// SQLite file, an empty or cut file) is no database of any key, and is told so rather than blamed on keys.
bool looksEncrypted(const QString &path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly) || f.size() == 0 || f.size() % 1024 != 0)
        return false;
    return !f.read(16).startsWith("SQLite format 3");
}

} // namespace

DatabaseKey::Key DatabaseKey::openFirst(const QString &path, const QList<Key> &keys,
                                        const std::function<void(const QByteArray &)> &open) {
    QStringList tried;
    for (const Key &key : keys) {
        try {
            open(key.engine);
            return key;
        } catch (const KeyRefused &) {
            if (!looksEncrypted(path))
                throw;
            tried << sourceName(key.source);
        }
    }
    const bool schoolKeyGiven = keys.size() > 1 || (!keys.isEmpty() && keys[0].source != Source::BuiltIn);
    throw WrongKey(
        QStringLiteral("A(z) „%1” fájl nem olvasható ennek a telepítésnek a kulcsával (kipróbálva: %2%3).")
            .arg(QDir::toNativeSeparators(path), tried.join(QStringLiteral(", ")),
                 schoolKeyGiven ? QString()
                                : QStringLiteral("; iskolai kulcsot sem a --key-file kapcsoló, sem a "
                                                 "LORVANTO_KEY környezeti változó, sem a beállítófájlok nem "
                                                 "adnak meg")),
        SQLITE_NOTADB);
}
