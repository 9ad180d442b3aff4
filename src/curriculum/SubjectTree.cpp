#include "curriculum/SubjectTree.h"

#include "curriculum/SentenceBank.h"
#include "data/AppData.h"
#include "data/Connection.h"
#include "data/modSub.h"

namespace {

CommandSet &db() {
    return AppData::current().devDB;
}

qint64 keyOf(const Recordset &rs, const char *column) {
    return rs.count() ? rs.at(0, QString::fromLatin1(column)).toLongLong() : 0;
}

// A placeholder carries the empty text (the commands find it by null or blank name alike).
const QString kDummy = QStringLiteral("");

} // namespace

bool SubjectTree::isValidName(const QString &name) {
    return !name.isEmpty() && name.size() <= kMaxName && !name.trimmed().isEmpty();
}

qint64 SubjectTree::CreateSubject(qint64 tevId, const QString &name) {
    Transaction t(db().connection());
    const qint64 ataId = db().run(QStringLiteral("createSubject"), {name, tevId}).newKey();
    modSub::WriteLog(QStringLiteral("ATARGY"), ataId, QStringLiteral("Tantargy letrehozasa"));
    AddComp(ataId, kDummy);
    t.commit();
    return ataId;
}

namespace {

// The commands of one level of the tree below the subjects.
struct ChildLevel {
    const char *getDummy, *update, *create, *key;
};
const ChildLevel kComps{"getDummyComp", "updateComp", "createComp", "kpb_id"};
const ChildLevel kSubComps{"getDummySubComp", "updateSubComp", "createSubComp", "akb_id"};

// The placeholder child of a parent renamed, or a new child when there is none; gives the child's key.
qint64 addChild(const ChildLevel &level, qint64 parent, const QString &name) {
    qint64 key = keyOf(db().run(QString::fromLatin1(level.getDummy), {parent}), level.key);
    if (key) {
        db().runOnRow(QString::fromLatin1(level.update), {name, key});
    } else {
        // None under a deleted parent.
        key = db().runOnRow(QString::fromLatin1(level.create), {parent, name}).newKey();
    }
    return key;
}

} // namespace

qint64 SubjectTree::AddComp(qint64 ataId, const QString &name) {
    Transaction t(db().connection());
    const qint64 kpbId = addChild(kComps, ataId, name);
    AddSubComp(kpbId, kDummy); // a new competency gets its placeholder; a reused one keeps it
    t.commit();
    return kpbId;
}

qint64 SubjectTree::AddSubComp(qint64 kpbId, const QString &name) {
    return addChild(kSubComps, kpbId, name);
}

qint64 SubjectTree::NewComp(qint64 ataId, const QString &name) {
    Transaction t(db().connection());
    const qint64 kpbId = AddComp(ataId, name);
    modSub::WriteLog(QStringLiteral("KMPBANK"), kpbId, QStringLiteral("Ert. terulet letrehozasa"));
    t.commit();
    return kpbId;
}

qint64 SubjectTree::NewSubComp(qint64 kpbId, const QString &name) {
    Transaction t(db().connection());
    const qint64 akbId = AddSubComp(kpbId, name);
    modSub::WriteLog(QStringLiteral("ALKMPBANK"), akbId, QStringLiteral("Alterulet letrehozasa"));
    t.commit();
    return akbId;
}

bool SubjectTree::Rename(Level level, qint64 key, const QString &name) {
    if (!isValidName(name))
        return false;
    struct Step {
        const char *command, *table, *log;
    };
    static const Step steps[] = {
        {"updateSubject", "ATARGY", "Tantargy atnevezese"},
        {"updateComp", "KMPBANK", "Kompetencia atnevezese"},
        // The log has always called the sub-competency table so; reports filter on these letters.
        {"updateSubComp", "AKMPBANK", "Alkompetencia atnevezese"},
    };
    if (level < Subject || level > SubComp)
        return false;
    const Step &s = steps[level];
    Transaction t(db().connection());
    db().runOnRow(QString::fromLatin1(s.command), {name, key});
    modSub::WriteLog(QString::fromLatin1(s.table), key, QString::fromLatin1(s.log));
    t.commit();
    return true;
}

void SubjectTree::RemoveSubComp(qint64 akbId) {
    db().run(QStringLiteral("deleteSubCompSentences"), {akbId});
    db().runOnRow(QStringLiteral("deleteSubComp"), {akbId});
}

void SubjectTree::RemoveComp(qint64 kpbId) {
    const Recordset subs = db().run(QStringLiteral("getSubComps"), {kpbId});
    for (int i = 0; i < subs.count(); ++i)
        RemoveSubComp(subs.at(i, QStringLiteral("akb_id")).toLongLong());
    db().runOnRow(QStringLiteral("deleteComp"), {kpbId});
}

void SubjectTree::RemoveSubject(qint64 ataId) {
    const Recordset comps = db().run(QStringLiteral("getSubjectCompetencies"), {ataId});
    for (int i = 0; i < comps.count(); ++i)
        RemoveComp(comps.at(i, QStringLiteral("kpb_id")).toLongLong());
    db().runOnRow(QStringLiteral("deleteSubject"), {ataId});
}

void SubjectTree::DeleteSubject(qint64 ataId) {
    {
        Transaction t(db().connection());
        RemoveSubject(ataId);
        modSub::WriteLog(QStringLiteral("ATARGY"), ataId, QStringLiteral("Tantargy torlese"));
        t.commit();
    }
    SentenceBank::notifyChanged();
}

void SubjectTree::DeleteComp(qint64 kpbId, qint64 parentAtaId) {
    {
        Transaction t(db().connection());
        RemoveComp(kpbId);
        modSub::WriteLog(QStringLiteral("KMPBANK"), kpbId, QStringLiteral("Kompetencia torlese"));
        if (db().run(QStringLiteral("getSubjectCompetencies"), {parentAtaId}).count() == 0) {
            // A fresh dummy chain: the deleted rows keep their texts to themselves.
            db().runOnRow(QStringLiteral("createComp"), {parentAtaId, kDummy});
            db().runOnRow(QStringLiteral("createSubComp"),
                          {modSub::GetLastKey(QStringLiteral("KMPBANK")), kDummy});
        }
        t.commit();
    }
    SentenceBank::notifyChanged();
}

void SubjectTree::DeleteSubComp(qint64 akbId, qint64 parentKpbId) {
    {
        Transaction t(db().connection());
        RemoveSubComp(akbId);
        if (db().run(QStringLiteral("getSubComps"), {parentKpbId}).count() == 0)
            db().runOnRow(QStringLiteral("createSubComp"), {parentKpbId, kDummy});
        modSub::WriteLog(QStringLiteral("AKMPBANK"), akbId, QStringLiteral("Alompetencia torlese"));
        t.commit();
    }
    SentenceBank::notifyChanged();
}

qint64 SubjectTree::GetTargetSubComp(Level level, qint64 key) {
    switch (level) {
    case SubComp:
        return key;
    case Comp:
        return keyOf(db().run(QStringLiteral("getDummySubComp"), {key}), "akb_id");
    case Subject: {
        const qint64 kpbId = keyOf(db().run(QStringLiteral("getDummyComp"), {key}), "kpb_id");
        return kpbId ? keyOf(db().run(QStringLiteral("getDummySubComp"), {kpbId}), "akb_id") : 0;
    }
    case Nothing:
        break;
    }
    return 0;
}
