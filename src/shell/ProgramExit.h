#pragma once

#include <functional>

// Ending the program. Windows ask here; the program quits its event loop, tests count the requests.
namespace ProgramExit {
void request();
void setHandler(std::function<void()> handler);
} // namespace ProgramExit
