#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// Writing sentences to an exchange file where the user chooses, with the messages of the export.
namespace SentenceFiles {

inline const QString kFilter = QStringLiteral("Lorvanto fájlok (*.mb)");

// Asks for the file, writes the texts in order and logs the export. The user is told when the file
// could not be written, and when texts had to be changed to fit the file. False when nothing was written.
bool exportSentences(QWidget *parent, const QStringList &texts);

} // namespace SentenceFiles
