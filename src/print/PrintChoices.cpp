#include "print/PrintChoices.h"

void PrintChoices::setOptions(const PrintOptions &options) {
    // Only the names change how much room the text takes.
    const bool differs = options.subjectNames != m_options.subjectNames ||
                         options.competencyNames != m_options.competencyNames;
    m_options = options;
    if (differs)
        emit changed();
}
