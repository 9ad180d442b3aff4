#include "shell/AutoSaveSchedule.h"

#include <QLocale>
#include <cmath>

namespace {
// Numbers are read as typed in either notation ("5", "5.5" or "5,5"), so a decimal is seen and refused.
bool toNumber(const QString &text, double &value) {
    const QString t = text.trimmed();
    bool ok = false;
    value = t.toDouble(&ok);
    if (!ok)
        value = QLocale(QLocale::Hungarian).toDouble(t, &ok);
    return ok && std::isfinite(value);
}
} // namespace

bool AutoSaveSchedule::isValidInterval(const QString &text) {
    double value = 0;
    if (!toNumber(text, value))
        return false;
    // Formatting as a whole number must give back the text as typed: "5.0" or "5,5" are refused.
    const QString whole = QString::number(std::llround(value));
    if (whole != text.trimmed())
        return false;
    return value >= 1 && value <= 15;
}

int AutoSaveSchedule::intervalOf(const QString &text) {
    double value = 0;
    if (!toNumber(text, value) || std::fabs(value) > 32767)
        return 0;
    return int(std::llround(value));
}

void AutoSaveSchedule::restart(int minutes, const QDateTime &now) {
    m_minutes = minutes;
    m_next = now.addSecs(qint64(minutes) * 60);
}
