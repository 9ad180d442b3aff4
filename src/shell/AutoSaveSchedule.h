#pragma once

#include <QDateTime>
#include <QString>

// When the next autosave is due: always counted from the last save or change of the interval.
class AutoSaveSchedule {
public:
    // Accepts a whole number of minutes from 1 to 15, without decimals.
    static bool isValidInterval(const QString &text);
    // The whole-number value of a text, as the interval box reads it (0 when it holds no number).
    static int intervalOf(const QString &text);

    void restart(int minutes, const QDateTime &now);
    void restart(const QDateTime &now) { restart(m_minutes, now); }
    bool isDue(const QDateTime &now) const { return now > m_next; }
    int minutes() const { return m_minutes; }
    QDateTime next() const { return m_next; }

private:
    int m_minutes = 5;
    QDateTime m_next;
};
