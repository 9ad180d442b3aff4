#include "admin/PupilListImport.h"

#include "admin/PupilSheet.h"
#include "admin/SchoolYear.h"
#include "data/modSub.h"
#include "ui/DialogService.h"

void PupilListImport::install() {
    modImport::SetSpreadsheetImport(&PupilListImport::run);
}

bool PupilListImport::run(QWidget *parent, const QString &path, const modImport::Target &target) {
    if (target.oszId <= 0) {
        dialogs().inform(parent, QStringLiteral("Nincs osztály kiválasztva."));
        return false;
    }
    if (SchoolYear::isClassLocked(target.oszId)) {
        dialogs().inform(parent, QStringLiteral("Az osztályt valaki kiexportálta. Nem lehet hozzányúlni."));
        return false;
    }
    // The class windows let a user change a class from level 2 up.
    if (modSub::GetClassRight(target.oszId) < 2) {
        dialogs().inform(parent, QStringLiteral("Ebbe az osztályba nincs joga tanulókat felvenni."));
        return false;
    }
    PupilSheet sheet;
    if (!sheet.read(path.trimmed())) {
        dialogs().warn(parent, sheet.error());
        return false;
    }
    SchoolYear::addPupils(sheet.rows(), target.oszId, target.tevId);
    dialogs().inform(parent, QStringLiteral("Felvett tanulók: %1\nKihagyott sorok (üres név): %2")
                                 .arg(sheet.rows().size())
                                 .arg(sheet.skipped()));
    return !sheet.rows().isEmpty();
}
