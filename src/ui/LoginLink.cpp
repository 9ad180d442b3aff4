#include "ui/LoginLink.h"

namespace {
std::function<void()> &reloadHook() {
    static std::function<void()> h;
    return h;
}
} // namespace

void LoginLink::reloadUsers() {
    if (reloadHook())
        reloadHook()();
}

void LoginLink::setReloadUsers(std::function<void()> reload) {
    reloadHook() = std::move(reload);
}
