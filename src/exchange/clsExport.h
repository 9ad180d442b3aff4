#pragma once

#include "exchange/ExchangeFile.h"

#include <QString>
#include <memory>

class QSaveFile;

// Writing data out of this installation: exchange files (*.mb) and copies of the whole database.
//
// An exchange file is written beside its target and put in place by CloseFile, so an export that fails
// half-way neither leaves a partial file nor destroys the file it was to replace.
class clsExport {
public:
    clsExport();
    ~clsExport();
    clsExport(const clsExport &) = delete;
    clsExport &operator=(const clsExport &) = delete;

    // Starts a file of the kind at path with the magic and the kind. False when it cannot be written;
    // DbError, with nothing written, when path is the database or its journal.
    bool CreateFile(const QString &path, ExchangeFile::Kind kind);
    // Sentence files only: one 510-byte field. Nothing is written to a file of another kind.
    void WriteSentence(const QString &text);
    // Class files only: the class record of a class (osz_id) with its class teacher's name.
    void WriteClass(qint64 oszId);
    // Class files only: the record of a pupil (tan_id).
    void WriteKid(qint64 tanId);
    // Text files only: the text as it is, with no length field.
    void WriteRating(const QString &text);
    // Completes the file and puts it in place; false when anything could not be written (the target is
    // then left as it was). The kind is Closed afterwards.
    bool CloseFile();

    ExchangeFile::Kind kind() const { return m_kind; }
    // Characters written as "?" and texts cut at their field width since CreateFile.
    int replacedCharacters() const { return m_replaced; }
    int cutTexts() const { return m_cut; }

    // Saves a consistent copy of the whole database to path, overwriting it only once the copy is complete.
    static void ExportDB(const QString &path);

private:
    void write(const ExchangeFile::RecordWriter &record);

    std::unique_ptr<QSaveFile> m_file;
    ExchangeFile::Kind m_kind = ExchangeFile::Closed;
    int m_replaced = 0;
    int m_cut = 0;
};
