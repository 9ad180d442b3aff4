#pragma once

#include <QString>

class QWidget;

// Writing a class or a rating text to an exchange file where the user chooses, with the messages of the
// export.
namespace modExport {

// The class with its pupils (frmClasses). False when nothing was written; the user has been told why.
bool ExportClass(QWidget *parent, qint64 oszId);
// A rating text (the text box of the rating editor).
bool ExportText(QWidget *parent, const QString &text);

} // namespace modExport
