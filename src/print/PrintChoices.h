#pragma once

#include "print/PrintOptions.h"

#include <QObject>

// The composing options last chosen in the print window (the check boxes of subject and competency names),
// kept for the program's run so that what is counted before printing uses the choices that will print.
class PrintChoices : public QObject {
    Q_OBJECT
public:
    PrintOptions options() const { return m_options; }
    void setOptions(const PrintOptions &options);

signals:
    void changed();

private:
    PrintOptions m_options;
};
