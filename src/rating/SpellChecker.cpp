#include "rating/SpellChecker.h"

#include "data/WriteTarget.h"
#include "rating/NameWords.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTextStream>
#include <hunspell.hxx>
#include <iconv.h>

#include <algorithm>
#include <cerrno>

namespace {

// Converts between a dictionary's 8-bit encoding and UTF-8 with the C library's iconv.
std::string convert(const std::string &in, const char *to, const char *from) {
    iconv_t cd = iconv_open(to, from);
    if (cd == iconv_t(-1))
        return in;
    std::string out(in.size() * 4 + 8, '\0');
    char *src = const_cast<char *>(in.data());
    size_t srcLeft = in.size();
    char *dst = out.data();
    size_t dstLeft = out.size();
    while (srcLeft > 0) {
        if (iconv(cd, &src, &srcLeft, &dst, &dstLeft) != size_t(-1))
            break;
        if (errno != EILSEQ && errno != EINVAL)
            break;
        // A letter the dictionary's alphabet lacks: the word cannot be in it; keep a mark in its place.
        ++src;
        --srcLeft;
        if (dstLeft > 0) {
            *dst++ = '?';
            --dstLeft;
        }
    }
    iconv_close(cd);
    out.resize(out.size() - dstLeft);
    return out;
}

bool isWordLetter(QChar c) {
    return c.isLetter() || c.category() == QChar::Mark_NonSpacing;
}

} // namespace

SpellChecker::SpellChecker(const QString &dictionary, const QString &personalList)
    : m_personalPath(personalList) {
    const QString aff = dictionary + QStringLiteral(".aff");
    const QString dic = dictionary + QStringLiteral(".dic");
    if (!dictionary.isEmpty() && QFileInfo(aff).isReadable() && QFileInfo(dic).isReadable()) {
        m_hunspell = std::make_unique<Hunspell>(QFile::encodeName(aff).constData(),
                                                QFile::encodeName(dic).constData());
        m_encoding = QString::fromLatin1(m_hunspell->get_dic_encoding()).toUpper();
    }
    loadPersonal();
}

SpellChecker::~SpellChecker() = default;

std::string SpellChecker::encode(const QString &s) const {
    const QByteArray utf8 = s.toUtf8();
    if (m_encoding.isEmpty() || m_encoding == QLatin1String("UTF-8"))
        return utf8.toStdString();
    return convert(utf8.toStdString(), m_encoding.toLatin1().constData(), "UTF-8");
}

QString SpellChecker::decode(const std::string &s) const {
    if (m_encoding.isEmpty() || m_encoding == QLatin1String("UTF-8"))
        return QString::fromStdString(s);
    return QString::fromStdString(convert(s, "UTF-8", m_encoding.toLatin1().constData()));
}

QList<SpellChecker::Word> SpellChecker::words(QStringView text) {
    QList<Word> out;
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n) {
        // A number with its ending ("5-ös", "10-es") is passed over whole: the ending alone is no word.
        if (text[i].isDigit()) {
            while (i < n && text[i].isDigit())
                ++i;
            if (i + 1 < n && text[i] == QLatin1Char('-') && isWordLetter(text[i + 1])) {
                ++i;
                while (i < n && isWordLetter(text[i]))
                    ++i;
            }
            continue;
        }
        if (!isWordLetter(text[i])) {
            ++i;
            continue;
        }
        const qsizetype start = i;
        while (i < n && (isWordLetter(text[i]) ||
                         (text[i] == QLatin1Char('-') && i + 1 < n && isWordLetter(text[i + 1]))))
            ++i;
        // A single letter is an initial or a conjunction ("s"): not worth a mark.
        if (i - start > 1)
            out.append({start, i - start});
    }
    return out;
}

bool SpellChecker::spell(const QString &word) {
    auto it = m_dictionary.constFind(word);
    if (it != m_dictionary.constEnd())
        return *it;
    const bool ok = m_hunspell->spell(encode(word));
    m_dictionary.insert(word, ok);
    return ok;
}

bool SpellChecker::isDictionaryWord(const QString &word) {
    return !m_hunspell || spell(word);
}

bool SpellChecker::isName(const QString &word) const {
    // A hyphenated word may join a name to another ("Kiss-Nagy"): each part is a name or the whole is.
    for (const QString &name : m_names)
        if (NameWords::matches(word, name))
            return true;
    if (word.contains(QLatin1Char('-'))) {
        const QStringList parts = word.split(QLatin1Char('-'), Qt::SkipEmptyParts);
        return std::all_of(parts.begin(), parts.end(), [this](const QString &p) {
            return std::any_of(m_names.begin(), m_names.end(),
                               [&](const QString &name) { return NameWords::matches(p, name); });
        });
    }
    return false;
}

bool SpellChecker::isCorrect(const QString &word) {
    if (!m_hunspell)
        return true;
    auto it = m_known.constFind(word);
    if (it != m_known.constEnd())
        return *it;
    const bool ok = m_ignored.contains(word) || isName(word) || spell(word);
    m_known.insert(word, ok);
    return ok;
}

QList<SpellChecker::Word> SpellChecker::misspelt(QStringView text) {
    QList<Word> out;
    if (!m_hunspell)
        return out;
    for (const Word &w : words(text))
        if (!isCorrect(text.mid(w.start, w.length).toString()))
            out.append(w);
    return out;
}

QStringList SpellChecker::suggestions(const QString &word, int max) {
    QStringList out;
    if (!m_hunspell)
        return out;
    for (const std::string &s : m_hunspell->suggest(encode(word))) {
        if (out.size() >= max)
            break;
        out << decode(s);
    }
    return out;
}

void SpellChecker::loadPersonal() {
    QFile f(m_personalPath);
    if (m_personalPath.isEmpty() || !f.open(QIODevice::ReadOnly | QIODevice::Text))
        return;
    QTextStream in(&f);
    while (!in.atEnd()) {
        const QString word = in.readLine().trimmed();
        if (word.isEmpty() || m_personal.contains(word))
            continue;
        m_personal << word;
        if (m_hunspell)
            m_hunspell->add(encode(word));
    }
}

bool SpellChecker::addToPersonal(const QString &word) {
    const QString w = word.trimmed();
    if (w.isEmpty())
        return true;
    if (!m_personal.contains(w)) {
        m_personal << w;
        if (m_hunspell)
            m_hunspell->add(encode(w));
    }
    // The dictionary learnt the word with its capitalised forms: every remembered answer may change.
    m_known.clear();
    m_dictionary.clear();
    if (m_personalPath.isEmpty() || !WriteTarget::refusal(m_personalPath).isEmpty())
        return false;
    QDir().mkpath(QFileInfo(m_personalPath).absolutePath());
    QSaveFile f(m_personalPath);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Text))
        return false;
    QTextStream out(&f);
    for (const QString &p : std::as_const(m_personal))
        out << p << '\n';
    out.flush();
    return f.commit();
}

void SpellChecker::ignore(const QString &word) {
    m_ignored.insert(word);
    m_known.insert(word, true);
}

void SpellChecker::setNames(const QStringList &nameWords) {
    if (nameWords == m_names)
        return;
    m_names = nameWords;
    m_known.clear();
}

QString SpellChecker::findHungarianDictionary() {
    QStringList dirs = {QStringLiteral("/usr/share/hunspell"), QStringLiteral("/usr/share/myspell"),
                        QStringLiteral("/usr/share/myspell/dicts"),
                        QStringLiteral("/usr/local/share/hunspell")};
    // A dictionary beside the program serves where the system has none (on Windows always).
    dirs.prepend(QCoreApplication::applicationDirPath() + QStringLiteral("/dictionaries"));
    for (const QString &dir : dirs) {
        const QString base = dir + QStringLiteral("/hu_HU");
        if (QFileInfo::exists(base + QStringLiteral(".aff")) &&
            QFileInfo::exists(base + QStringLiteral(".dic")))
            return base;
    }
    return QString();
}

QString SpellChecker::personalListPath() {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
           QStringLiteral("/sajat_szotar.txt");
}
