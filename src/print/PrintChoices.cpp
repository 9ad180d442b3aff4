#include "print/PrintChoices.h"

PrintChoices &PrintChoices::instance() {
    static PrintChoices choices;
    return choices;
}

void PrintChoices::setOptions(const PrintOptions &options) {
    const bool differs = options.subjectNames != m_options.subjectNames ||
                         options.competencyNames != m_options.competencyNames ||
                         options.handFilled != m_options.handFilled || options.document != m_options.document;
    m_options = options;
    if (differs)
        emit changed();
}
