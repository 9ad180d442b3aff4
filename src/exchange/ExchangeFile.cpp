#include "exchange/ExchangeFile.h"

#include "exchange/CodePage1250.h"

#include <QFile>
#include <QtEndian>
#include <cstring>

namespace ExchangeFile {

void RecordWriter::int16(qint16 value) {
    char b[2];
    qToLittleEndian(value, b);
    m_bytes.append(b, 2);
}

void RecordWriter::int32(qint32 value) {
    char b[4];
    qToLittleEndian(value, b);
    m_bytes.append(b, 4);
}

void RecordWriter::float64(double value) {
    quint64 bits = 0;
    static_assert(sizeof bits == sizeof value);
    std::memcpy(&bits, &value, sizeof bits);
    char b[8];
    qToLittleEndian(bits, b);
    m_bytes.append(b, 8);
}

void RecordWriter::text(const QString &value, int width) {
    QByteArray field = CodePage1250::encode(value, &m_replaced);
    if (field.size() > width) {
        field.truncate(width);
        ++m_cut;
    }
    m_bytes.append(field);
    m_bytes.append(width - field.size(), ' ');
}

void RecordWriter::rawText(const QString &value) {
    m_bytes.append(CodePage1250::encode(value, &m_replaced));
}

QByteArray RecordWriter::take() {
    QByteArray out;
    out.swap(m_bytes);
    return out;
}

RecordReader::RecordReader(QByteArray bytes, qsizetype start) : m_bytes(std::move(bytes)), m_pos(start) {
    if (m_pos > m_bytes.size())
        m_pos = m_bytes.size();
}

bool RecordReader::take(qsizetype n, const char *&at) {
    if (m_failed || remaining() < n) {
        m_failed = true;
        return false;
    }
    at = m_bytes.constData() + m_pos;
    m_pos += n;
    return true;
}

bool RecordReader::int16(qint16 &value) {
    const char *at = nullptr;
    if (!take(2, at))
        return false;
    value = qFromLittleEndian<qint16>(at);
    return true;
}

bool RecordReader::int32(qint32 &value) {
    const char *at = nullptr;
    if (!take(4, at))
        return false;
    value = qFromLittleEndian<qint32>(at);
    return true;
}

bool RecordReader::float64(double &value) {
    const char *at = nullptr;
    if (!take(8, at))
        return false;
    const quint64 bits = qFromLittleEndian<quint64>(at);
    std::memcpy(&value, &bits, sizeof value);
    return true;
}

bool RecordReader::text(int width, QString &value) {
    const char *at = nullptr;
    if (!take(width, at))
        return false;
    value = CodePage1250::decode(QByteArrayView(at, width));
    return true;
}

Content read(const QString &path, Kind expected) {
    Content content;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        content.status = ReadStatus::CannotOpen;
        return content;
    }
    if (file.size() > kMaxFileSize)
        return content;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        content.status = ReadStatus::CannotOpen;
        return content;
    }
    if (bytes.size() < kHeaderSize || !bytes.startsWith(kMagic))
        return content;
    const auto kind = qFromLittleEndian<qint16>(bytes.constData() + 4);
    if (kind != expected)
        return content;
    content.status = ReadStatus::Ok;
    content.kind = expected;
    content.records = RecordReader(bytes, kHeaderSize);
    return content;
}

ReadStatus readSentences(RecordReader &records, QStringList &sentences) {
    if (records.remaining() % kSentenceField != 0)
        return ReadStatus::Damaged;
    sentences.clear();
    sentences.reserve(records.remaining() / kSentenceField);
    QString field;
    while (!records.atEnd()) {
        if (!records.text(kSentenceField, field))
            return ReadStatus::Damaged;
        for (QChar &c : field)
            if (c.unicode() < 0x20)
                c = QLatin1Char(' ');
        const QString sentence = field.trimmed();
        if (!sentence.isEmpty())
            sentences << sentence;
    }
    return ReadStatus::Ok;
}

} // namespace ExchangeFile
