#pragma once

#include <QString>

// Gives a control its object name, which is also the name of its member, so tests find it by that name.
template <typename T> T *named(T *control, const char *name) {
    control->setObjectName(QString::fromLatin1(name));
    return control;
}
