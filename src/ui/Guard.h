#pragma once

#include <functional>

class QWidget;

// Runs an event handler; an engine error ends the action with the engine's message in a box instead of
// ending the program. Gives false when the handler failed.
bool guarded(QWidget *parent, const std::function<void()> &handler);
