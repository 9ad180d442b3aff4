#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The exchange file (*.mb) that carries sentences, a class with its pupils, or one text between
// installations: little-endian, a 4-byte magic "mb42", a 16-bit kind, then the records of the kind. Texts
// are fixed-width fields in code page 1250, padded with blanks and cut at their width.
namespace ExchangeFile {

enum Kind : qint16 { Sentences = 1, Class = 2, Text = 3, Closed = 255 };

inline constexpr char kMagic[] = "mb42";
inline constexpr int kHeaderSize = 6;
inline constexpr int kSentenceField = 510;
inline constexpr int kClassRecord = 618;
inline constexpr int kPupilRecord = 408;
inline constexpr int kNameField = 50;
// Nothing the program writes comes near this; a larger file is not an exchange file.
inline constexpr qint64 kMaxFileSize = 64 * 1024 * 1024;

// Builds records in memory: each field is appended at its fixed width.
class RecordWriter {
public:
    void int16(qint16 value);
    void int32(qint32 value);
    // An OLE date: days since 30 December 1899 as a little-endian double.
    void float64(double value);
    // The text in code page 1250, cut at width bytes or padded to it with blanks.
    void text(const QString &value, int width);
    // The text in code page 1250 at its own length (a text file has no fields).
    void rawText(const QString &value);

    const QByteArray &bytes() const { return m_bytes; }
    QByteArray take();
    // Characters written as "?" (not in code page 1250) and texts cut at their field width so far.
    int replacedCharacters() const { return m_replaced; }
    int cutTexts() const { return m_cut; }

private:
    QByteArray m_bytes;
    int m_replaced = 0;
    int m_cut = 0;
};

// Reads records from a file held in memory. Every read checks that the bytes are there: a read past the
// end gives false and leaves the reader failed, so a truncated record is never taken for a whole one.
class RecordReader {
public:
    explicit RecordReader(QByteArray bytes, qsizetype start = 0);

    bool int16(qint16 &value);
    bool int32(qint32 &value);
    bool float64(double &value);
    // A fixed-width field, decoded from code page 1250 (not trimmed).
    bool text(int width, QString &value);

    qsizetype remaining() const { return m_bytes.size() - m_pos; }
    bool atEnd() const { return remaining() == 0; }
    bool failed() const { return m_failed; }

private:
    bool take(qsizetype n, const char *&at);

    QByteArray m_bytes;
    qsizetype m_pos = 0;
    bool m_failed = false;
};

// What reading an exchange file gave.
enum class ReadStatus {
    Ok,
    CannotOpen,  // the file could not be read at all
    WrongFormat, // no magic, another kind, too short for a header, or far too large
    Damaged,     // the header is right but the records are not whole
};

struct Content {
    ReadStatus status = ReadStatus::WrongFormat;
    Kind kind = Closed;
    // The records after the header.
    RecordReader records{QByteArray()};
};

// Reads the whole file into memory and checks its header against the kind expected.
Content read(const QString &path, Kind expected);

// The sentences of a sentence file's records: each 510-byte field, control characters as blanks, trimmed;
// fields left empty are dropped. Damaged when the last field is not whole.
ReadStatus readSentences(RecordReader &records, QStringList &sentences);

} // namespace ExchangeFile
