#pragma once

#include <QDate>
#include <QList>
#include <QString>

// One cell as the spreadsheet file stores it.
struct SheetCell {
    enum Kind { Empty, Text, Number, Date };
    Kind kind = Empty;
    QString text;
    double number = 0;
    QDate date;

    // An empty text stays an empty cell, so does a number that is no number.
    static SheetCell fromText(const QString &text);
    static SheetCell fromNumber(double value);
    // A date written "yyyy-mm-dd..." as the files store it; anything else is kept as text.
    static SheetCell fromIsoDate(const QString &iso);
};
using SheetRow = QList<SheetCell>;
using SheetTable = QList<SheetRow>;

// Reads the worksheet of a spreadsheet file that holds a pupil list — the sheet called Sheet1, else the
// first one — as rows of cells, and nothing more: what the rows mean is the caller's business. Each file
// format has a reader of its own; a reader reads one file.
class SheetReader {
public:
    // Limits against hostile files: a pupil list of a class is far smaller.
    static constexpr int kMaxRows = 5000;
    static constexpr int kMaxColumns = 256;
    static constexpr qint64 kMaxXmlBytes = 64 * 1024 * 1024;

    virtual ~SheetReader() = default;

    // False, with error() set and no rows, when the file cannot be used.
    bool read(const QString &path);
    const SheetTable &table() const { return m_table; }
    // Whether the workbook counts its days from 1904 instead of 1900 (dates stored as day counts).
    bool date1904() const { return m_date1904; }
    QString error() const { return m_error; }

    // A row with nothing but blanks in it.
    static bool isEmptyRow(const SheetRow &row);
    // The message for a file that is no spreadsheet, or a damaged one.
    static QString unreadable(const QString &fileName);

protected:
    // Fills the table through addRow(); false when the file cannot be used. A reader that has nothing
    // more to say than that the file is unreadable leaves the message to read().
    virtual bool readFile(const QString &path) = 0;
    // Appends a row; false, with the message set, once more rows carry data than the heading row and
    // kMaxRows pupils.
    bool addRow(const SheetRow &row);
    bool tooLarge();

    SheetTable m_table;
    bool m_date1904 = false;
    QString m_error;

private:
    int m_filled = 0;
};
