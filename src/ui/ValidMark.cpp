#include "ui/ValidMark.h"

#include <QApplication>
#include <QLabel>

void setValidMark(QLabel *label, bool valid) {
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText,
               valid ? QApplication::palette().color(QPalette::WindowText) : QColor(255, 0, 0));
    label->setPalette(p);
}

bool hasInvalidMark(const QLabel *label) {
    return label->palette().color(QPalette::WindowText) == QColor(255, 0, 0);
}
