#pragma once

#include <QString>
#include <QStringList>

// The one check every file the program writes passes first: no export, copy or PDF may land on the open
// database file or on the files the engine keeps beside it (its rollback journal, and the -wal and -shm
// files of the write-ahead mode), since writing there replaces or damages the school's data. Paths are
// compared as the file system resolves them: symbolic links, "..", hard links, and letter case where the
// file system ignores it.
namespace WriteTarget {

// The database files of this program that must never be written over: every open connection's file, and
// the file the settings point at.
QStringList protectedFiles();

// Empty when path may be written; otherwise the message that tells the user why not.
QString refusal(const QString &path);

// Throws DbError with the refusal when path may not be written. Nothing has been written then.
void check(const QString &path);

// path with ".suffix" added when the file name has no extension of its own ("osztaly" → "osztaly.mb").
QString withSuffix(const QString &path, const QString &suffix);

} // namespace WriteTarget
