#pragma once

#include "exchange/ExchangeFile.h"

#include <QDate>
#include <QList>

// The records of a class file (a class record, then one record per pupil) and of a text file.
namespace ClassFile {

inline constexpr int kNoteField = 510;
// A text file carries at most one rating text part.
inline constexpr int kTextLength = 2046;

// 618 bytes: grade (32-bit), class name (50), class teacher's name (50), starting year (32-bit), note (510).
struct ClassRecord {
    qint32 grade = 0;
    QString name;
    QString teacher;
    qint32 started = 0;
    QString note;
};

// 408 bytes: eight 50-byte texts, then the birth date as an OLE day count (8).
struct PupilRecord {
    QString familyName, givenName, motherName, guardianName, birthPlace, registerSheet, serial, country;
    QDate birthDate; // null when the pupil has none
};

struct Content {
    ClassRecord cls;
    QList<PupilRecord> pupils;
};

void writeClass(ExchangeFile::RecordWriter &out, const ClassRecord &cls);
void writePupil(ExchangeFile::RecordWriter &out, const PupilRecord &pupil);
// The whole class file after its header. Damaged when the class record or any pupil record is not whole,
// or a birth date is not a date of the calendar; content is then left empty.
ExchangeFile::ReadStatus read(ExchangeFile::RecordReader &in, Content &content);

// The text of a text file: its first 2046 characters, control characters other than line breaks and tabs
// as blanks.
QString readText(ExchangeFile::RecordReader &in);

// Days since 30 December 1899 (the OLE date); a null date is 0.
double toOleDate(const QDate &date);
// False for a day count that is not a number or falls outside the years 100 to 9999; 0 gives a null date.
bool fromOleDate(double days, QDate &date);

} // namespace ClassFile
