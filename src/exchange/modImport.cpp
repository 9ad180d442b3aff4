#include "exchange/modImport.h"

#include "data/DbError.h"
#include "exchange/ClassFile.h"
#include "exchange/ClassImport.h"
#include "ui/DialogService.h"

#include <QApplication>
#include <QFileInfo>

namespace {

modImport::SentenceImport &sentenceImport() {
    static modImport::SentenceImport import;
    return import;
}

modImport::TextImport &textImport() {
    static modImport::TextImport import;
    return import;
}

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
    return sentenceImport() && sentenceImport()(parent, sentences, akbId);
}

modImport::SpreadsheetImport &spreadsheetImport() {
    static modImport::SpreadsheetImport import;
    return import;
}

// The window's caption tells that an import runs, until the scope ends.
class ImportCaption {
public:
    explicit ImportCaption(QWidget *parent) : m_window(parent ? parent->window() : nullptr) {
        if (!m_window)
            return;
        m_caption = m_window->windowTitle();
        m_window->setWindowTitle(m_caption + QStringLiteral(" - Importálás..."));
        QApplication::setOverrideCursor(Qt::WaitCursor);
    }
    ~ImportCaption() {
        if (!m_window)
            return;
        QApplication::restoreOverrideCursor();
        m_window->setWindowTitle(m_caption);
    }
    ImportCaption(const ImportCaption &) = delete;
    ImportCaption &operator=(const ImportCaption &) = delete;

private:
    QWidget *m_window;
    QString m_caption;
};

bool importClass(QWidget *parent, ExchangeFile::RecordReader &records, qint64 tevId) {
    ClassFile::Content content;
    const ExchangeFile::ReadStatus status = ClassFile::read(records, content);
    if (status != ExchangeFile::ReadStatus::Ok) {
        modImport::ShowReadFailure(parent, status);
        return false;
    }
    ImportCaption caption(parent);
    ClassImport::Import(content, tevId);
    return true;
}

bool importText(QWidget *parent, ExchangeFile::RecordReader &records) {
    if (!textImport() || !textImport()(ClassFile::readText(records))) {
        dialogs().inform(parent, QStringLiteral("A szöveg csak egy szerkeszthető, megnyitott értékelésbe "
                                                "importálható."));
        return false;
    }
    return true;
}

} // namespace

void modImport::SetSpreadsheetImport(SpreadsheetImport import) {
    spreadsheetImport() = std::move(import);
}

void modImport::SetSentenceImport(SentenceImport import) {
    sentenceImport() = std::move(import);
}

void modImport::SetTextImport(TextImport import) {
    textImport() = std::move(import);
}

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

bool modImport::IsSpreadsheet(const QString &path) {
    static const QStringList suffixes{QStringLiteral("xls"), QStringLiteral("xlsx"), QStringLiteral("ods")};
    return suffixes.contains(QFileInfo(path.trimmed()).suffix().toLower());
}

bool modImport::ImportFile(QWidget *parent, const QString &path, ExchangeFile::Kind expected,
                           const Target &target) {
    if (IsSpreadsheet(path)) {
        if (spreadsheetImport())
            return spreadsheetImport()(parent, path, target);
        ShowReadFailure(parent, ExchangeFile::ReadStatus::WrongFormat);
        return false;
    }
    ExchangeFile::Content content = ExchangeFile::read(path, expected);
    if (content.status != ExchangeFile::ReadStatus::Ok) {
        ShowReadFailure(parent, content.status);
        return false;
    }
    switch (content.kind) {
    case ExchangeFile::Sentences:
        return importSentences(parent, content.records, target.akbId);
    case ExchangeFile::Class:
        return importClass(parent, content.records, target.tevId);
    case ExchangeFile::Text:
        return importText(parent, content.records);
    case ExchangeFile::Closed:
        break;
    }
    ShowReadFailure(parent, ExchangeFile::ReadStatus::WrongFormat);
    return false;
}
