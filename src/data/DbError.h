#pragma once

#include <QDir>
#include <QString>
#include <stdexcept>

// The one exception type of the data layer. It carries the engine's message (or the layer's own, in
// Hungarian, for a misuse such as an unknown command name); windows show it and end the current action.
class DbError : public std::runtime_error {
public:
    explicit DbError(const QString &message, int code = 0, const QString &sqlState = QString())
        : std::runtime_error(message.toStdString()), m_message(message), m_code(code), m_sqlState(sqlState) {}
    QString message() const { return m_message; }
    // The SQLite result code, or 0 when the error did not come from the engine.
    int code() const { return m_code; }
    // The five-character SQLSTATE of a PostgreSQL server's error; empty for a file's.
    QString sqlState() const { return m_sqlState; }

private:
    QString m_message;
    int m_code;
    QString m_sqlState;
};

// The database file is not where the program looks for it. The message names the path: an installed
// program looks wherever its settings point, not only beside itself.
class DatabaseMissing : public DbError {
public:
    explicit DatabaseMissing(const QString &path)
        : DbError(QStringLiteral("Az adatbázis nem található!\n\n%1").arg(QDir::toNativeSeparators(path))),
          m_path(path) {}
    QString path() const { return m_path; }

private:
    QString m_path;
};

// A write by key found no row: another user (or another window) deleted it meanwhile. Nothing was written;
// the message tells the user so.
class RowGone : public DbError {
public:
    explicit RowGone(const QString &message = defaultMessage()) : DbError(message) {}
    static QString defaultMessage() {
        return QStringLiteral("Az elemet időközben törölték (talán egy másik felhasználó), ezért a "
                              "változtatás nem menthető.");
    }
};

// The engine could not read a file under the key it was given: the file is under another key, or it is no
// database at all.
class KeyRefused : public DbError {
public:
    using DbError::DbError;
};

// None of the keys this installation holds opens the file. The message is one Hungarian sentence naming the
// places the keys came from, never a key.
class WrongKey : public DbError {
public:
    using DbError::DbError;
};
