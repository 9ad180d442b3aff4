#pragma once

#include "TestDatabase.h"

// A small school in a test database: an active period with two subjects (Matematika with a named
// competency and two sub-competencies; Ének with placeholders only), a class with three pupils, an
// administrator and a teacher who has write rights on the class.
struct SchoolFixture {
    explicit SchoolFixture(TestDatabase &db);

    qint64 addSubject(qint64 tevId, const QString &name);
    qint64 addComp(qint64 ataId, const QVariant &name);
    qint64 addSubComp(qint64 kpbId, const QVariant &name);
    qint64 addSentence(qint64 akbId, const QString &text, const QString &sharing, qint64 owner);
    void setRight(qint64 usrId, qint64 oszId, const QString &type);
    // The rating of the n-th pupil of the class in the active period.
    qint64 ratingOf(int pupil);

    TestDatabase &db;
    qint64 admin = 0, teacher = 0, other = 0;
    qint64 period = 0, oldPeriod = 0;
    qint64 math = 0, mathComp = 0, addition = 0, subtraction = 0;
    qint64 music = 0, musicComp = 0, musicSub = 0;
    qint64 cls = 0;
    QList<qint64> pupils;
};
