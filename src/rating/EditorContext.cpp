#include "rating/EditorContext.h"

#include "rating/SpellChecker.h"

EditorContext::EditorContext(const QString &dictionary) : m_dictionary(dictionary) {}

EditorContext::~EditorContext() = default;

SpellChecker &EditorContext::spelling() {
    if (!m_spelling)
        m_spelling = std::make_unique<SpellChecker>(
            m_dictionary.isEmpty() ? SpellChecker::findHungarianDictionary() : m_dictionary,
            SpellChecker::personalListPath());
    return *m_spelling;
}
