#pragma once

#include <QByteArray>
#include <QString>

// The Central European Windows code page (1250), which the files read by other Hungarian school programs
// use. Built in rather than taken from the system, which may offer no such codec. A character the code page
// lacks becomes "?".
namespace Cp1250 {

QByteArray fromUnicode(const QString &text);
QString toUnicode(const QByteArray &bytes);

} // namespace Cp1250
