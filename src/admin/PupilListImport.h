#pragma once

#include "exchange/modImport.h"

#include <QString>

class QWidget;

// The import of a pupil list from a spreadsheet into a class, the one way every window reads one: the
// exchange import hands spreadsheets here once a window of the classes has installed it.
namespace PupilListImport {

// Makes run() the spreadsheet import of modImport.
void install();

// Reads the spreadsheet at path and adds its pupils to the class of target in its period, then tells the
// user how many came in, or why none did. False when no pupil was added.
bool run(QWidget *parent, const QString &path, const modImport::Target &target);

} // namespace PupilListImport
