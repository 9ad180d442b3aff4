#pragma once

#include <QObject>
#include <concepts>
#include <functional>

class QWidget;

// Runs an event handler; an engine error ends the action with the engine's message in a box instead of
// ending the program. Gives false when the handler failed.
bool guarded(QWidget *parent, const std::function<void()> &handler);

// Connects a signal of a control to an event handler of its window, run through guarded(). The handler is a
// member function of the window, taking the signal's leading arguments or none.
template <typename Sender, typename Signal, typename Window, typename Owner, typename... Args>
requires std::derived_from<Window, Owner> QMetaObject::Connection
connectGuarded(Sender *sender, Signal signal, Window *window, void (Owner::*handler)(Args...)) {
    return QObject::connect(sender, signal, window, [window, handler](Args... args) {
        guarded(window, [&] { (window->*handler)(args...); });
    });
}

// The same for a handler that needs no arguments and is not a member function (a lambda of the window).
template <typename Sender, typename Signal, typename Window, std::invocable Handler>
QMetaObject::Connection connectGuarded(Sender *sender, Signal signal, Window *window, Handler handler) {
    return QObject::connect(sender, signal, window,
                            [window, handler = std::move(handler)] { guarded(window, handler); });
}
