#include "rating/FinaliseCheck.h"

#include "data/AppData.h"
#include "data/modSub.h"
#include "rating/NameWords.h"
#include "rating/SpellChecker.h"

#include <QHash>
#include <QSet>

#include <algorithm>

namespace {

using Finding = FinaliseCheck::Finding;

struct Text {
    QString where;
    QString text;
};

QString quoted(const QString &s) {
    return QStringLiteral("„%1”").arg(s);
}

bool endsSentence(QStringView before) {
    for (qsizetype i = before.size() - 1; i >= 0; --i) {
        const QChar c = before[i];
        if (c.isSpace() || c == QLatin1Char('"') || c == QChar(0x201E) || c == QLatin1Char('('))
            continue;
        return c == QLatin1Char('.') || c == QLatin1Char('!') || c == QLatin1Char('?') ||
               c == QLatin1Char(':');
    }
    return true;
}

// Another pupil's name word ("Petra" of "Kovács Petra") and whose it is.
struct OtherName {
    QString word;
    QString pupil;
};

// The other pupils' name words a word of the text may stand for. Names are looked up by the word's leading
// letters, so a text is checked against a whole class at the cost of a few hash look-ups a word.
class NameIndex {
public:
    void add(const QString &word, const QString &pupil) { m_byStart[word.left(2)].append({word, pupil}); }
    QList<OtherName> matching(const QString &word) const {
        QList<OtherName> out;
        for (const OtherName &n : m_byStart.value(word.left(2)))
            if (NameWords::matches(word, n.word))
                out << n;
        return out;
    }

private:
    QHash<QString, QList<OtherName>> m_byStart;
};

} // namespace

QString Finding::kindText() const {
    switch (kind) {
    case Kind::EmptyParts:
        return QStringLiteral("Üres részterület");
    case Kind::OtherPupilName:
        return QStringLiteral("Más tanuló neve");
    case Kind::Misspelt:
        return QStringLiteral("Helyesírás");
    case Kind::SameAsOther:
        return QStringLiteral("Megjegyzés");
    }
    return QString();
}

FinaliseCheck::Rating FinaliseCheck::read(const Recordset &ratingRow, const PendingEdits &edits,
                                          const QString &decision) {
    Rating r;
    r.ertId = ratingRow.field(QStringLiteral("ert_id")).toLongLong();
    r.oszId = ratingRow.field(QStringLiteral("ert_osz_id")).toLongLong();
    r.tevId = ratingRow.field(QStringLiteral("ert_tev_id")).toLongLong();
    r.tanId = ratingRow.field(QStringLiteral("ert_tan_id")).toLongLong();
    r.parts = RatingOutline::load(r.ertId, r.tevId).withPending(edits);
    const Recordset clauses = modSub::LoadClauses(r.ertId);
    for (int i = 0; i < clauses.count(); ++i)
        r.clauses << clauses.at(i, QStringLiteral("zdk_szoveg")).toString();
    r.decision = decision;
    return r;
}

QList<Finding> FinaliseCheck::run(const Rating &rating, SpellChecker *spelling) {
    CommandSet &db = AppData::current().devDB;
    QList<Finding> found;

    // Sub-competencies left empty, one line per subject.
    {
        QString subject;
        QStringList empty;
        auto flush = [&] {
            if (!empty.isEmpty()) {
                // A subject without named sub-competencies is listed by itself.
                const bool unnamed =
                    std::all_of(empty.begin(), empty.end(), [](const QString &e) { return e.isEmpty(); });
                found.append({Finding::Kind::EmptyParts, subject,
                              unnamed
                                  ? QStringLiteral("Nincs értékelés.")
                                  : QStringLiteral("Üresen maradt: ") + empty.join(QStringLiteral(", "))});
            }
            empty.clear();
        };
        qint64 subjectId = -1;
        for (const RatingOutline::Part &p : rating.parts) {
            if (p.subjectId != subjectId) {
                flush();
                subjectId = p.subjectId;
                subject = p.subject;
            }
            if (!p.text.trimmed().isEmpty())
                continue;
            QString name = p.subCompetency.isEmpty() ? p.competency : p.subCompetency;
            if (!p.subCompetency.isEmpty() && !p.competency.isEmpty())
                name = p.competency + QStringLiteral(" / ") + p.subCompetency;
            empty << name;
        }
        flush();
    }

    // The class: the pupil's own name words and the others'.
    const Recordset pupils = db.run(QStringLiteral("getClassPupilNames"), {rating.oszId, rating.tevId});
    QStringList own;
    for (int i = 0; i < pupils.count(); ++i)
        if (pupils.at(i, QStringLiteral("tan_id")).toLongLong() == rating.tanId)
            for (const char *column : {"tan_vnev", "tan_knev"})
                own << NameWords::split(pupils.at(i, QLatin1String(column)).toString());
    NameIndex others;
    QStringList classWords;
    for (int i = 0; i < pupils.count(); ++i) {
        const QString family = pupils.at(i, QStringLiteral("tan_vnev")).toString();
        const QString given = pupils.at(i, QStringLiteral("tan_knev")).toString();
        for (const QString &w : NameWords::split(family + QLatin1Char(' ') + given)) {
            classWords << w;
            if (pupils.at(i, QStringLiteral("tan_id")).toLongLong() != rating.tanId && !own.contains(w))
                others.add(w, family + QLatin1Char(' ') + given);
        }
    }
    // The longest of the pupil's own name words a word stands for (0: none). A classmate's shorter name
    // inside it ("Kata" in "Katalinnak", "Kis" in "Kiss") is the pupil's own name with a suffix.
    auto ownStem = [&own](const QString &word) {
        qsizetype longest = 0;
        for (const QString &o : own)
            if (NameWords::matches(word, o))
                longest = std::max(longest, o.size());
        return longest;
    };

    QList<Text> texts;
    for (const RatingOutline::Part &p : rating.parts)
        if (!p.text.isEmpty())
            texts.append({RatingOutline::label(p), p.text});
    for (int i = 0; i < rating.clauses.size(); ++i)
        texts.append({QStringLiteral("%1. záradék").arg(i + 1), rating.clauses.at(i)});
    if (!rating.decision.trimmed().isEmpty())
        texts.append({QStringLiteral("A nevelőtestület határozata"), rating.decision});

    const bool spell = spelling && spelling->isReady();
    if (spell)
        spelling->setNames(classWords);
    struct Seen {
        QString word;
        bool opensSentence;
        int sentence;
        QList<OtherName> hits;
    };
    for (const Text &t : texts) {
        QList<Seen> seen;
        QSet<int> naming; // the sentences that name the pupil himself
        int sentence = -1;
        for (const SpellChecker::Word &w : SpellChecker::words(t.text)) {
            const bool opens = endsSentence(QStringView(t.text).left(w.start));
            if (opens || sentence < 0)
                ++sentence;
            const QString word = t.text.mid(w.start, w.length);
            const qsizetype mine = ownStem(word);
            QList<OtherName> hits = others.matching(word);
            hits.removeIf([mine](const OtherName &n) { return n.word.size() <= mine; });
            if (mine > 0 && hits.isEmpty())
                naming.insert(sentence);
            seen.append({word, opens, sentence, hits});
        }
        QStringList names;
        QStringList misspelt;
        for (const Seen &s : std::as_const(seen)) {
            if (s.hits.isEmpty()) {
                if (spell && !spelling->isCorrect(s.word) && !misspelt.contains(quoted(s.word)))
                    misspelt << quoted(s.word);
                continue;
            }
            // A sentence that names the pupil may mention a classmate; a copied one names only the other.
            if (naming.contains(s.sentence))
                continue;
            // Without a dictionary a capitalised word opening a sentence that is only a name with an ending
            // ("Nagyon" for "Nagy") cannot be told from an ordinary word: it is left alone.
            const bool suffixedOnly = std::none_of(s.hits.begin(), s.hits.end(),
                                                   [&s](const OtherName &n) { return n.word == s.word; });
            if (!spell && s.opensSentence && suffixedOnly)
                continue;
            QStringList whose;
            for (const OtherName &n : s.hits)
                if (!whose.contains(n.pupil))
                    whose << n.pupil;
            QString line =
                quoted(s.word) + QStringLiteral(" (") + whose.join(QStringLiteral(", ")) + QLatin1Char(')');
            if (spell && spelling->isDictionaryWord(s.word.toLower()))
                line += QStringLiteral(" (lehet, hogy köznév)");
            if (!names.contains(line))
                names << line;
        }
        if (!names.isEmpty())
            found.append({Finding::Kind::OtherPupilName, t.where, names.join(QStringLiteral(", "))});
        if (!misspelt.isEmpty())
            found.append({Finding::Kind::Misspelt, t.where, misspelt.join(QStringLiteral(", "))});
    }

    // Parts word for word the same as the same part of another pupil of the class.
    QHash<qint64, const RatingOutline::Part *> mine;
    for (const RatingOutline::Part &p : rating.parts)
        if (!p.text.trimmed().isEmpty())
            mine.insert(p.akbId, &p);
    if (!mine.isEmpty()) {
        QHash<qint64, QStringList> same;
        const Recordset parts =
            db.run(QStringLiteral("getClassPartsExcept"), {rating.oszId, rating.tevId, rating.ertId});
        for (int i = 0; i < parts.count(); ++i) {
            const auto it = mine.constFind(parts.at(i, QStringLiteral("esz_akb_id")).toLongLong());
            if (it == mine.constEnd())
                continue;
            if (parts.at(i, QStringLiteral("esz_szoveg")).toString().trimmed() != (*it)->text.trimmed())
                continue;
            const QString pupil = parts.at(i, QStringLiteral("tan_vnev")).toString() + QLatin1Char(' ') +
                                  parts.at(i, QStringLiteral("tan_knev")).toString();
            if (!same[(*it)->akbId].contains(pupil))
                same[(*it)->akbId] << pupil;
        }
        for (const RatingOutline::Part &p : rating.parts)
            if (same.contains(p.akbId) && mine.value(p.akbId) == &p)
                found.append({Finding::Kind::SameAsOther, RatingOutline::label(p),
                              QStringLiteral("Szó szerint egyezik: ") +
                                  same.value(p.akbId).join(QStringLiteral(", "))});
    }
    return found;
}
