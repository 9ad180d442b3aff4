#pragma once

#include <functional>

// What the windows below the shell know of the login window: its list of users, which follows the users
// added, renamed or deleted while the program runs. The login window registers itself when it loads.
namespace LoginLink {

// Refills the login window's list of users; nothing when no login window is registered. Throws DbError.
void reloadUsers();
void setReloadUsers(std::function<void()> reload);

} // namespace LoginLink
