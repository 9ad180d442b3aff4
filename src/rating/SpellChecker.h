#pragma once

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>
#include <memory>

class Hunspell;

// Hungarian spelling with Hunspell, which knows the compounds and the suffixes of the language. Words the
// teacher adds are kept in a personal word list (one word a line, UTF-8) across sessions; words ignored are
// ignored until the program ends; the words of the names set are never taken for misspellings, whatever
// suffix they carry. Answers are remembered, so checking a text again while it is typed costs little.
class SpellChecker {
public:
    // dictionary: the path of the .aff/.dic pair without the extension. A missing dictionary leaves the
    // checker not ready: then every word counts as correct.
    SpellChecker(const QString &dictionary, const QString &personalList);
    ~SpellChecker();
    SpellChecker(const SpellChecker &) = delete;
    SpellChecker &operator=(const SpellChecker &) = delete;

    bool isReady() const { return m_hunspell != nullptr; }

    struct Word {
        qsizetype start = 0;
        qsizetype length = 0;
    };
    // The words of a text that a speller looks at: runs of letters, hyphens inside a word included; a number
    // with an ending joined by a hyphen ("5-ös") is no word of it.
    static QList<Word> words(QStringView text);

    bool isCorrect(const QString &word);
    // Whether the dictionary (and the personal list) alone knows the word, names and ignored words aside.
    bool isDictionaryWord(const QString &word);
    // The misspelt words of a text, in order.
    QList<Word> misspelt(QStringView text);
    QStringList suggestions(const QString &word, int max = 5);

    // Adds a word to the personal list and writes the list. False when the list cannot be written (the word
    // is still accepted in this session).
    bool addToPersonal(const QString &word);
    void ignore(const QString &word);
    // The name words (of the pupil and of his class) that are never flagged.
    void setNames(const QStringList &nameWords);

    // The Hungarian dictionary of the system, or an empty text when none is installed.
    static QString findHungarianDictionary();
    // The personal word list in the user's data folder.
    static QString personalListPath();

private:
    std::string encode(const QString &s) const;
    QString decode(const std::string &s) const;
    bool spell(const QString &word);
    bool isName(const QString &word) const;
    void loadPersonal();

    std::unique_ptr<Hunspell> m_hunspell;
    QString m_encoding; // of the dictionary; UTF-8 needs no conversion
    QString m_personalPath;
    QStringList m_personal;
    QSet<QString> m_ignored;
    QStringList m_names;
    QHash<QString, bool> m_known;      // answers given, names and ignored words included
    QHash<QString, bool> m_dictionary; // answers of the dictionary alone
};
