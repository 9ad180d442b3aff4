#pragma once

#include "curriculum/SubjectTree.h"

#include <QList>
#include <QObject>
#include <QStringList>
#include <functional>

// The sentence bank without a window: who sees which sentence, the length rule, and the writes of the
// bank, each logged. Every change is announced, so that open lists (the rating editor's) follow at once.
namespace SentenceBank {

inline constexpr int kMaxSentence = 510;

// 1 to 510 characters once the blanks at both ends are off.
bool isValidSentence(const QString &text);

// How a sentence is listed to a viewer.
enum class Shown {
    Hidden,
    Common,  // "M": bold, read-only, no owner
    Offered, // "A": bold, owner shown
    Plain,   // "U", "P" and any other mark: owner shown
};
// Common sentences to everybody (unless hidden by the viewer's choice); the others to their owner, and
// to administrators unless the sentence is private.
Shown classify(const QString &sharing, qint64 owner, qint64 viewer, bool viewerIsAdmin, bool hideCommon);

struct Row {
    qint64 id = 0;
    QString text;
    QString sharing;
    qint64 owner = 0;
    QString ownerName; // "<ismeretlen>" for a deleted owner, empty for a common sentence
    Shown shown = Shown::Plain;
};

// Every sentence beneath a node that the logged-in user sees, sub-competency by sub-competency.
QList<Row> Load(SubjectTree::Level level, qint64 key, bool hideCommon);

// The writes, as the logged-in user. Texts are stored trimmed.
void Add(qint64 akbId, const QString &text);
void Rewrite(qint64 mdbId, const QString &text);
void Remove(qint64 mdbId);
void Share(qint64 mdbId, bool offered);
// Adds the sentences (mark "U") to a sub-competency in one transaction, each logged; progress is called
// now and then with the number done. Nothing is added when any write fails.
void Import(qint64 akbId, const QStringList &sentences, const std::function<void(int)> &progress = {});

// The texts of every sentence of the bank the logged-in user sees, each text once.
QStringList ExportableSentences();

// Announces changes of the bank.
class Notifier : public QObject {
    Q_OBJECT
signals:
    void changed();
};
Notifier *notifier();
void notifyChanged();

} // namespace SentenceBank
