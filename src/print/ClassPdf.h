#pragma once

#include <QString>

class QWidget;

// The "Osztály PDF..." dialogue: asks for the document kind and the file, writes every pupil's trial
// document of the class into it under a cancellable progress window, and tells the outcome.
namespace ClassPdf {

void run(QWidget *parent, qint64 oszId, const QString &className);

// The outcome as told to the user.
QString report(const QString &path, int written, int skipped, int pages);

} // namespace ClassPdf
