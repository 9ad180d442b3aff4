#pragma once

#include <QString>
#include <QStringList>

// Where the program finds its files, both when it runs from a copied folder (everything beside the
// executable, as on Windows) and when it is installed as a package (executable in /usr/bin, data in
// /usr/share/lorvanto, the database wherever the school keeps it).
namespace ProgramFiles {

// The places a database path can be given, strongest first.
enum class DatabaseSource { CommandLine, Environment, UserSettings, SystemSettings, ProgramDir };

// What the environment and the settings files say about the database, read once at start-up. An empty
// text means the place says nothing.
struct DatabaseSettings {
    QString environment; // LORVANTO_DATABASE
    QString user;        // key "database" of the user's settings
    QString system;      // key "database" of the system-wide settings
    // The school's database key, looked up in the same places: LORVANTO_KEY and the "key" entries.
    QString keyEnvironment;
    QString keyUser;
    QString keySystem;
    // Settings files that could not be read, one Hungarian sentence each; they were left out.
    QStringList problems;
};

struct DatabaseChoice {
    QString path;
    DatabaseSource source;
};

// The first place that gives a path wins: the command line, the environment, the user's settings, the
// system-wide settings; without any, the database file beside the program.
DatabaseChoice chooseDatabase(const QString &commandLine, const DatabaseSettings &settings,
                              const QString &programDir);

// Reads LORVANTO_DATABASE, LORVANTO_KEY and the keys "database" and "key" of the settings of organisation
// "Lorvanto", application "lorvanto" (on Linux ~/.config/Lorvanto/lorvanto.conf, then
// /etc/xdg/Lorvanto/lorvanto.conf).
DatabaseSettings readDatabaseSettings();

// The help page: beside the program, else in the installed data folder (share/lorvanto next to the
// program's bin folder), whichever exists; the one beside the program when neither does, so that a
// message can name where it was looked for.
QString helpFile(const QString &programDir);

} // namespace ProgramFiles
