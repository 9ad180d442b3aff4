#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <functional>

// The built-in key, as the engine takes it. Files made before schools had keys of their own are under it;
// it is handed only to the engine and never shown, logged or written anywhere.
QByteArray databaseKey();

// A school's own key: 32 random bytes, kept by the school as one settings line ("key=" and the bytes in
// base64) and handed to the engine as raw key data, so opening runs no passphrase derivation. Neither the
// bytes nor the line appear in a message, the log or the window title; only the conversion shows the line.
namespace DatabaseKey {

constexpr int kRawSize = 32;

// Where a key came from: the places of a school key strongest first, then the built-in key.
enum class Source { Session, KeyFile, Environment, UserSettings, SystemSettings, BuiltIn };

struct Key {
    QByteArray engine; // what the engine is keyed with
    Source source;
};

// A fresh school key from libsodium's random source.
QByteArray generate();
// The raw key in the engine's form for raw key data: x'…64 hex digits…'.
QByteArray engineKey(const QByteArray &raw);
// The settings line that carries the key: "key=" and the key in base64.
QString settingsLine(const QByteArray &raw);
// The raw key of a settings line or of the bare base64 (spaces around ignored); empty when the text holds
// no key of the right size.
QByteArray parse(const QString &text);

// The Hungarian name of a source, for messages.
QString sourceName(Source source);

// Calls open with each key in turn until one opens the file; gives that key. A key the file refuses
// (KeyRefused) moves on to the next; every other error is thrown at once. When none opens it, throws
// WrongKey naming the sources tried, or the last refusal for a file that does not even look like an
// encrypted database (plain text, a plain SQLite file).
Key openFirst(const QString &path, const QList<Key> &keys,
              const std::function<void(const QByteArray &)> &open);

} // namespace DatabaseKey
