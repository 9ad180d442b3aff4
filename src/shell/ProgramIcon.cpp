#include "shell/ProgramIcon.h"

#include <QApplication>
#include <QIcon>

void ProgramIcon::install() {
    // A raster copy of the desktop icon: an SVG needs Qt's SVG module, which the program does not use.
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/hu.lorvanto.Lorvanto.png")));
}
