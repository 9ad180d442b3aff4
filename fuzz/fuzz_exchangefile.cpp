// libFuzzer target: any bytes offered as an exchange file of each kind go through the same checks and
// readers as a file chosen by the user.
#include "exchange/ClassFile.h"
#include "exchange/ExchangeFile.h"

#include <QByteArray>
#include <QStringList>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    if (bytes.size() < ExchangeFile::kHeaderSize || !bytes.startsWith(ExchangeFile::kMagic))
        return 0;
    for (ExchangeFile::Kind kind : {ExchangeFile::Sentences, ExchangeFile::Class, ExchangeFile::Text}) {
        ExchangeFile::RecordReader records(bytes, ExchangeFile::kHeaderSize);
        switch (kind) {
        case ExchangeFile::Sentences: {
            QStringList sentences;
            if (ExchangeFile::readSentences(records, sentences) == ExchangeFile::ReadStatus::Ok)
                for (const QString &s : sentences)
                    if (s.size() > ExchangeFile::kSentenceField)
                        __builtin_trap();
            break;
        }
        case ExchangeFile::Class: {
            ClassFile::Content content;
            if (ClassFile::read(records, content) == ExchangeFile::ReadStatus::Ok) {
                // What was read writes back to the same number of bytes.
                ExchangeFile::RecordWriter out;
                ClassFile::writeClass(out, content.cls);
                for (const ClassFile::PupilRecord &p : content.pupils)
                    ClassFile::writePupil(out, p);
                if (out.bytes().size() != bytes.size() - ExchangeFile::kHeaderSize)
                    __builtin_trap();
            }
            break;
        }
        default:
            if (ClassFile::readText(records).size() > ClassFile::kTextLength)
                __builtin_trap();
            break;
        }
    }
    return 0;
}
