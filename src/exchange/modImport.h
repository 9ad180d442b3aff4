#pragma once

#include "exchange/ExchangeFile.h"

#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

// Bringing data in from exchange files. The reading and checking of the files is in ExchangeFile; this
// shows the messages and the windows that let the user choose what comes in.
namespace modImport {

// Where the imported data goes: a sub-competency for sentences; a class and period for pupils.
struct Target {
    qint64 akbId = 0; // 0: the user chooses the sub-competency of the active period
    qint64 oszId = 0;
    qint64 tevId = 0;
};

// The pupil list import of a spreadsheet, installed by the windows that import classes; false when nothing
// was imported.
using SpreadsheetImport = std::function<bool(QWidget *parent, const QString &path, const Target &target)>;
void SetSpreadsheetImport(SpreadsheetImport import);

// The sentences read from a sentence file, put into the bank by the import of the sentence bank, installed
// by the windows that import sentences: the user chooses the sub-competency when akbId is 0, then the
// sentences to take. False when nothing was imported.
using SentenceImport = std::function<bool(QWidget *parent, const QStringList &sentences, qint64 akbId)>;
void SetSentenceImport(SentenceImport import);

// The text read from a rating's text file, put into the text box of the open rating editor, which installs
// this. False when no editor has an editable rating open.
using TextImport = std::function<bool(const QString &text)>;
void SetTextImport(TextImport import);

// A pupil list spreadsheet (.xls, .xlsx or .ods) rather than an exchange file.
bool IsSpreadsheet(const QString &path);

// Imports an exchange file that must be of the expected kind; a spreadsheet goes to the spreadsheet
// import instead. A class goes into target.tevId; a text into the rating editor's text box. A
// foreign or damaged file is refused with a message before anything is written. True when something was
// imported.
bool ImportFile(QWidget *parent, const QString &path, ExchangeFile::Kind expected, const Target &target);

// The message for a file that could not be taken, shown to the user.
void ShowReadFailure(QWidget *parent, ExchangeFile::ReadStatus status);

} // namespace modImport
