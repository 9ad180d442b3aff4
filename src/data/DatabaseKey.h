#pragma once

#include <QByteArray>

// The built-in key of every Lorvanto database file, checkout and return copies included. It is handed only
// to the engine and never shown, logged or written anywhere.
QByteArray databaseKey();
