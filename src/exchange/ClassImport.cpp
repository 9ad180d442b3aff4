#include "exchange/ClassImport.h"

#include "data/AppData.h"
#include "data/modSub.h"

namespace {

CommandSet &db() {
    return AppData::current().devDB;
}

qint64 classTeacher(const QString &name) {
    if (name.isEmpty())
        return 0;
    const Recordset found = db().run(QStringLiteral("getUserByRealName"), {name});
    if (found.count())
        return found.at(0, QStringLiteral("usr_id")).toLongLong();
    const qint64 id =
        db().run(QStringLiteral("addUser"), {name, ClassImport::LoginFromName(name), QString()}).newKey();
    modSub::WriteLog(QStringLiteral("USERS"), id, QStringLiteral("Uj felhasznalo importalassal"));
    return id;
}

qint64 pupil(const ClassFile::PupilRecord &p) {
    const QVariant born = p.birthDate.isValid() ? QVariant(p.birthDate) : QVariant();
    const Recordset found =
        db().run(QStringLiteral("getIdenticalKids"), {p.familyName, p.givenName, p.motherName, born});
    if (found.count())
        return found.at(0, QStringLiteral("tan_id")).toLongLong();
    const qint64 id = db().run(QStringLiteral("createEmptyStudent")).newKey();
    db().run(QStringLiteral("updateStudent"), {p.familyName, p.givenName, p.motherName, p.guardianName,
                                               p.birthPlace, born, p.registerSheet, p.serial, p.country, id});
    return id;
}

} // namespace

QString ClassImport::LoginFromName(const QString &name) {
    const QString trimmed = name.simplified();
    const QStringList words = trimmed.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    const QString base = words.isEmpty() ? QString() : (trimmed.left(1) + words.last()).toLower();
    // A login is at most ten characters: the number that tells two logins apart takes the place of the
    // base's last characters rather than lengthening it.
    QString login = base.left(MaxLoginLength);
    for (int n = 2; db().run(QStringLiteral("countUser"), {login}).at(0, QStringLiteral("Cnt")).toInt() > 0;
         ++n) {
        const QString number = QString::number(n);
        login = base.left(MaxLoginLength - number.size()) + number;
    }
    return login;
}

qint64 ClassImport::Import(const ClassFile::Content &content, qint64 tevId) {
    Transaction t(db().connection());
    const ClassFile::ClassRecord &c = content.cls;
    const qint64 teacher = classTeacher(c.teacher);
    const qint64 oszId =
        db().run(QStringLiteral("createClass"), {tevId, c.grade, c.name, teacher, c.started, c.note})
            .newKey();
    modSub::WriteLog(QStringLiteral("OSZTALY"), oszId, QStringLiteral("Osztaly importalasa: ") + c.name);
    for (const ClassFile::PupilRecord &p : content.pupils) {
        const qint64 tanId = pupil(p);
        // A pupil listed twice in the file is still one member of the class.
        if (db().run(QStringLiteral("checkRatings"), {tanId, oszId, tevId}).count() == 0)
            db().run(QStringLiteral("addRating"), {tanId, oszId, tevId});
    }
    t.commit();
    return oszId;
}
