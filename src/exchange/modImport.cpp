#include "exchange/modImport.h"

#include "curriculum/frmChooseSubComp.h"
#include "exchange/frmImportSentences.h"
#include "shell/DialogService.h"

namespace {

bool importSentences(QWidget *parent, ExchangeFile::RecordReader &records, qint64 akbId) {
    QStringList sentences;
    const ExchangeFile::ReadStatus status = ExchangeFile::readSentences(records, sentences);
    if (status != ExchangeFile::ReadStatus::Ok) {
        modImport::ShowReadFailure(parent, status);
        return false;
    }
    if (sentences.isEmpty()) {
        dialogs().inform(parent, QStringLiteral("A fájlban nincs egyetlen mondat sem."));
        return false;
    }
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

} // namespace

void modImport::ShowReadFailure(QWidget *parent, ExchangeFile::ReadStatus status) {
    switch (status) {
    case ExchangeFile::ReadStatus::Ok:
        break;
    case ExchangeFile::ReadStatus::WrongFormat:
        dialogs().warn(parent, QStringLiteral("Hibás fájlformátum!"));
        break;
    case ExchangeFile::ReadStatus::CannotOpen:
    case ExchangeFile::ReadStatus::Damaged:
        dialogs().warn(parent,
                       QStringLiteral("Hiba történt a fájl megnyitása közben. Lehet, hogy a fájl sérült."));
        break;
    }
}

bool modImport::ImportFile(QWidget *parent, const QString &path, ExchangeFile::Kind expected,
                           const Target &target) {
    ExchangeFile::Content content = ExchangeFile::read(path, expected);
    if (content.status != ExchangeFile::ReadStatus::Ok) {
        ShowReadFailure(parent, content.status);
        return false;
    }
    switch (content.kind) {
    case ExchangeFile::Sentences:
        return importSentences(parent, content.records, target.akbId);
    case ExchangeFile::Class:
    case ExchangeFile::Text:
    case ExchangeFile::Closed:
        break;
    }
    // The class and text kinds are not read by this version of the program.
    ShowReadFailure(parent, ExchangeFile::ReadStatus::WrongFormat);
    return false;
}
