#pragma once

#include <QString>

// The rules that keep the curriculum tree of a period whole, without a window. Each live subject has
// named competencies or exactly one placeholder (dummy) competency, each live competency named
// sub-competencies or exactly one dummy sub-competency, so every node reaches a sub-competency that can
// hold rating texts and sentences. Each operation runs in one transaction and writes its log entry.
namespace SubjectTree {

enum Level { Subject = 0, Comp = 1, SubComp = 2, Nothing = 3 };

inline constexpr int kMaxName = 50;

// A name the tree accepts: 1 to 50 characters, and not blanks only (a blank competency or
// sub-competency name would turn it into a placeholder).
bool isValidName(const QString &name);

// A new subject with its dummy competency and dummy sub-competency; gives the subject's key.
qint64 CreateSubject(qint64 tevId, const QString &name);
// A child named so; the first named child takes over the dummy (its key, texts and sentences).
qint64 AddComp(qint64 ataId, const QString &name);
qint64 AddSubComp(qint64 kpbId, const QString &name);
// AddComp / AddSubComp as the user's action, with the log entry.
qint64 NewComp(qint64 ataId, const QString &name);
qint64 NewSubComp(qint64 kpbId, const QString &name);

// Renames the node of that level and key and logs it; false (nothing written) for a name not accepted.
bool Rename(Level level, qint64 key, const QString &name);

// Deletes a node with everything beneath it (the rows are flagged, their sentences removed), logs it,
// and restores a dummy under the parent when its last child went.
void DeleteSubject(qint64 ataId);
void DeleteComp(qint64 kpbId, qint64 parentAtaId);
void DeleteSubComp(qint64 akbId, qint64 parentKpbId);

// The cascades, without a log entry or transaction of their own.
void RemoveSubject(qint64 ataId);
void RemoveComp(qint64 kpbId);
void RemoveSubComp(qint64 akbId);

// The sub-competency that new and imported sentences of a node go to: the node itself for a
// sub-competency, the dummy beneath a subject or competency; 0 when the node has named children.
qint64 GetTargetSubComp(Level level, qint64 key);

} // namespace SubjectTree
