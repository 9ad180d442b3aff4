#include "ui/PasswordRule.h"

bool isValidPassword(const QString &password) {
    qsizetype start = 0;
    qsizetype end = password.size();
    while (start < end && password[start] == QLatin1Char(' '))
        ++start;
    while (end > start && password[end - 1] == QLatin1Char(' '))
        --end;
    const qsizetype trimmedLength = end - start;
    return trimmedLength >= 4 && trimmedLength == password.size();
}
