#pragma once

#include "data/CommandSet.h"
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

    // Points devDB and devPrint at the database file (the exchange set is pointed at copies by the
    // exchange windows). Throws DbError when the file is missing, foreign or damaged.
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
