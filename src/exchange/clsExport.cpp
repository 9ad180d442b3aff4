#include "exchange/clsExport.h"

#include "data/AppData.h"
#include "data/DatabaseCopy.h"

#include <QSaveFile>

using namespace ExchangeFile;

clsExport::clsExport() = default;

clsExport::~clsExport() = default; // a file never closed is discarded: its target stays as it was

bool clsExport::CreateFile(const QString &path, Kind kind) {
    m_file = std::make_unique<QSaveFile>(path);
    m_kind = Closed;
    m_replaced = 0;
    m_cut = 0;
    if (!m_file->open(QIODevice::WriteOnly)) {
        m_file.reset();
        return false;
    }
    m_kind = kind;
    RecordWriter header;
    header.rawText(QString::fromLatin1(kMagic));
    header.int16(kind);
    write(header);
    return true;
}

void clsExport::WriteSentence(const QString &text) {
    if (m_kind != Sentences)
        return;
    RecordWriter field;
    field.text(text, kSentenceField);
    write(field);
}

void clsExport::write(const RecordWriter &record) {
    m_replaced += record.replacedCharacters();
    m_cut += record.cutTexts();
    m_file->write(record.bytes()); // a failed write is remembered by the file and refused at commit
}

bool clsExport::CloseFile() {
    m_kind = Closed;
    if (!m_file)
        return false;
    const bool ok = m_file->commit();
    m_file.reset();
    return ok;
}

void clsExport::ExportDB(const QString &path) {
    DatabaseCopy::backup(AppData::current().devDB.connection(), path);
}
