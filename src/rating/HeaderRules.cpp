#include "rating/HeaderRules.h"

#include <QRegularExpression>

bool HeaderRules::isWholeNumber(const QString &text) {
    // The value written as a whole number must give back the text without its outer blanks: " 12" is
    // twelve, but "012", "+5" and "1.5" are not written so.
    const QString t = text.trimmed();
    bool ok = false;
    const qlonglong v = t.toLongLong(&ok);
    return ok && QString::number(v) == t;
}

QVariant HeaderRules::absenceValue(const QString &text) {
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    return ok ? QVariant(v) : QVariant(text);
}

namespace {
int yearOf(const QString &text, bool *ok) {
    const QString t = text.trimmed();
    static const QRegularExpression digits(QStringLiteral("^[0-9]{1,4}$"));
    *ok = digits.match(t).hasMatch();
    if (!*ok)
        return 0;
    int y = t.toInt();
    // Two-digit years read as the dates of the documents were always read: 00-29 this century, 30-99 the
    // last.
    if (t.size() <= 2)
        y += y < 30 ? 2000 : 1900;
    *ok = y >= 100;
    return y;
}
} // namespace

QString HeaderRules::widenYear(const QString &text) {
    bool ok = false;
    const int y = yearOf(text, &ok);
    return ok ? QStringLiteral("%1").arg(y, 4, 10, QLatin1Char('0')) : text;
}

QDate HeaderRules::headerDate(const QString &yearText, int monthIndex, int dayIndex) {
    bool ok = false;
    const int y = yearOf(yearText, &ok);
    if (!ok)
        return QDate();
    const QDate d(y, monthIndex + 1, dayIndex + 1);
    return d.isValid() ? d : QDate();
}

QString HeaderRules::clauseText(const QString &typed) {
    QString t = typed;
    t.remove(QStringLiteral("\r\n"));
    t.remove(QLatin1Char('\n'));
    t.remove(QLatin1Char('\r'));
    t.remove(QChar(QChar::ParagraphSeparator));
    t.remove(QChar(QChar::LineSeparator));
    return t.trimmed();
}

int HeaderRules::daysInMonth(int monthIndex) {
    static const int days[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return monthIndex >= 0 && monthIndex < 12 ? days[monthIndex] : 31;
}
