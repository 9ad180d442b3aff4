#include "data/PasswordHash.h"

#include "data/DbError.h"

#include <sodium.h>

namespace {
void ensureSodium() {
    static const bool ready = sodium_init() >= 0;
    if (!ready)
        throw DbError(QStringLiteral("A titkosító könyvtár nem indítható el."));
}
} // namespace

QString PasswordHash::hash(const QString &password) {
    ensureSodium();
    const QByteArray pw = password.toUtf8();
    char out[crypto_pwhash_STRBYTES];
    if (crypto_pwhash_str(out, pw.constData(), quint64(pw.size()), crypto_pwhash_OPSLIMIT_INTERACTIVE,
                          crypto_pwhash_MEMLIMIT_INTERACTIVE) != 0)
        throw DbError(QStringLiteral("Nincs elég memória a jelszó titkosításához."));
    return QString::fromLatin1(out);
}

bool PasswordHash::isHash(const QString &stored) {
    return stored.startsWith(QLatin1String("$argon2"));
}

bool PasswordHash::verify(const QString &stored, const QString &typed) {
    if (stored.isEmpty())
        return false;
    if (!isHash(stored))
        return stored == typed;
    ensureSodium();
    const QByteArray s = stored.toLatin1();
    const QByteArray pw = typed.toUtf8();
    return crypto_pwhash_str_verify(s.constData(), pw.constData(), quint64(pw.size())) == 0;
}
