#pragma once

#include <functional>

// What the shell knows of the rating editor: whether it is open, how to save its pending edits, and the
// question asked before leaving while edits are unsaved. The editor registers itself when it loads.
namespace EditorLink {

bool isOpen();
void setOpen(bool open);

// Runs the editor's save; nothing when no editor is registered.
void saveChanges();
void setSaveChanges(std::function<void()> save);

// True when the caller may go on (no unsaved edits, or the user answered Yes or No); false for Cancel.
bool askToSave();
void setAskToSave(std::function<bool()> ask);

} // namespace EditorLink
