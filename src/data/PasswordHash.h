#pragma once

#include <QString>

// Passwords are kept as salted, slow hashes (argon2id), never as the text typed. Every database file travels
// with class checkouts, so a readable password would travel with it.
namespace PasswordHash {

QString hash(const QString &password);
// Whether a stored value is a hash made by hash() (otherwise it is a plain text from an older file).
bool isHash(const QString &stored);
// Checks a typed password against the stored value: a hash is verified, an older plain text is compared
// exactly (case and spaces count). An empty stored value matches nothing.
bool verify(const QString &stored, const QString &typed);

} // namespace PasswordHash
