#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// Writing sentences to an exchange file where the user chooses, with the messages of the export; taking the
// sentences of such a file into the bank.
namespace SentenceFiles {

inline const QString kFilter = QStringLiteral("Lorvanto fájlok (*.mb)");

// Asks for the file, writes the texts in order and logs the export. The user is told when the file
// could not be written, and when texts had to be changed to fit the file. False when nothing was written.
bool exportSentences(QWidget *parent, const QStringList &texts);

// Makes importSentences() the sentence import of modImport.
void installImport();

// Lets the user choose the sub-competency when akbId is 0, then the sentences to add to it. False when
// nothing was added.
bool importSentences(QWidget *parent, const QStringList &sentences, qint64 akbId);

} // namespace SentenceFiles
