#pragma once

#include <QString>
#include <initializer_list>

class QHBoxLayout;
class QLabel;
class QProgressBar;
class QPushButton;
class QWidget;

// Small builders of the controls every window makes: named so tests and screen readers find them.
QLabel *namedLabel(QWidget *parent, const char *name, const QString &caption);
QPushButton *namedButton(QWidget *parent, const char *name, const QString &caption);
// A hidden bar that, once shown, says "text..." and moves without an end: long work under way.
QProgressBar *busyBar(QWidget *parent, const char *name, const QString &text);
// The buttons in a row at the right edge, in the order given.
QHBoxLayout *rightAlignedRow(std::initializer_list<QWidget *> widgets);
