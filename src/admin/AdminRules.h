#pragma once

#include <QString>

// The rules of the user, rights and school-data windows, free of widgets.
namespace AdminRules {

// A user's data can be stored when the login and the full name are not empty after trimming and the login
// holds no blank (a login is typed as one word at the login window).
bool isAcceptableUser(const QString &login, const QString &fullName);

// A postal code is a whole number written plainly: blanks around it are allowed, a sign, leading zeros,
// decimals or letters are not (the same number must read back as typed).
bool isValidPostalCode(const QString &text);

// The two check boxes of the rights tab for a rights level, and whether they may be changed: the rights of
// an administrator (5) and of the class's form teacher (4) are not edited.
struct RightBoxes {
    bool read = false;
    bool write = false;
    bool locked = false;
};
RightBoxes boxesForLevel(int level);
// The boxes after a click: unchecking read takes write away, checking write grants read.
RightBoxes readClicked(RightBoxes boxes, bool checked);
RightBoxes writeClicked(RightBoxes boxes, bool checked);
// The stored rights type of the boxes: "I" read and write, "O" read, empty none.
QString rightsType(const RightBoxes &boxes);

} // namespace AdminRules
