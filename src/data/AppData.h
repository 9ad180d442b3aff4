#pragma once

#include "data/CommandSet.h"
#include "data/DatabaseKey.h"
#include "data/ProgramFiles.h"

#include <QString>

// Who is logged in: the USERS row of the login that succeeded, as it was at that moment.
struct LoginState {
    Record currentUser;
    bool isAdmin = false;
    bool loggedIn = false;
    int userId() const { return currentUser.isEmpty() ? 0 : currentUser.toInt(QStringLiteral("usr_id")); }
    QString login() const {
        return currentUser.isEmpty() ? QString() : currentUser.toString(QStringLiteral("usr_login"));
    }
};

// What the running program holds for its whole run: the three command sets, the login state and where
// its files are. One instance is current; the shared routines work on it.
class AppData {
public:
    AppData();
    ~AppData();
    AppData(const AppData &) = delete;
    AppData &operator=(const AppData &) = delete;

    static AppData &current();
    static bool hasCurrent();
    static void setCurrent(AppData *data);

    CommandSet devDB;
    CommandSet devPrint;
    CommandSet devExp;
    LoginState login;

    // The program's own folder: the database and help file live beside the program unless placed
    // elsewhere.
    QString programDir;
    // A database file given on the command line (--database); it wins over every other setting.
    QString databaseOverride;
    // What the environment and the settings files say about the database; nothing unless the program
    // read them at start-up, so tests and tools see only what they set.
    ProgramFiles::DatabaseSettings databaseSettings;
    QString helpFile;
    // A file holding the school's key (--key-file): the settings line or just the base64.
    QString keyFile;
    // A school key this run made (a conversion of the database), as the engine takes it; it wins over every
    // place a key can be given.
    QByteArray givenKey;

    // The keys this installation holds, in the order they are tried: the key this run made, the school key
    // of the first place that gives one (key file, environment, user's settings, system-wide settings), and
    // the built-in key, which opens the files made before the school had a key. Throws DbError when that
    // place gives no valid key.
    QList<DatabaseKey::Key> databaseKeys() const;
    // Opens the connection on a file under the first of those keys that reads it; throws WrongKey when none
    // does.
    void openWithKeys(Connection &connection, const QString &path, bool verifyFile = true) const;

    // Points devDB and devPrint at the database file (the exchange set is pointed at copies by the
    // exchange windows), under the first key of databaseKeys() that reads it. Throws DbError when the file
    // is missing, foreign or damaged, WrongKey when no key of this installation reads it; nothing is
    // written then.
    void openDatabase(const QString &path);

    // Makes this instance current for a scope (a test acting as a second copy of the program).
    class Scope {
    public:
        explicit Scope(AppData &data);
        ~Scope();

    private:
        AppData *m_previous;
    };
};
