#pragma once

#include <QString>

// A first password is valid when it has at least 4 characters and neither begins nor ends with a space.
bool isValidPassword(const QString &password);
