#include "rating/RatingOutline.h"

#include "data/AppData.h"
#include "rating/RatingParts.h"

RatingOutline RatingOutline::load(qint64 ertId, qint64 tevId) {
    const Recordset rs = AppData::current().devDB.run(QStringLiteral("getRatingOutline"), {ertId, tevId});
    RatingOutline outline;
    outline.m_parts.reserve(rs.count());
    auto text = [&](int row, const char *column) {
        const QVariant v = rs.at(row, QLatin1String(column));
        return v.isNull() ? QString() : v.toString();
    };
    for (int r = 0; r < rs.count(); ++r) {
        Part p;
        p.akbId = rs.at(r, QStringLiteral("akb_id")).toLongLong();
        p.eszId = rs.at(r, QStringLiteral("esz_id")).toLongLong();
        p.subjectId = rs.at(r, QStringLiteral("ata_id")).toLongLong();
        p.subject = text(r, "ata_rnev");
        p.competency = text(r, "kpb_nev");
        p.subCompetency = text(r, "akb_nev");
        p.text = text(r, "esz_szoveg");
        outline.m_parts.append(p);
    }
    return outline;
}

QList<RatingOutline::Part> RatingOutline::withPending(const PendingEdits &edits) const {
    QList<Part> parts = m_parts;
    if (edits.isEmpty())
        return parts;
    for (Part &p : parts) {
        const std::optional<QString> pending =
            p.eszId ? edits.find(false, p.eszId) : edits.find(true, p.akbId);
        if (pending)
            p.text = RatingParts::trimBlanks(*pending);
    }
    return parts;
}

QString RatingOutline::label(const Part &part) {
    QStringList levels{part.subject};
    if (!part.competency.isEmpty())
        levels << part.competency;
    if (!part.subCompetency.isEmpty())
        levels << part.subCompetency;
    return levels.join(QStringLiteral(" / "));
}
