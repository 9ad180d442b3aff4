#include "print/PrintData.h"

#include "data/CommandSet.h"
#include "print/PrintControl.h"

namespace {

QString str(const Recordset &rs, int row, const char *name) {
    const QVariant v = rs.at(row, QLatin1String(name));
    return v.isNull() ? QString() : v.toString();
}

QDate date(const Recordset &rs, int row, const char *name) {
    const QVariant v = rs.at(row, QLatin1String(name));
    if (v.isNull())
        return QDate();
    QDate d = v.toDate();
    if (!d.isValid())
        d = QDate::fromString(v.toString().left(10), Qt::ISODate);
    return d;
}

// Sheet k (1-based lap_szam) is faulty when its serial reads "HIBA"; withdrawn rows do not count.
QList<bool> faultySheets(CommandSet &devPrint, qint64 ertId, const QString &kind) {
    const Recordset rs = devPrint.run(QStringLiteral("getOldalak"), {ertId, kind});
    QList<bool> flags;
    const bool hasDeleted = rs.hasColumn(QStringLiteral("lap_del"));
    for (int r = 0; r < rs.count(); ++r) {
        if (hasDeleted && rs.at(r, QStringLiteral("lap_del")).toInt() != 0)
            continue;
        const int sheet = rs.at(r, QStringLiteral("lap_szam")).toInt();
        if (sheet < 1 || sheet > 1000)
            continue;
        if (flags.size() < sheet)
            flags.resize(sheet, false);
        if (str(rs, r, "lap_sorszam") == QLatin1String("HIBA"))
            flags[sheet - 1] = true;
    }
    return flags;
}

} // namespace

PrintData PrintData::read(CommandSet &devPrint, qint64 ertId, qint64 tanId, ClassShared *shared) {
    PrintData d;
    d.ertId = ertId;
    d.tanId = tanId;
    const bool known = shared && shared->known;

    if (known) {
        d.classLabel = shared->classLabel;
        d.omCode = shared->omCode;
        d.town = shared->town;
    } else {
        const Recordset cls = devPrint.run(QStringLiteral("getTanuloOsztaly"), {ertId});
        if (cls.count())
            d.classLabel = str(cls, 0, "osz_evfolyam") + QLatin1Char('/') + str(cls, 0, "osz_nev");
        const Recordset school = devPrint.run(QStringLiteral("cmdIskola"));
        if (school.count()) {
            d.omCode = str(school, 0, "int_omkod");
            d.town = str(school, 0, "int_varos");
        }
    }

    d.faultyCertificateSheets = faultySheets(devPrint, ertId, QStringLiteral("B"));
    d.faultyRegisterSheets = faultySheets(devPrint, ertId, QStringLiteral("T"));

    const Recordset pupil = devPrint.run(QStringLiteral("getTanulo"), {ertId, tanId});
    if (!pupil.count())
        throw PrintError(QStringLiteral("A tanuló értékelése nem található!"));
    d.familyName = str(pupil, 0, "tan_vnev");
    d.givenName = str(pupil, 0, "tan_knev");
    d.motherName = str(pupil, 0, "tan_anev");
    d.birthDate = date(pupil, 0, "tan_szdatum");
    d.guardianName = str(pupil, 0, "tan_gondv_nev");
    d.birthPlace = str(pupil, 0, "tan_szhely");
    d.country = str(pupil, 0, "tan_orszag");
    d.serial = str(pupil, 0, "ert_sorsz");
    d.registerNumber = str(pupil, 0, "ert_tlapszam");
    d.tevId = pupil.at(0, QStringLiteral("ert_tev_id")).toLongLong();
    d.grade = str(pupil, 0, "osz_evfolyam");
    d.decision = str(pupil, 0, "ert_hatarozat_evf");
    d.unexcusedHours = str(pupil, 0, "ert_igazolatlan");
    d.issued = date(pupil, 0, "ert_keltezes");
    d.missedHours = str(pupil, 0, "ert_mulaszt");
    d.status = str(pupil, 0, "ert_vegleges");
    const QVariant certificateNames = pupil.at(0, QStringLiteral("ert_biz_nevek"));
    const QVariant registerNames = pupil.at(0, QStringLiteral("ert_tlap_nevek"));
    d.certificateNames = certificateNames.isNull() ? -1 : certificateNames.toInt();
    d.registerNames = registerNames.isNull() ? -1 : registerNames.toInt();

    const Recordset clauses = devPrint.run(QStringLiteral("getZaradek"), {ertId});
    for (int r = 0; r < clauses.count(); ++r)
        d.clauses.append(str(clauses, r, "zdk_szoveg"));

    const Recordset parts = devPrint.run(QStringLiteral("getErtresz"), {ertId});
    d.parts.reserve(parts.count());
    for (int r = 0; r < parts.count(); ++r) {
        Part p;
        p.id = parts.at(r, QStringLiteral("esz_id")).toLongLong();
        p.text = str(parts, r, "esz_szoveg");
        p.subCompetency = str(parts, r, "akb_nev");
        p.competency = str(parts, r, "kpb_nev");
        p.subject = str(parts, r, "ata_rnev");
        d.parts.append(p);
    }

    if (known) {
        d.officialPeriod = shared->officialPeriod;
        d.schoolYear = shared->schoolYear;
        return d;
    }
    const Recordset period = devPrint.run(QStringLiteral("getTanev"), {d.tevId});
    if (period.count()) {
        d.officialPeriod = str(period, 0, "tev_hivatalos") == QLatin1String("Igen");
        d.schoolYear = period.at(0, QStringLiteral("tev_ev")).toInt();
    }
    if (shared)
        *shared = {true, d.classLabel, d.omCode, d.town, d.officialPeriod, d.schoolYear};
    return d;
}
