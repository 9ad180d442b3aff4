#include "exchange/modExport.h"

#include "data/AppData.h"
#include "data/WriteTarget.h"
#include "data/modSub.h"
#include "exchange/clsExport.h"
#include "ui/DialogService.h"

#include <QFileInfo>
#include <functional>

namespace {

const QString kFilter = QStringLiteral("Lorvanto fájlok (*.mb)");

// Asks for the file and writes it with the records; gives the file written, empty when cancelled or failed
// (the user was told).
QString writeFile(QWidget *parent, const QString &caption, ExchangeFile::Kind kind,
                  const std::function<void(clsExport &)> &records) {
    const QString path = WriteTarget::withSuffix(dialogs().saveFile(parent, caption, QString(), kFilter),
                                                 QStringLiteral("mb"));
    if (path.isEmpty())
        return {};
    clsExport file;
    if (!file.CreateFile(path, kind)) {
        dialogs().warn(parent, QStringLiteral("Hiba a fájl megnyitásakor."));
        return {};
    }
    records(file);
    if (!file.CloseFile()) {
        dialogs().warn(parent, QStringLiteral("Hiba exportálás közben."));
        return {};
    }
    return path;
}

} // namespace

bool modExport::ExportClass(QWidget *parent, qint64 oszId) {
    if (oszId <= 0) {
        dialogs().inform(parent, QStringLiteral("Nincs osztály kiválasztva."));
        return false;
    }
    CommandSet &db = AppData::current().devDB;
    const Recordset pupils = db.run(QStringLiteral("getStudentsByClass"), {oszId});
    const QString written =
        writeFile(parent, QStringLiteral("Osztály exportálása"), ExchangeFile::Class, [&](clsExport &file) {
            file.WriteClass(oszId);
            for (int i = 0; i < pupils.count(); ++i)
                file.WriteKid(pupils.at(i, QStringLiteral("tan_id")).toLongLong());
        });
    // The log keeps 50 characters of a description: the file's name, not its folder.
    if (!written.isEmpty())
        modSub::WriteLog(QStringLiteral("OSZTALY"), oszId,
                         QStringLiteral("Osztaly exportalasa: ") + QFileInfo(written).fileName());
    return !written.isEmpty();
}

bool modExport::ExportText(QWidget *parent, const QString &text) {
    return !writeFile(parent, QStringLiteral("Értékelés szövegének exportálása"), ExchangeFile::Text,
                      [&text](clsExport &file) { file.WriteRating(text); })
                .isEmpty();
}
