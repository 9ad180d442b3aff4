#include "exchange/ClassFile.h"

#include <cmath>

using namespace ExchangeFile;

namespace {

const QDate kOleEpoch(1899, 12, 30);
// The range of the OLE date format itself: 1 January 100 to 31 December 9999.
constexpr double kOleMin = -657434.0;
constexpr double kOleMax = 2958465.0;

// A fixed-width field as stored: blanks of the padding dropped, control characters as blanks.
QString cleaned(QString field) {
    for (QChar &c : field)
        if (c.unicode() < 0x20)
            c = QLatin1Char(' ');
    return field.trimmed();
}

bool readName(RecordReader &in, QString &value) {
    QString field;
    if (!in.text(kNameField, field))
        return false;
    value = cleaned(field);
    return true;
}

} // namespace

double ClassFile::toOleDate(const QDate &date) {
    return date.isValid() ? double(kOleEpoch.daysTo(date)) : 0.0;
}

bool ClassFile::fromOleDate(double days, QDate &date) {
    if (!std::isfinite(days) || days < kOleMin || days > kOleMax)
        return false;
    // The fraction is the time of day; a negative count still counts its fraction forward.
    const qint64 whole = qint64(std::trunc(days));
    date = whole == 0 && days == 0.0 ? QDate() : kOleEpoch.addDays(whole);
    return true;
}

void ClassFile::writeClass(RecordWriter &out, const ClassRecord &cls) {
    out.int32(cls.grade);
    out.text(cls.name, kNameField);
    out.text(cls.teacher, kNameField);
    out.int32(cls.started);
    out.text(cls.note, kNoteField);
}

void ClassFile::writePupil(RecordWriter &out, const PupilRecord &p) {
    for (const QString *text : {&p.familyName, &p.givenName, &p.motherName, &p.guardianName, &p.birthPlace,
                                &p.registerSheet, &p.serial, &p.country})
        out.text(*text, kNameField);
    out.float64(toOleDate(p.birthDate));
}

ReadStatus ClassFile::read(RecordReader &in, Content &content) {
    content = Content();
    Content read;
    QString note;
    if (!in.int32(read.cls.grade) || !readName(in, read.cls.name) || !readName(in, read.cls.teacher) ||
        !in.int32(read.cls.started) || !in.text(kNoteField, note))
        return ReadStatus::Damaged;
    read.cls.note = cleaned(note);
    if (in.remaining() % kPupilRecord != 0)
        return ReadStatus::Damaged;
    read.pupils.reserve(in.remaining() / kPupilRecord);
    while (!in.atEnd()) {
        PupilRecord p;
        double days = 0;
        for (QString *text : {&p.familyName, &p.givenName, &p.motherName, &p.guardianName, &p.birthPlace,
                              &p.registerSheet, &p.serial, &p.country})
            if (!readName(in, *text))
                return ReadStatus::Damaged;
        if (!in.float64(days) || !fromOleDate(days, p.birthDate))
            return ReadStatus::Damaged;
        read.pupils << p;
    }
    content = std::move(read);
    return ReadStatus::Ok;
}

QString ClassFile::readText(RecordReader &in) {
    QString text;
    const int length = int(qMin<qsizetype>(in.remaining(), kTextLength));
    in.text(length, text);
    for (QChar &c : text)
        if (c.unicode() < 0x20 && c != QLatin1Char('\n') && c != QLatin1Char('\r') && c != QLatin1Char('\t'))
            c = QLatin1Char(' ');
    return text;
}
