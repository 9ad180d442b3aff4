#include "exchange/clsExport.h"

#include "data/AppData.h"
#include "data/DatabaseCopy.h"
#include "data/DbError.h"
#include "data/WriteTarget.h"
#include "exchange/ClassFile.h"

#include <QSaveFile>

using namespace ExchangeFile;

clsExport::clsExport() = default;

clsExport::~clsExport() = default; // a file never closed is discarded: its target stays as it was

bool clsExport::CreateFile(const QString &path, Kind kind) {
    WriteTarget::check(path);
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

void clsExport::WriteClass(qint64 oszId) {
    if (m_kind != Class)
        return;
    CommandSet &db = AppData::current().devDB;
    const Recordset cls = db.run(QStringLiteral("getSpecClass"), {oszId});
    if (cls.count() == 0)
        throw DbError(QStringLiteral("Az osztály nem található."));
    const Recordset teacher =
        db.run(QStringLiteral("getSpecUser"), {cls.at(0, QStringLiteral("osz_ofonok_usr_id"))});
    ClassFile::ClassRecord record;
    record.grade = cls.at(0, QStringLiteral("osz_evfolyam")).toInt();
    record.name = cls.at(0, QStringLiteral("osz_nev")).toString();
    record.teacher = teacher.count() ? teacher.at(0, QStringLiteral("usr_nev")).toString() : QString();
    record.started = cls.at(0, QStringLiteral("osz_indulas_eve")).toInt();
    record.note = cls.at(0, QStringLiteral("osz_megj")).toString();
    RecordWriter out;
    ClassFile::writeClass(out, record);
    write(out);
}

void clsExport::WriteKid(qint64 tanId) {
    if (m_kind != Class)
        return;
    const Recordset kid = AppData::current().devDB.run(QStringLiteral("getAStudent"), {tanId});
    if (kid.count() == 0)
        throw DbError(QStringLiteral("A tanuló nem található."));
    auto text = [&kid](const char *column) { return kid.at(0, QString::fromLatin1(column)).toString(); };
    ClassFile::PupilRecord record{text("tan_vnev"),      text("tan_knev"),   text("tan_anev"),
                                  text("tan_gondv_nev"), text("tan_szhely"), text("tan_tlapszam"),
                                  text("tan_sorsz"),     text("tan_orszag"), QDate()};
    record.birthDate = kid.at(0, QStringLiteral("tan_szdatum")).toDate();
    RecordWriter out;
    ClassFile::writePupil(out, record);
    write(out);
}

void clsExport::WriteRating(const QString &text) {
    if (m_kind != Text)
        return;
    RecordWriter out;
    out.rawText(text);
    write(out);
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
