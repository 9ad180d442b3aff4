#pragma once

#include "admin/SheetReader.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

// One pupil as a row of a pupil list gives him, ready to be written.
class QIODevice;

struct PupilRow {
    QString family;     // tan_vnev
    QString given;      // tan_knev
    QString mother;     // tan_anev
    QString guardian;   // tan_gondv_nev
    QString birthPlace; // tan_szhely
    QVariant birthDate; // tan_szdatum: a QDate, or null when the cell is empty or no date
    QString registerNo; // tan_tlapszam
    QString serialNo;   // tan_sorsz
};

// A pupil list from a spreadsheet (.xls, .xlsx or .ods): the sheet called Sheet1, else the first sheet. Its
// first row names the columns nev, anya, gondviselo, szhely, szdatum, torzslapszam and naplosorszam, or
// as people write them ("Név", "Anyja neve", "Gondviselő", "Születési hely", "Születési idő",
// "Törzslapszám", "Naplósorszám"; any case, accents or not); every further row is a pupil. The file is
// read whole and checked before the caller writes anything; a file that fails gives a Hungarian message
// and no rows. Nothing here touches the database, so the reader can be fed hostile files on its own.
// Each file format has its SheetReader; this class chooses it and makes pupils of the rows.
class PupilSheet {
public:
    using Cell = SheetCell;
    using Table = SheetTable;

    static const QStringList &columnNames();
    // The headings as people write them, in the order of columnNames(); the sample file carries these.
    static const QStringList &headings();
    // Writes an empty pupil list (.xlsx) with the headings only. False when the file cannot be written.
    static bool writeSample(const QString &path);
    // The most pupils a list may hold; the readers refuse longer sheets.
    static constexpr int kMaxRows = SheetReader::kMaxRows;

    // Reads the file by its extension (.xls, .xlsx, .ods). False with error() set when it cannot be used.
    bool read(const QString &path);
    bool readXls(const QString &path);
    // The .xls library has crashed on damaged files. Where a program is set, .xls files are read by it in a
    // child process ("PROGRAM --read-xls PATH"), so such a file costs the child, not the open program. A
    // child that has not answered within timeoutMs is given up; meanwhile events other than the user's
    // input are processed, so the windows keep painting.
    static void setXlsReaderProgram(const QString &program, int timeoutMs = 10000);
    // The child's side: reads the .xls file here and writes the outcome to out; the exit code.
    static int readXlsForParent(const QString &path, QIODevice &out);
    // Checks the header row and turns the other rows into pupils; date1904 as the workbook counts days.
    bool readTable(const Table &table, bool date1904 = false);

    QString error() const { return m_error; }
    const QList<PupilRow> &rows() const { return m_rows; }
    // Rows with data but no name: left out and counted.
    int skipped() const { return m_skipped; }

    // The family name is the text before the first space, the given names the rest; a name without a
    // space is all given name.
    static void splitName(const QString &name, QString &family, QString &given);
    // A date cell as a date; a number as the spreadsheet's day count; a text in a usual written form.
    // Anything else gives null.
    static QVariant toDate(const Cell &cell, bool date1904 = false);
    static QString toText(const Cell &cell);

private:
    bool fail(const QString &message);
    bool readWith(SheetReader &reader, const QString &path);
    bool readXlsHere(const QString &path);
    bool readXlsInChild(const QString &program, const QString &path);

    QString m_error;
    QList<PupilRow> m_rows;
    int m_skipped = 0;
};
