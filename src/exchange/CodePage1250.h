#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// The Central European Windows code page (1250) of the exchange files. A fixed public table of its own, so
// that files read and write the same on every platform, with or without ICU behind Qt's converters.
namespace CodePage1250 {

// One byte per character. A character the code page cannot hold becomes "?"; replaced, when given, is
// increased by the number of such characters.
QByteArray encode(const QString &text, int *replaced = nullptr);
// The five bytes the code page leaves undefined read as "?".
QString decode(QByteArrayView bytes);

} // namespace CodePage1250
