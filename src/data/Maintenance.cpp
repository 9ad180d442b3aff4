#include "data/Maintenance.h"

#include "data/AppData.h"
#include "data/modSub.h"

void Maintenance::RunDatabaseMaintenance() {
    CommandSet &set = AppData::current().devDB;
    Transaction t(set.connection());
    // One statement instead of a walk over every rating part: the walk takes minutes on a large file.
    set.run(QStringLiteral("deleteDuplicateErtresz"));

    Recordset active;
    if (modSub::FindActivePeriod(active)) {
        Command &getComps = set.command(QStringLiteral("getSubjectCompetencies"));
        Command &getSubComps = set.command(QStringLiteral("getSubComps"));
        Command &createComp = set.command(QStringLiteral("createComp"));
        Command &createSubComp = set.command(QStringLiteral("createSubComp"));
        const Recordset subjects =
            set.run(QStringLiteral("getSubjects"), {active.at(0, QStringLiteral("tev_id"))});
        for (int s = 0; s < subjects.count(); ++s) {
            const Recordset comps = getComps.execute({subjects.at(s, QStringLiteral("ata_id"))});
            if (comps.count() == 0) {
                createComp.execute({subjects.at(s, QStringLiteral("ata_id")), QString()});
                createSubComp.execute({modSub::GetLastKey(QStringLiteral("KMPBANK")), QString()});
                continue;
            }
            for (int c = 0; c < comps.count(); ++c) {
                const QVariant kpbId = comps.at(c, QStringLiteral("kpb_id"));
                if (getSubComps.execute({kpbId}).count() == 0)
                    createSubComp.execute({kpbId, QString()});
            }
        }
    }
    t.commit();
}
