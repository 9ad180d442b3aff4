#include "curriculum/SentenceFiles.h"

#include "curriculum/frmChooseSubComp.h"
#include "curriculum/frmImportSentences.h"
#include "data/WriteTarget.h"
#include "data/modSub.h"
#include "exchange/clsExport.h"
#include "exchange/modImport.h"
#include "ui/DialogService.h"

bool SentenceFiles::exportSentences(QWidget *parent, const QStringList &texts) {
    const QString path = WriteTarget::withSuffix(
        dialogs().saveFile(parent, QStringLiteral("Mondatok exportálása"), QString(), kFilter),
        QStringLiteral("mb"));
    if (path.isEmpty())
        return false;
    clsExport file;
    if (!file.CreateFile(path, ExchangeFile::Sentences)) {
        dialogs().warn(parent, QStringLiteral("Hiba a fájl megnyitásakor."));
        return false;
    }
    for (const QString &text : texts)
        file.WriteSentence(text);
    const int replaced = file.replacedCharacters();
    const int cut = file.cutTexts();
    if (!file.CloseFile()) {
        dialogs().warn(parent, QStringLiteral("Hiba exportálás közben."));
        return false;
    }
    modSub::WriteLog(QStringLiteral("MONDATBANK"), 0, QStringLiteral("Mondatok exportalasa"));
    QStringList notes;
    if (replaced)
        notes << QStringLiteral("%1 olyan betű volt a mondatokban, amelyet a fájl nem tud tárolni; ezek "
                                "helyére „?” került.")
                     .arg(replaced);
    if (cut)
        notes << QStringLiteral("%1 mondat hosszabb volt %2 karakternél, ezeket a fájl csak az első %2 "
                                "karakterükig tartalmazza.")
                     .arg(cut)
                     .arg(ExchangeFile::kSentenceField);
    if (!notes.isEmpty())
        dialogs().inform(parent, notes.join(QLatin1Char('\n')));
    return true;
}

void SentenceFiles::installImport() {
    modImport::SetSentenceImport(&SentenceFiles::importSentences);
}

bool SentenceFiles::importSentences(QWidget *parent, const QStringList &sentences, qint64 akbId) {
    if (!akbId) {
        frmChooseSubComp chooser(parent);
        if (!chooser.load() || dialogs().runModal(&chooser) != QDialog::Accepted)
            return false;
        akbId = chooser.target();
    }
    frmImportSentences window(parent);
    window.setSentences(sentences, akbId);
    return dialogs().runModal(&window) == QDialog::Accepted && window.importedCount() > 0;
}
