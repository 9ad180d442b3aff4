#include "ui/Controls.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

QLabel *namedLabel(QWidget *parent, const char *name, const QString &caption) {
    auto *label = new QLabel(caption, parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

QPushButton *namedButton(QWidget *parent, const char *name, const QString &caption) {
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

QProgressBar *busyBar(QWidget *parent, const char *name, const QString &text) {
    auto *bar = new QProgressBar(parent);
    bar->setObjectName(QString::fromLatin1(name));
    bar->setRange(0, 0);
    bar->setFormat(text + QStringLiteral("..."));
    bar->setTextVisible(true);
    bar->setAccessibleName(text);
    bar->hide();
    return bar;
}

QHBoxLayout *rightAlignedRow(std::initializer_list<QWidget *> widgets) {
    auto *row = new QHBoxLayout;
    row->addStretch(1);
    for (QWidget *w : widgets)
        row->addWidget(w);
    return row;
}
