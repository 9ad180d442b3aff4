#pragma once

#include "print/PrintChoices.h"

#include <QString>
#include <memory>

class SpellChecker;

// What the rating editors share for a whole run of the program, however often one is closed and opened
// again: the spell checker with the words the user ignored, the composing options last chosen in the print
// window, and whether the user has been told that spelling is off. The top of the program owns one and
// hands it to every editor it opens; a test makes its own.
class EditorContext {
public:
    // dictionary: the .aff/.dic pair without the extension; empty: the system's Hungarian dictionary.
    explicit EditorContext(const QString &dictionary = QString());
    ~EditorContext();
    EditorContext(const EditorContext &) = delete;
    EditorContext &operator=(const EditorContext &) = delete;

    // The editors' spell checker with the user's personal word list, loaded on first use (the dictionary
    // is large, and the login window need not wait for it).
    SpellChecker &spelling();

    PrintChoices printChoices;
    // The status line said once that spelling is off; the editors opened later keep quiet about it.
    bool toldSpellingOff = false;

private:
    QString m_dictionary;
    std::unique_ptr<SpellChecker> m_spelling;
};
