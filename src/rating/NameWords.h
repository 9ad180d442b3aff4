#pragma once

#include <QString>
#include <QStringList>

// Pupils' names as they stand in Hungarian text: a name is written capitalised and takes its suffixes
// glued on ("Petrának", "Ádámmal", "Balázzsal", "Kiss-szel").
namespace NameWords {

// The words of a name ("Kiss-Nagy Anna" gives "Kiss", "Nagy", "Anna"); words shorter than two letters
// (initials) are left out.
QStringList split(const QString &name);

// Whether a word of a text is the name word itself or the name word with a Hungarian suffix: a final a/e
// lengthened before the suffix, a final double letter doubled ("zs" becomes "zzs"), or a hyphen before it.
bool matches(const QString &word, const QString &name);

} // namespace NameWords
