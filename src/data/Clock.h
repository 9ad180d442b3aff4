#pragma once

#include <QDateTime>
#include <functional>

// The one source of the current time: time stamps and the autosave timer read it here, so tests can move
// time on without waiting.
class Clock {
public:
    static QDateTime now();
    static void set(std::function<QDateTime()> source);
    static void reset();
};
