#pragma once

#include <QStringList>

class QLabel;
class QTreeWidget;
class QWidget;

// A list view of rows with columns, one row selected at a time, columns sized to their contents.
QTreeWidget *makeListView(QWidget *parent, const char *name, const QStringList &columns);
// A label naming a field: its buddy for the keyboard, its text (without the accelerator mark and colon) the
// field's name for screen readers.
QLabel *labelFor(const QString &text, QWidget *buddy, const char *name = nullptr);
