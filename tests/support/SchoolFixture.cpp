#include "SchoolFixture.h"

#include "data/PasswordHash.h"
#include "data/modSub.h"

SchoolFixture::SchoolFixture(TestDatabase &d) : db(d) {
    admin = db.addUser(QStringLiteral("igazgato"), QStringLiteral("Igazgató Úr"), true);
    teacher = db.addUser(QStringLiteral("anna"), QStringLiteral("Kiss Anna"), false);
    other = db.addUser(QStringLiteral("bela"), QStringLiteral("Nagy Béla"), false);
    db.db().connection().exec(QStringLiteral("UPDATE USERS SET usr_startup=0"));
    oldPeriod = db.addPeriod(2023, QStringLiteral("Év vége"), false);
    period = db.addPeriod(2024, QStringLiteral("Félév"), true);
    math = addSubject(period, QStringLiteral("Matematika"));
    mathComp = addComp(math, QStringLiteral("Számolás"));
    addition = addSubComp(mathComp, QStringLiteral("Összeadás"));
    subtraction = addSubComp(mathComp, QStringLiteral("Kivonás"));
    music = addSubject(period, QStringLiteral("Ének"));
    musicComp = addComp(music, QVariant());
    musicSub = addSubComp(musicComp, QVariant());
    addSentence(addition, QStringLiteral("Hibátlanul ad össze."), QStringLiteral("M"), admin);
    addSentence(addition, QStringLiteral("Tízes átlépéssel is ügyes."), QStringLiteral("A"), other);
    addSentence(addition, QStringLiteral("Anna saját mondata."), QStringLiteral("P"), teacher);
    addSentence(addition, QStringLiteral("Béla saját mondata."), QStringLiteral("P"), other);
    cls = db.addClass(period, 2, QStringLiteral("a"));
    for (const char *name : {"Árva Ádám", "Bodnár Boglárka", "Csók Cecília"}) {
        const QStringList parts = QString::fromUtf8(name).split(QLatin1Char(' '));
        const qint64 tan =
            db.addPupil(parts[0], parts[1], QStringLiteral("T-%1").arg(pupils.size() + 1), QString());
        modSub::OpenOrCreateRating(tan, cls, period);
        pupils << tan;
    }
    setRight(teacher, cls, QStringLiteral("I"));
}

qint64 SchoolFixture::addSubject(qint64 tevId, const QString &name) {
    db.db().run(QStringLiteral("createSubject"), {name, tevId});
    return modSub::GetLastKey(QStringLiteral("ATARGY"));
}

qint64 SchoolFixture::addComp(qint64 ataId, const QVariant &name) {
    db.db().run(QStringLiteral("createComp"), {ataId, name});
    return modSub::GetLastKey(QStringLiteral("KMPBANK"));
}

qint64 SchoolFixture::addSubComp(qint64 kpbId, const QVariant &name) {
    db.db().run(QStringLiteral("createSubComp"), {kpbId, name});
    return modSub::GetLastKey(QStringLiteral("ALKMPBANK"));
}

qint64 SchoolFixture::addSentence(qint64 akbId, const QString &text, const QString &sharing, qint64 owner) {
    db.db().run(QStringLiteral("addSentence2"), {akbId, text, sharing, owner});
    return modSub::GetLastKey(QStringLiteral("MONDATBANK"));
}

void SchoolFixture::setRight(qint64 usrId, qint64 oszId, const QString &type) {
    db.db().connection().query(QStringLiteral("DELETE FROM JOG WHERE jog_usr_id=? AND jog_osz_id=?"),
                               {usrId, oszId});
    db.db().connection().query(
        QStringLiteral("INSERT INTO JOG (jog_usr_id, jog_osz_id, jog_tipus) VALUES (?, ?, ?)"),
        {usrId, oszId, type});
}

qint64 SchoolFixture::ratingOf(int pupil) {
    return db
        .scalar(QStringLiteral("SELECT ert_id FROM ERTEKELES WHERE ert_tan_id=? AND ert_tev_id=?"),
                {pupils[pupil], period})
        .toLongLong();
}
