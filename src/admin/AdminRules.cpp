#include "admin/AdminRules.h"

#include "data/modSub.h"

bool AdminRules::isAcceptableUser(const QString &login, const QString &fullName) {
    if (login.trimmed().isEmpty() || fullName.trimmed().isEmpty())
        return false;
    for (const QChar c : login)
        if (c.isSpace())
            return false;
    return true;
}

bool AdminRules::isValidPostalCode(const QString &text) {
    const QString trimmed = text.trimmed();
    bool ok = false;
    const int value = trimmed.toInt(&ok);
    return ok && QString::number(value) == trimmed;
}

AdminRules::RightBoxes AdminRules::boxesForLevel(int level) {
    RightBoxes b;
    b.read = level >= modSub::RightRead;
    b.write = level >= modSub::RightReadWrite;
    b.locked = level >= modSub::RightFormTeacher;
    return b;
}

AdminRules::RightBoxes AdminRules::readClicked(RightBoxes boxes, bool checked) {
    boxes.read = checked;
    if (!checked)
        boxes.write = false;
    return boxes;
}

AdminRules::RightBoxes AdminRules::writeClicked(RightBoxes boxes, bool checked) {
    boxes.write = checked;
    if (checked)
        boxes.read = true;
    return boxes;
}

QString AdminRules::rightsType(const RightBoxes &boxes) {
    if (boxes.write)
        return QStringLiteral("I");
    return boxes.read ? QStringLiteral("O") : QString();
}
