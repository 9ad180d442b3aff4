#include "ui/EditorLink.h"

namespace {
bool g_open = false;
std::function<void()> &saveHook() {
    static std::function<void()> h;
    return h;
}
std::function<bool()> &askHook() {
    static std::function<bool()> h;
    return h;
}
} // namespace

bool EditorLink::isOpen() {
    return g_open;
}

void EditorLink::setOpen(bool open) {
    g_open = open;
}

void EditorLink::saveChanges() {
    if (saveHook())
        saveHook()();
}

void EditorLink::setSaveChanges(std::function<void()> save) {
    saveHook() = std::move(save);
}

bool EditorLink::askToSave() {
    return askHook() ? askHook()() : true;
}

void EditorLink::setAskToSave(std::function<bool()> ask) {
    askHook() = std::move(ask);
}
