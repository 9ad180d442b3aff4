#include "rating/NameWords.h"

namespace {

// Suffixes, even chained ones ("Ádáméknál"), are short lower-case endings; a longer tail makes another word.
constexpr qsizetype kLongestSuffix = 8;

bool isSuffix(QStringView rest) {
    if (rest.isEmpty() || rest.size() > kLongestSuffix)
        return false;
    for (QChar c : rest)
        if (!c.isLetter() || !c.isLower())
            return false;
    return true;
}

bool stemThenSuffix(const QString &word, const QString &stem) {
    return word.size() > stem.size() && word.startsWith(stem) && isSuffix(QStringView(word).mid(stem.size()));
}

} // namespace

namespace NameWords {

QStringList split(const QString &name) {
    QStringList words;
    QString current;
    auto flush = [&] {
        if (current.size() >= 2)
            words << current;
        current.clear();
    };
    for (QChar c : name) {
        if (c.isLetter())
            current += c;
        else
            flush();
    }
    flush();
    return words;
}

bool matches(const QString &word, const QString &name) {
    if (name.isEmpty() || word.size() < name.size())
        return false;
    if (word == name)
        return true;
    if (stemThenSuffix(word, name))
        return true;
    if (word.size() > name.size() + 1 && word.startsWith(name) && word.at(name.size()) == QLatin1Char('-') &&
        isSuffix(QStringView(word).mid(name.size() + 1)))
        return true;
    const QChar last = name.back();
    if (last == QLatin1Char('a'))
        return stemThenSuffix(word, name.chopped(1) + QStringLiteral("á"));
    if (last == QLatin1Char('e'))
        return stemThenSuffix(word, name.chopped(1) + QStringLiteral("é"));
    // A double letter (cs, dz, gy, ly, ny, sz, ty, zs) doubles its first letter before a suffix that
    // assimilates: Balázs + val = Balázzsal.
    static const QStringList digraphs = {QStringLiteral("cs"), QStringLiteral("dz"), QStringLiteral("gy"),
                                         QStringLiteral("ly"), QStringLiteral("ny"), QStringLiteral("sz"),
                                         QStringLiteral("ty"), QStringLiteral("zs")};
    for (const QString &d : digraphs)
        if (name.endsWith(d))
            return stemThenSuffix(word, name.chopped(2) + d.at(0) + d);
    return false;
}

} // namespace NameWords
