#include "exchange/modExport.h"

#include "data/AppData.h"
#include "data/modSub.h"
#include "exchange/clsExport.h"
#include "shell/DialogService.h"

#include <functional>

namespace {

const QString kFilter = QStringLiteral("Lorvanto fájlok (*.mb)");

// Asks for the file and writes it with the records; false when cancelled or failed (the user was told).
bool writeFile(QWidget *parent, const QString &caption, ExchangeFile::Kind kind,
               const std::function<void(clsExport &)> &records) {
    const QString path = dialogs().saveFile(parent, caption, QString(), kFilter);
    if (path.isEmpty())
        return false;
    clsExport file;
    if (!file.CreateFile(path, kind)) {
        dialogs().warn(parent, QStringLiteral("Hiba a fájl megnyitásakor."));
        return false;
    }
    records(file);
    if (!file.CloseFile()) {
        dialogs().warn(parent, QStringLiteral("Hiba exportálás közben."));
        return false;
    }
    return true;
}

} // namespace

bool modExport::ExportClass(QWidget *parent, qint64 oszId) {
    if (oszId <= 0) {
        dialogs().inform(parent, QStringLiteral("Nincs osztály kiválasztva."));
        return false;
    }
    CommandSet &db = AppData::current().devDB;
    const Recordset cls = db.run(QStringLiteral("getSpecClass"), {oszId});
    const Recordset pupils = db.run(QStringLiteral("getStudentsByClass"), {oszId});
    const bool written =
        writeFile(parent, QStringLiteral("Osztály exportálása"), ExchangeFile::Class, [&](clsExport &file) {
            file.WriteClass(oszId);
            for (int i = 0; i < pupils.count(); ++i)
                file.WriteKid(pupils.at(i, QStringLiteral("tan_id")).toLongLong());
        });
    if (written)
        modSub::WriteLog(QStringLiteral("OSZTALY"), oszId,
                         QStringLiteral("Osztaly exportalasa: ") +
                             (cls.count() ? cls.at(0, QStringLiteral("osz_nev")).toString() : QString()));
    return written;
}

bool modExport::ExportText(QWidget *parent, const QString &text) {
    return writeFile(parent, QStringLiteral("Értékelés szövegének exportálása"), ExchangeFile::Text,
                     [&text](clsExport &file) { file.WriteRating(text); });
}
