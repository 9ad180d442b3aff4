#pragma once

#include <QString>

// The main window's title: the program and the user logged in, and for a database on a server which one,
// since several schools' databases may sit on the same server.
QString mainTitle();
