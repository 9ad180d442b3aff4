#include "curriculum/SentenceBank.h"

#include "data/AppData.h"
#include "data/Connection.h"
#include "data/modSub.h"

#include <QElapsedTimer>
#include <QHash>
#include <QSet>

namespace {

CommandSet &db() {
    return AppData::current().devDB;
}

const QString kTable = QStringLiteral("MONDATBANK");
const QString kGone = QStringLiteral("A mondatot időközben törölték (talán egy másik felhasználó), ezért a "
                                     "változtatás nem menthető.");

void logLast(const QString &text) {
    modSub::WriteLog(kTable, modSub::GetLastKey(kTable), text);
}

// The sentences of the sub-competencies beneath a node, in command order.
void collect(SubjectTree::Level level, qint64 key, const std::function<void(const Recordset &)> &take) {
    switch (level) {
    case SubjectTree::SubComp:
        take(db().run(QStringLiteral("getSentences"), {key}));
        break;
    case SubjectTree::Comp: {
        const Recordset subs = db().run(QStringLiteral("getSubComps"), {key});
        for (int i = 0; i < subs.count(); ++i)
            collect(SubjectTree::SubComp, subs.at(i, QStringLiteral("akb_id")).toLongLong(), take);
        break;
    }
    case SubjectTree::Subject: {
        const Recordset comps = db().run(QStringLiteral("getSubjectCompetencies"), {key});
        for (int i = 0; i < comps.count(); ++i)
            collect(SubjectTree::Comp, comps.at(i, QStringLiteral("kpb_id")).toLongLong(), take);
        break;
    }
    case SubjectTree::Nothing:
        break;
    }
}

} // namespace

bool SentenceBank::isValidSentence(const QString &text) {
    const qsizetype n = text.trimmed().size();
    return n >= 1 && n <= kMaxSentence;
}

SentenceBank::Shown SentenceBank::classify(const QString &sharing, qint64 owner, qint64 viewer,
                                           bool viewerIsAdmin, bool hideCommon) {
    if (sharing == QLatin1String("M"))
        return hideCommon ? Shown::Hidden : Shown::Common;
    if ((!viewerIsAdmin || sharing == QLatin1String("P")) && owner != viewer)
        return Shown::Hidden;
    return sharing == QLatin1String("A") ? Shown::Offered : Shown::Plain;
}

QList<SentenceBank::Row> SentenceBank::Load(SubjectTree::Level level, qint64 key, bool hideCommon) {
    const AppData &app = AppData::current();
    const qint64 viewer = app.login.userId();
    const bool admin = app.login.isAdmin;
    QHash<qint64, QString> owners;
    QList<Row> rows;
    collect(level, key, [&](const Recordset &rs) {
        for (int i = 0; i < rs.count(); ++i) {
            Row row;
            row.sharing = rs.at(i, QStringLiteral("mdb_megoszt")).toString();
            row.owner = rs.at(i, QStringLiteral("mdb_usr_id")).toLongLong();
            row.shown = classify(row.sharing, row.owner, viewer, admin, hideCommon);
            if (row.shown == Shown::Hidden)
                continue;
            row.id = rs.at(i, QStringLiteral("mdb_id")).toLongLong();
            row.text = rs.at(i, QStringLiteral("mdb_szoveg")).toString();
            if (row.shown != Shown::Common) {
                auto found = owners.constFind(row.owner);
                if (found == owners.constEnd()) {
                    const Recordset user = db().run(QStringLiteral("getSpecUser"), {row.owner});
                    found = owners.insert(row.owner, user.count()
                                                         ? user.at(0, QStringLiteral("usr_nev")).toString()
                                                         : QStringLiteral("<ismeretlen>"));
                }
                row.ownerName = *found;
            }
            rows << row;
        }
    });
    return rows;
}

void SentenceBank::Add(qint64 akbId, const QString &text) {
    {
        Transaction t(db().connection());
        db().run(QStringLiteral("addSentence"),
                 {akbId, text.trimmed(), QStringLiteral("U"), AppData::current().login.userId()});
        logLast(QStringLiteral("Uj mondat felvetele"));
        t.commit();
    }
    notifyChanged();
}

void SentenceBank::Rewrite(qint64 mdbId, const QString &text) {
    {
        Transaction t(db().connection());
        db().runOnRow(QStringLiteral("updateSentence"), {text.trimmed(), mdbId}, kGone);
        modSub::WriteLog(kTable, mdbId, QStringLiteral("Mondat atirasa"));
        t.commit();
    }
    notifyChanged();
}

void SentenceBank::Remove(qint64 mdbId) {
    db().runOnRow(QStringLiteral("deleteSentence"), {mdbId}, kGone);
    notifyChanged();
}

void SentenceBank::Share(qint64 mdbId, bool offered) {
    {
        Transaction t(db().connection());
        db().runOnRow(QStringLiteral("setSentenceSharing"),
                      {offered ? QStringLiteral("A") : QStringLiteral("U"), mdbId}, kGone);
        modSub::WriteLog(kTable, mdbId,
                         offered ? QStringLiteral("Mondat kiajanlasa")
                                 : QStringLiteral("Mondat kiajanlasanak visszavonasa"));
        t.commit();
    }
    notifyChanged();
}

void SentenceBank::Import(qint64 akbId, const QStringList &sentences,
                          const std::function<void(int)> &progress) {
    const qint64 user = AppData::current().login.userId();
    {
        Transaction t(db().connection());
        Command &add = db().command(QStringLiteral("addSentence"));
        QElapsedTimer sinceReport;
        sinceReport.start();
        for (int i = 0; i < sentences.size(); ++i) {
            add.execute({akbId, sentences[i].trimmed(), QStringLiteral("U"), user});
            logLast(QStringLiteral("Mondat importalasa"));
            if (progress && sinceReport.elapsed() >= 50) {
                progress(i + 1);
                sinceReport.restart();
            }
        }
        t.commit();
    }
    if (progress)
        progress(int(sentences.size()));
    notifyChanged();
}

QStringList SentenceBank::ExportableSentences() {
    const AppData &app = AppData::current();
    const Recordset rs = db().run(QStringLiteral("getAllSentences"));
    QStringList texts;
    QSet<QString> seen;
    for (int i = 0; i < rs.count(); ++i) {
        if (classify(rs.at(i, QStringLiteral("mdb_megoszt")).toString(),
                     rs.at(i, QStringLiteral("mdb_usr_id")).toLongLong(), app.login.userId(),
                     app.login.isAdmin, false) == Shown::Hidden)
            continue;
        const QString text = rs.at(i, QStringLiteral("mdb_szoveg")).toString();
        if (!seen.contains(text)) {
            seen.insert(text);
            texts << text;
        }
    }
    return texts;
}

SentenceBank::Notifier *SentenceBank::notifier() {
    static Notifier instance;
    return &instance;
}

void SentenceBank::notifyChanged() {
    emit notifier()->changed();
}
