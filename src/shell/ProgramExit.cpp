#include "shell/ProgramExit.h"

#include <QCoreApplication>

namespace {
std::function<void()> &handler() {
    static std::function<void()> h;
    return h;
}
} // namespace

void ProgramExit::request() {
    if (handler())
        handler()();
    else
        QCoreApplication::exit(0);
}

void ProgramExit::setHandler(std::function<void()> h) {
    handler() = std::move(h);
}
